#include "platform/sheet_drawing.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

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

struct Head {
    int left, right;
    const char* text;
};
// Upper row of heads, over groups of columns, and the lower row, one per column.
constexpr Head kGroupHeads[] = {{kLeftColumnRight, 320, "Meetmethode"},
                                {320, 384, "AL in"},
                                {384, 540, "B\u221A2"},
                                {540, 596, "TOP"},
                                {596, kTableRight, "Q ==> Rs/Rp"}};
constexpr Head kColumnHeads[] = {{kLeftColumnRight, 180, "N"},
                                 {180, 252, "C"},
                                 {252, 320, "f res"},
                                 {320, 384, "mH/1000"},
                                 {384, 440, "f1"},
                                 {440, 492, "f2"},
                                 {492, 540, "Q"},
                                 {540, 596, "C / R"},
                                 {596, 644, "Rs"},
                                 {644, kTableRight, "Rp"}};

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
    p.drawText(QPoint(x + 1, at.y() + 3), index);
}

void drawCaption(QPainter& p, int top, const QString& text, int left = kCaptionLeft) {
    p.setFont(sheetFont(kCaptionPixels, true));
    p.drawText(QRect(left, top + 1, kLeftColumnRight - left, kCaptionHeight),
               Qt::AlignLeft | Qt::AlignVCenter, text);
}

