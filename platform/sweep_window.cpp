#include "platform/sweep_window.h"

#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/scrolling_page.h"
#include "platform/toroid_art.h"
#include "sweep/field_texts.h"
#include "sweep/sweep_texts.h"

namespace kw::gui {

namespace {

constexpr int kChartWidth = 640;   // [px]
constexpr int kChartHeight = 400;  // [px]
constexpr double kMarkerSize = 9;  // [px]
constexpr double kHertzPerMegahertz = 1e6;
constexpr double kHalfPowerRatio = 0.70710678118654752;  // |Z| at the -3 dB points
constexpr double kHalfPowerDb = 3.0;

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString number(double v, int significant) {
    char buffer[40];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, significant);
    return QString::fromLatin1(buffer, r.ptr - buffer);
}

QString fill(std::string_view pattern, const QStringList& values) {
    std::vector<std::string> args;
    for (const QString& v : values) {
        args.push_back(v.toStdString());
    }
    return QString::fromStdString(FillIn(pattern, args));
}

QValueAxis* axis(const QString& title) {
    auto* a = new QValueAxis;
    a->setTitleText(title);
    a->setLabelFormat(QStringLiteral("%.6g"));
    return a;
}

}  // namespace

SweepWindow::SweepWindow(QWidget* parent) : QDialog(parent) {
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
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
}

void SweepWindow::render(const SweepView& view, bool english) {
    const SweepTexts& t = sweepTexts(english);
    const bool s21 = view.parameter == SweepParameter::S21;
    const SweepCurve& c = view.curve;
    const Resonance& r = view.found;
    setWindowTitle(fill(t.caption, {QFileInfo(QString::fromStdString(view.file)).fileName()}));

    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* curve = new QLineSeries;
    curve->setName(text(s21 ? t.seriesS21 : t.seriesZ));
    for (std::size_t i = 0; i < c.hertz.size(); ++i) {
        // The level is |S21| in dB, or |Z| in dB above one ohm, shown in ohm.
        const double y = s21 ? c.level[i] : std::pow(10.0, c.level[i] / 20.0);
        curve->append(c.hertz[i] / kHertzPerMegahertz, y);
    }
    chart->addSeries(curve);

    // The fitted tank at f0 and its -3 dB points.
    const double top = r.peak;
    const double down = s21 ? top - kHalfPowerDb : top * kHalfPowerRatio;
    auto* resonance = new QScatterSeries;
    resonance->setName(text(t.markResonance));
    resonance->setMarkerSize(kMarkerSize);
    resonance->append(r.f0 / kHertzPerMegahertz, top);
    auto* halfPower = new QScatterSeries;
    halfPower->setName(text(s21 ? t.markHalfPower : t.markPhaseHalfPower));
    halfPower->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    halfPower->setMarkerSize(kMarkerSize);
    halfPower->append(r.f1 / kHertzPerMegahertz, down);
    halfPower->append(r.f2 / kHertzPerMegahertz, down);
    chart->addSeries(resonance);
    chart->addSeries(halfPower);

    QValueAxis* x = axis(text(t.axisFrequency));
    QValueAxis* y = axis(text(s21 ? t.axisS21 : t.axisZ));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{curve, resonance, halfPower}) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    if (!c.hertz.empty()) {
        x->setRange(c.hertz.front() / kHertzPerMegahertz, c.hertz.back() / kHertzPerMegahertz);
        double lowest = top;
        double highest = top;
        for (const QPointF& p : curve->points()) {
            lowest = std::min(lowest, p.y());
            highest = std::max(highest, p.y());
        }
        y->setRange(lowest, highest);
        y->applyNiceNumbers();
        x->applyNiceNumbers();
    }
    if (!s21 && !c.phaseDeg.empty()) {
        auto* phase = new QLineSeries;
        phase->setName(text(t.seriesPhase));
        QPen dashed = phase->pen();
        dashed.setStyle(Qt::DashLine);
        phase->setPen(dashed);
        for (std::size_t i = 0; i < c.hertz.size(); ++i) {
            phase->append(c.hertz[i] / kHertzPerMegahertz, c.phaseDeg[i]);
        }
        chart->addSeries(phase);
        QValueAxis* degrees = axis(text(t.axisPhase));
        degrees->setRange(-90, 90);
        degrees->setTickCount(7);
        chart->addAxis(degrees, Qt::AlignRight);
        phase->attachAxis(x);
        phase->attachAxis(degrees);
    }
    QChart* old = chartView_->chart();
    chartView_->setChart(chart);
    delete old;

    summary_->setText(
        fill(t.summary,
             {text(WithUncertainty(r.f0 / kHertzPerMegahertz, r.f0Uncertainty / kHertzPerMegahertz)),
              number(r.f1 / kHertzPerMegahertz, 8), number(r.f2 / kHertzPerMegahertz, 8),
              text(WithUncertainty(r.q, r.qUncertainty))}) +
        QStringLiteral("    ") + fill(s21 ? t.peakS21 : t.peakZ, {number(r.peak, 4)}));
    // How the numbers came about, and one line each on what limits them.
    QStringList lines = {r.fitted ? fill(t.fitted, {QString::number(r.fitPoints)}) : text(t.readOff)};
    if (r.setAside > 0) {
        lines << fill(t.setAside, {QString::number(r.setAside)});
    }
    for (const std::string& line :
         {DescribeAdvice(r, english), DescribeAveragedPoints(view.averagedPoints, english)}) {
        if (!line.empty()) {
            lines << QString::fromStdString(line);
        }
    }
    method_->setText(lines.join(QLatin1Char('\n')));
    close_->setText(text(t.close));
}

}  // namespace kw::gui
