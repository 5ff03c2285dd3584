#include <gtest/gtest.h>

#include <string>

#include "calculator/calculator.h"
#include "calculator/number_input.h"
#include "tests/support/calculator_fixture.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/coil_sweep.h"
#include "tests/support/ideal_tank.h"

namespace kw {
namespace {

class SweepOpenTest : public test::CalculatorFixture {
protected:
    void SetUp() override {
        CalculatorFixture::SetUp();
        calc.files = &disk;
    }
    // A fresh Calculator after start-up, for the next case of a table.
    void restart() {
        platform = test::FakePlatform{};
        disk = test::FakeFileSystem{};
        calc = Calculator{};
        SetUp();
    }
    test::FakeFileSystem disk;
};

TEST_F(SweepOpenTest, ASweepSetsTheThreeFrequenciesAsTypingWouldAndCalculateAgrees) {
    struct Case {
        test::IdealTank tank;
        bool transmission;
        std::int16_t unitBefore;
        std::int16_t unitAfter;
    };
    const Case cases[] = {
        {{.f0 = 10e6, .q = 50}, true, 0, 0},                    // 10000 kHz fits
        {{.f0 = 60e6, .q = 100}, true, 0, 1},                   // 60000 kHz does not
        {{.f0 = 455e3, .q = 80, .noiseDb = 0.05}, true, 1, 1},  // 0.455 MHz fits
        {{.f0 = 3.5e6, .q = 120, .resistance = 300, .noiseDb = 0.05}, false, 1, 1},
    };
    for (const Case& c : cases) {
        restart();
        calc.selectOption(&Calculator::optFreq, c.unitBefore);
        calc.setCheck(&Calculator::chkQaan, 0);  // the sweep brings the -3 dB points back
        const std::string path = c.transmission ? "/m/tank.s2p" : "/m/tank.s1p";
        disk.files[path] = test::idealTankSweep(c.tank, c.transmission);

        calc.Form_DragDrop(path);
        ASSERT_TRUE(platform.shown.empty()) << platform.lastMessage().text;
        EXPECT_EQ(calc.optFreq.selected, c.unitAfter);
        EXPECT_EQ(calc.chkQaan.value, 1);
        EXPECT_TRUE(calc.txtFres1.enabled);
        EXPECT_EQ(calc.sweep.opened, 1);
        EXPECT_EQ(calc.sweep.file, path);
        const Resonance& found = calc.sweep.found;
        EXPECT_NEAR(found.f0 / c.tank.f0, 1.0, 1e-3);
        // Frequencies as read by the change rules, in the unit shown.
        const double unit = c.unitAfter == 1 ? 1e6 : 1e3;
        EXPECT_EQ(calc.Faantal, DecimalValue(calc.txtFreq.text));
        EXPECT_NEAR(calc.Faantal * unit / found.f0, 1.0, 1e-6);

        calc.cmdBereken_Click();
        EXPECT_TRUE(platform.shown.empty());
        EXPECT_NEAR(calc.QRLC / found.q, 1.0, 1e-3);
    }
}

TEST_F(SweepOpenTest, AFileThatCannotBeUsedChangesNothingAndSaysWhy) {
    struct Case {
        std::string path;
        std::string bytes;  // empty: no such file
        std::string english;
    };
    const Case cases[] = {
        {"/m/gone.s2p", "", "The file could not be read:\r/m/gone.s2p\rNo such file or directory\r"},
        {"/m/bad.s1p", "# MHz S MA\n1 0.5 0\n2 x 0\n",
         "The sweep could not be used:\r/m/bad.s1p\rLine 3: \"x\" is not a number."},
        {"/m/edge.s2p", "# MHz S RI\n1 0 0 1 0 0 0 0 0\n2 0 0 0.9 0 0 0 0 0\n3 0 0 0.1 0 0 0 0 0\n",
         "The sweep could not be used:\r/m/edge.s2p\rNo whole peak: below the highest point (1 MHz) |S21| "
         "does not fall 3 dB before the sweep starts. Start the sweep lower."},
        // Above 50000 MHz and below 0.01 kHz the fields cannot hold the frequencies.
        {"/m/high.s2p", test::idealTankSweep({.f0 = 60e9, .q = 50}, true),
         "The sweep could not be used:\r/m/high.s2p\rThe resonance at 60000 MHz lies outside the "
         "frequencies the Calculator takes (0.01 kHz to 50000 MHz)."},
        {"/m/low.s2p", test::idealTankSweep({.f0 = 5, .q = 50}, true),
         "The sweep could not be used:\r/m/low.s2p\rThe resonance at 5e-06 MHz lies outside the "
         "frequencies the Calculator takes (0.01 kHz to 50000 MHz)."},
        // 50000 MHz itself fits, but its upper -3 dB point does not.
        {"/m/top.s2p", test::idealTankSweep({.f0 = 50e9, .q = 50}, true),
         "The sweep could not be used:\r/m/top.s2p\rThe resonance at 50000 MHz lies outside the "
         "frequencies the Calculator takes (0.01 kHz to 50000 MHz)."},
    };
    for (const Case& c : cases) {
        restart();
        calc.optLANG_Click(1);
        if (!c.bytes.empty()) {
            disk.files[c.path] = c.bytes;
        }
        const Calculator before = calc;
        EXPECT_FALSE(calc.openSweep(c.path));
        EXPECT_EQ(calc, before);
        ASSERT_EQ(platform.shown.size(), 1u);
        EXPECT_EQ(platform.lastMessage(),
                  (MessageBox{"Error !", c.english, MsgIcon::Critical, MsgButtons::Ok, false}))
            << platform.lastMessage().text;
    }
}

TEST_F(SweepOpenTest, TheButtonAsksForASweepAndACancelChangesNothing) {
    const Calculator before = calc;
    calc.cmdSweep_Click();
    ASSERT_EQ(platform.openDialogs.size(), 1u);
    EXPECT_EQ(platform.openDialogs[0].title, "Meting openen");
    EXPECT_EQ(platform.openDialogs[0].filter, "Touchstone meting|*.s1p;*.s2p;*.S1P;*.S2P|Alle bestanden|*");
    EXPECT_EQ(calc, before);
    EXPECT_TRUE(platform.shown.empty());
}

// One turn on a T-68 of µ 10: inductive from 100 kHz to 200 MHz, no resonance to fill in.
TEST_F(SweepOpenTest, ACoilAloneIsOfferedToTheIdentifyWindow) {
    test::CoilOnCore coil;
    coil.mu = [](double) { return std::complex<double>(10, -0.1); };
    coil.l0 = 6e-10;
    coil.noise = 0;
    const std::string text = test::coilSweepText(test::coilSweep(coil));
    for (const MsgAnswer answer : {MsgAnswer::Ok, MsgAnswer::Cancel}) {
        restart();
        calc.optLANG_Click(1);
        disk.files["/m/coil.s1p"] = text;
        platform.answers.push_back(answer);
        const Calculator before = calc;
        EXPECT_FALSE(calc.openSweep("/m/coil.s1p"));
        ASSERT_EQ(platform.shown.size(), 1u);
        EXPECT_EQ(platform.lastMessage(),
                  (MessageBox{"Sweep",
                              "coil.s1p has no resonance: the impedance stays inductive from 0.1 to 200 MHz.\r"
                              "This looks like a sweep of the coil alone, without a capacitor.\r"
                              "Open it in µ? to read the core's µ′ and µ″?",
                              MsgIcon::Question, MsgButtons::OkCancel, false}));
        // Nothing of the Calculator changes; Ok hands the file on.
        Calculator expected = before;
        if (answer == MsgAnswer::Ok) {
            expected.coilSweepFile = "/m/coil.s1p";
            expected.coilSweepsOffered = 1;
        }
        EXPECT_EQ(calc, expected);
    }
}

}  // namespace
}  // namespace kw
