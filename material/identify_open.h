#pragma once

// Opening the identify window, from the sheet's µ? button or with a coil-alone sweep the
// Calculator hands over: what both parts of the window show before the toolkit shows it.

#include "common/file_system.h"
#include "datasheet/datasheet.h"
#include "material/identify_core.h"
#include "material/identify_sweep.h"

namespace kw {

// The catalogue read afresh from the sheet's application folder, a paint colour written on
// the sheet chosen and every text filled in the sheet's language (OpenIdentifyCore); the sweep
// part ranks against the same catalogue, takes its captions and, while its box is empty, the
// turns from the sheet, and keeps a sweep it has already read.
void OpenIdentifyWindow(IdentifyCore& core, IdentifySweep& sweep, const DataSheet& sheet,
                        const FileSystem& files);

}  // namespace kw
