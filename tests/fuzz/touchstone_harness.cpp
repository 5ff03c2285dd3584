// A sweep file from the fuzzer: the first byte picks the port count the file name would give
// and the parameter, the rest is the file. It is read whole or refused with a line that
// exists; what is read is a proper sweep; a resonance found lies inside it with f1 < f0 < f2;
// and opening it into the Calculator either fills the three frequencies so that Calculate
// gets the found Q from them, or shows one message and changes nothing.

#include <cmath>
#include <string>

#include "calculator/calculator.h"
#include "calculator/number_input.h"
#include "sweep/field_texts.h"
#include "sweep/resonance.h"
#include "sweep/touchstone.h"
#include "tests/fuzz/harness.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"

namespace kw::fuzz {

namespace {

int lineCount(std::string_view text) {
    int lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++lines;
        }
    }
    return lines + 1;
}

Finding checkSweep(const TouchstoneSweep& s) {
    if (s.ports != 1 && s.ports != 2) {
        return "a sweep of " + std::to_string(s.ports) + " ports";
    }
    if (s.hertz.empty() || s.s11.size() != s.hertz.size() ||
        s.s21.size() != (s.ports == 2 ? s.hertz.size() : 0)) {
        return "the parameters do not match the frequencies";
    }
    if (!(s.referenceOhm > 0) || !std::isfinite(s.referenceOhm)) {
        return "a reference resistance of " + std::to_string(s.referenceOhm);
    }
    for (std::size_t i = 0; i < s.hertz.size(); ++i) {
        if (!std::isfinite(s.hertz[i]) || s.hertz[i] < 0 || (i > 0 && !(s.hertz[i] > s.hertz[i - 1]))) {
            return "the frequencies do not rise";
        }
        if (!std::isfinite(std::abs(s.s11[i])) || (s.ports == 2 && !std::isfinite(std::abs(s.s21[i])))) {
            return "a parameter is not finite";
        }
    }
    return std::nullopt;
}

Finding checkResonance(const TouchstoneSweep& s, const ResonanceResult& found, SweepParameter parameter) {
    if (const auto* e = std::get_if<ResonanceError>(&found)) {
        if (DescribeResonanceError(*e, parameter, true).empty() ||
            DescribeResonanceError(*e, parameter, false).empty()) {
            return "a resonance fault without words";
        }
        return std::nullopt;
    }
    const Resonance& r = std::get<Resonance>(found);
    if (!(std::isfinite(r.f1) && std::isfinite(r.f2) && std::isfinite(r.q) && std::isfinite(r.peak))) {
        return "a resonance that is not finite";
    }
    if (!(r.f1 < r.f0 && r.f0 < r.f2) || r.f0 < s.hertz.front() || r.f0 > s.hertz.back()) {
        return "a resonance outside its -3 dB points or the sweep";
    }
    if (r.fitted && std::fabs(r.f0 / (r.f2 - r.f1) - r.q) > 1e-6 * r.q) {
        return "a fitted Q that differs from f0 / (f2 - f1)";
    }
    return std::nullopt;
}

}  // namespace

Finding touchstoneSweep(std::string_view bytes) {
    const std::uint8_t choice = bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes.front());
    const std::string_view text = bytes.empty() ? bytes : bytes.substr(1);
    const int ports = choice % 3;
    const TouchstoneResult read = ReadTouchstone(text, ports);
    if (!(read == ReadTouchstone(text, ports))) {
        return "reading twice gave different results";
    }
    if (const auto* e = std::get_if<TouchstoneError>(&read)) {
        if (e->line < 1 || e->line > lineCount(text) + 1) {
            return "a fault on line " + std::to_string(e->line) + " of " + std::to_string(lineCount(text));
        }
        if (DescribeTouchstoneError(*e, true).empty() || DescribeTouchstoneError(*e, false).empty()) {
            return "a file fault without words";
        }
    } else {
        const TouchstoneSweep& s = std::get<TouchstoneSweep>(read);
        if (Finding f = checkSweep(s)) {
            return f;
        }
        for (const SweepParameter p : {SweepParameter::S21, SweepParameter::S11}) {
            if (Finding f = checkResonance(s, FindResonance(s, p), p)) {
                return f;
            }
        }
    }

    // The same file dropped onto the Calculator.
    const std::string path = ports == 2 ? "/m/sweep.s2p" : ports == 1 ? "/m/sweep.s1p" : "/m/sweep.txt";
    test::FakeFileSystem disk;
    disk.files[path] = std::string(text);
    test::FakePlatform platform;
    Calculator calc;
    calc.platform = &platform;
    calc.files = &disk;
    calc.Form_Load();
    platform.beeps = 0;
    const Calculator before = calc;
    const bool opened =
        calc.openSweep(path, choice & 0x80 ? std::optional(SweepParameter::S11) : std::nullopt);
    if (!opened) {
        if (platform.shown.size() != 1 || !(calc == before)) {
            return "a refused sweep changed the Calculator or did not say why once (" +
                   std::to_string(platform.shown.size()) + " messages)";
        }
        return std::nullopt;
    }
    if (!platform.shown.empty() || platform.beeps != 0) {
        return "an opened sweep showed a message or beeped";
    }
    calc.cmdBereken_Click();
    // The ballast may not fit so high a Q (FOUT3, FOUT4); the frequencies themselves must pass.
    if (!platform.shown.empty() && platform.lastMessage().title != "FOUT3!" &&
        platform.lastMessage().title != "FOUT4!") {
        return "Calculate refused the frequencies of a sweep: " + platform.lastMessage().text;
    }
    if (std::fabs(calc.QRLC - calc.sweep.found.q) > 1e-3 * calc.sweep.found.q) {
        return "Calculate gets Q " + std::to_string(calc.QRLC) + " from the texts, the sweep " +
               std::to_string(calc.sweep.found.q);
    }
    return std::nullopt;
}

}  // namespace kw::fuzz
