#pragma once

// Every text field of a data sheet, reached directly and in the order of
// DataSheet::textFieldNames(): the fuzz checks visit them all on every run, too often to look
// each up by its name.

#include <array>
#include <string>
#include <type_traits>

#include "datasheet/datasheet.h"

namespace kw::fuzz {

inline constexpr std::size_t kSheetTexts = 14 + kMeasurementLines * kLineFields + kInfoLines;

template <typename Sheet,
          typename Text = std::conditional_t<std::is_const_v<Sheet>, const std::string, std::string>>
std::array<Text*, kSheetTexts> sheetTexts(Sheet& s) {
    std::array<Text*, kSheetTexts> texts{&s.txtDD,     &s.txtMM,    &s.txtJJ,    &s.txtTest1, &s.txtFabr1,
                                         &s.txtFabr2,  &s.txtType1, &s.txtType2, &s.txtType3, &s.txtBuiten,
                                         &s.txtBinnen, &s.txtHoog,  &s.txtRi,    &s.txtMu};
    std::size_t i = 14;
    for (auto& line : s.lines) {
        for (auto& text : line) {
            texts[i++] = &text;
        }
    }
    for (auto& text : s.txtRegel) {
        texts[i++] = &text;
    }
    return texts;
}

}  // namespace kw::fuzz
