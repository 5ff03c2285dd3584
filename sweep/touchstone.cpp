#include "sweep/touchstone.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>

#include "common/path_text.h"
#include "common/shared_messages.h"
#include "common/text.h"

namespace kw {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr std::size_t kLongestQuote = 40;  // characters of a word quoted in a message
constexpr std::size_t kOnePortValues = 3;  // a frequency and one pair

enum class Format { MagnitudeAngle, DecibelAngle, RealImaginary };
enum class Matrix { Full, Lower, Upper };

std::string quoted(std::string_view word) {
    if (word.size() <= kLongestQuote) {
        return std::string(word);
    }
    return std::string(word.substr(0, kLongestQuote)) + "...";
}

constexpr std::string_view kBlanks = " \t\v\f";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

void splitWords(std::string_view line, std::vector<std::string_view>& out) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            out.push_back(line.substr(start, i - start));
        }
    }
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    splitWords(line, out);
    return out;
}

// A whole word as a number; "+" in front is allowed, as are "1.", ".5" and "1E-3".
enum class NumberRead { Ok, NotANumber, NotFinite };
NumberRead readNumber(std::string_view word, double& value) {
    std::string_view digits = word;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-') {
            return NumberRead::NotANumber;
        }
    }
    if (digits.empty()) {
        return NumberRead::NotANumber;
    }
    // Letters alone ("inf", "nan") read as numbers by from_chars; a number starts otherwise.
    const char first = digits.front() == '-' && digits.size() > 1 ? digits[1] : digits.front();
    if (!(first == '.' || (first >= '0' && first <= '9'))) {
        return NumberRead::NotANumber;
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (end != digits.data() + digits.size()) {
        return NumberRead::NotANumber;
    }
    if (error == std::errc::result_out_of_range) {
        // Too small (a negative exponent) reads as zero, too large is no measurement.
        const std::size_t e = digits.find_first_of("eE");
        if (e != std::string_view::npos && e + 1 < digits.size() && digits[e + 1] == '-') {
            value = 0.0;
            return NumberRead::Ok;
        }
        return NumberRead::NotFinite;
    }
    if (error != std::errc() || !std::isfinite(value)) {
        return error != std::errc() ? NumberRead::NotANumber : NumberRead::NotFinite;
    }
    return NumberRead::Ok;
}

struct Fail {
    TouchstoneError error;
};

class Reader {
public:
    Reader(std::string_view text, int ports) : text_(text), ports_(ports) {}

    TouchstoneResult run() {
        constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
        if (text_.starts_with(kByteOrderMark)) {
            text_.remove_prefix(kByteOrderMark.size());
        }
        try {
            readLines();
            finish();
        } catch (const Fail& f) {
            return f.error;
        }
        return std::move(sweep_);
    }

private:
    [[noreturn]] void fail(TouchstoneFault fault, std::string detail = {}, int expected = 0) const {
        throw Fail{{lineNo_, fault, std::move(detail), expected}};
    }
    [[noreturn]] void failAt(int line, TouchstoneFault fault, std::string detail = {},
                             int expected = 0) const {
        throw Fail{{line, fault, std::move(detail), expected}};
    }

    double number(std::string_view word) const {
        double value = 0;
        switch (readNumber(word, value)) {
            case NumberRead::Ok:
                return value;
            case NumberRead::NotFinite:
                fail(TouchstoneFault::NotFinite, quoted(word));
            case NumberRead::NotANumber:
                break;
        }
        fail(TouchstoneFault::NotANumber, quoted(word));
    }

    void readLines() {
        std::size_t pos = 0;
        while (pos < text_.size() && !ended_) {
            std::size_t end = text_.find_first_of("\r\n", pos);
            if (end == std::string_view::npos) {
                end = text_.size();
            }
            ++lineNo_;
            readLine(text_.substr(pos, end - pos));
            if (end >= text_.size()) {
                break;
            }
            // CR LF is one line end; a lone CR or LF is one too.
            pos = end + 1;
            if (text_[end] == '\r' && pos < text_.size() && text_[pos] == '\n') {
                ++pos;
            }
        }
        lastLine_ = lineNo_ + 1;
    }

