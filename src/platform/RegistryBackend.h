#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// <windows.h> maps this name onto its narrow or wide function; here it names
// the backend's own method.
#undef ExpandEnvironmentStrings

namespace sorvane {

// Predefined roots, with the numbers the registry gives them.
constexpr uint32_t HKeyClassesRoot = 0x80000000u;
constexpr uint32_t HKeyCurrentUser = 0x80000001u;
constexpr uint32_t HKeyLocalMachine = 0x80000002u;
constexpr uint32_t HKeyUsers = 0x80000003u;

// Value type codes.
constexpr uint32_t RegNone = 0;
constexpr uint32_t RegSz = 1;
constexpr uint32_t RegExpandSz = 2;
constexpr uint32_t RegBinary = 3;
constexpr uint32_t RegDword = 4;
constexpr uint32_t RegDwordBigEndian = 5;
constexpr uint32_t RegMultiSz = 7;

// Key access rights.
constexpr uint32_t KeyQueryValue = 0x1;
constexpr uint32_t KeySetValue = 0x2;
constexpr uint32_t KeyCreateSubKey = 0x4;
constexpr uint32_t KeyEnumerateSubKeys = 0x8;
constexpr uint32_t KeyAllWrite = 0x3F;

// Result codes, as the registry functions return them.
constexpr long RegSuccess = 0;
constexpr long RegFileNotFound = 2;
constexpr long RegAccessDenied = 5;
constexpr long RegInvalidHandle = 6;
constexpr long RegInvalidParameter = 87;
constexpr long RegMoreData = 234;
constexpr long RegNoMoreItems = 259;
constexpr long RegBadDb = 1009;
constexpr long RegIoFailed = 1016;
constexpr long RegKeyDeleted = 1018;

// An open key; closing it is destroying it.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;
};

// The registry functions of the platform, one call each. Keys are addressed by
// a root and a backslash-separated path; names compare without regard to case.
// Every call returns one of the result codes above and never throws.
class RegistryBackend {
  public:
    virtual ~RegistryBackend() = default;

    // Opens an existing key with the given rights.
    virtual long OpenKey(uint32_t root, const std::string& path, uint32_t access,
                         std::unique_ptr<RegistryKey>& key) = 0;
    // Opens the key, creating it and any missing parents first.
    virtual long CreateKey(uint32_t root, const std::string& path, uint32_t access,
                           std::unique_ptr<RegistryKey>& key) = 0;
    // Type and data of a value; `data` may be null to ask for the type and size only.
    virtual long QueryValue(RegistryKey& key, const std::string& name, uint32_t& type,
                            std::vector<uint8_t>* data, uint32_t& size) = 0;
    virtual long SetValue(RegistryKey& key, const std::string& name, uint32_t type,
                          const std::vector<uint8_t>& data) = 0;
    virtual long DeleteValue(RegistryKey& key, const std::string& name) = 0;
    // Deletes a key that has no sub-keys, with its values.
    virtual long DeleteKey(uint32_t root, const std::string& path) = 0;
    // The index-th value name or sub-key name; RegNoMoreItems past the end.
    virtual long EnumValue(RegistryKey& key, uint32_t index, std::string& name) = 0;
    virtual long EnumKey(RegistryKey& key, uint32_t index, std::string& name) = 0;

    // Replaces %NAME% references with the environment's values; a reference to
    // an undefined name stays as written.
    virtual std::string ExpandEnvironmentStrings(const std::string& text);

    // A readable text for a result code.
    virtual std::string ResultText(long result);
};

// As the system expands: a reference runs from one "%" to the next; a name
// that is empty or undefined stays as written, signs included, and the text
// goes on after its closing sign; a "%" without a partner is plain text.
inline std::string RegistryBackend::ExpandEnvironmentStrings(const std::string& text) {
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t open = text.find('%', pos);
        const size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) break;
        out.append(text, pos, open - pos);
        const std::string name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value)
            out += value;
        else
            out.append(text, open, close - open + 1);
        pos = close + 1;
    }
    out.append(text, pos, std::string::npos);
    return out;
}

inline std::string RegistryBackend::ResultText(long result) {
    switch (result) {
        case RegSuccess:
            return "The operation completed successfully.";
        case RegFileNotFound:
            return "The system cannot find the file specified.";
        case RegAccessDenied:
            return "Access is denied.";
        case RegInvalidHandle:
            return "The handle is invalid.";
        case RegInvalidParameter:
            return "The parameter is incorrect.";
        case RegMoreData:
            return "More data is available.";
        case RegNoMoreItems:
            return "No more data is available.";
        case RegBadDb:
            return "The configuration registry database is corrupt.";
        case RegIoFailed:
            return "The registry could not read or write its store.";
        case RegKeyDeleted:
            return "The key has been marked for deletion.";
        default:
            return "Registry error " + std::to_string(result) + ".";
    }
}

}  // namespace sorvane
