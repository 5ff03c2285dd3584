#include "datasheet/datasheet.h"

namespace kw {

// TODO(issue 4): the prefill file.
void DataSheet::cmdVoorVul_Click() {}

}  // namespace kw
