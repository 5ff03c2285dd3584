#include "platform/calculator_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>
#include <cstdint>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "common/tooltips.h"
#include "platform/key_filter_line_edit.h"
#include "platform/layout.h"
#include "platform/record_widgets.h"
#include "platform/scrolling_page.h"
#include "platform/sweep_window.h"
#include "platform/toroid_art.h"
#include "platform/widget_text.h"
#include "sweep/sweep_texts.h"
#include "sweep/touchstone.h"

namespace kw::gui {

namespace {

using KeyPress = void (Calculator::*)(std::int16_t&);
using Click = void (Calculator::*)();

struct TextBoxBinding {
    std::string_view name;
    TextBox Calculator::*box;
    KeyPress keyPress;  // nullptr: no key filter
    bool typing;        // false: results, which the user reads and copies
};

constexpr TextBoxBinding kTextBoxes[] = {
    {"txtWikkeling", &Calculator::txtWikkeling, &Calculator::txtWikkeling_KeyPress, true},
    {"txtCap", &Calculator::txtCap, &Calculator::txtCap_KeyPress, true},
    {"txtFreq", &Calculator::txtFreq, &Calculator::txtFreq_KeyPress, true},
    {"txtFres1", &Calculator::txtFres1, &Calculator::txtFres1_KeyPress, true},
    {"txtFres2", &Calculator::txtFres2, &Calculator::txtFres2_KeyPress, true},
    {"txtTopR", &Calculator::txtTopR, &Calculator::txtTopR_KeyPress, true},
    {"txtALwaarde", &Calculator::txtALwaarde, &Calculator::txtALwaarde_KeyPress, false},
    {"txtLmH", &Calculator::txtLmH, nullptr, false},
    {"txtQLC", &Calculator::txtQLC, &Calculator::txtQLC_KeyPress, false},
    {"txtQRS", &Calculator::txtQRS, nullptr, false},
    {"txtQRLC", &Calculator::txtQRLC, nullptr, false},
    {"txtQRP", &Calculator::txtQRP, nullptr, false},
};

struct LabelBinding {
    std::string_view name;
    std::string Calculator::*text;
};

constexpr LabelBinding kLabels[] = {
    {"Label2", &Calculator::Label2},   {"Label3", &Calculator::Label3},
    {"lblN", &Calculator::lblN},       {"Label4", &Calculator::Label4},
    {"lblCap", &Calculator::lblCap},   {"lblFreq", &Calculator::lblFreq},
    {"lblFres", &Calculator::lblFres}, {"lblTopR", &Calculator::lblTopR},
    {"lblR", &Calculator::lblR},       {"lblALwaarde", &Calculator::lblALwaarde},
    {"Label6", &Calculator::Label6},   {"lblLoss", &Calculator::lblLoss},
    {"lblQ", &Calculator::lblQ},       {"Label7", &Calculator::Label7},
    {"lblQR", &Calculator::lblQR},     {"Label8", &Calculator::Label8},
    {"lblQRLC", &Calculator::lblQRLC}, {"Label1", &Calculator::Label1},
};

// The one label whose text wraps inside its place instead of breaking at CRs.
constexpr std::string_view kWrappingLabel = "lblALwaarde";

constexpr LabelBinding kTitledFrames[] = {{"Frame2", &Calculator::Frame2}, {"frame1", &Calculator::frame1}};
// Frames that only group their option buttons; Frame6 shows a border without a title.
constexpr std::string_view kPlainFrames[] = {"Frame3", "Frame4", "Frame5"};
constexpr std::string_view kBorderFrame = "Frame6";

struct ButtonBinding {
    std::string_view name;
    Button Calculator::*button;
    Click click;
};

constexpr ButtonBinding kButtons[] = {
    {"cmdHelp", &Calculator::cmdHelp, &Calculator::cmdHelp_Click},
    {"cmdBereken", &Calculator::cmdBereken, &Calculator::cmdBereken_Click},
    {"cmdBestand", &Calculator::cmdBestand, &Calculator::cmdBestand_Click},
    {"cmdEinde", &Calculator::cmdEinde, &Calculator::cmdEinde_Click},
    {"cmdSweep", &Calculator::cmdSweep, &Calculator::cmdSweep_Click},
};

struct OptionBinding {
    std::string_view name;
    OptionPair Calculator::*pair;
};

constexpr OptionBinding kOptions[] = {
    {"optCapVal", &Calculator::optCapVal},
    {"optFreq", &Calculator::optFreq},
    {"optTOPC", &Calculator::optTOPC},
    {"optLANG", &Calculator::optLANG},
};

struct CheckBinding {
    std::string_view name;
    CheckBox Calculator::*box;
};

constexpr CheckBinding kChecks[] = {
    {"chkQaan", &Calculator::chkQaan},
    {"chkLprn", &Calculator::chkLprn},
    {"chkQRLC", &Calculator::chkQRLC},
};

constexpr std::string_view kList = "cboKiesregel";
constexpr std::string_view kPicture = "Image1";
constexpr std::string_view kLine = "Line1";
constexpr int kLineThickness = 2;   // [px] an etched line
constexpr int kSweepWindowGap = 8;  // [px] between the Calculator and the sweep window

// Keyboard order; the result boxes are reached by mouse only.
constexpr std::string_view kTabOrder[] = {
    "cmdBestand",   "txtWikkeling", "txtCap",   "optCapVal_0", "optCapVal_1", "txtFreq",
    "optFreq_0",    "optFreq_1",    "txtFres1", "txtFres2",    "chkQaan",     "optTOPC_0",
    "optTOPC_1",    "txtTopR",      "chkLprn",  "chkQRLC",     "optLANG_0",   "optLANG_1",
    "cboKiesregel", "cmdBereken",   "cmdEinde", "cmdHelp",     "cmdSweep",
};

constexpr int kLabelClearance = 1;    // [px] between a label's text and the control after it
constexpr int kOverlapTolerance = 2;  // [px] places that touch after rounding to pixels

// A label whose place runs into a control to its right ends before that control, so its
// text is fitted to the free part.
void keepClearOfNeighbours(QLabel* label) {
    QRect place = label->geometry();
    for (QObject* child : label->parentWidget()->children()) {
        auto* other = qobject_cast<QWidget*>(child);
        const auto* textLabel = qobject_cast<QLabel*>(other);
        if (!other || other == label || (textLabel != nullptr && textLabel->pixmap().isNull())) {
            continue;
        }
        const QRect taken = other->geometry();
        const QRect common = taken.intersected(place);
        if (common.height() > kOverlapTolerance && taken.left() > place.left()) {
            place.setRight(taken.left() - kLabelClearance);
        }
    }
    label->setGeometry(place);
}

std::string optionName(std::string_view pair, int index) {
    return std::string(pair) + "_" + std::to_string(index);
}

// The local sweep file a drag carries, or an empty text.
QString droppedSweep(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().first();
    if (!url.isLocalFile()) {
        return {};
    }
    const QString path = url.toLocalFile();
    const int ports = PortsFromFileName(path.toStdString());
    return ports == 1 || ports == 2 ? path : QString();
}

int checkValue(Qt::CheckState state) {
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

}  // namespace

CalculatorWindow::CalculatorWindow(Calculator& calculator, Runner run, QWidget* parent)
    : QWidget(parent), calc_(calculator), run_(std::move(run)) {
    setObjectName(QStringLiteral("kernwijs"));
    page_ = addScrollingPage(
        this, QSize(twipsToPixels(kCalculatorWidthTwips), twipsToPixels(kCalculatorHeightTwips)));
    setWindowIcon(toroidIcon());
    setFont(controlFont(TextStyle::Normal));
    setAcceptDrops(true);
    buildControls();
    connectControls();
    setTabOrder();
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { static_cast<QPushButton*>(control("cmdHelp"))->click(); });
    render();
}

QWidget* CalculatorWindow::control(std::string_view name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

QWidget* CalculatorWindow::container(std::string_view name) const {
    return name.empty() ? page_ : control(name);
}

template <class W>
W* CalculatorWindow::place(std::string_view name) {
    const Place& where = placeOf(kCalculatorPlaces, name);
    QWidget* parent = container(where.container);
    auto* widget = new W(parent);
    widget->setObjectName(QString::fromUtf8(name.data(), qsizetype(name.size())));
    // A control reaching past its container shows only its visible part; the caption is
    // fitted to that.
    widget->setGeometry(calculatorRect(where).intersected(QRect(QPoint(0, 0), parent->size())));
    widget->setFont(controlFont(where.style));
    controls_.emplace(std::string(name), widget);
    return widget;
}

void CalculatorWindow::buildControls() {
    // Frames first: they hold other controls.
    for (const auto& frame : kTitledFrames) {
        place<QGroupBox>(frame.name);
    }
    for (const std::string_view frame : kPlainFrames) {
        place<QWidget>(frame);
    }
    place<QGroupBox>(kBorderFrame);

    for (const auto& label : kLabels) {
        auto* widget = place<QLabel>(label.name);
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget->setTextFormat(Qt::PlainText);
        widget->setWordWrap(label.name == kWrappingLabel);
    }
    for (const auto& box : kTextBoxes) {
        auto* edit = place<KeyFilterLineEdit>(box.name);
        edit->setReadOnly(!box.typing);
        if (!box.typing) {
            edit->setFocusPolicy(Qt::ClickFocus);
        }
    }
    for (const auto& button : kButtons) {
        auto* widget = place<QPushButton>(button.name);
        widget->setAutoDefault(false);
        pressOnEnter(widget);
    }
    for (const auto& option : kOptions) {
        for (int index = 0; index < 2; ++index) {
            place<QRadioButton>(optionName(option.name, index));
        }
    }
    for (const auto& check : kChecks) {
        place<QCheckBox>(check.name);
    }
    place<QComboBox>(kList)->setEditable(false);

    auto* picture = place<QLabel>(kPicture);
    picture->setPixmap(toroidPixmap(std::min(picture->width(), picture->height()), devicePixelRatioF()));
    picture->setAlignment(Qt::AlignCenter);

    const Place& linePlace = placeOf(kCalculatorPlaces, kLine);
    auto* line = new QFrame(control(linePlace.container));
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    controls_.emplace(std::string(kLine), line);

    for (const auto& check : kChecks) {
        // Room for the whole indicator of the style in use.
        auto* widget = control(check.name);
        const int indicator = widget->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
        if (widget->height() < indicator) {
            widget->resize(widget->width(), indicator);
        }
    }
    for (const auto& label : kLabels) {
        auto* widget = static_cast<QLabel*>(control(label.name));
        keepClearOfNeighbours(widget);
        const bool severalLines = widget->height() >= 2 * widget->fontMetrics().lineSpacing();
        widget->setAlignment(Qt::AlignLeft | (severalLines ? Qt::AlignTop : Qt::AlignVCenter));
    }
}

void CalculatorWindow::connectControls() {
    for (const auto& binding : kTextBoxes) {
        auto* edit = static_cast<KeyFilterLineEdit*>(control(binding.name));
        if (binding.keyPress) {
            const KeyPress keyPress = binding.keyPress;
            edit->setKeyFilter(
                [this, keyPress](std::int16_t& keyAscii) { run_([&] { (calc_.*keyPress)(keyAscii); }); });
        }
        const auto box = binding.box;
        connect(edit, &QLineEdit::textEdited, this,
                [this, box](const QString& text) { run_([&] { calc_.setText(box, text.toStdString()); }); });
    }
    for (const auto& binding : kButtons) {
        const Click click = binding.click;
        connect(static_cast<QPushButton*>(control(binding.name)), &QPushButton::clicked, this,
                [this, click] { run_([&] { (calc_.*click)(); }); });
    }
    for (const auto& binding : kOptions) {
        for (std::int16_t index = 0; index < 2; ++index) {
            const auto pair = binding.pair;
            connect(static_cast<QRadioButton*>(control(optionName(binding.name, index))),
                    &QRadioButton::toggled, this, [this, pair, index](bool selected) {
                        if (selected) {
                            run_([&] { calc_.selectOption(pair, index); });
                        }
                    });
        }
    }
    for (const auto& binding : kChecks) {
        auto* check = static_cast<QCheckBox*>(control(binding.name));
        const auto box = binding.box;
        connect(check, &QCheckBox::clicked, this,
                [this, check, box] { run_([&] { calc_.setCheck(box, checkValue(check->checkState())); }); });
    }
    connect(static_cast<QComboBox*>(control(kList)), &QComboBox::activated, this,
            [this](int index) { run_([&] { calc_.cboKiesregel.selected = index; }); });
}

void CalculatorWindow::setTabOrder() {
    QWidget* previous = nullptr;
    for (const std::string_view name : kTabOrder) {
        QWidget* next = control(name);
        if (previous) {
            QWidget::setTabOrder(previous, next);
        }
        previous = next;
    }
}

QSize CalculatorWindow::formSize() const {
    return page_->size();
}

void CalculatorWindow::focusFirst() {
    for (const std::string_view name : kTabOrder) {
        QWidget* widget = control(name);
        if (widget->isEnabled()) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void CalculatorWindow::placeLine() {
    // The line stays inside its frame's border, wherever the style draws that border.
    const Place& where = placeOf(kCalculatorPlaces, kLine);
    auto* frame = static_cast<QGroupBox*>(control(where.container));
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect inside =
        frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, frame);
    const QRect span = calculatorRect(where);
    const int top = std::max(span.top(), inside.top());
    const int bottom = std::min(span.bottom(), inside.bottom());
    control(kLine)->setGeometry(span.left() - kLineThickness / 2, top, kLineThickness, bottom - top + 1);
}

void CalculatorWindow::render() {
    setWindowTitle(QString::fromStdString(calc_.caption));
    for (const auto& binding : kLabels) {
        const Place& where = placeOf(kCalculatorPlaces, binding.name);
        renderLabel(static_cast<QLabel*>(control(binding.name)), calc_.*binding.text, where.style);
    }
    for (const auto& binding : kTitledFrames) {
        const Place& where = placeOf(kCalculatorPlaces, binding.name);
        renderFrameTitle(static_cast<QGroupBox*>(control(binding.name)), calc_.*binding.text, where.style);
    }
    for (const auto& binding : kTextBoxes) {
        renderTextBox(static_cast<QLineEdit*>(control(binding.name)), calc_.*binding.box);
    }
    for (const auto& binding : kButtons) {
        const Place& where = placeOf(kCalculatorPlaces, binding.name);
        renderButton(static_cast<QPushButton*>(control(binding.name)), calc_.*binding.button, where.style);
    }
    for (const auto& binding : kOptions) {
        const std::string first = optionName(binding.name, 0);
        renderOptionPair(static_cast<QRadioButton*>(control(first)),
                         static_cast<QRadioButton*>(control(optionName(binding.name, 1))),
                         calc_.*binding.pair, placeOf(kCalculatorPlaces, first).style);
    }
    for (const auto& binding : kChecks) {
        const Place& where = placeOf(kCalculatorPlaces, binding.name);
        renderCheckBox(static_cast<QCheckBox*>(control(binding.name)), calc_.*binding.box, where.style);
    }
    renderList(static_cast<QComboBox*>(control(kList)), calc_.cboKiesregel);
    placeLine();
    const bool english = calc_.Taal == kTaalUK;
    for (const auto& [name, widget] : controls_) {
        renderToolTip(widget, ControlTip(TipWindow::Calculator, name, english));
    }
    QWidget* sweepButton = control("cmdSweep");
    sweepButton->setAccessibleName(sweepButton->toolTip());
    renderSweep();
}

void CalculatorWindow::renderSweep() {
    const SweepRecord& shown = calc_.frmSweep;
    if (shown.opened == 0) {
        return;
    }
    if (sweepWindow_ == nullptr) {
        sweepWindow_ = new SweepWindow(calc_.frmSweep, run_, this);
        sweepWindow_->render();
        fitScrollingWindow(sweepWindow_);
        // Beside the Calculator, whose fields the sweep has just filled, as far as the screen lets it.
        sweepWindow_->move(placeBesideOwner(*this, sweepWindow_->frameGeometry().size(), kSweepWindowGap));
    }
    sweepWindow_->render();
    if (!shown.visible) {
        sweepWindow_->hide();
    } else if (shown.opened != sweepShown_) {
        sweepShown_ = shown.opened;
        sweepWindow_->show();
        sweepWindow_->raise();
    }
}

void CalculatorWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedSweep(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CalculatorWindow::dropEvent(QDropEvent* event) {
    const QString path = droppedSweep(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    const std::string file = path.toStdString();
    run_([&] { calc_.Form_DragDrop(file); });
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closedByUser();
}

}  // namespace kw::gui
