#include "platform/sheet_drawing.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "datasheet/captions.h"
#include "datasheet/datasheet.h"
#include "platform/layout.h"
#include "platform/widget_text.h"

namespace kw::gui {

namespace {

// The sheet's outline and its main divisions, in pixels of the window. The text boxes'
// places (layout.h) are fixed; the rules are drawn around them.
constexpr int kPaperLeft = 16;
constexpr int kPaperTop = 48;
constexpr int kPaperRight = 701;
constexpr int kPaperBottom = 476;
constexpr int kLeftColumnRight = 148;  // left column: date, manufacturer, type, sizes, Ri, mu
constexpr int kTestCellLeft = 548;     // header: date | title | test note
constexpr int kHeaderBottom = 96;
constexpr int kHeadSplit = 122;    // between the two rows of column heads
constexpr int kHeadBottom = 148;   // top of measurement line 1
constexpr int kTableBottom = 316;  // bottom of measurement line 7
constexpr int kTableRight = kPaperRight;

// Vertical rules between the grid's columns (N|C|Fres|mH|f1|f2|Q|Top|Rs|Rp).
constexpr std::array<int, 9> kColumnRules = {180, 252, 320, 384, 440, 492, 540, 596, 644};

// A head's span across the table; its text is in kSheetFormCaptions, in the same order.
struct Span {
    int left, right;
};
// Upper row of heads, over groups of columns, and the lower row, one per column.
constexpr std::array<Span, 5> kGroupHeads = {
    {{kLeftColumnRight, 320}, {320, 384}, {384, 540}, {540, 596}, {596, kTableRight}}};
constexpr std::array<Span, 10> kColumnHeads = {{{kLeftColumnRight, 180},
                                                {180, 252},
                                                {252, 320},
                                                {320, 384},
                                                {384, 440},
                                                {440, 492},
                                                {492, 540},
                                                {540, 596},
                                                {596, 644},
                                                {644, kTableRight}}};

// Left column sections: each starts with a rule and a caption.
constexpr int kFabrTop = kHeaderBottom;
constexpr int kTypeTop = 148;
constexpr int kSizesTop = 220;
constexpr int kImprintTop = 312;
constexpr int kRiTop = 376;
constexpr int kMuTop = 410;
constexpr int kSizesLabelRight = 92;
constexpr int kSizeRows[] = {238, 262, 286};  // tops of the Buiten, Binnen and Hoogte rows

constexpr int kCaptionLeft = 20;
constexpr int kCaptionHeight = 16;
constexpr int kCaptionPixels = 10;
constexpr int kHeadPixels = 10;
constexpr int kTitlePixels = 15;
constexpr int kSubscriptPixels = 8;
constexpr int kRuleInset = 4;  // ruled writing lines stop short of the cell borders
constexpr int kHeaderCaptionTop = 52;  // Datum and Testinfo
constexpr int kTestCaptionIndent = 4;  // Testinfo from the test cell's left rule
constexpr int kSizeRowHeight = 24;
constexpr int kIndexedIndent = 4;   // R i and µ tor / µ i from the caption column
constexpr int kRiBaseline = 14;     // below the Ri box's top
constexpr int kMuBaseline = 24;     // below the µ section's top rule
constexpr int kMuIndexedStep = 30;  // from µ tor to / µ i
constexpr int kIndexDrop = 3;       // an index's baseline under its base text's
constexpr int kShadowOffset = 2;
constexpr int kShadowDarkness = 125;  // [%] of the window colour

QString caption(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Solid rules and the faint writing lines, each as many whole screen pixels wide as the scale
// factor allows (one at 100 % to 199 %, two at 200 %), so no line thins out or vanishes
// between pixels.
struct Pens {
    QPen rule;
    QPen thin;
};

QFont sheetFont(int pixels, bool bold = false) {
    QFont font = controlFont(TextStyle::Normal);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Text followed by a lowered, smaller index, such as the i of R i.
void drawIndexed(QPainter& p, QPoint at, const QString& base, const QString& index) {
    p.setFont(sheetFont(kCaptionPixels + 1));
    const QFontMetrics baseMetrics(p.font());
    p.drawText(at, base);
    const int x = at.x() + baseMetrics.horizontalAdvance(base);
    p.setFont(sheetFont(kSubscriptPixels));
    p.drawText(QPoint(x + 1, at.y() + kIndexDrop), index);
}

void drawCaption(QPainter& p, int top, const QString& text, int left = kCaptionLeft) {
    p.setFont(sheetFont(kCaptionPixels, true));
    p.drawText(QRect(left, top + 1, kLeftColumnRight - left, kCaptionHeight),
               Qt::AlignLeft | Qt::AlignVCenter, text);
}

void drawWritingLine(QPainter& p, int left, int right, int y) {
    p.drawLine(left + kRuleInset, y, right - kRuleInset, y);
}

void underline(QPainter& p, const Place& box) {
    p.drawLine(box.left, box.top + box.height, box.left + box.width, box.top + box.height);
}

// Paper with a soft shadow.
void drawPaper(QPainter& p, const QColor& window) {
    const QRect paperArea(QPoint(kPaperLeft, kPaperTop), QPoint(kPaperRight, kPaperBottom));
    p.fillRect(paperArea.translated(kShadowOffset, kShadowOffset), window.darker(kShadowDarkness));
    p.fillRect(paperArea, SheetDrawing::paper());
}

// Date | title | test note; the date reads DD-MM-20JJ, dashes and the century between the boxes.
void drawHeader(QPainter& p, const Pens& pens, const SheetFormCaptions& c) {
    p.drawLine(kLeftColumnRight, kPaperTop, kLeftColumnRight, kPaperBottom);
    p.drawLine(kTestCellLeft, kPaperTop, kTestCellLeft, kHeaderBottom);
    p.drawLine(kPaperLeft, kHeaderBottom, kPaperRight, kHeaderBottom);
    drawCaption(p, kHeaderCaptionTop, caption(c.datum));
    p.setFont(sheetFont(kTitlePixels, true));
    p.drawText(
        QRect(kLeftColumnRight, kPaperTop, kTestCellLeft - kLeftColumnRight, kHeaderBottom - kPaperTop),
        Qt::AlignCenter, caption(c.title));
    drawCaption(p, kHeaderCaptionTop, caption(c.testInfo), kTestCellLeft + kTestCaptionIndent);

    const Place& dd = placeOf(kSheetPlaces, "txtDD");
    const Place& mm = placeOf(kSheetPlaces, "txtMM");
    const Place& jj = placeOf(kSheetPlaces, "txtJJ");
    p.setFont(sheetFont(kCaptionPixels + 1));
    p.drawText(QRect(dd.left + dd.width, dd.top, mm.left - dd.left - dd.width, dd.height), Qt::AlignCenter,
               caption(c.dayMonth));
    p.drawText(QRect(mm.left + mm.width, mm.top, jj.left - mm.left - mm.width, mm.height), Qt::AlignCenter,
               caption(c.monthYear));
    p.setPen(pens.thin);
    for (const Place* box : {&dd, &mm, &jj}) {
        underline(p, *box);
    }
    underline(p, placeOf(kSheetPlaces, "txtTest1"));
}

// The three sizes in rows, a rule between label and box.
void drawSizes(QPainter& p, const Pens& pens, const SheetFormCaptions& c) {
    p.setPen(pens.thin);
    p.drawLine(kSizesLabelRight, kSizeRows[0], kSizesLabelRight, kImprintTop);
    for (const int top : kSizeRows) {
        p.drawLine(kPaperLeft, top, kLeftColumnRight, top);
    }
    p.setPen(pens.rule);
    p.setFont(sheetFont(kCaptionPixels + 1));
    for (std::size_t row = 0; row < c.sizes.size(); ++row) {
        p.drawText(QRect(kCaptionLeft, kSizeRows[row], kSizesLabelRight - kCaptionLeft, kSizeRowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, caption(c.sizes[row]));
    }
}

// Maker, type, sizes, Ri and µ, each section under a rule.
void drawLeftColumn(QPainter& p, const Pens& pens, const SheetFormCaptions& c) {
    p.setPen(pens.rule);
    for (const int top : {kTypeTop, kSizesTop, kImprintTop, kRiTop, kMuTop}) {
        p.drawLine(kPaperLeft, top, kLeftColumnRight, top);
    }
    drawCaption(p, kFabrTop, caption(c.fabrikant));
    drawCaption(p, kTypeTop, caption(c.typeKleur));
    drawCaption(p, kSizesTop, caption(c.maten));
    p.setPen(pens.thin);
    for (const char* name : {"txtFabr1", "txtFabr2", "txtType1", "txtType2", "txtType3"}) {
        const Place& box = placeOf(kSheetPlaces, name);
        drawWritingLine(p, kPaperLeft, kLeftColumnRight, box.top + box.height);
    }
    drawSizes(p, pens, c);

    const Place& ri = placeOf(kSheetPlaces, "txtRi");
    drawIndexed(p, QPoint(kCaptionLeft + kIndexedIndent, ri.top + kRiBaseline), caption(c.ri),
                caption(c.riIndex));
    p.setPen(pens.thin);
    underline(p, ri);
    p.setPen(pens.rule);
    QPoint at(kCaptionLeft + kIndexedIndent, kMuTop + kMuBaseline);
    drawIndexed(p, at, caption(c.muTor), caption(c.muTorIndex));
    at.rx() += kMuIndexedStep;
    drawIndexed(p, at, caption(c.muI), caption(c.muIIndex));
    p.setPen(pens.thin);
    underline(p, placeOf(kSheetPlaces, "txtMu"));
}

// Two rows of heads over seven measurement lines.
void drawTable(QPainter& p, const Pens& pens, const SheetFormCaptions& c) {
    p.setPen(pens.rule);
    p.drawLine(kLeftColumnRight, kHeadSplit, kTableRight, kHeadSplit);
    p.drawLine(kLeftColumnRight, kHeadBottom, kTableRight, kHeadBottom);
    p.drawLine(kLeftColumnRight, kTableBottom, kTableRight, kTableBottom);
    for (const Span& head : kGroupHeads) {
        if (head.left != kLeftColumnRight) {
            p.drawLine(head.left, kHeaderBottom, head.left, kHeadSplit);
        }
    }
    for (const int x : kColumnRules) {
        p.drawLine(x, kHeadSplit, x, kTableBottom);
    }
    p.setFont(sheetFont(kHeadPixels, true));
    for (std::size_t i = 0; i < kGroupHeads.size(); ++i) {
        const Span& head = kGroupHeads[i];
        p.drawText(QRect(head.left, kHeaderBottom, head.right - head.left, kHeadSplit - kHeaderBottom),
                   Qt::AlignCenter, caption(c.groupHeads[i]));
    }
    p.setFont(sheetFont(kHeadPixels));
    for (std::size_t i = 0; i < kColumnHeads.size(); ++i) {
        const Span& head = kColumnHeads[i];
        p.drawText(QRect(head.left, kHeadSplit, head.right - head.left, kHeadBottom - kHeadSplit),
                   Qt::AlignCenter, caption(c.columnHeads[i]));
    }
    p.setPen(pens.thin);
    for (int k = 1; k < kMeasurementLines; ++k) {
        const int y = kHeadBottom + kGridPitch * k;
        p.drawLine(kLeftColumnRight + 1, y, kTableRight - 1, y);
    }
}

// The info lines under their caption.
void drawRemarks(QPainter& p, const Pens& pens, const SheetFormCaptions& c) {
    p.setPen(pens.rule);
    p.setFont(sheetFont(kCaptionPixels, true));
    p.drawText(QRect(kInfoLeft, kTableBottom + 1, kInfoWidth, kInfoTop - kTableBottom - 1),
               Qt::AlignLeft | Qt::AlignVCenter, caption(c.bijzonderheden));
    p.setPen(pens.thin);
    for (int k = 1; k <= kInfoLines; ++k) {
        drawWritingLine(p, kLeftColumnRight, kTableRight,
                        kInfoTop + kInfoPitch * (k - 1) + kSheetStackedBoxHeight);
    }
}

}  // namespace

SheetDrawing::SheetDrawing(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QColor SheetDrawing::paper() {
    return {0xff, 0xff, 0xff};
}
QColor SheetDrawing::ink() {
    return {0x1e, 0x1e, 0x1e};
}

void SheetDrawing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const qreal screenPixels = std::max(1.0, std::floor(devicePixelRatioF()));
    Pens pens{QPen(ink(), screenPixels), QPen(QColor(0xb4, 0xb4, 0xb4), screenPixels)};
    pens.rule.setCosmetic(true);
    pens.thin.setCosmetic(true);
    const SheetFormCaptions& c = kSheetFormCaptions;
    drawPaper(p, palette().color(QPalette::Window));
    p.setPen(pens.rule);
    drawHeader(p, pens, c);
    drawLeftColumn(p, pens, c);
    drawTable(p, pens, c);
    drawRemarks(p, pens, c);
    p.setPen(pens.rule);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(kPaperLeft, kPaperTop, kPaperRight - kPaperLeft, kPaperBottom - kPaperTop));
}

}  // namespace kw::gui
