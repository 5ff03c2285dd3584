// The program from start to end: start-up, a second start, help, End and the windows'
// own close controls.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "common/file_system.h"
#include "platform/identify_window.h"
#include "platform/scrolling_page.h"
#include "tests/platform/program_fixture.h"

using kw::MsgAnswer;
using kw::MsgIcon;
using kw::test::RunningProgram;

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void startUpShowsBothWindowsInDutchWithTheStartValues() {
        RunningProgram run;
        QVERIFY(run.program.calculatorWindow().isVisible());
        QVERIFY(run.program.dataSheetWindow().isVisible());
        QCOMPARE(run.program.calculatorWindow().windowTitle(), QString("QQ0QQQ KERNWIJS"));
        QCOMPARE(run.program.dataSheetWindow().windowTitle(), QString("Ferriet Invul vorm"));
        QCOMPARE(run.calc<QPushButton>("cmdBestand")->text(), QString("Vul Regel"));
        QVERIFY(!run.calc("cmdBestand")->isEnabled());
        QVERIFY(run.calc<QRadioButton>("optLANG_0")->isChecked());
        QVERIFY(run.calc<QRadioButton>("optTOPC_0")->isChecked());
        QVERIFY(run.calc<QRadioButton>("optFreq_0")->isChecked());
        QVERIFY(run.calc<QRadioButton>("optCapVal_0")->isChecked());
        QCOMPARE(run.calcText("txtFreq"), QString("10.0"));
        QCOMPARE(run.calcText("txtLmH"), QString(" "));
        QVERIFY(run.calc<QCheckBox>("chkQaan")->isChecked());
        QVERIFY(!run.calc("chkQRLC")->isEnabled());
        QCOMPARE(run.calc<QComboBox>("cboKiesregel")->count(), 7);
        QCOMPARE(run.sheetText("txtRegel3"), QString());
        QCOMPARE(run.sheet<QLineEdit>("txtRegel3")->placeholderText(), QString("Regel3"));
        QVERIFY(run.platform.shown.empty());
    }

    void aSecondStartShowsOnlyTheAlreadyRunningMessageAndEnds() {
        kw::test::FakePlatform platform;
        platform.otherInstance = true;
        kw::test::FakeFileSystem files;
        kw::gui::Program program(platform, files);
        QVERIFY(!program.start());
        QVERIFY(program.ended());
        QCOMPARE(platform.shown.size(), std::size_t{1});
        QCOMPARE(platform.lastMessage().text, std::string("The application is already running!!! \r"));
        QCOMPARE(platform.lastMessage().title, std::string("Error !"));
        QCOMPARE(platform.lastMessage().icon, MsgIcon::Critical);
        QVERIFY(!program.calculatorWindow().isVisible());
        QVERIFY(!program.dataSheetWindow().isVisible());
    }

    void helpOpensTheHelpFileOfTheLanguage() {
        RunningProgram run;
        for (const char* name : {"KERNWIJS_NL.HLP", "KERNWIJS_UK.HLP"}) {
            run.files.files[kw::JoinPath(run.platform.appFolder, name)] = "help";
        }
        run.clickCalc("cmdHelp");
        run.clickCalc("optLANG_1");
        run.clickCalc("cmdHelp");
        QCOMPARE(run.platform.helpShown.size(), std::size_t{2});
        QVERIFY(QString::fromStdString(run.platform.helpShown[0]).endsWith("/KERNWIJS_NL.HLP"));
        QVERIFY(QString::fromStdString(run.platform.helpShown[1]).endsWith("/KERNWIJS_UK.HLP"));
        QVERIFY(run.platform.shown.empty());
    }

    void endWithCancelChangesNothing() {
        RunningProgram run;
        run.clickCalc("cmdBereken");
        run.platform.answers.push_back(MsgAnswer::Cancel);
        run.clickCalc("cmdEinde");
        QCOMPARE(run.platform.lastMessage().text, std::string("Zeker weten?"));
        QCOMPARE(run.platform.lastMessage().icon, MsgIcon::Question);
        QVERIFY(!run.program.ended());
        QVERIFY(run.program.calculatorWindow().isVisible());
        QVERIFY(run.program.dataSheetWindow().isVisible());
        QCOMPARE(run.calcText("txtALwaarde"), QString("25330"));
    }

    void endWithOkEndsTheProgram() {
        RunningProgram run;
        QSignalSpy finished(&run.program, &kw::gui::Program::finished);
        run.clickCalc("optLANG_1");
        run.clickCalc("cmdEinde");
        QCOMPARE(run.platform.lastMessage().text, std::string("You're sure?"));
        QVERIFY(run.program.ended());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(run.platform.endRequests, 1);
        QVERIFY(!run.program.calculatorWindow().isVisible());
        QVERIFY(!run.program.dataSheetWindow().isVisible());
    }

    void closingTheCalculatorAsksNothingAndLeavesTheSheetOpen() {
        RunningProgram run;
        QSignalSpy finished(&run.program, &kw::gui::Program::finished);
        QVERIFY(run.program.calculatorWindow().close());
        QVERIFY(run.platform.shown.empty());
        QVERIFY(run.program.dataSheetWindow().isVisible());
        QVERIFY(!run.program.ended());

        // Once the sheet is closed too, no window is left and the program ends.
        run.program.dataSheetWindow().close();
        QVERIFY(run.program.ended());
        QCOMPARE(finished.count(), 1);
    }

    void aSecondStartBringsBackAClosedCalculator() {
        RunningProgram run;
        run.program.calculatorWindow().close();
        QVERIFY(!run.program.calculatorWindow().isVisible());
        run.program.showAgain();
        QVERIFY(run.program.calculatorWindow().isVisible());
        QVERIFY(run.program.dataSheetWindow().isVisible());
        // Closing the sheet now leaves the Calculator, as before it was closed.
        run.program.dataSheetWindow().close();
        QVERIFY(!run.program.ended());
    }

    void qtsOwnTextsSpeakTheProgramsLanguage() {
        RunningProgram run;
        // The Cancel button of the question boxes and dialogs.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annuleren"));
        run.clickCalc("optLANG_1");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    }

    void closingTheCalculatorWithTheSheetClosedEndsTheProgram() {
        RunningProgram run;
        run.clickSheet("cmdSluiten");
        QVERIFY(!run.program.ended());
        run.program.calculatorWindow().close();
        QVERIFY(run.program.ended());
    }

    void theSheetsTitleNamesItsFileAndMarksUnsavedTyping() {
        RunningProgram run;
        auto& sheet = run.program.dataSheetWindow();
        QCOMPARE(sheet.windowTitle(), QString("Ferriet Invul vorm"));
        QTest::keyClicks(run.sheet("txtFabr1"), "Amidon");
        QCOMPARE(sheet.windowTitle(), QString("Ferriet Invul vorm *"));

        // Ctrl+S is Output; its dialog is answered with a file name.
        run.platform.dialogAnswers.push_back(std::string("/home/ham/ring.tor"));
        sheet.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        QTest::keySequence(run.sheet("txtFabr1"), QKeySequence::Save);
        QCOMPARE(run.platform.saveDialogs.size(), std::size_t{1});
        QCOMPARE(sheet.windowTitle(), QString::fromUtf8("Ferriet Invul vorm – ring.tor"));

        // Close after more typing offers Save; Cancel keeps the sheet.
        QTest::keyClicks(run.sheet("txtFabr2"), "x");
        run.platform.answers.push_back(MsgAnswer::Cancel);
        sheet.close();
        QCOMPARE(run.platform.lastMessage().buttons, kw::MsgButtons::SaveDiscardCancel);
        QVERIFY(sheet.isVisible());
    }

    void aFileGivenToTheProgramOpensWhereItBelongs() {
        RunningProgram run;
        run.files.files["/home/ham/ring.tor"] = "[KERNWIJS]\r\n[FABR1]\r\nAmidon\r\n[END]\r\n";
        run.program.openFiles({QStringLiteral("/home/ham/ring.tor")});
        QCOMPARE(run.sheetText("txtFabr1"), QString("Amidon"));
        QVERIFY(run.program.dataSheetWindow().windowTitle().endsWith(QStringLiteral("ring.tor")));
        run.program.openFiles({QStringLiteral("/home/ham/missing.s2p")});
        QVERIFY(!run.platform.shown.empty());  // the sweep could not be read: the Calculator says so
    }

    void aReopenedSheetSpeaksTheCalculatorsLanguage() {
        RunningProgram run;
        run.clickCalc("optLANG_1");
        run.clickSheet("cmdSluiten");
        QVERIFY(!run.program.dataSheetWindow().isVisible());
        run.clickCalc("cmdBereken");
        run.clickCalc("cmdBestand");
        QVERIFY(run.program.dataSheetWindow().isVisible());
        QCOMPARE(run.sheet<QPushButton>("cmdDatum")->text(), QString("Fill Date"));
        QCOMPARE(run.sheet<QPushButton>("cmdSluiten")->text(), QString("Close"));
    }

    // The offscreen screen is 800 x 600: the identify window's plot and tables do not fit it.
    void theIdentifyWindowFitsTheScreenWithItsButtonsInView() {
        RunningProgram run;
        run.clickSheet("cmdKern");
        auto* identify = run.program.dataSheetWindow().identifyWindow();
        QVERIFY(identify != nullptr && identify->isVisible());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(identify->height() <= screen.height());
        auto* close = identify->findChild<QPushButton*>("cmdSluiten");
        const QRect inWindow(close->mapTo(identify, QPoint(0, 0)), close->size());
        QVERIFY(identify->rect().contains(inWindow));
    }

    // Half the form's size in each direction needs both scroll bars, each able to move half
    // the form's width or height (the scroll range is the form less what the window shows).
    void aWindowSmallerThanItsFormScrollsAndAtItsSizeShowsNoScrollBars() {
        RunningProgram run;
        auto& calc = run.program.calculatorWindow();
        auto& sheet = run.program.dataSheetWindow();
        const std::pair<QWidget*, QSize> windows[] = {{&calc, calc.formSize()}, {&sheet, sheet.formSize()}};
        for (const auto& [window, form] : windows) {
            kw::gui::sizeScrollingWindow(window, form);
            QApplication::processEvents();
            QCOMPARE(window->size(), form);
            for (const QScrollBar* bar : window->findChildren<QScrollBar*>()) {
                QVERIFY(!bar->isVisible());
            }

            kw::gui::sizeScrollingWindow(window, form / 2);
            QApplication::processEvents();
            auto* scroller = window->findChild<QScrollArea*>();
            QVERIFY(scroller != nullptr);
            QVERIFY(scroller->horizontalScrollBar()->isVisible());
            QVERIFY(scroller->verticalScrollBar()->isVisible());
            QVERIFY(scroller->horizontalScrollBar()->maximum() >= form.width() / 2);
            QVERIFY(scroller->verticalScrollBar()->maximum() >= form.height() / 2);
        }
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
