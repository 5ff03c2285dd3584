#include "platform/datasheet_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include "common/tooltips.h"
#include "datasheet/datasheet.h"
#include "material/identify_core.h"
#include "platform/identify_window.h"
#include "platform/layout.h"
#include "platform/record_widgets.h"
#include "platform/scrolling_page.h"
#include "platform/sheet_drawing.h"
#include "platform/toroid_art.h"
#include "platform/widget_text.h"

namespace kw::gui {

namespace {

using SheetClick = void (*)(DataSheetForm&);

struct ButtonBinding {
    std::string_view name;
    Button DataSheet::*button;
    SheetClick click;
};

// Operations on the loaded sheet; Close belongs to the window's lifecycle.
template <void (DataSheet::*operation)()>
void onSheet(DataSheetForm& form) {
    if (DataSheet* sheet = form.get()) {
        (sheet->*operation)();
    }
}

constexpr ButtonBinding kButtons[] = {
    {"cmdDatum", &DataSheet::cmdDatum, &onSheet<&DataSheet::cmdDatum_Click>},
    {"cmdVoorVul", &DataSheet::cmdVoorVul, &onSheet<&DataSheet::cmdVoorVul_Click>},
    {"cmdWis", &DataSheet::cmdWis, &onSheet<&DataSheet::cmdWis_Click>},
    {"cmdWisM", &DataSheet::cmdWisM, &onSheet<&DataSheet::cmdWisM_Click>},
    {"cmdExport", &DataSheet::cmdExport, &onSheet<&DataSheet::cmdExport_Click>},
    {"cmdMap", &DataSheet::cmdMap, &onSheet<&DataSheet::cmdMap_Click>},
    {"cmdSluiten", &DataSheet::cmdSluiten, [](DataSheetForm& form) { form.cmdSluiten_Click(); }},
    {"cmdInvoer", &DataSheet::cmdInvoer, &onSheet<&DataSheet::cmdInvoer_Click>},
    {"cmdUitvoer", &DataSheet::cmdUitvoer, &onSheet<&DataSheet::cmdUitvoer_Click>},
    {"cmdPrint", &DataSheet::cmdPrint, &onSheet<&DataSheet::cmdPrint_Click>},
};

constexpr std::string_view kCsvBox = "chkCSV";
constexpr std::string_view kPdfBox = "chkPDF";
constexpr std::string_view kPrintButton = "cmdPrint";
constexpr std::string_view kIdentifyButton = "cmdKern";
constexpr std::string_view kFileFrame = "Frame1";
constexpr std::string_view kLanguageFrame = "Frame6";
constexpr std::string_view kLanguageOptions[] = {"optLANG_0", "optLANG_1"};
constexpr std::string_view kTitle = "Label2";
constexpr std::string_view kImprint = "Label1";
constexpr std::string_view kPicture = "Image2";
// Printed in the left column, as on the exported page.
constexpr const char* kImprintText = "made with\nKERNWIJS\nby QQ0QQQ";

// Keyboard order before and after the text boxes (which follow in their own order).
constexpr std::string_view kTabOrderFirst[] = {"cmdDatum",  "cmdVoorVul", "cmdWis",    "cmdWisM",
                                               "cmdExport", "cmdMap",     "cmdSluiten"};
constexpr std::string_view kTabOrderHeader[] = {"txtDD",    "txtMM",    "txtJJ",    "txtFabr1",  "txtFabr2",
                                                "txtType1", "txtType2", "txtType3", "txtBuiten", "txtBinnen",
                                                "txtHoog",  "txtRi",    "txtMu",    "cmdKern",   "txtTest1"};
constexpr std::string_view kTabOrderLast[] = {"optLANG_1", "optLANG_0", "chkCSV",    "chkPDF",
                                              "cmdPrint",  "cmdInvoer", "cmdUitvoer"};

QRect gridRect(int line, int field) {
    const GridColumn& column = kGridColumns[field];
    return {column.left, kGridTop + kGridPitch * (line - 1), column.width, kSheetBoxHeight};
}

QRect infoRect(int line) {
    return {kInfoLeft, kInfoTop + kInfoPitch * (line - 1), kInfoWidth, kSheetStackedBoxHeight};
}

std::string gridName(int line, int field) {
    return std::string(kLineFieldStems[field]) + std::to_string(line);
}
std::string infoName(int line) {
    return "txtRegel" + std::to_string(line);
}

}  // namespace

DataSheetWindow::DataSheetWindow(DataSheetForm& form, Runner run, QWidget* parent)
    : QWidget(parent), form_(form), run_(std::move(run)) {
    setObjectName(QStringLiteral("Invulvel"));
    page_ = addScrollingPage(this, kSheetClientSize);
    setWindowIcon(toroidIcon());
    setFont(controlFont(TextStyle::Normal));
    setAcceptDrops(true);
    buildControls();
    connectControls();
    setTabOrder();
    addShortcuts();
}

void DataSheetWindow::addShortcuts() {
    // The standard keys of a document window: save, open, help.
    const auto pressing = [this](QKeySequence keys, std::string_view button) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, button] {
            if (auto* target = static_cast<QPushButton*>(control(button)); target->isEnabled()) {
                target->click();
            }
        });
    };
    pressing(QKeySequence::Save, "cmdUitvoer");
    pressing(QKeySequence::Open, "cmdInvoer");
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &DataSheetWindow::helpRequested);
}

