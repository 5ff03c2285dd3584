#include "common/tooltips.h"

#include <gtest/gtest.h>

#include <string_view>

namespace kw {
namespace {

TEST(TooltipsTest, EveryControlNamedHasItsTipInBothLanguagesAndRowsShareTheirColumnsTip) {
    struct Case {
        TipWindow window;
        std::string_view control;
        std::string_view dutch;
        std::string_view english;
    };
    const Case cases[] = {
        {TipWindow::Calculator, "chkLprn", "Vul Regel zet L ook op info regel 8",
         "Fill Line also adds L to info line 8"},
        {TipWindow::Calculator, "txtFres2", "Frequentie van het tweede -3 dB punt",
         "Frequency of the second -3 dB point"},
        {TipWindow::DataSheet, "txtN3", "Windingen", "Turns"},                       // row 3 of column N
        {TipWindow::DataSheet, "txtf13", "Eerste -3 dB punt", "First -3 dB point"},  // f1 of row 3
        {TipWindow::DataSheet, "txtRegel8", "Vrije info regel", "Free info line"},
        {TipWindow::DataSheet, "txtTest1", "Test notitie", "Test note"},
        {TipWindow::Identify, "cmdSluiten", "Sluit dit venster (Esc)", "Close this window (Esc)"},
        {TipWindow::Identify, "cmdOpslaan", "Schrijf de gemeten µ′ en µ″ per frequentie in een CSV-bestand",
         "Write the measured µ′ and µ″ per frequency into a CSV file"},
        {TipWindow::DataSheet, "Image1", "", ""},  // the drawing has none
        {TipWindow::Calculator, "txtN3", "", ""},  // nor has a name of another window
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ControlTip(c.window, c.control, false), c.dutch) << c.control;
        EXPECT_EQ(ControlTip(c.window, c.control, true), c.english) << c.control;
    }
}

}  // namespace
}  // namespace kw
