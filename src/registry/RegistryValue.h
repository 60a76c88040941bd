#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace sorvane {

// What a registry value holds, as the accessor's callers see it: nothing, a
// text, a 32-bit number or raw bytes. Nothing reads as "" and as 0.
class RegistryValue {
  public:
    RegistryValue() = default;
    RegistryValue(std::string text) : v_(std::move(text)) {}
    RegistryValue(const char* text) : v_(std::string(text)) {}
    RegistryValue(int32_t number) : v_(number) {}
    RegistryValue(int16_t number) : v_(int32_t{number}) {}
    RegistryValue(std::vector<uint8_t> bytes) : v_(std::move(bytes)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
    bool IsText() const { return std::holds_alternative<std::string>(v_); }
    bool IsNumber() const { return std::holds_alternative<int32_t>(v_); }
    bool IsBytes() const { return std::holds_alternative<std::vector<uint8_t>>(v_); }

    // "" when empty, the decimal form of a number, the bytes as they are.
    std::string ToText() const;
    // 0 when empty; a text converts when it is a whole 32-bit number (spaces
    // around it allowed); bytes never convert.
    std::optional<int32_t> ToNumber() const;
    // The bytes of a byte value, else none.
    const std::vector<uint8_t>* Bytes() const { return std::get_if<std::vector<uint8_t>>(&v_); }

    bool operator==(const RegistryValue&) const = default;

  private:
    std::variant<std::monostate, std::string, int32_t, std::vector<uint8_t>> v_;
};

}  // namespace sorvane
