#include "platform/key_filter_line_edit.h"

#include <QKeyEvent>

namespace kw::gui {

namespace {
constexpr std::int16_t kBackspace = 8;
constexpr std::int16_t kEnter = 13;
constexpr std::int16_t kEscape = 27;
constexpr std::int16_t kDelete = 127;  // Ctrl+Backspace
constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kLastSingleByte = 0xFF;
constexpr std::int16_t kUnknownCharacter = '?';

// The editing shortcuts of the platform: they are commands, not typed characters, and
// what they put into the box runs its change rule as a paste from the menu does.
bool isStandardEditShortcut(const QKeyEvent& event) {
    for (const auto shortcut : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut,
                                QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo}) {
        if (event.matches(shortcut)) {
            return true;
        }
    }
    return false;
}

}  // namespace

KeyFilterLineEdit::KeyFilterLineEdit(QWidget* parent) : QLineEdit(parent) {}

void KeyFilterLineEdit::setKeyFilter(KeyFilter filter) {
    filter_ = std::move(filter);
    // Composed input would reach the text without a key press; typed keys only.
    setAttribute(Qt::WA_InputMethodEnabled, !filter_);
}

std::optional<std::int16_t> KeyFilterLineEdit::typedCode(const QKeyEvent& event) {
    const int key = event.key();
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    if (key == Qt::Key_Backspace) {
        return control ? kDelete : kBackspace;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        return kEnter;
    }
    if (key == Qt::Key_Escape) {
        return kEscape;
    }
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<std::int16_t>(key - Qt::Key_A + 1);
    }
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() < kFirstPrintable || text.at(0).unicode() == kDelete) {
        return std::nullopt;
    }
    const char16_t c = text.at(0).unicode();
    return c <= kLastSingleByte ? static_cast<std::int16_t>(c) : kUnknownCharacter;
}

void KeyFilterLineEdit::keyPressEvent(QKeyEvent* event) {
    const std::optional<std::int16_t> code =
        filter_ && !isStandardEditShortcut(*event) ? typedCode(*event) : std::nullopt;
    if (!code) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    std::int16_t keyAscii = *code;
    filter_(keyAscii);
    if (keyAscii == 0) {
        event->accept();
        return;
    }
    if (keyAscii == *code) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The filter typed another character instead.
    QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(char16_t(keyAscii))));
    QLineEdit::keyPressEvent(&replaced);
}

}  // namespace kw::gui
