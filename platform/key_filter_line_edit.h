#pragma once

// A single-line text box whose typed keys pass a key filter before the box applies them.
// The platform's editing shortcuts (select all, copy, cut, paste, undo, redo) pass by it.

#include <QLineEdit>
#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;

namespace kw::gui {

class KeyFilterLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // Called with the character code of a typed key; setting it to 0 swallows the key.
    using KeyFilter = std::function<void(std::int16_t&)>;

    explicit KeyFilterLineEdit(QWidget* parent = nullptr);
    void setKeyFilter(KeyFilter filter);

    // The character code that a key press types into a text box: printable characters,
    // Backspace 8, Enter 13, Escape 27, Ctrl with a letter 1 to 26. Keys that only move the
    // caret or edit without typing (arrows, Delete, Shift+Insert) give none.
    static std::optional<std::int16_t> typedCode(const QKeyEvent& event);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    KeyFilter filter_;
};

}  // namespace kw::gui
