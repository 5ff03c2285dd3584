#include "datasheet/datasheet.h"

#include <utility>

namespace kw {

namespace {

using HeaderMember = std::string DataSheet::*;

struct HeaderField {
    std::string_view name;
    HeaderMember member;
};

// Header fields in the order the sheet lists them.
constexpr HeaderField kHeaderFields[] = {
    {"txtDD", &DataSheet::txtDD},         {"txtMM", &DataSheet::txtMM},
    {"txtJJ", &DataSheet::txtJJ},         {"txtTest1", &DataSheet::txtTest1},
    {"txtFabr1", &DataSheet::txtFabr1},   {"txtFabr2", &DataSheet::txtFabr2},
    {"txtType1", &DataSheet::txtType1},   {"txtType2", &DataSheet::txtType2},
    {"txtType3", &DataSheet::txtType3},   {"txtBuiten", &DataSheet::txtBuiten},
    {"txtBinnen", &DataSheet::txtBinnen}, {"txtHoog", &DataSheet::txtHoog},
    {"txtRi", &DataSheet::txtRi},         {"txtMu", &DataSheet::txtMu},
};

constexpr std::string_view kRegelStem = "txtRegel";

// The line number at the end of a control name that starts with stem, or 0.
int numberAfter(std::string_view name, std::string_view stem, int max) {
    if (name.size() != stem.size() + 1 || name.substr(0, stem.size()) != stem) {
        return 0;
    }
    const int k = name.back() - '0';
    return k >= 1 && k <= max ? k : 0;
}

}  // namespace

std::array<MeasurementLine, kMeasurementLines> DataSheet::placeholderLines() {
    std::array<MeasurementLine, kMeasurementLines> result;
    for (int k = 1; k <= kMeasurementLines; ++k) {
        for (int f = 0; f < kLineFields; ++f) {
            // The placeholder is the control name without "txt".
            result[k - 1][f] = std::string(kLineFieldStems[f].substr(3)) + std::to_string(k);
        }
    }
    return result;
}

std::string* DataSheet::field(std::string_view controlName) {
    return const_cast<std::string*>(std::as_const(*this).field(controlName));
}

const std::string* DataSheet::field(std::string_view controlName) const {
    for (const auto& h : kHeaderFields) {
        if (h.name == controlName) {
            return &(this->*h.member);
        }
    }
    if (const int k = numberAfter(controlName, kRegelStem, kInfoLines)) {
        return &regel(k);
    }
    for (int f = 0; f < kLineFields; ++f) {
        if (const int k = numberAfter(controlName, kLineFieldStems[f], kMeasurementLines)) {
            return &line(k, static_cast<LineField>(f));
        }
    }
    return nullptr;
}

const std::vector<std::string>& DataSheet::textFieldNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto& h : kHeaderFields) {
            all.emplace_back(h.name);
        }
        for (int k = 1; k <= kMeasurementLines; ++k) {
            for (const auto stem : kLineFieldStems) {
                all.push_back(std::string(stem) + std::to_string(k));
            }
        }
        for (int k = 1; k <= kInfoLines; ++k) {
            all.push_back(std::string(kRegelStem) + std::to_string(k));
        }
        return all;
    }();
    return names;
}

// TODO(issue 3): the data sheet's own operations.
bool DataSheet::confirm() { return false; }
void DataSheet::selectLanguage(std::int16_t index) { optLANG.selected = index; }
void DataSheet::Form_Load() {}
void DataSheet::cmdDatum_Click() {}
void DataSheet::cmdWisM_Click() {}
void DataSheet::cmdWis_Click() {}
void DataSheet::cmdMap_Click() {}
void DataSheet::optLANG_Click(std::int16_t) {}

DataSheet& DataSheetForm::create() {
    sheet_.emplace();
    sheet_->platform = platform_;
    sheet_->files = files_;
    visible_ = false;
    sheet_->Form_Load();
    return *sheet_;
}

DataSheet& DataSheetForm::show() {
    DataSheet& sheet = sheet_ ? *sheet_ : create();
    visible_ = true;
    return sheet;
}

DataSheet& DataSheetForm::getHidden() { return sheet_ ? *sheet_ : create(); }

void DataSheetForm::unload() {
    sheet_.reset();
    visible_ = false;
}

void DataSheetForm::cmdSluiten_Click() {}

}  // namespace kw
