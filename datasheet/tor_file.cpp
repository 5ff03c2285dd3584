#include "datasheet/datasheet.h"

namespace kw {

// TODO(issue 4): toroid data files.
void DataSheet::cmdUitvoer_Click() {}
void DataSheet::cmdInvoer_Click() {}

}  // namespace kw
