#pragma once

// Drawing the plain control states of a record onto Qt widgets, without firing signals.

#include <QComboBox>
#include <QRadioButton>
#include <string>
#include <string_view>

#include "common/controls.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kw::gui {

enum class TextStyle;

void renderLabel(QLabel* label, const std::string& text, TextStyle style);
void renderFrameTitle(QGroupBox* frame, const std::string& title, TextStyle style);
// Leaves the caret and the selection alone when the text is the same.
void renderTextBox(QLineEdit* edit, const TextBox& box);
void renderText(QLineEdit* edit, const std::string& text);
void renderButton(QPushButton* button, const Button& state, TextStyle style);
void renderCheckBox(QCheckBox* check, const CheckBox& state, TextStyle style);
// Shows both options unselected when the pair has no selection.
void renderOptionPair(QRadioButton* first, QRadioButton* second, const OptionPair& pair, TextStyle style);
void renderList(QComboBox* list, const ListBox& state);

// The control's tooltip from the core's tables; a text box whose text is wider than the
// box shows the whole text instead, and follows its text from now on.
void renderToolTip(QWidget* widget, std::string_view tip);
// Enter and Return on the focused button press it.
void pressOnEnter(QPushButton* button);

}  // namespace kw::gui
