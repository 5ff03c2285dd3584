#include "platform/widget_text.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace kw::gui {

namespace {

// Tahoma where it is installed, otherwise the nearest sans-serif faces by width.
const QStringList kFamilies = {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                               QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                               QStringLiteral("DejaVu Sans")};

constexpr int kNormalPixels = 11;      // 8.4 pt at 96 dpi
constexpr int kLargePixels = 12;       // 9 pt at 96 dpi
constexpr int kSheetTitlePixels = 16;  // 12 pt at 96 dpi
constexpr int kNarrowestStretch = 75;  // [% of normal width]
constexpr int kStretchStep = 5;        // [%]
constexpr int kSmallestPixels = 8;
// A text box sets its text this far in from its contents on either side, and needs a
// pixel more for the cursor.
constexpr int kBoxTextInset = 2;
constexpr int kBoxCursorRoom = 2;

int textWidth(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest;
}

int linesHeight(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    return metrics.lineSpacing() * int(text.count(QLatin1Char('\n')) + 1);
}

// Width that a control needs beside its text: frames, margins, indicators.
int decorationWidth(const QWidget* widget) {
    const QStyle* style = widget->style();
    if (qobject_cast<const QPushButton*>(widget)) {
        return 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget) + 4;
    }
    if (qobject_cast<const QCheckBox*>(widget)) {
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget) + 2;
    }
    if (qobject_cast<const QRadioButton*>(widget)) {
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget) + 2;
    }
    if (qobject_cast<const QGroupBox*>(widget)) {
        return 24;  // the title sits inset in the frame line
    }
    return 0;
}

QString captionOf(const QWidget* widget, bool& wraps) {
    wraps = false;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        wraps = label->wordWrap();
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return QString(button->text()).replace(QStringLiteral("&&"), QStringLiteral("&"));
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        return group->title();
    }
    return {};
}

bool fits(const QWidget* widget, const QFont& font, const QString& text, bool wraps) {
    if (wraps) {
        const QFontMetrics metrics(font);
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, widget->width(), 10000), Qt::TextWordWrap, text);
        return needed.height() <= widget->height();
    }
    const bool fitsAcross = textWidth(font, text) + decorationWidth(widget) <= widget->width();
    // Labels of several lines must also fit downwards.
    const bool fitsDown = !qobject_cast<const QLabel*>(widget) || linesHeight(font, text) <= widget->height();
    return fitsAcross && fitsDown;
}

template <class Fits>
QFont narrowedUntil(QFont font, const Fits& fitsIn) {
    int stretch = QFont::Unstretched;
    while (!fitsIn(font) && stretch > kNarrowestStretch) {
        stretch -= kStretchStep;
        font.setStretch(stretch);
    }
    while (!fitsIn(font) && font.pixelSize() > kSmallestPixels) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

}  // namespace

QFont controlFont(TextStyle style) {
    QFont font;
    font.setFamilies(kFamilies);
    font.setStyleHint(QFont::SansSerif);
    switch (style) {
        case TextStyle::Normal:
            font.setPixelSize(kNormalPixels);
            break;
        case TextStyle::Large:
            font.setPixelSize(kLargePixels);
            break;
        case TextStyle::Bold:
            font.setPixelSize(kNormalPixels);
            font.setBold(true);
            break;
        case TextStyle::LargeBold:
            font.setPixelSize(kLargePixels);
            font.setBold(true);
            break;
        case TextStyle::SheetTitle:
            font.setPixelSize(kSheetTitlePixels);
            font.setBold(true);
            break;
    }
    return font;
}

QString displayText(const std::string& text) {
    QString result = QString::fromUtf8(text.data(), qsizetype(text.size()));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QString captionText(const std::string& text) {
    return displayText(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void fitCaption(QWidget* widget, TextStyle style) {
    QFont font = controlFont(style);
    bool wraps = false;
    const QString text = captionOf(widget, wraps);
    if (!text.trimmed().isEmpty()) {
        font = narrowedUntil(font, [&](const QFont& f) { return fits(widget, f, text, wraps); });
    }
    if (widget->font() != font) {
        widget->setFont(font);
    }
}

void fitBoxText(QLineEdit* edit, TextStyle style) {
    // Measured once per text the box shows.
    static constexpr const char* kFittedText = "fittedText";
    static constexpr const char* kNarrowed = "narrowed";
    const QString text = edit->text();
    if (edit->property(kFittedText).toString() == text) {
        return;
    }
    edit->setProperty(kFittedText, text);
    const QMargins margins = edit->textMargins();
    const int room =
        edit->contentsRect().width() - margins.left() - margins.right() - 2 * kBoxTextInset - kBoxCursorRoom;
    // Most texts fit the box in its own type, which it has measured already.
    const bool narrowed = edit->property(kNarrowed).toBool();
    if (!narrowed && edit->fontMetrics().horizontalAdvance(text) <= room) {
        return;
    }
    const QFont own = controlFont(style);
    const QFont font =
        narrowedUntil(own, [&](const QFont& f) { return QFontMetrics(f).horizontalAdvance(text) <= room; });
    edit->setFont(font);
    edit->setProperty(kNarrowed, font != own);
}

}  // namespace kw::gui
