#include "material/identify_open.h"

namespace kw {

void OpenIdentifyWindow(IdentifyCore& core, IdentifySweep& sweep, const DataSheet& sheet,
                        const FileSystem& files) {
    core = OpenIdentifyCore(sheet, files);
    sweep.materials = core.table.materials;
    sweep.curves = core.curves;
    sweep.Form_Load(sheet);
}

}  // namespace kw
