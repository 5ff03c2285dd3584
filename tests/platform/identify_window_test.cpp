// The identify window, opened from the data sheet's µ? button: the ranking of a known
// core, the hint for a sheet with gaps, writing µr back, and following the sheet.

#include "platform/identify_window.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "common/path_text.h"
#include "material/core_catalogue.h"
#include "material/material_table.h"
#include "tests/platform/program_fixture.h"

using kw::gui::IdentifyWindow;
using kw::test::RunningProgram;

namespace {

// The program with the shipped material table in its application folder.
struct IdentifyRun : RunningProgram {
    IdentifyRun() { ship(kw::kMaterialTableFile); }

    void ship(std::string_view file) {
        std::ifstream in(std::string(KERNWIJS_RESOURCE_DIR) + "/" + std::string(file), std::ios::binary);
        std::stringstream table;
        table << in.rdbuf();
        files.files[kw::JoinPath(KERNWIJS_RESOURCE_DIR, std::string(file))] = table.str();
    }

    void type(const char* box, const char* text) {
        auto* edit = sheet<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // An FT-37-43-like core: 9.5 / 4.75 / 3.3 mm, AL 350 on one line.
    void typeFt37() {
        type("txtBuiten", "9,5");
        type("txtBinnen", "4.75 mm");
        type("txtHoog", "3.3");
        type("txtN1", "10");
        type("txtmH1", "350");
    }

    IdentifyWindow* openIdentify() {
        clickSheet("cmdKern");
        return program.dataSheetWindow().identifyWindow();
    }

    template <class W>
    static W* in(IdentifyWindow* window, const char* name) {
        return window->findChild<W*>(QLatin1String(name));
    }
    // What a label shows, rich text or not.
    static QString shown(QLabel* label) {
        QTextDocument document;
        document.setHtml(label->text());
        return document.toPlainText();
    }
    static QString cell(IdentifyWindow* window, const char* table, int row, int column) {
        return in<QTableWidget>(window, table)->item(row, column)->text();
    }
};

}  // namespace

class IdentifyWindowTest : public QObject {
    Q_OBJECT

private slots:
    void anFt37CoreRanksGrade43FirstAndItsMuGoesIntoTheSheet() {
        IdentifyRun run;
        run.typeFt37();
        IdentifyWindow* window = run.openIdentify();
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Kern bepalen"));
        QCOMPARE(IdentifyRun::cell(window, "lineRows", 0, 4), QString("765"));
        QCOMPARE(IdentifyRun::cell(window, "candidateRows", 0, 1), QString("Fair-Rite 43"));
        QCOMPARE(IdentifyRun::cell(window, "candidateRows", 0, 5), QString("waarschijnlijk"));
        QCOMPARE(IdentifyRun::cell(window, "candidateRows", 1, 1), QString("Amidon 43"));
        QCOMPARE(IdentifyRun::in<QLabel>(window, "gemiddeldeMu")->text(), QString("765"));
        QVERIFY(!IdentifyRun::in<QLabel>(window, "hints")->isVisible());

        RunningProgram::click(IdentifyRun::in<QPushButton>(window, "cmdMu"));
        QCOMPARE(run.sheetText("txtMu"), QString("765"));
        QCOMPARE(run.program.dataSheet().get()->txtMu, std::string("765"));
        QVERIFY(window->isVisible());
    }

    void aSheetWithGapsShowsWhichBoxToFillAndWritesNothing() {
        IdentifyRun run;
        run.clickSheet("optLANG_1");
        run.type("txtN1", "10");
        run.type("txtmH1", "350");
        IdentifyWindow* window = run.openIdentify();
        QCOMPARE(window->windowTitle(), QString("Identify core"));
        auto* hints = IdentifyRun::in<QLabel>(window, "hints");
        QVERIFY(hints->isVisible());
        QVERIFY(IdentifyRun::shown(hints).contains(QString::fromUtf8(
            "Fill in the outer diameter in mm in the box \"Buiten \u00D8\" of the data sheet.")));
        QCOMPARE(IdentifyRun::in<QLabel>(window, "gemiddeldeMu")->text(), QString::fromUtf8("\u2013"));
        QCOMPARE(IdentifyRun::in<QTableWidget>(window, "candidateRows")->rowCount(), 0);

        auto* write = IdentifyRun::in<QPushButton>(window, "cmdMu");
        QVERIFY(!write->isEnabled());
        RunningProgram::click(write);
        QCOMPARE(run.sheetText("txtMu"), QString());
    }