    void readLine(std::string_view raw) {
        std::string_view line = raw.substr(0, raw.find('!'));
        line = Trim(line, kBlanks);
        if (line.empty()) {
            return;
        }
        if (inInformation_) {
            if (UpperAscii(line).starts_with("[END INFORMATION]")) {
                inInformation_ = false;
            }
            return;
        }
        if (line.front() == '#') {
            readOptions(line.substr(1));
            return;
        }
        if (line.front() == '[') {
            readKeyword(line);
            return;
        }
        readData(line);
    }

    void readOptions(std::string_view rest) {
        if (!sweep_.hertz.empty() || !pending_.empty()) {
            fail(TouchstoneFault::LateOptionLine);
        }
        if (optionsSeen_) {
            return;  // only the first option line counts
        }
        optionsSeen_ = true;
        const std::vector<std::string_view> ws = words(rest);
        for (std::size_t i = 0; i < ws.size(); ++i) {
            const std::string w = UpperAscii(ws[i]);
            if (w == "HZ") {
                unit_ = 1.0;
            } else if (w == "KHZ") {
                unit_ = 1e3;
            } else if (w == "MHZ") {
                unit_ = 1e6;
            } else if (w == "GHZ") {
                unit_ = 1e9;
            } else if (w == "S") {
            } else if (w == "Y" || w == "Z" || w == "H" || w == "G") {
                fail(TouchstoneFault::NotSParameters, w);
            } else if (w == "MA") {
                format_ = Format::MagnitudeAngle;
            } else if (w == "DB") {
                format_ = Format::DecibelAngle;
            } else if (w == "RI") {
                format_ = Format::RealImaginary;
            } else if (w == "R") {
                if (i + 1 >= ws.size()) {
                    fail(TouchstoneFault::BadReference, "");
                }
                double r = 0;
                if (readNumber(ws[i + 1], r) != NumberRead::Ok || !(r > 0)) {
                    fail(TouchstoneFault::BadReference, quoted(ws[i + 1]));
                }
                reference_ = r;
                ++i;
            } else {
                fail(TouchstoneFault::BadOption, quoted(ws[i]));
            }
        }
    }

    int positiveInteger(std::string_view value) const {
        double v = 0;
        if (readNumber(value, v) != NumberRead::Ok || v < 1 || v > 1e9 || v != std::floor(v)) {
            fail(TouchstoneFault::BadKeywordValue, quoted(value));
        }
        return static_cast<int>(v);
    }

