// The sweep part of the identify window: a coil-alone sweep read into µ′ and µ″, the table at
// the spot frequencies, the nearest materials, the plot and Save as CSV; and the handover
// from the Calculator, whose Sweep… finds no resonance in such a sweep.

#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>
#include <sstream>

#include "common/path_text.h"
#include "material/core_catalogue.h"
#include "material/material_table.h"
#include "material/sweep_identification.h"
#include "platform/identify_window.h"
#include "tests/platform/program_fixture.h"
#include "tests/support/coil_sweep.h"

using kw::gui::IdentifyWindow;
using kw::test::RunningProgram;

namespace {

constexpr const char* kSweepFile = "/m/coil.s1p";
constexpr const char* kSingleTurnFile = "/m/single.s1p";

struct SweepRun : RunningProgram {
    SweepRun() {
        for (const auto file : {kw::kMaterialTableFile, kw::kPermeabilityTableFile, kw::kCoreSizeTableFile}) {
            std::ifstream in(std::string(KERNWIJS_RESOURCE_DIR) + "/" + std::string(file), std::ios::binary);
            std::stringstream table;
            table << in.rdbuf();
            files.files[kw::JoinPath(KERNWIJS_RESOURCE_DIR, std::string(file))] = table.str();
        }
        // Eight turns on an FT-50 of mix 43: the self-resonance lies inside the sweep.
        const auto curves = kw::parsePermeabilityTable(files.files[kw::JoinPath(
                                                           KERNWIJS_RESOURCE_DIR, std::string(kw::kPermeabilityTableFile))])
                                .curves;
        kw::test::CoilOnCore c;
        const auto curve = curves.at("43");
        c.mu = [curve](double f) {
            const auto p = *kw::curveAt(curve, f);
            return std::complex<double>(p.real, -p.imag);
        };
        c.l0 = *kw::windingInductance(8, {12.7, 7.15, 4.8});
        files.files[kSweepFile] = kw::test::coilSweepText(kw::test::coilSweep(c));
        // One turn, swept to 60 MHz: it never resonates.
        c.l0 = *kw::windingInductance(1, {12.7, 7.15, 4.8});
        c.stopHz = 60e6;
        files.files[kSingleTurnFile] = kw::test::coilSweepText(kw::test::coilSweep(c));
    }

    void type(const char* box, const char* text) {
        auto* edit = sheet<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void typeFt50() {
        type("txtBuiten", "12,7");
        type("txtBinnen", "7.15");
        type("txtHoog", "4.8");
        type("txtN1", "8");
    }
    IdentifyWindow* window() { return program.dataSheetWindow().identifyWindow(); }
    template <class W>
    W* in(const char* name) {
        return window()->findChild<W*>(QLatin1String(name));
    }
};

}  // namespace

class IdentifySweepPanelTest : public QObject {
    Q_OBJECT

private slots:
    void aSweepGivesTheSpotTableTheNearestMaterialsAndACsv() {
        SweepRun run;
        run.clickSheet("optLANG_1");
        run.typeFt50();
        run.clickSheet("cmdKern");
        QCOMPARE(run.in<QLineEdit>("txtWindingen")->text(), QString("8"));
        auto* save = run.in<QPushButton>("cmdOpslaan");
        QVERIFY(!save->isEnabled());
        QVERIFY(!run.in<QChartView>("sweepPlot")->isVisible());

        run.platform.dialogAnswers.push_back(std::string(kSweepFile));
        RunningProgram::click(run.in<QPushButton>("cmdSweep"));
        QVERIFY(run.platform.shown.empty());
        auto* spots = run.in<QTableWidget>("spotRows");
        QCOMPARE(spots->rowCount(), 5);
        QCOMPARE(spots->item(2, 0)->text(), QString("7"));
        QVERIFY(run.in<QTableWidget>("rankRows")->item(0, 1)->text().endsWith(" 43"));
        QVERIFY(run.in<QLabel>("lblResultaat")->text().contains("self-resonance"));
        QVERIFY(run.in<QChartView>("sweepPlot")->isVisible());

        QVERIFY(save->isEnabled());
        run.platform.dialogAnswers.push_back(std::string("/m/mu.csv"));
        RunningProgram::click(save);
        QCOMPARE(run.platform.saveDialogs.back().initialName, std::string("coil.csv"));
        QVERIFY(run.files.files["/m/mu.csv"].starts_with("f_hz,mu_p,mu_pp\r\n"));
    }

    void aSweepWithoutTurnsIsRefusedInOneMessage() {
        SweepRun run;
        run.clickSheet("optLANG_1");
        run.clickSheet("cmdKern");
        run.platform.dialogAnswers.push_back(std::string(kSweepFile));
        RunningProgram::click(run.in<QPushButton>("cmdSweep"));
        QCOMPARE(run.platform.shown.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(run.platform.lastMessage().text),
                 QString("/m/coil.s1p: The number of turns or the core's size is missing."));
        QCOMPARE(run.in<QTableWidget>("spotRows")->rowCount(), 0);
    }

    void theCalculatorHandsACoilAloneSweepToTheIdentifyWindow() {
        SweepRun run;
        run.typeFt50();
        run.type("txtN1", "1");
        run.platform.answers.push_back(kw::MsgAnswer::Ok);
        run.platform.dialogAnswers.push_back(std::string(kSingleTurnFile));
        RunningProgram::click(run.calc<QPushButton>("cmdSweep"));
        QCOMPARE(run.platform.shown.size(), std::size_t(1));
        QCOMPARE(run.platform.lastMessage().icon, kw::MsgIcon::Question);
        QTRY_VERIFY(run.window() != nullptr && run.window()->isVisible());
        QTRY_COMPARE(run.in<QTableWidget>("spotRows")->rowCount(), 5);
    }
};

QTEST_MAIN(IdentifySweepPanelTest)
#include "identify_sweep_panel_test.moc"
