// One libFuzzer target; KERNWIJS_FUZZ_TARGET names which of the harness's targets it runs.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tests/fuzz/harness.h"

namespace {

const kw::fuzz::Target& chosenTarget() {
    static const kw::fuzz::Target* target = [] {
        for (const auto& t : kw::fuzz::kTargets) {
            if (t.name == KERNWIJS_FUZZ_TARGET) {
                return &t;
            }
        }
        std::fprintf(stderr, "no fuzz target named %s\n", KERNWIJS_FUZZ_TARGET);
        std::abort();
    }();
    return *target;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const kw::fuzz::Finding finding = chosenTarget().run(bytes)) {
        std::fprintf(stderr, "%s: %s\n", KERNWIJS_FUZZ_TARGET, finding->c_str());
        std::abort();
    }
    return 0;
}