void drawWritingLine(QPainter& p, int left, int right, int y) {
    p.drawLine(left + kRuleInset, y, right - kRuleInset, y);
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
    const QColor faint(0xb4, 0xb4, 0xb4);
    // Every line as many whole screen pixels wide as the scale factor allows (one at 100 %
    // to 199 %, two at 200 %), so no line thins out or vanishes between pixels.
    const qreal screenPixels = std::max(1.0, std::floor(devicePixelRatioF()));
    QPen rule(ink(), screenPixels);
    rule.setCosmetic(true);
    QPen thin(faint, screenPixels);
    thin.setCosmetic(true);

    // Paper with a soft shadow.
    const QRect paperArea(QPoint(kPaperLeft, kPaperTop), QPoint(kPaperRight, kPaperBottom));
    p.fillRect(paperArea.translated(2, 2), palette().color(QPalette::Window).darker(125));
    p.fillRect(paperArea, paper());
    p.setPen(rule);

    // ---- header: date | title | test note ----
    p.drawLine(kLeftColumnRight, kPaperTop, kLeftColumnRight, kPaperBottom);
    p.drawLine(kTestCellLeft, kPaperTop, kTestCellLeft, kHeaderBottom);
    p.drawLine(kPaperLeft, kHeaderBottom, kPaperRight, kHeaderBottom);
    drawCaption(p, 52, QStringLiteral("Datum"));
    p.setFont(sheetFont(kTitlePixels, true));
    p.drawText(
        QRect(kLeftColumnRight, kPaperTop, kTestCellLeft - kLeftColumnRight, kHeaderBottom - kPaperTop),
        Qt::AlignCenter, QStringLiteral("RINGKERN/FERRIET INFOBLAD"));
    drawCaption(p, 52, QStringLiteral("Testinfo"), kTestCellLeft + 4);

    // The date reads DD-MM-20JJ: dashes and the century between the boxes.
    const Place& dd = placeOf(kSheetPlaces, "txtDD");
    const Place& mm = placeOf(kSheetPlaces, "txtMM");
    const Place& jj = placeOf(kSheetPlaces, "txtJJ");
    p.setFont(sheetFont(kCaptionPixels + 1));
    p.drawText(QRect(dd.left + dd.width, dd.top, mm.left - dd.left - dd.width, dd.height), Qt::AlignCenter,
               QStringLiteral("-"));
    p.drawText(QRect(mm.left + mm.width, mm.top, jj.left - mm.left - mm.width, mm.height), Qt::AlignCenter,
               QStringLiteral("- 20"));
    p.setPen(thin);
    for (const Place* box : {&dd, &mm, &jj}) {
        p.drawLine(box->left, box->top + box->height, box->left + box->width, box->top + box->height);
    }
    const Place& test = placeOf(kSheetPlaces, "txtTest1");
    p.drawLine(test.left, test.top + test.height, test.left + test.width, test.top + test.height);

    // ---- left column ----
    p.setPen(rule);
    for (const int top : {kTypeTop, kSizesTop, kImprintTop, kRiTop, kMuTop}) {
        p.drawLine(kPaperLeft, top, kLeftColumnRight, top);
    }
    drawCaption(p, kFabrTop, QStringLiteral("Fabrikant"));
    drawCaption(p, kTypeTop, QStringLiteral("Type / kleur"));
    drawCaption(p, kSizesTop, QStringLiteral("Maten in mm:"));
    p.setPen(thin);
    for (const char* name : {"txtFabr1", "txtFabr2", "txtType1", "txtType2", "txtType3"}) {
        const Place& box = placeOf(kSheetPlaces, name);
        drawWritingLine(p, kPaperLeft, kLeftColumnRight, box.top + box.height);
    }
    p.drawLine(kSizesLabelRight, kSizeRows[0], kSizesLabelRight, kImprintTop);
    for (const int top : kSizeRows) {
        p.drawLine(kPaperLeft, top, kLeftColumnRight, top);
    }
    p.setPen(rule);
    const char* sizeNames[] = {"Buiten \u00D8", "Binnen \u00D8", "Hoogte"};
    p.setFont(sheetFont(kCaptionPixels + 1));
    for (int row = 0; row < 3; ++row) {
        p.drawText(QRect(kCaptionLeft, kSizeRows[row], kSizesLabelRight - kCaptionLeft, 24),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(sizeNames[row]));
    }
    const Place& ri = placeOf(kSheetPlaces, "txtRi");
    drawIndexed(p, QPoint(kCaptionLeft + 4, ri.top + 14), QStringLiteral("R"), QStringLiteral("i"));
    p.setPen(thin);
    p.drawLine(ri.left, ri.top + ri.height, ri.left + ri.width, ri.top + ri.height);
    p.setPen(rule);
    const Place& mu = placeOf(kSheetPlaces, "txtMu");
    QPoint at(kCaptionLeft + 4, kMuTop + 24);
    drawIndexed(p, at, QStringLiteral("\u00B5"), QStringLiteral("tor"));
    at.rx() += 30;
    drawIndexed(p, at, QStringLiteral("/ \u00B5"), QStringLiteral("i"));
    p.setPen(thin);
    p.drawLine(mu.left, mu.top + mu.height, mu.left + mu.width, mu.top + mu.height);

    // ---- measurement table ----
    p.setPen(rule);
    p.drawLine(kLeftColumnRight, kHeadSplit, kTableRight, kHeadSplit);
    p.drawLine(kLeftColumnRight, kHeadBottom, kTableRight, kHeadBottom);
    p.drawLine(kLeftColumnRight, kTableBottom, kTableRight, kTableBottom);
    for (const Head& head : kGroupHeads) {
        if (head.left != kLeftColumnRight) {
            p.drawLine(head.left, kHeaderBottom, head.left, kHeadSplit);
        }
    }
    for (const int x : kColumnRules) {
        p.drawLine(x, kHeadSplit, x, kTableBottom);
    }
    p.setFont(sheetFont(kHeadPixels, true));
    for (const Head& head : kGroupHeads) {
        p.drawText(QRect(head.left, kHeaderBottom, head.right - head.left, kHeadSplit - kHeaderBottom),
                   Qt::AlignCenter, QString::fromUtf8(head.text));
    }
    p.setFont(sheetFont(kHeadPixels));
    for (const Head& head : kColumnHeads) {
        p.drawText(QRect(head.left, kHeadSplit, head.right - head.left, kHeadBottom - kHeadSplit),
                   Qt::AlignCenter, QString::fromUtf8(head.text));
    }
    p.setPen(thin);
    for (int k = 1; k < kMeasurementLines; ++k) {
        const int y = kHeadBottom + kGridPitch * k;
        p.drawLine(kLeftColumnRight + 1, y, kTableRight - 1, y);
    }

    // ---- remarks ----
    p.setPen(rule);
    p.setFont(sheetFont(kCaptionPixels, true));
    p.drawText(QRect(kInfoLeft, kTableBottom + 1, kInfoWidth, kInfoTop - kTableBottom - 1),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Bijzonderheden"));
    p.setPen(thin);
    for (int k = 1; k <= kInfoLines; ++k) {
        drawWritingLine(p, kLeftColumnRight, kTableRight,
                        kInfoTop + kInfoPitch * (k - 1) + kSheetStackedBoxHeight);
    }

    p.setPen(rule);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(kPaperLeft, kPaperTop, kPaperRight - kPaperLeft, kPaperBottom - kPaperTop));
}

}  // namespace kw::gui