    void readKeyword(std::string_view line) {
        const std::size_t close = line.find(']');
        if (close == std::string_view::npos) {
            fail(TouchstoneFault::BadKeyword, quoted(line));
        }
        const std::string key = UpperAscii(Trim(line.substr(1, close - 1), kBlanks));
        const std::string_view value = Trim(line.substr(close + 1), kBlanks);
        awaitingReferences_ = 0;
        const bool dataSeen = !sweep_.hertz.empty() || !pending_.empty();
        if (dataSeen && (key == "VERSION" || key == "NUMBER OF PORTS" || key == "TWO-PORT DATA ORDER" ||
                         key == "MATRIX FORMAT" || key == "REFERENCE")) {
            fail(TouchstoneFault::LateKeyword, quoted(line.substr(0, close + 1)));
        }
        if (key == "VERSION") {
            double v = 0;
            if (readNumber(value, v) != NumberRead::Ok || v < 2.0) {
                fail(TouchstoneFault::BadKeywordValue, quoted(value));
            }
            version2_ = true;
        } else if (key == "NUMBER OF PORTS") {
            const int n = positiveInteger(value);
            if (n > 2) {
                fail(TouchstoneFault::UnsupportedPorts, std::to_string(n));
            }
            ports_ = n;
        } else if (key == "TWO-PORT DATA ORDER") {
            const std::string order = UpperAscii(value);
            if (order != "12_21" && order != "21_12") {
                fail(TouchstoneFault::BadKeywordValue, quoted(value));
            }
            order12First_ = order == "12_21";
        } else if (key == "NUMBER OF FREQUENCIES") {
            announced_ = positiveInteger(value);
        } else if (key == "MATRIX FORMAT") {
            const std::string m = UpperAscii(value);
            if (m == "FULL") {
                matrix_ = Matrix::Full;
            } else if (m == "LOWER") {
                matrix_ = Matrix::Lower;
            } else if (m == "UPPER") {
                matrix_ = Matrix::Upper;
            } else {
                fail(TouchstoneFault::UnsupportedMatrix, quoted(value));
            }
        } else if (key == "MIXED-MODE ORDER") {
            fail(TouchstoneFault::UnsupportedMatrix, "Mixed-Mode");
        } else if (key == "REFERENCE") {
            // One resistance per port, on this line or the lines that follow.
            awaitingReferences_ = std::max(ports_, 1);
            readReferences(value);
        } else if (key == "NETWORK DATA") {
            inNetworkData_ = true;
            networkDataSeen_ = true;
        } else if (key == "NOISE DATA") {
            inNetworkData_ = false;
            noise_ = true;
        } else if (key == "END") {
            ended_ = true;
        } else if (key == "BEGIN INFORMATION") {
            inInformation_ = true;
        }
        // Any other keyword ([Number of Noise Frequencies], [End Information], ...) says
        // nothing the sweep needs.
    }

    void readReferences(std::string_view text) {
        for (const std::string_view w : words(text)) {
            if (awaitingReferences_ <= 0) {
                fail(TouchstoneFault::BadKeywordValue, quoted(w));
            }
            double r = 0;
            if (readNumber(w, r) != NumberRead::Ok || !(r > 0)) {
                fail(TouchstoneFault::BadReference, quoted(w));
            }
            if (awaitingReferences_ == std::max(ports_, 1)) {
                reference_ = r;  // port 1
            }
            --awaitingReferences_;
        }
    }

    int valuesPerPoint() const {
        if (ports_ == 1) {
            return 3;
        }
        return matrix_ == Matrix::Full ? 9 : 7;
    }

    void readData(std::string_view line) {
        if (awaitingReferences_ > 0) {
            readReferences(line);
            return;
        }
        if (noise_) {
            return;
        }
        if (version2_ && !inNetworkData_) {
            fail(TouchstoneFault::MissingNetworkData);
        }
        words_.clear();
        splitWords(line, words_);
        const std::vector<std::string_view>& ws = words_;
        if (ports_ == 0) {
            if (ws.size() == 3) {
                ports_ = 1;
            } else if (ws.size() == 9) {
                ports_ = 2;
            } else {
                fail(TouchstoneFault::UnknownPorts, std::to_string(ws.size()));
            }
        }
        if (ports_ > 2) {
            fail(TouchstoneFault::UnsupportedPorts, std::to_string(ports_));
        }
        if (pending_.empty()) {
            // Noise parameters follow a two-port's network data: five values a line, starting
            // at or below the last frequency.
            if (!version2_ && ports_ == 2 && ws.size() == 5 && !sweep_.hertz.empty()) {
                const double f = number(ws[0]) * unit_;
                if (f <= sweep_.hertz.back()) {
                    noise_ = true;
                    return;
                }
            }
            pendingLine_ = lineNo_;
            pendingFirst_ = quoted(ws.front());
        } else if (ports_ == 2 && !version2_ && pending_.size() == kOnePortValues &&
                   ws.size() == kOnePortValues) {
            // A frequency and one pair on each of two lines: one-port data, not a wrapped point.
            failAt(pendingLine_, TouchstoneFault::OnePortInTwoPort);
        }
        for (const std::string_view w : ws) {
            pending_.push_back(number(w));
        }
        const int wanted = valuesPerPoint();
        if (static_cast<int>(pending_.size()) > wanted) {
            failAt(pendingLine_, TouchstoneFault::WrongValueCount, std::to_string(pending_.size()), wanted);
        }
        if (ports_ == 1 && static_cast<int>(pending_.size()) < wanted) {
            failAt(pendingLine_, TouchstoneFault::WrongValueCount, std::to_string(pending_.size()), wanted);
        }
        if (static_cast<int>(pending_.size()) == wanted) {
            takePoint();
        }
    }

