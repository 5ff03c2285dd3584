#pragma once

#include "datasheet/datasheet.h"

namespace kw::test {

// Every text field holding its placeholder as data ("Fabr1", "N3"), as a file saved from an
// untouched sheet holds them: each field distinct and every measurement line present.
inline void fillWithPlaceholders(DataSheet& sheet) {
    for (const auto& name : DataSheet::textFieldNames()) {
        *sheet.field(name) = DataSheet::placeholderOf(name);
    }
}

}  // namespace kw::test
