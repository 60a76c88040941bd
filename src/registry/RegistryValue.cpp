#include "registry/RegistryValue.h"

#include "platform/NumberText.h"

namespace sorvane {

std::string RegistryValue::ToText() const {
    if (const auto* text = std::get_if<std::string>(&v_)) return *text;
    if (const auto* number = std::get_if<int32_t>(&v_)) return std::to_string(*number);
    if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&v_))
        return std::string(bytes->begin(), bytes->end());
    return {};
}

std::optional<int32_t> RegistryValue::ToNumber() const {
    if (const auto* number = std::get_if<int32_t>(&v_)) return *number;
    if (const auto* text = std::get_if<std::string>(&v_)) return ParseInt32(*text);
    if (IsEmpty()) return 0;
    return std::nullopt;
}

}  // namespace sorvane
