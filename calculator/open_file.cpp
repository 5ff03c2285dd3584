#include <string>

#include "calculator/calculator.h"
#include "datasheet/datasheet.h"
#include "sweep/touchstone.h"

namespace kw {

void Calculator::openFile(const std::string& path) {
    const int ports = PortsFromFileName(path);
    if (ports == 1 || ports == 2) {
        openSweep(path);
        return;
    }
    if (dataSheet != nullptr) {
        showSheet().openTorFile(path);
    }
}

}  // namespace kw
