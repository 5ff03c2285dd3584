// The Calculator window: typed keys pass the fields' key filters before the field applies
// them, every text change runs the change rule, and the results show what the record holds.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "tests/platform/program_fixture.h"

using kw::test::RunningProgram;

class CalculatorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void aSecondDecimalSeparatorInTxtCapIsSwallowedWithoutABeep() {
        RunningProgram run;
        QLineEdit* cap = run.calc<QLineEdit>("txtCap");
        cap->end(false);
        QTest::keyClick(cap, ',');
        QCOMPARE(cap->text(), QString("100,"));
        QCOMPARE(run.program.calculator().txtCap.text, std::string("100,"));

        QTest::keyClick(cap, ',');
        QTest::keyClick(cap, '.');
        QCOMPARE(cap->text(), QString("100,"));
        QCOMPARE(cap->cursorPosition(), 4);
        QCOMPARE(run.platform.beeps, 0);

        QTest::keyClick(cap, '5');
        QCOMPARE(cap->text(), QString("100,5"));
        QCOMPARE(run.program.calculator().txtCap.text, std::string("100,5"));
    }

    void aLetterInTxtWikkelingBeepsAndLeavesTextAndCaret() {
        RunningProgram run;
        QLineEdit* turns = run.calc<QLineEdit>("txtWikkeling");
        turns->setCursorPosition(1);
        QTest::keyClick(turns, 'a');
        QCOMPARE(turns->text(), QString("10"));
        QCOMPARE(turns->cursorPosition(), 1);
        QCOMPARE(run.platform.beeps, 1);
        // The bell alone is easily missed: the box says what it takes.
        const std::pair<std::string, std::string> hint{"txtWikkeling",
                                                       "Alleen cijfers: het aantal windingen, 1 - 100"};
        QCOMPARE(run.platform.hints, std::vector{hint});
    }

    void theEditingShortcutsPassTheKeyFiltersAndRunTheChangeRule() {
        RunningProgram run;
        // Copy from a result box.
        run.clickCalc("cmdBereken");
        QLineEdit* al = run.calc<QLineEdit>("txtALwaarde");
        QTest::keyClick(al, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(al, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("25330"));
        // Select all, then typing replaces the turns.
        QLineEdit* turns = run.calc<QLineEdit>("txtWikkeling");
        QTest::keyClick(turns, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(turns, "25");
        QCOMPARE(run.program.calculator().txtWikkeling.text, std::string("25"));
        QCOMPARE(run.calcText("txtALwaarde"), QString(" "));  // the change rule cleared the results
        // A pasted value out of range (Top 1 to 250000) goes back to the reset text with a beep.
        QApplication::clipboard()->setText("250001");
        QLineEdit* top = run.calc<QLineEdit>("txtTopR");
        QTest::keyClick(top, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(top, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(top->text(), QString("100"));
        QCOMPARE(run.platform.beeps, 1);
        // Undo is an edit as well; "25" typed over "10" undoes to "10".
        QTest::keyClick(turns, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(run.program.calculator().txtWikkeling.text, turns->text().toStdString());
        QCOMPARE(run.platform.beeps, 1);
    }

    void enterOrReturnOnAFocusedButtonPressesIt() {
        RunningProgram run;
        QWidget* calculate = run.calc("cmdBereken");
        calculate->setFocus();
        QTest::keyClick(calculate, Qt::Key_Return);
        QCOMPARE(run.calcText("txtALwaarde"), QString("25330"));
        QTest::keyClick(run.calc("cmdBestand"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(run.sheetText("txtN1"), QString("10"));
    }

    void everyControlHasATooltipInTheCurrentLanguage() {
        RunningProgram run;
        QCOMPARE(run.calc("chkLprn")->toolTip(), QString("Vul Regel zet L ook op info regel 8"));
        run.clickCalc("optLANG_1");
        QCOMPARE(run.calc("chkLprn")->toolTip(), QString("Fill Line also adds L to info line 8"));
        for (const char* name :
             {"txtWikkeling", "txtCap",      "optCapVal_0", "optCapVal_1", "txtFreq",   "optFreq_0",
              "optFreq_1",    "txtFres1",    "txtFres2",    "chkQaan",     "optTOPC_0", "optTOPC_1",
              "txtTopR",      "txtALwaarde", "chkLprn",     "txtLmH",      "txtQLC",    "txtQRS",
              "chkQRLC",      "txtQRLC",     "txtQRP",      "optLANG_0",   "optLANG_1", "cboKiesregel",
              "cmdBereken",   "cmdBestand",  "cmdEinde",    "cmdHelp"}) {
            QVERIFY2(!run.calc(name)->toolTip().isEmpty(), name);
        }
    }

    void everyKeyInTxtALwaardeBeepsAndChangesNothing() {
        RunningProgram run;
        run.clickCalc("cmdBereken");
        QLineEdit* al = run.calc<QLineEdit>("txtALwaarde");
        const QString shown = al->text();
        QTest::keyClick(al, '5');
        QTest::keyClick(al, Qt::Key_Backspace);
        QTest::keyClick(al, ',');
        QCOMPARE(al->text(), shown);
        QCOMPARE(run.platform.beeps, 3);
    }

    void calculateOnTheStartUpValuesShowsTheResultsAndEnablesFillLine() {
        RunningProgram run;
        QVERIFY(!run.calc("cmdBestand")->isEnabled());
        run.clickCalc("cmdBereken");
        QCOMPARE(run.calcText("txtALwaarde"), QString("25330"));
        QCOMPARE(run.calcText("txtLmH"), QString("2.533"));
        QCOMPARE(run.calcText("txtQRLC"), QString("50"));
        QCOMPARE(run.calcText("txtQLC"), QString("50"));
        QCOMPARE(run.calcText("txtQRS"), QString("3.18"));
        QCOMPARE(run.calcText("txtQRP"), QString("7958"));
        QVERIFY(run.calc("cmdBestand")->isEnabled());
        QVERIFY(run.platform.shown.empty());
    }

    void typingAfterACalculationClearsTheResults() {
        RunningProgram run;
        run.clickCalc("cmdBereken");
        QLineEdit* freq = run.calc<QLineEdit>("txtFreq");
        freq->end(false);
        QTest::keyClick(freq, '5');
        QCOMPARE(run.calcText("txtALwaarde"), QString(" "));
        QCOMPARE(run.calcText("txtQRP"), QString(" "));
        QVERIFY(!run.calc("cmdBestand")->isEnabled());
    }

    void pastedTextRunsTheChangeRule() {
        RunningProgram run;
        QLineEdit* cap = run.calc<QLineEdit>("txtCap");
        QApplication::clipboard()->setText("0");
        cap->selectAll();
        cap->paste();
        // Zero lies below the range: the field is put back, with a beep.
        QCOMPARE(cap->text(), QString("100"));
        QCOMPARE(run.program.calculator().txtCap.text, std::string("100"));
        QCOMPARE(run.platform.beeps, 1);
    }

    void theDeleteKeyPassesOnlyTheChangeRule() {
        RunningProgram run;
        QLineEdit* turns = run.calc<QLineEdit>("txtWikkeling");
        turns->setCursorPosition(1);
        QTest::keyClick(turns, Qt::Key_Delete);
        QCOMPARE(turns->text(), QString("1"));
        QCOMPARE(run.program.calculator().txtWikkeling.text, std::string("1"));
        QCOMPARE(run.platform.beeps, 0);

        turns->home(false);
        QTest::keyClick(turns, Qt::Key_Delete);
        QCOMPARE(turns->text(), QString("10"));
        QCOMPARE(run.platform.beeps, 1);
    }

    void enterInAnInputFieldKeepsTheTextAndAsksForTheFieldsFocus() {
        RunningProgram run;
        QLineEdit* top = run.calc<QLineEdit>("txtTopR");
        QTest::keyClick(top, Qt::Key_Return);
        QCOMPARE(top->text(), QString("100"));
        QVERIFY(!run.platform.focused.empty());
        QCOMPARE(run.platform.focused.back(), std::string("txtTopR"));
    }

    void theMethodOptionsRunTheirOperation() {
        RunningProgram run;
        run.clickCalc("optTOPC_1");
        QVERIFY(run.calc<QRadioButton>("optTOPC_1")->isChecked());
        QVERIFY(!run.calc<QRadioButton>("optTOPC_0")->isChecked());
        QCOMPARE(run.program.calculator().optTOPC.selected, 1);
        QCOMPARE(run.calc<QLabel>("lblTopR")->text(), QString("welke Top-R"));
        QCOMPARE(run.calcText("txtTopR"), QString("100"));

        run.clickCalc("optTOPC_0");
        QCOMPARE(run.calcText("txtTopR"), QString("1000"));
    }

    void switchingQOffDisablesTheBandwidthPoints() {
        RunningProgram run;
        run.clickCalc("chkQaan");
        QCOMPARE(run.program.calculator().chkQaan.value, 0);
        QCOMPARE(run.calcText("txtFres1"), QString("-"));
        QVERIFY(!run.calc("txtFres1")->isEnabled());
        QVERIFY(!run.calc("txtFres2")->isEnabled());
    }

    void theFourCommandButtonsAreBold() {
        RunningProgram run;
        for (const char* name : {"cmdHelp", "cmdBereken", "cmdBestand", "cmdEinde"}) {
            QVERIFY2(run.calc(name)->font().bold(), name);
        }
    }

    void multiLineCaptionsShowTheirLineBreaks() {
        RunningProgram run;
        const QString intro = run.calc<QLabel>("Label3")->text();
        QCOMPARE(intro.count('\n'), 2);
        QVERIFY(!intro.contains('\r'));
    }
};

QTEST_MAIN(CalculatorWindowTest)
#include "calculator_window_test.moc"
