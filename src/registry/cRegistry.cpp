#include "registry/cRegistry.h"

#include "platform/ProgramPath.h"

#include <filesystem>
#include <system_error>

namespace sorvane {

namespace {

// Texts with a "%" and a second one at least two characters further on hold an
// environment reference and are stored as expandable text.
bool LooksExpandable(const std::string& text) {
    const size_t first = text.find('%');
    if (first == std::string::npos) return false;
    return text.find('%', first + 2) != std::string::npos;
}

int32_t Int32From(const std::vector<uint8_t>& data, bool bigEndian) {
    uint8_t b[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < 4 && i < data.size(); ++i) b[i] = data[i];
    const uint32_t bits =
        bigEndian ? (uint32_t{b[0]} << 24 | uint32_t{b[1]} << 16 | uint32_t{b[2]} << 8 | b[3])
                  : (uint32_t{b[3]} << 24 | uint32_t{b[2]} << 16 | uint32_t{b[1]} << 8 | b[0]);
    return static_cast<int32_t>(bits);
}

// Stands in when no backend was given: every call fails as on a closed store.
class NoRegistry : public RegistryBackend {
  public:
    long OpenKey(uint32_t, const std::string&, uint32_t, std::unique_ptr<RegistryKey>&) override {
        return RegIoFailed;
    }
    long CreateKey(uint32_t, const std::string&, uint32_t, std::unique_ptr<RegistryKey>&) override {
        return RegIoFailed;
    }
    long QueryValue(RegistryKey&, const std::string&, uint32_t&, std::vector<uint8_t>*,
                    uint32_t&) override {
        return RegInvalidHandle;
    }
    long SetValue(RegistryKey&, const std::string&, uint32_t,
                  const std::vector<uint8_t>&) override {
        return RegInvalidHandle;
    }
    long DeleteValue(RegistryKey&, const std::string&) override { return RegInvalidHandle; }
    long DeleteKey(uint32_t, const std::string&) override { return RegIoFailed; }
    long EnumValue(RegistryKey&, uint32_t, std::string&) override { return RegInvalidHandle; }
    long EnumKey(RegistryKey&, uint32_t, std::string&) override { return RegInvalidHandle; }
};

}  // namespace

cRegistry::cRegistry(std::shared_ptr<RegistryBackend> backend)
    : backend_(backend ? std::move(backend) : std::make_shared<NoRegistry>()) {}

std::string cRegistry::ErrorSource() {
    const std::string name = ProgramName();
    return (name.empty() ? std::string("desktop-sorvane") : name) + ".cRegistry";
}

std::string cRegistry::HiveText() const { return std::to_string(static_cast<int32_t>(classKey_)); }

std::string cRegistry::SetValueMessage() const {
    return "Failed to set registry value Key: '" + HiveText() + "',Section: '" + sectionKey_ +
           "',Key: '" + valueKey_ + "' to value: '" + lastWritten_.ToText() + "'";
}

void cRegistry::Raise(long number, const std::string& description) const {
    throw Error(description, number, ErrorSource());
}

RegistryValue cRegistry::Value() {
    std::unique_ptr<RegistryKey> key;
    long result = backend_->OpenKey(classKey_, sectionKey_, KeyQueryValue, key);
    lastReadResult_ = result;
    if (result != RegSuccess) return default_;
    uint32_t type = 0;
    uint32_t size = 0;
    result = backend_->QueryValue(*key, valueKey_, type, nullptr, size);
    lastReadResult_ = result == RegMoreData ? RegSuccess : result;
    if (result != RegSuccess && result != RegMoreData) return default_;
    std::vector<uint8_t> data;
    result = backend_->QueryValue(*key, valueKey_, type, &data, size);
    lastReadResult_ = result;
    if (result != RegSuccess) return default_;
    valueType_ = type;
    switch (type) {
        case RegSz:
        case RegMultiSz:
        case RegExpandSz: {
            // Drop the terminator only when there is one: a text stored by
            // another program without it keeps its last character.
            std::string text(data.begin(), data.end());
            if (!text.empty() && text.back() == '\0') text.pop_back();
            if (type == RegExpandSz) return RegistryValue(backend_->ExpandEnvironmentStrings(text));
            return RegistryValue(std::move(text));
        }
        case RegDword:
            return RegistryValue(Int32From(data, false));
        case RegDwordBigEndian:
            return RegistryValue(Int32From(data, true));
        default:
            return RegistryValue(std::move(data));
    }
}

void cRegistry::SetValue(const RegistryValue& vValue) {
    std::unique_ptr<RegistryKey> key;
    if (backend_->CreateKey(classKey_, sectionKey_, KeyAllWrite, key) != RegSuccess)
        Raise(RegErrKeyFailure, SetValueMessage());
    bool written = false;
    switch (valueType_) {
        case RegSz:
        case RegExpandSz: {
            const std::string text = vValue.ToText();
            std::vector<uint8_t> data(text.begin(), text.end());
            data.push_back(0);
            const uint32_t type = LooksExpandable(text) ? RegExpandSz : RegSz;
            written = backend_->SetValue(*key, valueKey_, type, data) == RegSuccess;
            break;
        }
        case RegBinary: {
            const auto* bytes = vValue.Bytes();
            if (!bytes) throw Error("", RegErrKeyFailure);
            written = backend_->SetValue(*key, valueKey_, RegBinary, *bytes) == RegSuccess;
            break;
        }
        case RegDword:
        case RegDwordBigEndian: {
            // Only numbers are written; anything else is quietly left alone.
            if (!vValue.IsNumber()) return;
            const uint32_t bits = static_cast<uint32_t>(*vValue.ToNumber());
            const std::vector<uint8_t> data = {
                static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
            written = backend_->SetValue(*key, valueKey_, RegDword, data) == RegSuccess;
            break;
        }
        default:
            break;
    }
    if (!written) Raise(RegErrSetValueFailed, SetValueMessage());
    lastWritten_ = vValue;
}

bool cRegistry::KeyExists() {
    std::unique_ptr<RegistryKey> key;
    return backend_->OpenKey(classKey_, sectionKey_, KeyQueryValue, key) == RegSuccess;
}

bool cRegistry::CreateKey() {
    std::unique_ptr<RegistryKey> key;
    if (backend_->CreateKey(classKey_, sectionKey_, KeyAllWrite, key) != RegSuccess)
        Raise(RegErrKeyFailure, "Failed to create registry Key: '" + sectionKey_);
    return true;
}

bool cRegistry::DeleteKey() {
    if (backend_->DeleteKey(classKey_, sectionKey_) != RegSuccess)
        Raise(RegErrKeyFailure,
              "Failed to delete registry Key: '" + HiveText() + "',Section: '" + sectionKey_);
    return true;
}

bool cRegistry::DeleteValue() {
    std::unique_ptr<RegistryKey> key;
    if (backend_->OpenKey(classKey_, sectionKey_, KeyAllWrite, key) != RegSuccess)
        Raise(RegErrKeyFailure, "Failed to open key '" + HiveText() + "',Section: '" + sectionKey_ +
                                    "' for delete access");
    if (backend_->DeleteValue(*key, valueKey_) != RegSuccess)
        Raise(RegErrKeyFailure, "Failed to delete registry Key: '" + HiveText() + "',Section: '" +
                                    sectionKey_ + "',Key: '" + valueKey_);
    return true;
}

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, int32_t& iKeyCount) {
    sKeyNames.clear();
    iKeyCount = 0;
    std::unique_ptr<RegistryKey> key;
    if (backend_->OpenKey(classKey_, sectionKey_, KeyQueryValue, key) != RegSuccess) return true;
    std::string name;
    for (uint32_t index = 0; backend_->EnumValue(*key, index, name) == RegSuccess; ++index) {
        sKeyNames.push_back(name);
        ++iKeyCount;
    }
    return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, int32_t& iSectCount) {
    sSect.clear();
    iSectCount = 0;
    std::unique_ptr<RegistryKey> key;
    if (backend_->OpenKey(classKey_, sectionKey_, KeyEnumerateSubKeys, key) != RegSuccess)
        return true;
    std::string name;
    for (uint32_t index = 0;; ++index) {
        const long result = backend_->EnumKey(*key, index, name);
        if (result == RegNoMoreItems) break;
        // Running out is the normal end; anything else means the store failed
        // part way, and a short list must not pass for the whole one.
        if (result != RegSuccess) Raise(RegErrEnumerateFailed, backend_->ResultText(result));
        sSect.push_back(name.substr(0, name.find('\0')));
        ++iSectCount;
    }
    return true;
}

}  // namespace sorvane
