#include "platform/identify_sweep_panel.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMimeData>
#include <QPen>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

#include "common/tooltips.h"
#include "datasheet/datasheet.h"
#include "platform/mu_plot.h"
#include "platform/record_widgets.h"
#include "platform/widget_text.h"
#include "sweep/touchstone.h"

namespace kw::gui {

namespace {

constexpr int kPlotHeight = 300;       // [px]
const std::array<QColor, 3> kCurveColours = {QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28),
                                             QColor(0x2c, 0xa0, 0x2c)};

QString text(const std::string& s) {
    return displayText(s);
}

QTableWidget* table(const char* name, int columns) {
    auto* t = new QTableWidget(0, columns);
    t->setObjectName(QLatin1String(name));
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    return t;
}

template <std::size_t N>
void fill(QTableWidget* t, const std::array<std::string, N>& heads,
          const std::vector<std::array<std::string, N>>& rows) {
    QStringList headTexts;
    for (const auto& h : heads) {
        headTexts << text(h);
    }
    t->setHorizontalHeaderLabels(headTexts);
    t->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < int(N); ++c) {
            auto* item = new QTableWidgetItem(text(rows[r][c]));
            item->setFlags(Qt::ItemIsEnabled);
            t->setItem(r, c, item);
        }
    }
    t->resizeColumnsToContents();
    t->setVisible(!rows.empty());
}

QString droppedSweep(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile()) {
        return {};
    }
    const QString path = data->urls().first().toLocalFile();
    const int ports = PortsFromFileName(path.toStdString());
    return ports == 1 || ports == 2 ? path : QString();
}

}  // namespace

SweepPanel::SweepPanel(DataSheetForm& form, Runner run, QWidget* parent)
    : QGroupBox(parent), form_(form), run_(std::move(run)) {
    setObjectName(QStringLiteral("frameSweep"));
    auto* page = new QVBoxLayout(this);
    auto* controls = new QHBoxLayout;
    lblWindingen_ = new QLabel;
    txtWindingen_ = new QLineEdit;
    txtWindingen_->setObjectName(QStringLiteral("txtWindingen"));
    txtWindingen_->setMaxLength(4);
    txtWindingen_->setMaximumWidth(60);
    cmdSweep_ = new QPushButton;
    cmdSweep_->setObjectName(QStringLiteral("cmdSweep"));
    cmdSweep_->setAutoDefault(false);
    cmdOpslaan_ = new QPushButton;
    cmdOpslaan_->setObjectName(QStringLiteral("cmdOpslaan"));
    cmdOpslaan_->setAutoDefault(false);
    controls->addWidget(lblWindingen_);
    controls->addWidget(txtWindingen_);
    controls->addWidget(cmdSweep_);
    controls->addStretch(1);
    controls->addWidget(cmdOpslaan_);
    page->addLayout(controls);
    bestand_ = new QLabel;
    bestand_->setObjectName(QStringLiteral("lblBestand"));
    resultaat_ = new QLabel;
    resultaat_->setObjectName(QStringLiteral("lblResultaat"));
    resultaat_->setWordWrap(true);
    page->addWidget(bestand_);
    page->addWidget(resultaat_);
    auto* tables = new QHBoxLayout;
    spots_ = table("spotRows", kSpotColumns);
    ranks_ = table("rankRows", kSweepRankColumns);
    tables->addWidget(spots_);
    tables->addWidget(ranks_, 1);
    page->addLayout(tables);
    plot_ = new QChart;
    plot_->legend()->setAlignment(Qt::AlignBottom);
    plotView_ = new QChartView(plot_);
    plotView_->setObjectName(QStringLiteral("sweepPlot"));
    plotView_->setRenderHint(QPainter::Antialiasing);
    plotView_->setMinimumHeight(kPlotHeight);
    page->addWidget(plotView_);

    connect(txtWindingen_, &QLineEdit::textEdited, this,
            [this](const QString& typed) { sweep_.txtWindingen.text = typed.toStdString(); });
    connect(cmdSweep_, &QPushButton::clicked, this, [this] {
        run_([this] {
            if (const DataSheet* sheet = form_.get()) {
                sweep_.cmdSweep_Click(*sheet);
            }
        });
        render();
    });
    connect(cmdOpslaan_, &QPushButton::clicked, this, [this] {
        run_([this] {
            if (const DataSheet* sheet = form_.get()) {
                sweep_.cmdOpslaan_Click(*sheet);
            }
        });
    });
    render();
}

