#include "platform/sweep_window.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include "platform/scrolling_page.h"
#include "platform/toroid_art.h"
#include "platform/widget_text.h"

namespace kw::gui {

namespace {

constexpr int kChartWidth = 640;   // [px]
constexpr int kChartHeight = 400;  // [px]
constexpr double kMarkerSize = 9;  // [px]

QValueAxis* axis(const ChartAxis& shown) {
    auto* a = new QValueAxis;
    a->setTitleText(displayText(shown.title));
    a->setLabelFormat(QStringLiteral("%.6g"));
    return a;
}

// Set once the series are attached, which would otherwise widen the range to their own.
void setRange(QValueAxis* a, const ChartAxis& shown) {
    if (shown.ranged) {
        a->setRange(shown.low, shown.high);
    }
    if (shown.ticks > 0) {
        a->setTickCount(shown.ticks);
    }
    if (shown.rounded) {
        a->applyNiceNumbers();
    }
}

QXYSeries* series(const ChartSeries& shown) {
    QXYSeries* s = nullptr;
    if (shown.look == SeriesLook::Dots || shown.look == SeriesLook::Squares) {
        auto* markers = new QScatterSeries;
        markers->setMarkerSize(kMarkerSize);
        if (shown.look == SeriesLook::Squares) {
            markers->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        }
        s = markers;
    } else {
        s = new QLineSeries;
        if (shown.look == SeriesLook::DashedLine) {
            QPen dashed = s->pen();
            dashed.setStyle(Qt::DashLine);
            s->setPen(dashed);
        }
    }
    s->setName(displayText(shown.name));
    for (const ChartPoint& p : shown.points) {
        s->append(p.x, p.y);
    }
    return s;
}

}  // namespace

SweepWindow::SweepWindow(SweepRecord& record, Runner run, QWidget* parent)
    : QDialog(parent), record_(record), run_(std::move(run)) {
    setObjectName(QStringLiteral("frmSweep"));
    setModal(false);
    setWindowIcon(toroidIcon());
    // Everything but the Close button scrolls where the screen is too small for it.
    const ScrollingBody scrolling = addScrollingBody(this);
    auto* page = new QVBoxLayout(scrolling.body);
    chartView_ = new QChartView;
    chartView_->setObjectName(QStringLiteral("chart"));
    chartView_->setRenderHint(QPainter::Antialiasing);
    chartView_->setMinimumSize(kChartWidth, kChartHeight);
    page->addWidget(chartView_, 1);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("lblSummary"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont strong = summary_->font();
    strong.setBold(true);
    summary_->setFont(strong);
    page->addWidget(summary_);
    method_ = new QLabel;
    method_->setObjectName(QStringLiteral("lblMethod"));
    method_->setWordWrap(true);
    page->addWidget(method_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    close_ = new QPushButton;
    close_->setObjectName(QStringLiteral("cmdSluiten"));
    close_->setDefault(true);
    buttons->addWidget(close_);
    scrolling.buttonRow->addLayout(buttons);
    connect(close_, &QPushButton::clicked, this, [this] { run_([this] { record_.cmdSluiten_Click(); }); });
    // Escape and the title bar's close button end the dialog as the Close button would.
    connect(this, &QDialog::finished, this, [this] {
        if (record_.visible) {
            run_([this] { record_.cmdSluiten_Click(); });
        }
    });
}

void SweepWindow::render() {
    if (rendered_ && record_ == drawn_) {
        return;
    }
    setWindowTitle(displayText(record_.caption));
    if (!rendered_ || record_.chart != drawn_.chart) {
        renderChart();
    }
    summary_->setText(displayText(record_.lblSummary));
    method_->setText(displayText(record_.lblMethod));
    close_->setText(displayText(record_.cmdSluiten.caption));
    drawn_ = record_;
    rendered_ = true;
}

void SweepWindow::renderChart() {
    const SweepChart& shown = record_.chart;
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    QValueAxis* x = axis(shown.frequency);
    QValueAxis* level = axis(shown.level);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(level, Qt::AlignLeft);
    QValueAxis* phase = nullptr;
    if (shown.hasPhase) {
        phase = axis(shown.phase);
        chart->addAxis(phase, Qt::AlignRight);
    }
    for (const ChartSeries& s : shown.series) {
        QXYSeries* drawn = series(s);
        chart->addSeries(drawn);
        drawn->attachAxis(x);
        drawn->attachAxis(s.phaseAxis && phase != nullptr ? phase : level);
    }
    setRange(level, shown.level);
    setRange(x, shown.frequency);
    if (phase != nullptr) {
        setRange(phase, shown.phase);
    }
    QChart* old = chartView_->chart();
    chartView_->setChart(chart);
    delete old;
}

}  // namespace kw::gui