    std::complex<double> pair(double a, double b) const {
        switch (format_) {
            case Format::RealImaginary:
                return {a, b};
            case Format::DecibelAngle:
                return std::polar(std::pow(10.0, a / 20.0), b * kDegree);
            case Format::MagnitudeAngle:
                break;
        }
        // A negative magnitude is the same size turned half a circle.
        return a < 0 ? std::polar(-a, b * kDegree + std::numbers::pi) : std::polar(a, b * kDegree);
    }

    // A parameter pair as a complex number; a magnitude too large for a double (1e9 dB) is no
    // measurement.
    std::complex<double> finitePair(std::size_t at) const {
        const std::complex<double> v = pair(pending_[at], pending_[at + 1]);
        if (!std::isfinite(v.real()) || !std::isfinite(v.imag())) {
            char buffer[32];
            const auto r = std::to_chars(buffer, buffer + sizeof buffer, pending_[at]);
            failAt(pendingLine_, TouchstoneFault::NotFinite, std::string(buffer, r.ptr));
        }
        return v;
    }

    void takePoint() {
        const double f = pending_[0] * unit_;
        if (!std::isfinite(f) || f < 0 || (!sweep_.hertz.empty() && f < sweep_.hertz.back())) {
            failAt(pendingLine_, TouchstoneFault::FrequencyNotRising, pendingFirst_);
        }
        if (pointsRead_ >= kMostSweepPoints) {
            failAt(pendingLine_, TouchstoneFault::TooManyPoints, std::to_string(kMostSweepPoints));
        }
        ++pointsRead_;
        const std::complex<double> s11 = finitePair(1);
        const std::complex<double> s21 = ports_ == 2 ? finitePair(s21Position()) : std::complex<double>{};
        if (!sweep_.hertz.empty() && f == sweep_.hertz.back()) {
            // The running mean of the points of this frequency.
            ++sameFrequency_;
            ++sweep_.averagedPoints;
            const double share = 1.0 / static_cast<double>(sameFrequency_);
            sweep_.s11.back() += (s11 - sweep_.s11.back()) * share;
            if (ports_ == 2) {
                sweep_.s21.back() += (s21 - sweep_.s21.back()) * share;
            }
            pending_.clear();
            return;
        }
        sameFrequency_ = 1;
        sweep_.hertz.push_back(f);
        sweep_.s11.push_back(s11);
        if (ports_ == 2) {
            sweep_.s21.push_back(s21);
        }
        pending_.clear();
    }

    // Where S21 stands: version 1 and 21_12 write S11 S21 S12 S22, 12_21 writes S11 S12 S21
    // S22; a lower matrix holds S11 S21 S22, an upper one S11 S12 S22, where S12 stands for S21
    // of a reciprocal network.
    std::size_t s21Position() const { return matrix_ == Matrix::Full && version2_ && order12First_ ? 5 : 3; }

    void finish() {
        if (ports_ == 2 && !version2_ && pending_.size() == kOnePortValues && sweep_.hertz.empty()) {
            failAt(pendingLine_, TouchstoneFault::OnePortInTwoPort);
        }
        if (!pending_.empty()) {
            failAt(pendingLine_, TouchstoneFault::WrongValueCount, std::to_string(pending_.size()),
                   valuesPerPoint());
        }
        if (version2_ && !networkDataSeen_ && sweep_.hertz.empty()) {
            failAt(lastLine_, TouchstoneFault::MissingNetworkData);
        }
        if (sweep_.hertz.empty()) {
            failAt(lastLine_, TouchstoneFault::Empty);
        }
        if (announced_ > 0 && static_cast<std::size_t>(announced_) != pointsRead_) {
            failAt(lastLine_, TouchstoneFault::CountMismatch, std::to_string(pointsRead_), announced_);
        }
        sweep_.ports = ports_;
        sweep_.referenceOhm = reference_;
    }

