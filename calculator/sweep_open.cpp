#include <string>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "calculator/messages.h"
#include "common/file_system.h"
#include "common/path_text.h"
#include "common/shared_messages.h"
#include "sweep/field_texts.h"
#include "sweep/sweep_texts.h"
#include "sweep/touchstone.h"

namespace kw {

namespace {

constexpr int kChecked = 1;

}  // namespace

void Calculator::cmdSweep_Click() {
    const SweepTexts& t = sweepTexts(Taal == kTaalUK);
    const FileDialogRequest request{
        std::string(t.dialogTitle), std::string(t.dialogFilter), "", platform->currentFolder(), "", false};
    if (const std::optional<std::string> chosen = platform->openFileName(request)) {
        openSweep(*chosen);
    }
}

void Calculator::Form_DragDrop(const std::string& path) {
    openSweep(path);
}

bool Calculator::openSweep(const std::string& path, std::optional<SweepParameter> parameter) {
    const bool english = Taal == kTaalUK;
    if (files == nullptr) {
        return false;
    }
    const ReadResult read = files->readFile(path);
    if (!read.ok) {
        show(*platform, kSweepReadFailed, english, {path, read.error});
        return false;
    }
    const TouchstoneResult parsed = ReadTouchstone(read.bytes, PortsFromFileName(path));
    if (const auto* fault = std::get_if<TouchstoneError>(&parsed)) {
        show(*platform, kSweepUnusable, english, {path, DescribeTouchstoneError(*fault, english)});
        return false;
    }
    const TouchstoneSweep& sweepRead = std::get<TouchstoneSweep>(parsed);
    const SweepParameter wanted =
        parameter.value_or(sweepRead.ports == 2 ? SweepParameter::S21 : SweepParameter::S11);
    const ResonanceResult found = FindResonance(sweepRead, wanted);
    if (const auto* fault = std::get_if<ResonanceError>(&found)) {
        if (offerCoilSweep(path, sweepRead, wanted)) {
            return false;
        }
        show(*platform, kSweepUnusable, english, {path, DescribeResonanceError(*fault, wanted, english)});
        return false;
    }
    const Resonance& r = std::get<Resonance>(found);
    const std::optional<FrequencyFieldTexts> texts =
        FieldTextsFor(r.f0, r.f1, r.f2, static_cast<std::int16_t>(optFreq.selected));
    if (!texts) {
        const ResonanceError outside{ResonanceFault::OutOfRange, r.f0, false, {}, {}, 0};
        show(*platform, kSweepUnusable, english, {path, DescribeResonanceError(outside, wanted, english)});
        return false;
    }

    // As the user would: the unit first, Q wanted, then the three texts through their rules.
    selectOption(&Calculator::optFreq, texts->unitIndex);
    setCheck(&Calculator::chkQaan, kChecked);
    setText(&Calculator::txtFreq, texts->freq);
    setText(&Calculator::txtFres1, texts->f1);
    setText(&Calculator::txtFres2, texts->f2);

    sweep.opened += 1;
    sweep.file = path;
    sweep.parameter = wanted;
    sweep.curve = CurveOf(sweepRead, wanted);
    sweep.found = r;
    sweep.averagedPoints = sweepRead.averagedPoints;
    frmSweep.showSweep(sweep, english);
    return true;
}

}  // namespace kw
