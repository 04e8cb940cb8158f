// The input-script parser of ascelon-sim.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "sim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    input_script script;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!parse_input_script(text, script, error)) {
        if (error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    // Frames strictly increase, and each change holds from its frame on.
    for (size_t i = 0; i < script.changes.size(); ++i) {
        if (i && script.changes[i].first <= script.changes[i - 1].first) std::abort();
        if (script_buttons(script, script.changes[i].first) != script.changes[i].second)
            std::abort();
    }
    return 0;
}
