// Which character code a key press hands to a text box's key filter, and what a filter's
// answer does to the box.

#include "platform/key_filter_line_edit.h"

#include <QKeyEvent>
#include <QTest>
#include <cstdint>
#include <optional>

using kw::gui::KeyFilterLineEdit;

class KeyFilterLineEditTest : public QObject {
    Q_OBJECT

private slots:
    void typedCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");  // -1: no code, the box handles the key itself
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << 55;
        QTest::newRow("comma") << int(Qt::Key_Comma) << none << "," << 44;
        QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << 97;
        QTest::newRow("blank") << int(Qt::Key_Space) << none << " " << 32;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
        QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r" << 13;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << none << "\r" << 13;
        QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << 27;
        QTest::newRow("ctrl+v") << int(Qt::Key_V) << ctrl << "\x16" << 22;
        QTest::newRow("ctrl+c without text") << int(Qt::Key_C) << ctrl << "" << 3;
        QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << ctrl << "" << 127;
        QTest::newRow("e acute") << int(Qt::Key_Eacute) << none << QString(QChar(0xE9)) << 0xE9;
        QTest::newRow("euro sign") << 0x20AC << none << QString(QChar(0x20AC)) << int('?');
        QTest::newRow("left arrow") << int(Qt::Key_Left) << none << "" << -1;
        QTest::newRow("delete") << int(Qt::Key_Delete) << none << "\x7f" << -1;
        QTest::newRow("shift+insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << "" << -1;
        QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << -1;
    }

    void typedCodes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        const auto typed = KeyFilterLineEdit::typedCode(event);
        if (code < 0) {
            QVERIFY(!typed.has_value());
        } else {
            QVERIFY(typed.has_value());
            QCOMPARE(int(*typed), code);
        }
    }

    void aSwallowedKeyLeavesTextCaretAndSelection() {
        KeyFilterLineEdit edit;
        edit.setText("12345");
        edit.setSelection(1, 2);
        edit.setKeyFilter([](std::int16_t& key) { key = 0; });
        QTest::keyClick(&edit, '9');
        QCOMPARE(edit.text(), QString("12345"));
        QCOMPARE(edit.selectionStart(), 1);
        QCOMPARE(edit.selectedText(), QString("23"));
    }

    void aPassedKeyIsTypedAndTheFilterSeesTheTextBeforeIt() {
        KeyFilterLineEdit edit;
        edit.setText("1");
        QString seen;
        edit.setKeyFilter([&](std::int16_t&) { seen = edit.text(); });
        edit.end(false);
        QTest::keyClick(&edit, '2');
        QCOMPARE(seen, QString("1"));
        QCOMPARE(edit.text(), QString("12"));
    }

    void aFilterMayTypeAnotherCharacter() {
        KeyFilterLineEdit edit;
        edit.setKeyFilter([](std::int16_t& key) {
            if (key == ',') {
                key = '.';
            }
        });
        QTest::keyClicks(&edit, "2,5");
        QCOMPARE(edit.text(), QString("2.5"));
    }

    void keysWithoutACodeReachTheBoxUnfiltered() {
        KeyFilterLineEdit edit;
        edit.setText("12");
        int calls = 0;
        edit.setKeyFilter([&](std::int16_t& key) {
            ++calls;
            key = 0;
        });
        edit.end(false);
        QTest::keyClick(&edit, Qt::Key_Left);
        QTest::keyClick(&edit, Qt::Key_Delete);
        QCOMPARE(edit.text(), QString("1"));
        QCOMPARE(calls, 0);
    }
};

QTEST_MAIN(KeyFilterLineEditTest)
#include "key_filter_line_edit_test.moc"
