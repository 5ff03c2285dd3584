#pragma once

// Type and captions of the windows' controls.

#include <QFont>
#include <QString>
#include <string>

#include "platform/layout.h"

class QLineEdit;
class QWidget;

namespace kw::gui {

// The windows' typeface at the size and weight of the style. Sizes are in pixels, so the
// text keeps its proportion to the fixed layout.
QFont controlFont(TextStyle style);

// A record's text for display: UTF-8, a CR (or CR LF) as a line break.
QString displayText(const std::string& text);
// A caption for a button, check box or option button: '&' shown as itself.
QString captionText(const std::string& text);

// Gives the widget the font of its style, narrowed and then made smaller as far as needed
// for the caption to fit its place unclipped. Works on labels, buttons, check boxes,
// option buttons and frames with a title.
void fitCaption(QWidget* widget, TextStyle style);

// The same for the text in a text box: narrowed, then smaller, until the whole text fits
// across the box; the style's own font again once it fits at that.
void fitBoxText(QLineEdit* edit, TextStyle style);

}  // namespace kw::gui
