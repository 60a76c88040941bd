#include "Translate.h"

#include <atomic>

namespace sorvane {

namespace {
std::atomic<TranslateFunction> installed{nullptr};
}

void SetTranslateFunction(TranslateFunction lookup) { installed = lookup; }

std::string Tr(const char* context, const char* source) {
    const TranslateFunction lookup = installed;
    return lookup ? lookup(context, source) : std::string(source);
}

std::string TrArg(const std::string& text, const std::vector<std::string>& values) {
    // One pass, so a value that holds "%2" (a file name can) stays as it is.
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<size_t>(next - '1') < values.size()) {
            out += values[next - '1'];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace sorvane