    std::string_view text_;
    int ports_;
    int lineNo_ = 0;
    int lastLine_ = 1;
    bool ended_ = false;
    bool optionsSeen_ = false;
    double unit_ = 1e9;  // GHz unless the option line says otherwise
    Format format_ = Format::MagnitudeAngle;
    double reference_ = 50.0;
    bool version2_ = false;
    bool order12First_ = false;
    Matrix matrix_ = Matrix::Full;
    int announced_ = 0;
    int awaitingReferences_ = 0;
    bool inNetworkData_ = false;
    bool networkDataSeen_ = false;
    bool inInformation_ = false;
    bool noise_ = false;
    std::vector<double> pending_;
    std::vector<std::string_view> words_;  // of the data line being read, kept for its memory
    int pendingLine_ = 0;
    std::string pendingFirst_;
    std::size_t pointsRead_ = 0;  // written in the file, repeated frequencies counted
    int sameFrequency_ = 0;       // points of the last frequency so far
    TouchstoneSweep sweep_;
};

struct FaultText {
    TouchstoneFault fault;
    BilingualMessage text;  // %1 line, %2 detail, %3 expected
};

constexpr FaultText kFaultTexts[] = {
    {TouchstoneFault::Empty,
     {{{}, "Het bestand bevat geen meetpunten."}, {{}, "The file holds no sweep points."}}},
    {TouchstoneFault::NotANumber,
     {{{}, "Regel %1: \"%2\" is geen getal."}, {{}, "Line %1: \"%2\" is not a number."}}},
    {TouchstoneFault::BadOption,
     {{{},
       "Regel %1: de optieregel bevat \"%2\"; dat is geen frequentie-eenheid (Hz, kHz, MHz, GHz), "
       "parameter (S), formaat (MA, DB, RI) of R met een weerstand."},
      {{},
       "Line %1: the option line holds \"%2\", which is no frequency unit (Hz, kHz, MHz, GHz), "
       "parameter (S), format (MA, DB, RI) or R with a resistance."}}},
    {TouchstoneFault::NotSParameters,
     {{{}, "Regel %1: het bestand bevat %2-parameters; alleen S-parameters kunnen worden gelezen."},
      {{}, "Line %1: the file holds %2 parameters; only S parameters can be read."}}},
    {TouchstoneFault::BadReference,
     {{{}, "Regel %1: de referentieweerstand \"%2\" is geen positief getal."},
      {{}, "Line %1: the reference resistance \"%2\" is not a positive number."}}},
    {TouchstoneFault::UnsupportedPorts,
     {{{},
       "Regel %1: een meting met %2 poorten; alleen een-poort (.s1p) en twee-poort (.s2p) metingen "
       "kunnen worden gelezen."},
      {{}, "Line %1: a sweep of %2 ports; only one-port (.s1p) and two-port (.s2p) sweeps can be read."}}},
    {TouchstoneFault::UnknownPorts,
     {{{}, "Regel %1: %2 waarden passen niet bij een een-poort regel (3) of een twee-poort regel (9)."},
      {{}, "Line %1: %2 values fit neither a one-port line (3) nor a two-port line (9)."}}},
    {TouchstoneFault::WrongValueCount,
     {{{}, "Regel %1: %2 waarden waar een meetpunt er %3 heeft."},
      {{}, "Line %1: %2 values where a sweep point has %3."}}},
    {TouchstoneFault::FrequencyNotRising,
     {{{}, "Regel %1: de frequentie %2 ligt onder de vorige."},
      {{}, "Line %1: the frequency %2 lies below the one before."}}},
    {TouchstoneFault::BadKeyword,
     {{{}, "Regel %1: \"%2\" is geen juist sleutelwoord."}, {{}, "Line %1: \"%2\" is no proper keyword."}}},
    {TouchstoneFault::BadKeywordValue,
     {{{}, "Regel %1: \"%2\" is geen juiste waarde voor dit sleutelwoord."},
      {{}, "Line %1: \"%2\" is no proper value for this keyword."}}},
    {TouchstoneFault::CountMismatch,
     {{{}, "Regel %1: het bestand kondigt %3 frequenties aan maar bevat er %2."},
      {{}, "Line %1: the file announces %3 frequencies but holds %2."}}},
    {TouchstoneFault::UnsupportedMatrix,
     {{{},
       "Regel %1: \"%2\" gegevens kunnen niet worden gelezen; alleen volle, onder- of "
       "bovendriehoeksmatrices van S-parameters."},
      {{}, "Line %1: \"%2\" data cannot be read; only full, lower or upper S-parameter matrices."}}},
    {TouchstoneFault::NotFinite,
     {{{}, "Regel %1: \"%2\" is geen eindig getal."}, {{}, "Line %1: \"%2\" is not a finite number."}}},
    {TouchstoneFault::MissingNetworkData,
     {{{}, "Regel %1: meetgegevens horen na [Network Data] te staan."},
      {{}, "Line %1: sweep data must follow [Network Data]."}}},
    {TouchstoneFault::TooManyPoints,
     {{{}, "Regel %1: meer dan %2 meetpunten."}, {{}, "Line %1: more than %2 sweep points."}}},
    {TouchstoneFault::LateKeyword,
     {{{}, "Regel %1: %2 hoort voor de meetgegevens te staan."},
      {{}, "Line %1: %2 must come before the sweep data."}}},
    {TouchstoneFault::OnePortInTwoPort,
     {{{},
       "Regel %1: het bestand heet een twee-poort meting (.s2p), maar de regels bevatten een-poort gegevens "
       "(een frequentie en een paar). Sla het op als .s1p."},
      {{},
       "Line %1: the file is named as a two-port sweep (.s2p), but its lines hold one-port data (a frequency "
       "and one pair). Save it as .s1p."}}},
    {TouchstoneFault::LateOptionLine,
     {{{}, "Regel %1: de optieregel (#) hoort voor de meetgegevens te staan."},
      {{}, "Line %1: the option line (#) must come before the sweep data."}}},
};

