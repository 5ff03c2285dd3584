#include "datasheet/datasheet.h"

namespace kw {

// TODO(issue 5): PostScript and CSV export.
void DataSheet::cmdExport_Click() {}

}  // namespace kw
