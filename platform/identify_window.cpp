#include "platform/identify_window.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPen>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "common/tooltips.h"
#include "datasheet/datasheet.h"
#include "material/identify_open.h"
#include "platform/identify_sweep_panel.h"
#include "platform/mu_plot.h"
#include "platform/record_widgets.h"
#include "platform/scrolling_page.h"
#include "platform/toroid_art.h"
#include "platform/widget_text.h"

namespace kw::gui {

namespace {

constexpr int kPreferredWidth = 600;   // [px]
constexpr int kStripIconSize = 24;     // [px]
constexpr int kMostCandidateRows = 8;  // more scroll inside the table
constexpr int kColumnGap = 16;         // [px] between the two columns of dimensions
constexpr int kWindowGap = 16;         // [px] between the sheet and this window
constexpr int kFrameAllowance = 8;     // [px] for the window manager's borders
constexpr int kPlotHeight = 340;       // [px]
constexpr double kMarkerSize = 9.0;    // [px]
// One colour per plotted material; the measured points are black.
const std::array<QColor, 8> kCurveColours = {
    QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c), QColor(0x94, 0x67, 0xbd),
    QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b), QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf)};
// µ′ of a curve lying on an earlier one is drawn in the next of these; µ″ is always dashed.
const std::array<Qt::PenStyle, 4> kCurveStyles = {Qt::SolidLine, Qt::DashDotLine, Qt::DotLine,
                                                  Qt::DashDotDotLine};
constexpr double kPublishedMarkerSize = 5.0;  // [px]
const QColor kBandColour(0x80, 0x80, 0x80, 0x40);

// Columns that hold numbers, right-aligned.
constexpr std::array<bool, kLineColumns> kLineNumbers = {true, true, true, true, true, false};
constexpr std::array<bool, kCandidateColumns> kCandidateNumbers = {true, false, false, true, true, false};

QString text(const std::string& s) {
    return displayText(s);
}

QString lines(const std::vector<std::string>& texts) {
    QStringList shown;
    for (const std::string& t : texts) {
        shown << text(t);
    }
    return shown.join(QLatin1Char('\n'));
}

// Several hints as a list whose lines wrap under their own text, one as it is.
QString hintList(const std::vector<std::string>& hints) {
    if (hints.size() < 2) {
        return lines(hints).toHtmlEscaped();
    }
    QString html = QStringLiteral("<ul style=\"margin-left: -24px; -qt-list-indent: 1;\">");
    for (const std::string& h : hints) {
        html += QStringLiteral("<li>") + text(h).toHtmlEscaped() + QStringLiteral("</li>");
    }
    return html + QStringLiteral("</ul>");
}

QLabel* valueLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* wrappingLabel(const char* name) {
    QLabel* label = valueLabel(name);
    label->setWordWrap(true);
    return label;
}

// A light panel with a standard icon beside its text, for hints and warnings.
QFrame* strip(QStyle::StandardPixmap icon, QLabel* content, QWidget* owner) {
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(frame);
    auto* picture = new QLabel;
    picture->setPixmap(owner->style()->standardIcon(icon).pixmap(kStripIconSize, kStripIconSize));
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture);
    row->addWidget(content, 1);
    return frame;
}

QTableWidget* table(const char* name, int columns) {
    auto* t = new QTableWidget(0, columns);
    t->setObjectName(QLatin1String(name));
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setWordWrap(false);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->horizontalHeader()->setSectionsClickable(false);
    t->horizontalHeader()->setHighlightSections(false);
    t->setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
    return t;
}