// %1 the points that repeated a frequency.
constexpr BilingualMessage kAveragedPoints = {
    {{}, "%1 punten herhaalden de frequentie ervoor; de punten van elke frequentie zijn gemiddeld tot een."},
    {{},
     "%1 points repeated the frequency before them; the points of each frequency were averaged into one."}};

}  // namespace

int PortsFromFileName(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) {
        return 0;
    }
    const std::string ext = UpperAscii(path.substr(dot + 1));
    if (ext.size() < 3 || ext.front() != 'S' || ext.back() != 'P') {
        return 0;
    }
    int n = 0;
    for (std::size_t i = 1; i + 1 < ext.size(); ++i) {
        if (ext[i] < '0' || ext[i] > '9' || n > 1000) {
            return 0;
        }
        n = n * 10 + (ext[i] - '0');
    }
    return n;
}

TouchstoneResult ReadTouchstone(std::string_view text, int ports) {
    return Reader(text, ports).run();
}

std::string DescribeTouchstoneError(const TouchstoneError& error, bool english) {
    for (const FaultText& t : kFaultTexts) {
        if (t.fault == error.fault) {
            return t.text.text(english,
                               {std::to_string(error.line), error.detail, std::to_string(error.expected)});
        }
    }
    return {};
}

std::string DescribeAveragedPoints(int averagedPoints, bool english) {
    if (averagedPoints <= 0) {
        return {};
    }
    return kAveragedPoints.text(english, {std::to_string(averagedPoints)});
}

}  // namespace kw