void SweepPanel::setRecord(IdentifySweep record) {
    sweep_ = std::move(record);
    render();
}

void SweepPanel::follow(const DataSheet& sheet) {
    IdentifySweep next = sweep_;
    next.Form_Load(sheet);
    if (next == sweep_) {
        return;
    }
    sweep_ = std::move(next);
    render();
}

bool SweepPanel::holdsSweep(const QMimeData* data) {
    return !droppedSweep(data).isEmpty();
}

bool SweepPanel::drop(const QMimeData* data) {
    const QString path = droppedSweep(data);
    if (path.isEmpty()) {
        return false;
    }
    const std::string file = path.toStdString();
    run_([&] {
        if (const DataSheet* sheet = form_.get()) {
            sweep_.Form_DragDrop(file, *sheet);
        }
    });
    render();
    return true;
}

void SweepPanel::openFile(const std::string& path) {
    if (const DataSheet* sheet = form_.get()) {
        sweep_.openSweep(path, *sheet);
    }
    render();
}

void SweepPanel::render() {
    const IdentifySweep& r = sweep_;
    setTitle(text(r.frameSweep));
    lblWindingen_->setText(text(r.lblWindingen));
    if (txtWindingen_->text() != text(r.txtWindingen.text)) {
        const QSignalBlocker quiet(txtWindingen_);
        txtWindingen_->setText(text(r.txtWindingen.text));
    }
    cmdSweep_->setText(captionText(r.cmdSweep.caption));
    cmdOpslaan_->setText(captionText(r.cmdOpslaan.caption));
    cmdOpslaan_->setEnabled(r.cmdOpslaan.enabled);
    bestand_->setText(text(r.lblBestand));
    bestand_->setVisible(!r.lblBestand.empty());
    resultaat_->setText(text(r.lblResultaat));
    resultaat_->setVisible(!r.lblResultaat.empty());
    fill(spots_, r.spotHeads, r.hasResult ? r.spotRows : decltype(r.spotRows){});
    fill(ranks_, r.rankHeads, r.rankRows);
    renderPlot();
    for (QWidget* widget : std::initializer_list<QWidget*>{txtWindingen_, cmdSweep_, cmdOpslaan_, spots_, ranks_, plotView_}) {
        renderToolTip(widget, ControlTip(TipWindow::Identify, widget->objectName().toStdString(), r.english));
    }
}

void SweepPanel::renderPlot() {
    const IdentifyPlot& p = sweep_.plot;
    MuPlot plot(plot_, text(p.title), text(p.axisFrequency), text(p.axisMu));
    plotView_->setVisible(!p.measured.points.empty());
    if (p.measured.points.empty()) {
        return;
    }
    const auto add = [&](const QString& name, const std::vector<ComplexPermeability>& points, bool imag,
                         const QPen& pen, bool named) {
        auto* series = new QLineSeries;
        series->setPen(pen);
        plot.add(series, name, points, imag, named);
    };
    for (std::size_t i = 0; i < p.nearest.size(); ++i) {
        const QColor colour = kCurveColours[i % kCurveColours.size()];
        add(text(p.nearest[i].name), p.nearest[i].points, false, QPen(colour, 1.5), true);
        if (p.nearest[i].hasImag) {
            add(text(p.nearest[i].name), p.nearest[i].points, true, QPen(colour, 1.5, Qt::DashLine), false);
        }
    }
    add(text(p.measured.name), p.measured.points, false, QPen(Qt::black, 2.5), true);
    add(text(p.measuredImag), p.measured.points, true, QPen(Qt::black, 2.5, Qt::DashLine), true);
    const double first = p.measured.points.front().freqHz / kHzPerMHz;
    const double last = p.measured.points.back().freqHz / kHzPerMHz;
    plot.setFrequencyRange(std::pow(10.0, std::floor(std::log10(first))), std::pow(10.0, std::ceil(std::log10(last))));
    plot.fitMu();
}

}  // namespace kw::gui