// Fills a table from rows of cell texts; emphasised rows are bold. The table is as high
// as its rows (at most `mostRows` of them) and as wide as its columns.
template <std::size_t N>
void renderTable(QTableWidget* t, const std::array<std::string, N>& heads,
                 const std::vector<std::array<std::string, N>>& rows, const std::vector<bool>& emphasised,
                 const std::array<bool, N>& numbers, int mostRows) {
    QStringList headTexts;
    for (const std::string& h : heads) {
        headTexts << text(h);
    }
    t->setHorizontalHeaderLabels(headTexts);
    t->setRowCount(int(rows.size()));
    QFont bold = t->font();
    bold.setBold(true);
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = 0; c < int(N); ++c) {
            auto* item = new QTableWidgetItem(text(rows[r][c]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment((numbers[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (emphasised[r]) {
                item->setFont(bold);
            }
            t->setItem(r, c, item);
        }
    }
    t->resizeColumnsToContents();
    t->resizeRowsToContents();
    t->setVisible(!rows.empty());

    const int frame = 2 * t->frameWidth();
    int height = t->horizontalHeader()->sizeHint().height() + frame;
    for (int r = 0; r < std::min(int(rows.size()), mostRows); ++r) {
        height += t->rowHeight(r);
    }
    // The last column stretches, so its own size says nothing about what it needs.
    const QAbstractItemView* view = t;
    int width = frame;
    for (int c = 0; c < int(N); ++c) {
        width += std::max(view->sizeHintForColumn(c), t->horizontalHeader()->sectionSizeHint(c));
    }
    if (int(rows.size()) > mostRows) {
        width += t->verticalScrollBar()->sizeHint().width();
    }
    t->setFixedHeight(height);
    t->setMinimumWidth(width);
}

}  // namespace

IdentifyWindow::IdentifyWindow(DataSheetForm& form, Runner run, QWidget* parent)
    : QDialog(parent), form_(form), run_(std::move(run)) {
    setObjectName(QStringLiteral("frmKern"));
    setModal(false);
    setWindowIcon(toroidIcon());
    setFont(controlFont(TextStyle::Normal));
    buildControls();
    connect(cmdMu_, &QPushButton::clicked, this, [this] {
        run_([this] {
            if (DataSheet* sheet = form_.get()) {
                core_.cmdMu_Click(*sheet);
            }
        });
    });
    connect(cmdSluiten_, &QPushButton::clicked, this, &QDialog::close);
    connect(cboKleur_, &QComboBox::activated, this, [this](int index) {
        run_([this, index] {
            if (const DataSheet* sheet = form_.get()) {
                core_.cboKleur_Click(index, *sheet);
                render();
            }
        });
    });
}

void IdentifyWindow::buildControls() {
    // Everything but the buttons scrolls where the screen is too small for it.
    const ScrollingBody scrolling = addScrollingBody(this);
    auto* page = new QVBoxLayout(scrolling.body);
    page->setSizeConstraint(QLayout::SetMinimumSize);

    hints_ = wrappingLabel("hints");
    hints_->setTextFormat(Qt::RichText);
    hintStrip_ = strip(QStyle::SP_MessageBoxInformation, hints_, this);
    page->addWidget(hintStrip_);

    frameMaten_ = new QGroupBox;
    frameMaten_->setObjectName(QStringLiteral("frameMaten"));
    auto* sizes = new QGridLayout(frameMaten_);
    const char* names[] = {"buiten", "binnen", "hoog", "padlengte", "doorsnede"};
    for (std::size_t i = 0; i < dimensions_.size(); ++i) {
        dimensions_[i] = {valueLabel(""), valueLabel(names[i])};
        // Diameters and height on the left, what follows from them on the right.
        const int row = int(i % 3);
        const int column = i < 3 ? 0 : 3;
        sizes->addWidget(dimensions_[i].label, row, column);
        sizes->addWidget(dimensions_[i].value, row, column + 1);
    }
    sizes->setColumnMinimumWidth(2, kColumnGap);
    sizes->setColumnStretch(2, 1);
    sizes->setColumnStretch(4, 1);
    page->addWidget(frameMaten_);

    frameRegels_ = new QGroupBox;
    frameRegels_->setObjectName(QStringLiteral("frameRegels"));
    auto* measured = new QVBoxLayout(frameRegels_);
    lineRows_ = table("lineRows", kLineColumns);
    measured->addWidget(lineRows_);
    auto* results = new QGridLayout;
    const char* summaryNames[] = {"gemiddeldeAL", "spreiding", "gecorrigeerdAL",
                                  "gemiddeldeMu", "muBereik",  "maat"};
    for (std::size_t i = 0; i < summary_.size(); ++i) {
        summary_[i] = {valueLabel(""), valueLabel(summaryNames[i])};
        results->addWidget(summary_[i].label, int(i), 0);
        results->addWidget(summary_[i].value, int(i), 1);
    }
    results->setColumnStretch(1, 1);
    // The mean µr is what the user came for.
    QFont strong = summary_[3].value->font();
    strong.setBold(true);
    summary_[3].value->setFont(strong);
    summary_[3].label->setFont(strong);
    measured->addLayout(results);
    page->addWidget(frameRegels_);

    frameEigenC_ = new QGroupBox;
    frameEigenC_->setObjectName(QStringLiteral("frameEigenC"));
    eigenC_ = wrappingLabel("eigenC");
    (new QVBoxLayout(frameEigenC_))->addWidget(eigenC_);
    page->addWidget(frameEigenC_);

    frameKandidaten_ = new QGroupBox;
    frameKandidaten_->setObjectName(QStringLiteral("frameKandidaten"));
    auto* ranked = new QVBoxLayout(frameKandidaten_);
    familie_ = wrappingLabel("lblFamilie");
    ranked->addWidget(familie_);
    waarschuwing_ = wrappingLabel("lblWaarschuwing");
    warningStrip_ = strip(QStyle::SP_MessageBoxWarning, waarschuwing_, this);
    ranked->addWidget(warningStrip_);
    auto* paint = new QHBoxLayout;
    lblKleur_ = valueLabel("lblKleur");
    cboKleur_ = new QComboBox;
    cboKleur_->setObjectName(QStringLiteral("cboKleur"));
    paint->addWidget(lblKleur_);
    paint->addWidget(cboKleur_);
    paint->addStretch(1);
    ranked->addLayout(paint);
    candidateRows_ = table("candidateRows", kCandidateColumns);
    ranked->addWidget(candidateRows_);
    groepen_ = wrappingLabel("groupNotes");
    ranked->addWidget(groepen_);
    rangorde_ = wrappingLabel("lblRangorde");
    ranked->addWidget(rangorde_);
    catalogus_ = wrappingLabel("lblCatalogus");
    ranked->addWidget(catalogus_);
    page->addWidget(frameKandidaten_);

    // Made with the window, which the sheet makes on first use: start-up does not pay for it.
    plot_ = new QChart;
    plot_->legend()->setAlignment(Qt::AlignBottom);
    plotView_ = new QChartView(plot_);
    plotView_->setObjectName(QStringLiteral("plot"));
    plotView_->setRenderHint(QPainter::Antialiasing);
    plotView_->setMinimumHeight(kPlotHeight);
    page->addWidget(plotView_);
    sweepPanel_ = new SweepPanel(form_, run_);
    page->addWidget(sweepPanel_);
    setAcceptDrops(true);
    page->addStretch(1);

    auto* buttons = new QHBoxLayout;
    cmdMu_ = new QPushButton;
    cmdMu_->setObjectName(QStringLiteral("cmdMu"));
    cmdMu_->setAutoDefault(false);
    cmdSluiten_ = new QPushButton;
    cmdSluiten_->setObjectName(QStringLiteral("cmdSluiten"));
    cmdSluiten_->setDefault(true);
    buttons->addWidget(cmdMu_);
    buttons->addStretch(1);
    buttons->addWidget(cmdSluiten_);
    scrolling.buttonRow->addLayout(buttons);
}

void IdentifyWindow::showFor(const DataSheet& sheet) {
    if (sheet.files == nullptr) {
        return;
    }
    IdentifySweep sweep = sweepPanel_->record();
    OpenIdentifyWindow(core_, sweep, sheet, *sheet.files);
    sweepPanel_->setRecord(std::move(sweep));
    render();
    renderTips(sheet.english());
    if (!placed_) {
        placeBesideSheet();
        placed_ = true;
    }
    show();
    cmdSluiten_->setFocus(Qt::OtherFocusReason);
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

void IdentifyWindow::renderTips(bool english) {
    for (QPushButton* button : {cmdMu_, cmdSluiten_}) {
        renderToolTip(button, ControlTip(TipWindow::Identify, button->objectName().toStdString(), english));
    }
}

void IdentifyWindow::placeBesideSheet() {
    // Wide enough that the hints need few lines, as high as the screen lets it.
    fitScrollingWindow(this, kPreferredWidth);
    const QWidget* sheet = parentWidget();
    if (sheet == nullptr || sheet->screen() == nullptr) {
        return;
    }
    // The window follows the sheet, so it stands beside it rather than over it; without room on
    // either side it leaves the dimensions and the µ box in view.
    move(placeBesideOwner(*sheet, QSize(width() + kFrameAllowance, height()), kWindowGap));
}

void IdentifyWindow::follow(const DataSheet& sheet) {
    if (!isVisible()) {
        return;
    }
    renderTips(sheet.english());
    sweepPanel_->follow(sheet);
    IdentifyCore next = core_;
    next.Form_Load(sheet);
    if (next == core_) {
        return;
    }
    core_ = std::move(next);
    render();
}

void IdentifyWindow::openSweep(const std::string& path) {
    sweepPanel_->openFile(path);
}

void IdentifyWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (SweepPanel::holdsSweep(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void IdentifyWindow::dropEvent(QDropEvent* event) {
    if (sweepPanel_->drop(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void IdentifyWindow::renderValue(const ValueRow& row, const LabelledValue& shown) {
    row.label->setText(text(shown.label));
    row.value->setText(text(shown.value));
}

void IdentifyWindow::renderPlot() {
    const IdentifyPlot& p = core_.plot;
    MuPlot plot(plot_, text(p.title), text(p.axisFrequency), text(p.axisMu));
    plot.setFrequencyRange(0.01, 100.0);  // [MHz]: the curves' 10 kHz to 100 MHz
    // The band of the nearest material, under everything else.
    if (!p.bandLow.empty()) {
        auto* low = new QLineSeries;
        auto* high = new QLineSeries;
        for (std::size_t k = 0; k < p.bandLow.size(); ++k) {
            if (p.bandLow[k].real >= kPlotLowestMu) {
                low->append(p.bandLow[k].freqHz / kHzPerMHz, p.bandLow[k].real);
                high->append(p.bandHigh[k].freqHz / kHzPerMHz, p.bandHigh[k].real);
                plot.include(p.bandLow[k].real);
                plot.include(p.bandHigh[k].real);
            }
        }
        auto* band = new QAreaSeries(high, low);
        band->setName(text(p.bandName));
        band->setPen(Qt::NoPen);
        band->setBrush(kBandColour);
        plot.attach(band, true);
    }
    for (std::size_t i = 0; i < p.nearest.size(); ++i) {
        const PlotCurve& c = p.nearest[i];
        const QColor colour = kCurveColours[i % kCurveColours.size()];
        auto* real = new QLineSeries;
        real->setPen(
            QPen(colour, 2.0, kCurveStyles[static_cast<std::size_t>(c.style) % kCurveStyles.size()]));
        plot.add(real, text(c.name), c.points, false, true);
        if (c.hasImag) {
            auto* imag = new QLineSeries;
            imag->setPen(QPen(colour, 1.5, Qt::DashLine));
            plot.add(imag, text(c.name), c.points, true, false);
        }
        if (c.published) {
            // The maker's own points, not only the line through them.
            auto* points = new QScatterSeries;
            points->setColor(colour);
            points->setBorderColor(colour);
            points->setMarkerSize(kPublishedMarkerSize);
            plot.add(points, text(c.name), c.points, false, false);
        }
    }
    if (!p.measured.points.empty()) {
        // Each measured µ′ with the range its sizes and capacitor leave.
        for (std::size_t k = 0; k < p.measured.points.size() && k < p.measuredLow.size(); ++k) {
            auto* bar = new QLineSeries;
            bar->setPen(QPen(Qt::black, 1.5));
            const double f = p.measured.points[k].freqHz;
            plot.add(bar, QString(), {{f, p.measuredLow[k], 0.0}, {f, p.measuredHigh[k], 0.0}}, false, false);
        }
        auto* real = new QScatterSeries;
        real->setColor(Qt::black);
        real->setMarkerSize(kMarkerSize);
        plot.add(real, text(p.measured.name), p.measured.points, false, true);
        if (p.measured.hasImag) {
            auto* imag = new QScatterSeries;
            imag->setColor(Qt::black);
            imag->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
            imag->setMarkerSize(kMarkerSize);
            plot.add(imag, text(p.measuredImag), p.measured.points, true, false);
        }
    }
    plot.fitMu();
    plotView_->setVisible(!p.nearest.empty() || !p.measured.points.empty());
}

void IdentifyWindow::render() {
    const IdentifyCore& r = core_;
    setWindowTitle(text(r.caption));

    hints_->setText(hintList(r.hints));
    hintStrip_->setVisible(!r.hints.empty());

    frameMaten_->setTitle(text(r.frameMaten));
    const LabelledValue* sizes[] = {&r.buiten, &r.binnen, &r.hoog, &r.padlengte, &r.doorsnede};
    for (std::size_t i = 0; i < dimensions_.size(); ++i) {
        renderValue(dimensions_[i], *sizes[i]);
    }

    frameRegels_->setTitle(text(r.frameRegels));
    std::vector<std::array<std::string, kLineColumns>> lineCells;
    for (const IdentifyLineRow& row : r.lineRows) {
        lineCells.push_back(row.cells);
    }
    renderTable(lineRows_, r.lineHeads, lineCells, std::vector<bool>(lineCells.size(), false), kLineNumbers,
                kMeasurementLines);
    const LabelledValue* summary[] = {&r.gemiddeldeAL, &r.spreiding, &r.gecorrigeerdAL,
                                      &r.gemiddeldeMu, &r.muBereik,  &r.maat};
    for (std::size_t i = 0; i < summary_.size(); ++i) {
        renderValue(summary_[i], *summary[i]);
    }

    frameEigenC_->setTitle(text(r.frameEigenC));
    eigenC_->setText(lines(r.eigenC));

    frameKandidaten_->setTitle(text(r.frameKandidaten));
    familie_->setText(text(r.lblFamilie));
    waarschuwing_->setText(text(r.lblWaarschuwing));
    warningStrip_->setVisible(!r.lblWaarschuwing.empty());
    std::vector<std::array<std::string, kCandidateColumns>> candidateCells;
    std::vector<bool> likely;
    for (const IdentifyCandidateRow& row : r.candidateRows) {
        candidateCells.push_back(row.cells);
        likely.push_back(row.likely);
    }
    renderTable(candidateRows_, r.candidateHeads, candidateCells, likely, kCandidateNumbers,
                kMostCandidateRows);
    catalogus_->setText(text(r.lblCatalogus));
    groepen_->setText(lines(r.groupNotes));
    groepen_->setVisible(!r.groupNotes.empty());
    rangorde_->setText(text(r.lblRangorde));
    rangorde_->setVisible(!r.lblRangorde.empty());
    lblKleur_->setText(text(r.lblKleur));
    {
        const QSignalBlocker quiet(cboKleur_);
        cboKleur_->clear();
        for (const std::string& item : r.cboKleur.items) {
            cboKleur_->addItem(text(item));
        }
        cboKleur_->setCurrentIndex(r.cboKleur.selected);
    }
    renderPlot();

    // The layout sizes these buttons to their captions.
    for (const auto& [button, state] : {std::pair{cmdMu_, &r.cmdMu}, std::pair{cmdSluiten_, &r.cmdSluiten}}) {
        button->setText(captionText(state->caption));
        button->setEnabled(state->enabled);
    }
}

}  // namespace kw::gui