namespace {
// The local .tor file a drag carries, or an empty text.
QString droppedSheet(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().first().isLocalFile()) {
        return {};
    }
    const QString path = data->urls().first().toLocalFile();
    return path.endsWith(QStringLiteral(".tor"), Qt::CaseInsensitive) ? path : QString();
}
}  // namespace

bool DataSheetWindow::takeSheetDrop(QDropEvent* event, bool drop) {
    const QString path = droppedSheet(event->mimeData());
    if (path.isEmpty()) {
        return false;
    }
    event->acceptProposedAction();
    if (drop) {
        const std::string file = path.toStdString();
        run_([&] {
            if (DataSheet* sheet = form_.get()) {
                sheet->Form_DragDrop(file);
            }
        });
    }
    return true;
}

void DataSheetWindow::dragEnterEvent(QDragEnterEvent* event) {
    takeSheetDrop(event, false);
}

void DataSheetWindow::dropEvent(QDropEvent* event) {
    takeSheetDrop(event, true);
}

bool DataSheetWindow::eventFilter(QObject* watched, QEvent* event) {
    // A box would take the file's address as text; the sheet opens the file instead.
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            if (takeSheetDrop(static_cast<QDropEvent*>(event), false)) {
                return true;
            }
            break;
        case QEvent::Drop:
            if (takeSheetDrop(static_cast<QDropEvent*>(event), true)) {
                return true;
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* DataSheetWindow::control(std::string_view name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

template <class W>
W* DataSheetWindow::place(std::string_view name, QRect where, std::string_view container) {
    auto* widget = new W(container.empty() ? page_ : control(container));
    widget->setObjectName(QString::fromUtf8(name.data(), qsizetype(name.size())));
    widget->setGeometry(where);
    controls_.emplace(std::string(name), widget);
    return widget;
}

template <class W>
W* DataSheetWindow::place(std::string_view name) {
    const Place& where = placeOf(kSheetPlaces, name);
    W* widget = place<W>(name, sheetRect(where), where.container);
    widget->setFont(controlFont(where.style));
    return widget;
}

void DataSheetWindow::buildControls() {
    place<SheetDrawing>("Image1", kSheetDrawing);

    // Text boxes lie on the paper: no frame of their own, the paper's ink, and no ground of
    // their own either, so the ruled line under a box shows at every scale factor, where a
    // box's edge falls between two screen pixels.
    QPalette onPaper = palette();
    onPaper.setColor(QPalette::Base, Qt::transparent);
    onPaper.setColor(QPalette::Text, SheetDrawing::ink());
    const auto paperBox = [&](QLineEdit* edit) {
        edit->setFrame(false);
        edit->setPalette(onPaper);
        edit->setFont(controlFont(TextStyle::Normal));
        edit->setTextMargins(1, 0, 1, 0);
        edit->installEventFilter(this);
    };
    for (const Place& header : kSheetPlaces) {
        if (header.name.starts_with("txt")) {
            paperBox(place<QLineEdit>(header.name));
        }
    }
    for (int line = 1; line <= kMeasurementLines; ++line) {
        for (int field = 0; field < kLineFields; ++field) {
            paperBox(place<QLineEdit>(gridName(line, field), gridRect(line, field)));
        }
    }
    for (int line = 1; line <= kInfoLines; ++line) {
        paperBox(place<QLineEdit>(infoName(line), infoRect(line)));
    }
    for (const std::string& name : DataSheet::textFieldNames()) {
        static_cast<QLineEdit*>(control(name))
            ->setPlaceholderText(QString::fromStdString(DataSheet::placeholderOf(name)));
    }

    auto* title = place<QLabel>(kTitle);
    title->setTextFormat(Qt::PlainText);
    title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* imprint = place<QLabel>(kImprint);
    imprint->setTextFormat(Qt::PlainText);
    imprint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imprint->setText(QString::fromUtf8(kImprintText));
    QPalette inked = imprint->palette();
    inked.setColor(QPalette::WindowText, SheetDrawing::ink());
    imprint->setPalette(inked);
    fitCaption(imprint, TextStyle::Normal);
    auto* picture = place<QLabel>(kPicture);
    picture->setPixmap(toroidPixmap(std::min(picture->width(), picture->height()), devicePixelRatioF()));

    place<QGroupBox>(kFileFrame);
    place<QGroupBox>(kLanguageFrame);
    for (const auto& binding : kButtons) {
        auto* button = place<QPushButton>(binding.name);
        button->setAutoDefault(false);
        pressOnEnter(button);
    }
    place<QCheckBox>(kCsvBox);
    place<QCheckBox>(kPdfBox);
    auto* print = new QShortcut(QKeySequence::Print, this);
    connect(print, &QShortcut::activated, this, [this] {
        if (QWidget* button = control(kPrintButton); button->isEnabled()) {
            static_cast<QPushButton*>(button)->click();
        }
    });
    auto* identify = place<QPushButton>(kIdentifyButton);
    identify->setAutoDefault(false);
    pressOnEnter(identify);
    identify->setText(
        QString::fromUtf8(kIdentifyButtonCaption.data(), qsizetype(kIdentifyButtonCaption.size())));
    fitCaption(identify, placeOf(kSheetPlaces, kIdentifyButton).style);
    for (const std::string_view name : kLanguageOptions) {
        place<QRadioButton>(name);
    }
}

void DataSheetWindow::connectControls() {
    for (const std::string& name : DataSheet::textFieldNames()) {
        connect(static_cast<QLineEdit*>(control(name)), &QLineEdit::textEdited, this,
                [this, name](const QString& text) {
                    run_([&] {
                        if (DataSheet* sheet = form_.get()) {
                            *sheet->field(name) = text.toStdString();
                        }
                    });
                });
    }
    for (const auto& binding : kButtons) {
        const SheetClick click = binding.click;
        connect(static_cast<QPushButton*>(control(binding.name)), &QPushButton::clicked, this,
                [this, click] { run_([&] { click(form_); }); });
    }
    connect(static_cast<QPushButton*>(control(kIdentifyButton)), &QPushButton::clicked, this,
            &DataSheetWindow::openIdentify);
    auto* csv = static_cast<QCheckBox*>(control(kCsvBox));
    connect(csv, &QCheckBox::clicked, this, [this, csv] {
        run_([&] {
            if (DataSheet* sheet = form_.get()) {
                sheet->chkCSV.value = csv->isChecked() ? 1 : 0;
            }
        });
    });
    auto* pdf = static_cast<QCheckBox*>(control(kPdfBox));
    connect(pdf, &QCheckBox::clicked, this, [this, pdf] {
        run_([&] {
            if (DataSheet* sheet = form_.get()) {
                sheet->chkPDF.value = pdf->isChecked() ? 1 : 0;
            }
        });
    });
    for (std::int16_t index = 0; index < 2; ++index) {
        connect(static_cast<QRadioButton*>(control(kLanguageOptions[index])), &QRadioButton::toggled, this,
                [this, index](bool selected) {
                    if (selected) {
                        run_([&] {
                            if (DataSheet* sheet = form_.get()) {
                                sheet->selectLanguage(index);
                            }
                        });
                    }
                });
    }
}

void DataSheetWindow::setTabOrder() {
    std::vector<std::string> order(std::begin(kTabOrderFirst), std::end(kTabOrderFirst));
    order.insert(order.end(), std::begin(kTabOrderHeader), std::end(kTabOrderHeader));
    for (int field = 0; field < kLineFields; ++field) {
        for (int line = 1; line <= kMeasurementLines; ++line) {
            order.push_back(gridName(line, field));
        }
    }
    for (int line = 1; line <= kInfoLines; ++line) {
        order.push_back(infoName(line));
    }
    order.insert(order.end(), std::begin(kTabOrderLast), std::end(kTabOrderLast));
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(control(order[i - 1]), control(order[i]));
    }
}

void DataSheetWindow::openIdentify() {
    run_([this] {
        if (const DataSheet* sheet = form_.get()) {
            if (identify_ == nullptr) {
                identify_ = new IdentifyWindow(form_, run_, this);
            }
            identify_->showFor(*sheet);
        }
    });
}

void DataSheetWindow::openIdentifySweep(const std::string& path) {
    run_([this, &path] {
        DataSheet& sheet = form_.getHidden();
        if (identify_ == nullptr) {
            identify_ = new IdentifyWindow(form_, run_, this);
        }
        identify_->showFor(sheet);
        identify_->openSweep(path);
    });
}

QSize DataSheetWindow::formSize() const {
    return page_->size();
}

void DataSheetWindow::focusFirst() {
    if (QWidget* first = control(kTabOrderFirst[0])) {
        first->setFocus(Qt::OtherFocusReason);
    }
}

void DataSheetWindow::render(const DataSheet& sheet) {
    setWindowTitle(QString::fromStdString(sheet.windowTitle()));
    for (const std::string& name : DataSheet::textFieldNames()) {
        auto* edit = static_cast<QLineEdit*>(control(name));
        renderText(edit, *sheet.field(name));
        fitBoxText(edit, TextStyle::Normal);
    }
    renderLabel(static_cast<QLabel*>(control(kTitle)), sheet.Label2, placeOf(kSheetPlaces, kTitle).style);
    renderFrameTitle(static_cast<QGroupBox*>(control(kFileFrame)), sheet.Frame1,
                     placeOf(kSheetPlaces, kFileFrame).style);
    for (const auto& binding : kButtons) {
        renderButton(static_cast<QPushButton*>(control(binding.name)), sheet.*binding.button,
                     placeOf(kSheetPlaces, binding.name).style);
    }
    renderCheckBox(static_cast<QCheckBox*>(control(kCsvBox)), sheet.chkCSV,
                   placeOf(kSheetPlaces, kCsvBox).style);
    renderCheckBox(static_cast<QCheckBox*>(control(kPdfBox)), sheet.chkPDF,
                   placeOf(kSheetPlaces, kPdfBox).style);
    renderOptionPair(static_cast<QRadioButton*>(control(kLanguageOptions[0])),
                     static_cast<QRadioButton*>(control(kLanguageOptions[1])), sheet.optLANG,
                     placeOf(kSheetPlaces, kLanguageOptions[0]).style);
    for (const auto& [name, widget] : controls_) {
        renderToolTip(widget, ControlTip(TipWindow::DataSheet, name, sheet.english()));
    }
    QWidget* identify = control(kIdentifyButton);
    identify->setAccessibleName(identify->toolTip());
    if (identify_ != nullptr) {
        identify_->follow(sheet);
    }
}

void DataSheetWindow::closeEvent(QCloseEvent* event) {
    // The window stays until the sheet is unloaded; the program hides it then.
    event->ignore();
    run_([this] { form_.closeRequested(); });
}

void DataSheetWindow::hideEvent(QHideEvent* event) {
    if (identify_ != nullptr && !event->spontaneous()) {
        identify_->close();
    }
    QWidget::hideEvent(event);
}

}  // namespace kw::gui
