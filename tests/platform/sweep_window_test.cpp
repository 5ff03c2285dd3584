// Opening an analyser's sweep in the Calculator window: by its button or by dropping the file
// onto the window. The frequencies land in the fields, the sweep window shows the curve, and
// both follow the language.

#include "platform/sweep_window.h"

#include <QApplication>
#include <QChartView>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

#include "tests/platform/program_fixture.h"
#include "tests/support/ideal_tank.h"

using kw::test::RunningProgram;

class SweepWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theButtonFillsTheFrequenciesAndShowsTheCurve() {
        RunningProgram run;
        // Q 50 at 10 MHz: 10000, 9900.49999875 and 10100.49999875 kHz, whole kHz enough.
        run.files.files["/m/tank.s2p"] = kw::test::idealTankSweep({.f0 = 10e6, .q = 50}, true);
        run.platform.dialogAnswers.push_back("/m/tank.s2p");
        QVERIFY(run.program.calculatorWindow().sweepWindow() == nullptr);  // no chart at start-up
        run.clickCalc("cmdSweep");
        QCOMPARE(run.calcText("txtFreq"), QString("10000"));
        QCOMPARE(run.calcText("txtFres1"), QString("9900"));
        QCOMPARE(run.calcText("txtFres2"), QString("10100"));
        kw::gui::SweepWindow* window = run.program.calculatorWindow().sweepWindow();
        QVERIFY(window != nullptr && window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Meting - tank.s2p"));
        QVERIFY(window->findChild<QChartView*>("chart")->chart()->series().size() == 3);

        run.clickCalc("optLANG_1");
        QCOMPARE(window->windowTitle(), QString("Sweep - tank.s2p"));
        QCOMPARE(
            run.calc<QPushButton>("cmdSweep")->toolTip(),
            QString("Take the resonance and the -3 dB points from a network analyser's sweep (.s1p, .s2p)"));

        run.clickCalc("cmdBereken");
        QCOMPARE(run.calcText("txtQRLC"), QString("50"));

        // A noisy sweep: Q with its standard deviation.
        run.files.files["/m/noisy.s2p"] =
            kw::test::idealTankSweep({.f0 = 10e6, .q = 50, .noiseDb = 0.2, .seed = 4}, true);
        run.platform.dialogAnswers.push_back("/m/noisy.s2p");
        run.clickCalc("cmdSweep");
        const QString summary = window->findChild<QLabel*>("lblSummary")->text();
        QVERIFY2(summary.contains(QRegularExpression("Q = [0-9.]+ ± [0-9.]+")), qPrintable(summary));

        // Closed by its button or by Escape, it stays closed through a language switch and
        // comes back with the next sweep.
        for (const bool escape : {false, true}) {
            if (escape) {
                QTest::keyClick(window, Qt::Key_Escape);
            } else {
                QTest::mouseClick(window->findChild<QPushButton*>("cmdSluiten"), Qt::LeftButton);
            }
            QVERIFY(!window->isVisible());
            run.clickCalc("optLANG_0");
            QVERIFY(!window->isVisible());
            QCOMPARE(window->windowTitle(), QString("Meting - noisy.s2p"));
            run.platform.dialogAnswers.push_back("/m/noisy.s2p");
            run.clickCalc("cmdSweep");
            QVERIFY(window->isVisible());
        }
    }

    void aDroppedSweepFileIsOpenedAndOtherFilesAreRefused() {
        RunningProgram run;
        run.files.files["/m/tank.s1p"] =
            kw::test::idealTankSweep({.f0 = 3.5e6, .q = 120, .resistance = 300}, false);
        QWidget& window = run.program.calculatorWindow();
        for (const char* path : {"/m/notes.txt", "/m/tank.s1p"}) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window, &enter);
            QCOMPARE(enter.isAccepted(), QString(path).endsWith(".s1p"));
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window, &drop);
        }
        // 3.5 MHz in kHz; Q 120: f1 3485.44705, f2 3514.61371. Two decimals give
        // 3500 / 29.16 = 120.027, 0.023 % off; three give 3500 / 29.167 = 119.9986.
        QCOMPARE(run.calcText("txtFreq"), QString("3500.000"));
        QCOMPARE(run.calcText("txtFres1"), QString("3485.447"));
        QCOMPARE(run.calcText("txtFres2"), QString("3514.614"));
        QVERIFY(run.platform.shown.empty());
        kw::gui::SweepWindow* sweep = run.program.calculatorWindow().sweepWindow();
        QVERIFY(sweep != nullptr);
        QCOMPARE(sweep->findChild<QChartView*>("chart")->chart()->series().size(), 4);  // with the phase
    }
};

QTEST_MAIN(SweepWindowTest)
#include "sweep_window_test.moc"
