#include "platform/record_widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/widget_text.h"

namespace kw::gui {

namespace {

void renderOption(QRadioButton* option, bool selected) {
    if (option->isChecked() == selected) {
        return;
    }
    const QSignalBlocker block(option);
    if (!selected && option->autoExclusive()) {
        // An exclusive option cannot be cleared on its own.
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    } else {
        option->setChecked(selected);
    }
}

constexpr const char* kControlTip = "kernwijsControlTip";
constexpr const char* kFollowsText = "kernwijsFollowsText";
constexpr int kLineEditSideMargin = 2;  // [px] QLineEdit keeps this much beside the text

// The whole text while it does not fit the box, else the control's own tooltip.
void refreshTextTip(QLineEdit* edit) {
    const QMargins margins = edit->textMargins();
    const int room =
        edit->contentsRect().width() - margins.left() - margins.right() - 2 * kLineEditSideMargin;
    const QString text = edit->text();
    const bool clipped = !text.isEmpty() && edit->fontMetrics().horizontalAdvance(text) > room;
    const QString tip = clipped ? text : edit->property(kControlTip).toString();
    if (edit->toolTip() != tip) {
        edit->setToolTip(tip);
    }
}

class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
            auto* button = qobject_cast<QPushButton*>(watched);
            if (enter && modifiers == Qt::NoModifier && button != nullptr && button->isEnabled()) {
                button->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

void renderCaption(QAbstractButton* button, const std::string& caption, TextStyle style) {
    const QString text = captionText(caption);
    if (button->text() != text) {
        const QSignalBlocker block(button);
        button->setText(text);
        fitCaption(button, style);
    }
}

}  // namespace

void renderLabel(QLabel* label, const std::string& text, TextStyle style) {
    const QString shown = displayText(text);
    if (label->text() != shown) {
        label->setText(shown);
        fitCaption(label, style);
    }
}

void renderFrameTitle(QGroupBox* frame, const std::string& title, TextStyle style) {
    const QString shown = displayText(title);
    if (frame->title() != shown) {
        const QSignalBlocker block(frame);
        frame->setTitle(shown);
        fitCaption(frame, style);
    }
}

void renderText(QLineEdit* edit, const std::string& text) {
    const QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (edit->text() != shown) {
        const QSignalBlocker block(edit);
        edit->setText(shown);
        edit->setCursorPosition(0);
    }
}

void renderTextBox(QLineEdit* edit, const TextBox& box) {
    renderText(edit, box.text);
    edit->setEnabled(box.enabled);
}

void renderButton(QPushButton* button, const Button& state, TextStyle style) {
    renderCaption(button, state.caption, style);
    button->setEnabled(state.enabled);
}

void renderCheckBox(QCheckBox* check, const CheckBox& state, TextStyle style) {
    renderCaption(check, state.caption, style);
    const Qt::CheckState shown = state.value == 1   ? Qt::Checked
                                 : state.value == 2 ? Qt::PartiallyChecked
                                                    : Qt::Unchecked;
    if (check->checkState() != shown) {
        const QSignalBlocker block(check);
        check->setCheckState(shown);
    }
    check->setEnabled(state.enabled);
}

void renderOptionPair(QRadioButton* first, QRadioButton* second, const OptionPair& pair, TextStyle style) {
    renderCaption(first, pair.caption[0], style);
    renderCaption(second, pair.caption[1], style);
    const bool firstOn = pair.selected == 0;
    const bool secondOn = pair.selected == 1;
    // Clear before set, so an exclusive pair never holds two selections on the way.
    if (!firstOn) {
        renderOption(first, false);
    }
    if (!secondOn) {
        renderOption(second, false);
    }
    if (firstOn) {
        renderOption(first, true);
    }
    if (secondOn) {
        renderOption(second, true);
    }
}

void renderList(QComboBox* list, const ListBox& state) {
    const QSignalBlocker block(list);
    QStringList items;
    for (const std::string& item : state.items) {
        items << QString::fromUtf8(item.data(), qsizetype(item.size()));
    }
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) {
        shown << list->itemText(i);
    }
    if (shown != items) {
        list->clear();
        list->addItems(items);
    }
    const int selected = state.selected >= 0 && state.selected < list->count() ? state.selected : -1;
    if (list->currentIndex() != selected) {
        list->setCurrentIndex(selected);
    }
}

void renderToolTip(QWidget* widget, std::string_view tip) {
    const QString shown = QString::fromUtf8(tip.data(), qsizetype(tip.size()));
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (edit == nullptr) {
        if (widget->toolTip() != shown) {
            widget->setToolTip(shown);
        }
        return;
    }
    edit->setProperty(kControlTip, shown);
    if (!edit->property(kFollowsText).toBool()) {
        edit->setProperty(kFollowsText, true);
        QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { refreshTextTip(edit); });
    }
    refreshTextTip(edit);
}

void pressOnEnter(QPushButton* button) {
    button->installEventFilter(new EnterPresses(button));
}

}  // namespace kw::gui
