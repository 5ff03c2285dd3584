#include "sweep/touchstone.h"

#include <gtest/gtest.h>

#include <complex>
#include <string>
#include <vector>

namespace kw {
namespace {

using C = std::complex<double>;

struct GoodFile {
    const char* what;
    std::string text;
    int ports;  // from the file name
    int portsRead;
    double reference;
    std::vector<double> hertz;
    std::vector<C> s11;
    std::vector<C> s21;
};

// 0.5 at 0 degrees is -6.0206 dB; 1 at 90 degrees is j.
const GoodFile kGoodFiles[] = {
    {"one-port, MHz, magnitude and angle",
     "# MHz S MA R 50\n1 0.5 0\n2 1 90\n",
     1,
     1,
     50,
     {1e6, 2e6},
     {C(0.5, 0), C(0, 1)},
     {}},
    {"comments, tabs, form feeds, CR LF, kHz, real and imaginary; a second option line counts for nothing",
     "! analyser\r\n#\tkHz\ts RI\tR 75 ! options\r\n# MHz S MA R 50\r\n\r\n10\t0.1\v-0.2 ! first\r\n20\f0 0\r\n",
     1,
     1,
     75,
     {1e4, 2e4},
     {C(0.1, -0.2), C(0, 0)},
     {}},
    {"below one hertz", "# Hz S RI\n0.5 0.1 0\n", 1, 1, 50, {0.5}, {C(0.1, 0)}, {}},
    {"zero hertz, a number too small for a double as zero, lone CR line ends",
     "# Hz S RI\r0 1e-400 0\r1 0.5 -1E-400\r",
     1,
     1,
     50,
     {0, 1},
     {C(0, 0), C(0.5, 0)},
     {}},
    {"no option line: GHz, magnitude and angle", "1.5 0.25 180\n", 1, 1, 50, {1.5e9}, {C(-0.25, 0)}, {}},
    {"a UTF-8 byte-order mark, a negative magnitude as half a turn",
     "\xEF\xBB\xBF# MHz S MA\n1 -0.5 90\n",
     1,
     1,
     50,
     {1e6},
     {C(0, -0.5)},
     {}},
    {"repeated frequencies averaged into one point",
     "# MHz S RI\n1 0.1 0\n1 0.3 0.2\n1 0.2 0.1\n2 0 0\n",
     1,
     1,
     50,
     {1e6, 2e6},
     {C(0.2, 0.1), C(0, 0)},
     {}},
    {"two-port in dB, a point wrapped over two lines",
     "# GHz S DB R 50\n0.1 -6.0206 0 0 180\n  -40 0 -6.0206 0\n0.2 0 90 -6.0206 -90 -40 0 0 0\n",
     2,
     2,
     50,
     {1e8, 2e8},
     {C(0.5, 0), C(0, 1)},
     {C(-1, 0), C(0, -0.5)}},
    {"port count from the first line, noise data after the network data",
     "# Hz S RI\n1 0 0 0.5 0 0 0 0 0\n2 0 0 0.25 0 0 0 0 0\n1 1 2 3 4\n2 1 2 3 4\n",
     0,
     2,
     50,
     {1, 2},
     {C(0, 0), C(0, 0)},
     {C(0.5, 0), C(0.25, 0)}},
    {"noise data starting at the last frequency; a wrapped point's first line of five values",
     "# Hz S RI\n1 0 0 0.5 0 0 0 0 0\n2 0 0 0.25 0\n0 0 0 0\n2 1 2 3 4\n3 1 2 3 4\n",
     2,
     2,
     50,
     {1, 2},
     {C(0, 0), C(0, 0)},
     {C(0.5, 0), C(0.25, 0)}},
    {"version 2, 12_21 order, references on the next line, an information block",
     "[Version] 2.0\n# Hz S RI R 50\n[Number of Ports] 2\n[Two-Port Data Order] 12_21\n"
     "[Number of Frequencies] 2\n[Reference]\n75 50\n[Begin Information]\nanything\n[End Information]\n"
     "[Network Data]\n1 0.1 0 9 9 0.5 0 9 9\n2 0.2 0 9 9 0.25 0 9 9\n[End]\n3 garbage\n",
     2,
     2,
     75,
     {1, 2},
     {C(0.1, 0), C(0.2, 0)},
     {C(0.5, 0), C(0.25, 0)}},
    {"version 2, one port, its reference on the keyword's line, a number without its leading zero",
     "[Version] 2.0\n# MHz S RI\n[Number of Ports] 1\n[Reference] 60\n[Network Data]\n1 -.5 +.25\n[End]\n",
     1,
     1,
     60,
     {1e6},
     {C(-0.5, 0.25)},
     {}},
    {"version 2, lower matrix, noise data ends the network data",
     "[Version] 2.1\n# MHz S RI\n[Number of Ports] 2\n[Two-Port Data Order] 21_12\n[Matrix Format] Lower\n"
     "[Network Data]\n1 0 0 0.5 0 0 0\n[Noise Data]\n1 2 3 4 5\n[End]\n",
     0,
     2,
     50,
     {1e6},
     {C(0, 0)},
     {C(0.5, 0)}},
};

TEST(TouchstoneTest, ReadsEveryLayoutAnAnalyserWrites) {
    for (const GoodFile& f : kGoodFiles) {
        const TouchstoneResult result = ReadTouchstone(f.text, f.ports);
        ASSERT_TRUE(std::holds_alternative<TouchstoneSweep>(result))
            << f.what << ": " << DescribeTouchstoneError(std::get<TouchstoneError>(result), true);
        const TouchstoneSweep& s = std::get<TouchstoneSweep>(result);
        EXPECT_EQ(s.ports, f.portsRead) << f.what;
        EXPECT_EQ(s.referenceOhm, f.reference) << f.what;
        EXPECT_EQ(s.hertz, f.hertz) << f.what;
        ASSERT_EQ(s.s11.size(), f.s11.size()) << f.what;
        ASSERT_EQ(s.s21.size(), f.s21.size()) << f.what;
        for (std::size_t i = 0; i < f.s11.size(); ++i) {
            EXPECT_NEAR(std::abs(s.s11[i] - f.s11[i]), 0.0, 1e-5) << f.what << " S11 " << i;
        }
        for (std::size_t i = 0; i < f.s21.size(); ++i) {
            EXPECT_NEAR(std::abs(s.s21[i] - f.s21[i]), 0.0, 1e-5) << f.what << " S21 " << i;
        }
    }
}

struct BadFile {
    std::string text;
    int ports;
    TouchstoneError error;
};

const BadFile kBadFiles[] = {
    {"# MHz S MA\n1 0.5\n", 1, {2, TouchstoneFault::WrongValueCount, "2", 3}},
    {"# MHz S MA\n\n1 0.5 x\n", 1, {3, TouchstoneFault::NotANumber, "x", 0}},
    {"1 0 nan\n", 1, {1, TouchstoneFault::NotANumber, "nan", 0}},
    {"# MHz S DB\n1 7000 0\n", 1, {2, TouchstoneFault::NotFinite, "7000", 0}},  // 10^350, beyond a double
    {"1 0 1e999\n", 1, {1, TouchstoneFault::NotFinite, "1e999", 0}},
    {"# MHz Z MA\n", 1, {1, TouchstoneFault::NotSParameters, "Z", 0}},
    {"# MHz S XX\n", 1, {1, TouchstoneFault::BadOption, "XX", 0}},
    {"# MHz S MA R -5\n", 1, {1, TouchstoneFault::BadReference, "-5", 0}},
    {"2 0 0\n1 0 0\n", 1, {2, TouchstoneFault::FrequencyNotRising, "1", 0}},
    {"# MHz S RI\n1 0.1 0\n2 0.2 0\n3 0.3 0\n", 2, {2, TouchstoneFault::OnePortInTwoPort, "", 0}},
    {"# MHz S RI\n1 0.1 0\n", 2, {2, TouchstoneFault::OnePortInTwoPort, "", 0}},
    {"1 0.1 0\n# MHz S RI\n", 1, {2, TouchstoneFault::LateOptionLine, "", 0}},
    {"1 0 0 0 0\n# MHz S RI\n", 2, {2, TouchstoneFault::LateOptionLine, "", 0}},  // within a point
    {"! nothing\n", 1, {2, TouchstoneFault::Empty, "", 0}},
    {"1 2 3 4\n", 0, {1, TouchstoneFault::UnknownPorts, "4", 0}},
    {"1 0 0 0 0\n", 2, {1, TouchstoneFault::WrongValueCount, "5", 9}},
    {"1 0 0 0 0 0 0 0 0 0 0\n", 2, {1, TouchstoneFault::WrongValueCount, "11", 9}},
    {"1 0 0\n", 3, {1, TouchstoneFault::UnsupportedPorts, "3", 0}},
    {"[Version] 2.0\n[Number of Ports] 4\n", 0, {2, TouchstoneFault::UnsupportedPorts, "4", 0}},
    {"[Version] 2.0\n1 0 0\n", 1, {2, TouchstoneFault::MissingNetworkData, "", 0}},
    {"[Version] 2.0\n[Number of Frequencies] 3\n[Network Data]\n1 0 0\n2 0 0\n[End]\n",
     1,
     {7, TouchstoneFault::CountMismatch, "2", 3}},
    {"[Version] 2.0\n[Two-Port Data Order] 13_31\n", 2, {2, TouchstoneFault::BadKeywordValue, "13_31", 0}},
    {"[Version] 2.0\n[Mixed-Mode Order] D2,1 C2,1\n",
     2,
     {2, TouchstoneFault::UnsupportedMatrix, "Mixed-Mode", 0}},
    {"[Version\n", 1, {1, TouchstoneFault::BadKeyword, "[Version", 0}},
    {"[Version] 1.1\n", 1, {1, TouchstoneFault::BadKeywordValue, "1.1", 0}},
    {"[Number of Frequencies] 0\n", 1, {1, TouchstoneFault::BadKeywordValue, "0", 0}},
    {"[Reference] 50 75\n", 1, {1, TouchstoneFault::BadKeywordValue, "75", 0}},
    {"# MHz S MA R\n", 1, {1, TouchstoneFault::BadReference, "", 0}},
    {"+-1 0 0\n", 1, {1, TouchstoneFault::NotANumber, "+-1", 0}},
    {"-1 0 0\n", 1, {1, TouchstoneFault::FrequencyNotRising, "-1", 0}},
    // A word is quoted up to 40 characters.
    {"1 0 " + std::string(40, 'x') + "\n", 1, {1, TouchstoneFault::NotANumber, std::string(40, 'x'), 0}},
    {"1 0 " + std::string(41, 'x') + "\n", 1, {1, TouchstoneFault::NotANumber, std::string(40, 'x') + "...", 0}},
    {"1 0 0\n[Number of Ports] 2\n", 1, {2, TouchstoneFault::LateKeyword, "[Number of Ports]", 0}},
    {"1 0 0\n[Matrix Format] Full\n", 1, {2, TouchstoneFault::LateKeyword, "[Matrix Format]", 0}},
    {"1 0 0\n[Reference] 50\n", 1, {2, TouchstoneFault::LateKeyword, "[Reference]", 0}},
    {"[Version] 2.0\n# MHz S RI\n", 1, {3, TouchstoneFault::MissingNetworkData, "", 0}},
};

TEST(TouchstoneTest, RefusesABadFileNamingTheLineAndTheFault) {
    for (const BadFile& f : kBadFiles) {
        const TouchstoneResult result = ReadTouchstone(f.text, f.ports);
        ASSERT_TRUE(std::holds_alternative<TouchstoneError>(result)) << f.text;
        EXPECT_EQ(std::get<TouchstoneError>(result), f.error) << f.text;
    }
}

TEST(TouchstoneTest, SaysWhatWasWrongInBothLanguages) {
    const TouchstoneError error{3, TouchstoneFault::WrongValueCount, "2", 3};
    EXPECT_EQ(DescribeTouchstoneError(error, true), "Line 3: 2 values where a sweep point has 3.");
    EXPECT_EQ(DescribeTouchstoneError(error, false), "Regel 3: 2 waarden waar een meetpunt er 3 heeft.");
    const TouchstoneError word{2, TouchstoneFault::NotANumber, "x", 0};
    EXPECT_EQ(DescribeTouchstoneError(word, true), "Line 2: \"x\" is not a number.");
    EXPECT_EQ(DescribeTouchstoneError(word, false), "Regel 2: \"x\" is geen getal.");
}

TEST(TouchstoneTest, AveragedPointsAreSaidOnce) {
    const TouchstoneResult r = ReadTouchstone("# MHz S RI\n1 0.1 0\n1 0.3 0.2\n1 0.2 0.1\n2 0 0\n2 0 0\n", 1);
    ASSERT_TRUE(std::holds_alternative<TouchstoneSweep>(r));
    EXPECT_EQ(std::get<TouchstoneSweep>(r).averagedPoints, 3);
    EXPECT_EQ(
        DescribeAveragedPoints(3, true),
        "3 points repeated the frequency before them; the points of each frequency were averaged into one.");
    EXPECT_EQ(DescribeAveragedPoints(0, false), "");
    const TouchstoneError late{4, TouchstoneFault::LateOptionLine, "", 0};
    EXPECT_EQ(DescribeTouchstoneError(late, true),
              "Line 4: the option line (#) must come before the sweep data.");
}

TEST(TouchstoneTest, PortCountComesFromTheExtension) {
    const std::pair<const char*, int> cases[] = {
        {"/a/tank.s1p", 1}, {"C:\\m\\TANK.S2P", 2}, {"x.s12p", 12}, {"x.txt", 0}, {"x.sp", 0}, {"noext", 0},
        {"x.s1234567p", 0}};
    for (const auto& [name, ports] : cases) {
        EXPECT_EQ(PortsFromFileName(name), ports) << name;
    }
}

}  // namespace
}  // namespace kw