    void theOpenWindowFollowsTheSheetAndItsLanguage() {
        IdentifyRun run;
        IdentifyWindow* window = run.openIdentify();
        QVERIFY(IdentifyRun::in<QLabel>(window, "hints")->isVisible());
        QVERIFY(!IdentifyRun::in<QPushButton>(window, "cmdMu")->isEnabled());

        run.typeFt37();
        QVERIFY(!IdentifyRun::in<QLabel>(window, "hints")->isVisible());
        QCOMPARE(IdentifyRun::in<QLabel>(window, "gemiddeldeMu")->text(), QString("765"));
        QVERIFY(IdentifyRun::in<QPushButton>(window, "cmdMu")->isEnabled());

        run.clickSheet("optLANG_1");
        QCOMPARE(window->windowTitle(), QString("Identify core"));
        QCOMPARE(IdentifyRun::cell(window, "candidateRows", 0, 5), QString("likely"));
        QCOMPARE(run.sheet("cmdKern")->toolTip(),
                 QString::fromUtf8("Identify core: \u00B5r from the measurements and the likely materials"));

        // A value the user corrects after opening is the one written back.
        run.type("txtmH1", "400");
        RunningProgram::click(IdentifyRun::in<QPushButton>(window, "cmdMu"));
        QCOMPARE(run.sheetText("txtMu"), QString("874"));
        QCOMPARE(IdentifyRun::in<QPushButton>(window, "cmdSluiten")->toolTip(),
                 QString("Close this window (Esc)"));
        QCOMPARE(IdentifyRun::in<QLineEdit>(window, "txtWindingen")->toolTip(),
                 QString("Turns of the coil on the core; empty: from the data sheet's first line"));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    void theNearestCurvesArePlottedAndThePaintNarrowsTheRanking() {
        IdentifyRun run;
        run.ship(kw::kCoreSizeTableFile);
        run.ship(kw::kPermeabilityTableFile);
        run.clickSheet("optLANG_1");
        run.type("txtBuiten", "9.52");
        run.type("txtBinnen", "4.75");
        run.type("txtHoog", "3.17");
        run.type("txtN1", "10");
        run.type("txtmH1", "375");
        IdentifyWindow* window = run.openIdentify();
        QCOMPARE(IdentifyRun::in<QLabel>(window, "maat")->text(), QString("FT-37"));
        QCOMPARE(IdentifyRun::cell(window, "candidateRows", 0, 1), QString("Amidon 43 or Fair-Rite 43"));
        // Every row of the ranking has its curve (43 once for both makers), under the band of 43.
        auto* view = IdentifyRun::in<QChartView>(window, "plot");
        QVERIFY(view != nullptr);
        const auto series = view->chart()->series();
        QCOMPARE(series[0]->name(), QString("band of 43"));
        QCOMPARE(series[1]->name(), QString("43"));
        QStringList curves;
        for (const QAbstractSeries* s : series) {
            if (s->type() == QAbstractSeries::SeriesTypeLine && !s->name().isEmpty() &&
                !curves.contains(s->name())) {
                curves << s->name();
            }
        }
        QCOMPARE(curves.size(), IdentifyRun::in<QTableWidget>(window, "candidateRows")->rowCount());
        QCOMPARE(view->chart()->title(), QString("Permeability over frequency (dots: the maker's points)"));

        auto* paint = IdentifyRun::in<QComboBox>(window, "cboKleur");
        const int red = paint->findText("red");
        QVERIFY(red > 0);
        paint->setCurrentIndex(red);
        emit paint->activated(red);
        QCOMPARE(IdentifyRun::in<QTableWidget>(window, "candidateRows")->rowCount(), 1);
        QCOMPARE(IdentifyRun::cell(window, "candidateRows", 0, 1), QString("Micrometals/Amidon -2 (red)"));
        QCOMPARE(paint->currentIndex(), red);
    }

    void theWindowGoesWithTheSheetAndReopensOnTheNewOne() {
        IdentifyRun run;
        run.typeFt37();
        IdentifyWindow* window = run.openIdentify();
        RunningProgram::click(IdentifyRun::in<QPushButton>(window, "cmdSluiten"));
        QVERIFY(!window->isVisible());
        QCOMPARE(run.openIdentify(), window);
        QVERIFY(window->isVisible());

        run.program.dataSheetWindow().close();  // the question is answered OK
        QVERIFY(!run.program.dataSheet().loaded());
        QVERIFY(!window->isVisible());

        run.clickCalc("cmdBereken");
        run.clickCalc("cmdBestand");
        run.openIdentify();
        QVERIFY(window->isVisible());
        QCOMPARE(IdentifyRun::in<QLabel>(window, "gemiddeldeMu")->text(), QString::fromUtf8("\u2013"));
    }
};

QTEST_MAIN(IdentifyWindowTest)
#include "identify_window_test.moc"
