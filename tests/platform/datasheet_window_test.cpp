// The data sheet window: Fill Line, the language switch reaching both windows, typing on
// the sheet, and its own close control.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDataStream>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPicture>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

#include "tests/platform/program_fixture.h"

using kw::MsgAnswer;
using kw::test::RunningProgram;

class DataSheetWindowTest : public QObject {
    Q_OBJECT

private slots:
    void fillLineWritesTheChosenLine() {
        RunningProgram run;
        run.clickCalc("cmdBereken");
        auto* target = run.calc<QComboBox>("cboKiesregel");
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(target, Qt::Key_Down);
        }
        QCOMPARE(target->currentText(), QString("Regel_Line-4"));
        run.clickCalc("cmdBestand");

        QCOMPARE(run.sheetText("txtN4"), QString("10"));
        QCOMPARE(run.sheetText("txtC4"), QString("100 nF"));
        QCOMPARE(run.sheetText("txtFres4"), QString("10.0 kHz"));
        QCOMPARE(run.sheetText("txtmH4"), QString("25330"));
        QCOMPARE(run.sheetText("txtQ4"), QString("50"));
        QCOMPARE(run.sheetText("txtTop4"), QString("100 pF"));
        QCOMPARE(run.sheetText("txtRp4"), QString("7958"));
        QCOMPARE(run.sheetText("txtRegel8"), QString("L4 = 2.533 mH, "));
        QCOMPARE(run.sheetText("txtN3"), QString());
        QVERIFY(run.program.dataSheetWindow().isVisible());
    }

    void theLanguageSwitchRedrawsBothWindows() {
        RunningProgram run;
        run.clickCalc("optLANG_1");
        QCOMPARE(run.calc<QPushButton>("cmdBereken")->text(), QString("Calculate"));
        QCOMPARE(run.calc<QGroupBox>("Frame2")->title(), QString("Input data"));
        QCOMPARE(run.sheet<QPushButton>("cmdSluiten")->text(), QString("Close"));
        QCOMPARE(run.sheet<QPushButton>("cmdMap")->text(), QString("Go PS Folder"));
        QCOMPARE(run.sheet<QGroupBox>("Frame1")->title(), QString("File I/O control"));
        QCOMPARE(run.sheet<QLabel>("Label2")->text(), QString("Toroid / Ferrite Fill-in Form"));
        QVERIFY(run.sheet<QRadioButton>("optLANG_1")->isChecked());

        run.clickCalc("optLANG_0");
        QCOMPARE(run.calc<QPushButton>("cmdBereken")->text(), QString("Bereken"));
        QCOMPARE(run.sheet<QPushButton>("cmdSluiten")->text(), QString("Sluiten"));
        // Dutch leaves neither of the sheet's language buttons selected.
        QVERIFY(!run.sheet<QRadioButton>("optLANG_0")->isChecked());
        QVERIFY(!run.sheet<QRadioButton>("optLANG_1")->isChecked());
    }

    void theSheetsOwnLanguageButtonChangesOnlyItsCloseCaption() {
        RunningProgram run;
        run.clickSheet("optLANG_1");
        QCOMPARE(run.sheet<QPushButton>("cmdSluiten")->text(), QString("Close"));
        QCOMPARE(run.sheet<QPushButton>("cmdWis")->text(), QString("Wis Alles"));
        QCOMPARE(run.calc<QPushButton>("cmdBereken")->text(), QString("Bereken"));
    }

    void typedSheetTextReachesTheRecordUnfiltered() {
        RunningProgram run;
        QLineEdit* maker = run.sheet<QLineEdit>("txtFabr1");
        maker->selectAll();
        QTest::keyClicks(maker, "Mix 43 (new)");
        QCOMPARE(run.program.dataSheet().get()->txtFabr1, std::string("Mix 43 (new)"));
        QCOMPARE(run.platform.beeps, 0);
    }

    // A text shows whole when its first character stands at the box's left edge and the
    // cursor after its last one still lies inside the box.
    void longValuesShowWholeInTheirBoxes() {
        RunningProgram run;
        const struct {
            const char* box;
            const char* text;
        } values[] = {{"txtFres3", "795.77 kHz"}, {"txtC3", "1000.5 nF"}, {"txtf13", "795.77"},
                      {"txtTop3", "1000 pF"},     {"txtRp3", "123456"},   {"txtmH3", "25330"}};
        for (const auto& value : values) {
            *run.program.dataSheet().get()->field(value.box) = value.text;
        }
        run.program.renderAll();
        for (const auto& value : values) {
            QLineEdit* box = run.sheet<QLineEdit>(value.box);
            QCOMPARE(box->text(), QString(value.text));
            box->end(false);
            box->repaint();  // the box works out how far it scrolls as it paints
            const QRect cursor = box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
            QVERIFY2(box->cursorPositionAt(QPoint(0, box->height() / 2)) == 0, value.box);
            QVERIFY2(cursor.right() < box->width(), value.box);
        }
    }

    void theCsvBoxFollowsTheUser() {
        RunningProgram run;
        run.clickSheet("chkCSV");
        QCOMPARE(run.program.dataSheet().get()->chkCSV.value, 1);
    }

    void thePdfBoxAndPrintButtonFollowTheLanguageAndTheKeyboardOrder() {
        RunningProgram run;
        QCOMPARE(run.sheet<QCheckBox>("chkPDF")->text(), QString("+PDF"));
        QCOMPARE(run.sheet<QPushButton>("cmdPrint")->text(), QString("Afdrukken\u2026"));
        QCOMPARE(run.sheet("cmdPrint")->toolTip(), QString("Het blad op een printer afdrukken (Ctrl+P)"));
        run.clickCalc("optLANG_1");
        QCOMPARE(run.sheet<QPushButton>("cmdPrint")->text(), QString("Print\u2026"));
        QCOMPARE(run.sheet("chkPDF")->toolTip(),
                 QString("Export PS also writes the page as a PDF file beside it"));
        run.clickSheet("chkPDF");
        QCOMPARE(run.program.dataSheet().get()->chkPDF.value, 1);
        QCOMPARE(run.sheet("chkCSV")->nextInFocusChain(), run.sheet("chkPDF"));
        QCOMPARE(run.sheet("chkPDF")->nextInFocusChain(), run.sheet("cmdPrint"));
        QCOMPARE(run.sheet("cmdPrint")->nextInFocusChain(), run.sheet("cmdInvoer"));
        // Below the button row, which stays where it was.
        QCOMPARE(run.sheet("cmdExport")->geometry(), QRect(392, 520, 81, 25));
        QCOMPARE(run.sheet("cmdPrint")->geometry(), QRect(392, 552, 81, 25));
        QCOMPARE(run.sheet("chkPDF")->geometry(), QRect(488, 552, 57, 25));
    }

    void printButtonAndCtrlPOpenThePrintDialog() {
        RunningProgram run;
        run.files.files[std::string(KERNWIJS_RESOURCE_DIR) + "/RINGBLAD3.PS"] =
            "%!PS-Adobe-3.0\r\n%%Creator: Zeva1 QQ0QQQ\r\n";
        run.clickSheet("cmdPrint");
        QCOMPARE(run.platform.printDialogs.size(), std::size_t{1});
        QWidget& window = run.program.dataSheetWindow();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(run.platform.printDialogs.size(), std::size_t{2});
        QVERIFY(run.platform.shown.empty());  // both cancelled
    }

    void closingTheSheetWindowAsksAndCancelKeepsIt() {
        RunningProgram run;
        run.program.dataSheet().get()->txtFabr1 = "Amidon";
        run.platform.answers.push_back(MsgAnswer::Cancel);
        QVERIFY(!run.program.dataSheetWindow().close());
        QCOMPARE(run.platform.shown.size(), std::size_t{1});
        // Unsaved: Save, Don't Save or Cancel, in the sheet's language.
        QCOMPARE(run.platform.lastMessage().title, std::string("Niet opgeslagen"));
        QCOMPARE(run.platform.lastMessage().buttonTexts.at(1), std::string("Niet opslaan"));
        QVERIFY(run.program.dataSheetWindow().isVisible());
        QCOMPARE(run.program.dataSheet().get()->txtFabr1, std::string("Amidon"));
    }

    void closingTheSheetWindowWithOkUnloadsItAndFillLineBringsItBack() {
        RunningProgram run;
        run.program.dataSheet().get()->txtFabr1 = "Amidon";
        run.program.dataSheetWindow().close();
        QVERIFY(!run.program.dataSheetWindow().isVisible());
        QVERIFY(!run.program.dataSheet().loaded());
        QVERIFY(!run.program.ended());

        run.clickCalc("cmdBereken");
        run.clickCalc("cmdBestand");
        QVERIFY(run.program.dataSheetWindow().isVisible());
        QCOMPARE(run.sheetText("txtFabr1"), QString());
        QCOMPARE(run.sheet<QLineEdit>("txtFabr1")->placeholderText(), QString("Fabr1"));
        QCOMPARE(run.sheetText("txtN1"), QString("10"));
    }

    void theDrawingHeadsTheAlColumnAsThePrintedPageDoes() {
        RunningProgram run;
        QPicture picture;  // records every text the drawing paints
        run.sheet("Image1")->render(&picture);
        const QByteArray painted(picture.data(), picture.size());
        const auto recorded = [](const QString& text) {
            QByteArray bytes;
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream << text;
            return bytes.mid(sizeof(quint32));  // the characters without their length
        };
        QVERIFY(painted.contains(recorded("AL in")));
        QVERIFY(painted.contains(recorded("mH/1000")));
    }

    void aTextWiderThanItsBoxShowsWholeInTheTooltip() {
        RunningProgram run;
        auto* fabr = run.sheet<QLineEdit>("txtFabr1");
        QCOMPARE(fabr->toolTip(), QString("Fabrikant"));
        const QString longText = QString("Amidon ").repeated(10);
        run.program.dataSheet().get()->txtFabr1 = longText.toStdString();
        run.program.renderAll();
        QCOMPARE(fabr->toolTip(), longText);
        QTest::keyClick(fabr, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(fabr, "FT");  // typed text that fits
        QCOMPARE(fabr->toolTip(), QString("Fabrikant"));
        run.clickCalc("optLANG_1");
        QCOMPARE(fabr->toolTip(), QString("Manufacturer"));
        QCOMPARE(run.sheet("txtN5")->toolTip(), QString("Turns"));
        QCOMPARE(run.sheet("chkCSV")->toolTip(),
                 QString("Export PS also writes a CSV file for a spreadsheet"));
    }

    // Onto a box, where the box would paste the file's address.
    void aTorFileDroppedOnTheSheetOpensIt() {
        RunningProgram run;
        run.files.files["/home/ham/ring.tor"] = "[KERNWIJS]\r\n[FABR1]\r\nAmidon\r\n[END]\r\n";
        QWidget* box = run.sheet("txtRegel3");
        const auto drop = [&](QMimeData& data) {
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
            QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &event);
            return enter.isAccepted();
        };
        QMimeData file;
        file.setUrls({QUrl::fromLocalFile(QStringLiteral("/home/ham/ring.tor"))});
        QVERIFY(drop(file));
        QCOMPARE(run.sheetText("txtFabr1"), QString("Amidon"));
        QCOMPARE(run.sheetText("txtRegel3"), QString());
        QMimeData sweep;
        sweep.setUrls({QUrl::fromLocalFile(QStringLiteral("/home/ham/a.s2p"))});
        drop(sweep);
        QVERIFY(run.platform.shown.empty());  // not a sheet: not opened here
    }

    void theCloseButtonAsksAsTheCloseControlDoes() {
        RunningProgram run;
        run.platform.answers.push_back(MsgAnswer::Cancel);
        run.clickSheet("cmdSluiten");
        QVERIFY(run.program.dataSheetWindow().isVisible());
        run.clickSheet("cmdSluiten");
        QVERIFY(!run.program.dataSheetWindow().isVisible());
        QCOMPARE(run.platform.shown.size(), std::size_t{2});
    }
};

QTEST_MAIN(DataSheetWindowTest)
#include "datasheet_window_test.moc"
