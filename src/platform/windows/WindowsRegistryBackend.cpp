#include "WindowsRegistryBackend.h"

#include <windows.h>
// The interface's method, not the header's narrow/wide switch.
#undef ExpandEnvironmentStrings

#include "SystemMessage.h"

namespace sorvane {

namespace {

struct WindowsKey : RegistryKey {
    HKEY handle;
    explicit WindowsKey(HKEY h) : handle(h) {}
    ~WindowsKey() override { RegCloseKey(handle); }
    WindowsKey(const WindowsKey&) = delete;
    WindowsKey& operator=(const WindowsKey&) = delete;
};

// Only the predefined roots are accepted: any other number would be taken as
// a handle of this process, which could be anything.
bool RootHandle(uint32_t root, HKEY& handle) {
    if (root < 0x80000000u || root > 0x80000006u) return false;
    // Predefined handles are sign-extended 32-bit numbers on 64-bit Windows.
    handle = reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(root)));
    return true;
}

HKEY Handle(RegistryKey& key) { return static_cast<WindowsKey&>(key).handle; }

}  // namespace

long WindowsRegistryBackend::OpenKey(uint32_t root, const std::string& path, uint32_t access,
                                     std::unique_ptr<RegistryKey>& key) {
    key.reset();
    HKEY base;
    if (!RootHandle(root, base)) return RegInvalidHandle;
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(base, path.c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS) key = std::make_unique<WindowsKey>(opened);
    return result;
}

long WindowsRegistryBackend::CreateKey(uint32_t root, const std::string& path, uint32_t access,
                                       std::unique_ptr<RegistryKey>& key) {
    key.reset();
    HKEY base;
    if (!RootHandle(root, base)) return RegInvalidHandle;
    HKEY created = nullptr;
    DWORD disposition = 0;
    const LONG result = RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        access, nullptr, &created, &disposition);
    if (result == ERROR_SUCCESS) key = std::make_unique<WindowsKey>(created);
    return result;
}

long WindowsRegistryBackend::QueryValue(RegistryKey& key, const std::string& name, uint32_t& type,
                                        std::vector<uint8_t>* data, uint32_t& size) {
    DWORD storedType = 0;
    DWORD bytes = 0;
    LONG result =
        RegQueryValueExA(Handle(key), name.c_str(), nullptr, &storedType, nullptr, &bytes);
    if (data && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA)) {
        // The size asked for first is an upper bound for texts (the store keeps
        // them wider than the code page); another writer may also grow the
        // value in between, so ask again until it fits.
        do {
            // One byte spare for the terminator the narrow call may add to a
            // text stored without one.
            data->resize(bytes + 1);
            bytes = static_cast<DWORD>(data->size());
            result = RegQueryValueExA(Handle(key), name.c_str(), nullptr, &storedType, data->data(),
                                      &bytes);
        } while (result == ERROR_MORE_DATA);
        if (result == ERROR_SUCCESS)
            data->resize(bytes);
        else
            data->clear();
    }
    if (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        type = storedType;
        size = bytes;
    }
    return result;
}

long WindowsRegistryBackend::SetValue(RegistryKey& key, const std::string& name, uint32_t type,
                                      const std::vector<uint8_t>& data) {
    static const BYTE none = 0;
    return RegSetValueExA(Handle(key), name.c_str(), 0, type, data.empty() ? &none : data.data(),
                          static_cast<DWORD>(data.size()));
}

long WindowsRegistryBackend::DeleteValue(RegistryKey& key, const std::string& name) {
    return RegDeleteValueA(Handle(key), name.c_str());
}

long WindowsRegistryBackend::DeleteKey(uint32_t root, const std::string& path) {
    HKEY base;
    if (!RootHandle(root, base)) return RegInvalidHandle;
    return RegDeleteKeyA(base, path.c_str());
}

long WindowsRegistryBackend::EnumValue(RegistryKey& key, uint32_t index, std::string& name) {
    DWORD longest = 0;
    LONG result = RegQueryInfoKeyA(Handle(key), nullptr, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, &longest, nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return result;
    // The longest name is counted in the store's wide characters; a multi-byte
    // code page may need up to two bytes for each, and a name added meanwhile
    // may be longer still.
    std::vector<char> buffer(2 * static_cast<size_t>(longest) + 2);
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        result = RegEnumValueA(Handle(key), index, buffer.data(), &length, nullptr, nullptr,
                               nullptr, nullptr);
        if (result == ERROR_SUCCESS) name.assign(buffer.data(), length);
        if (result != ERROR_MORE_DATA || buffer.size() > 65536) return result;
        buffer.resize(buffer.size() * 2);
    }
}

long WindowsRegistryBackend::EnumKey(RegistryKey& key, uint32_t index, std::string& name) {
    // A key name has at most 255 characters; the buffer holds those twice over
    // for multi-byte code pages.
    char buffer[512];
    DWORD length = sizeof buffer;
    const LONG result =
        RegEnumKeyExA(Handle(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) name.assign(buffer, length);
    return result;
}

std::string WindowsRegistryBackend::ExpandEnvironmentStrings(const std::string& text) {
    // Ask for the size, then expand; repeat should the environment change in
    // between.
    DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    for (int attempt = 0; needed != 0 && attempt < 4; ++attempt) {
        std::string out(needed, '\0');
        const DWORD used = ExpandEnvironmentStringsA(text.c_str(), out.data(), needed);
        if (used == 0) break;
        if (used <= needed) {
            out.resize(out.find('\0') == std::string::npos ? out.size() : out.find('\0'));
            return out;
        }
        needed = used;
    }
    return text;
}

std::string WindowsRegistryBackend::ResultText(long result) {
    std::string text = SystemMessage(static_cast<unsigned long>(result));
    return text.empty() ? RegistryBackend::ResultText(result) : text;
}

}  // namespace sorvane
