// A libFuzzer target for one property; QGB_FUZZ_CHECK names its check. A
// property that fails is reported and ends the run as a finding.
#include "Properties.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string problem =
        qgbfuzz::QGB_FUZZ_CHECK(std::string(reinterpret_cast<const char *>(data), size));
    if (!problem.empty()) {
        std::fprintf(stderr, "property failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
