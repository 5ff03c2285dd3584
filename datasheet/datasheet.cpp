#include "datasheet/datasheet.h"

namespace kw {

// TODO(issue 3): the data sheet record and its window.
std::string* DataSheet::field(std::string_view) { return nullptr; }
const std::string* DataSheet::field(std::string_view) const { return nullptr; }
const std::vector<std::string>& DataSheet::textFieldNames() { static const std::vector<std::string> names; return names; }
bool DataSheet::confirm() { return false; }
void DataSheet::selectLanguage(std::int16_t index) { optLANG.selected = index; }
void DataSheet::Form_Load() {}
void DataSheet::cmdDatum_Click() {}
void DataSheet::cmdWisM_Click() {}
void DataSheet::cmdWis_Click() {}
void DataSheet::cmdMap_Click() {}
void DataSheet::optLANG_Click(std::int16_t) {}
std::array<MeasurementLine, kMeasurementLines> DataSheet::placeholderLines() { return {}; }
DataSheet& DataSheetForm::create() { sheet_.emplace(); sheet_->platform = platform_; sheet_->files = files_; sheet_->Form_Load(); return *sheet_; }
DataSheet& DataSheetForm::show() { DataSheet& s = sheet_ ? *sheet_ : create(); visible_ = true; return s; }
DataSheet& DataSheetForm::getHidden() { return sheet_ ? *sheet_ : create(); }
void DataSheetForm::unload() { sheet_.reset(); visible_ = false; }
void DataSheetForm::cmdSluiten_Click() {}

}  // namespace kw
