#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "common/TempHome.h"
#include "registry/cRegistry.h"
#ifdef _WIN32
#include "registry/WindowsRegistryFactory.h"
#else
#include "registry/SqliteRegistryBackend.h"
#endif

namespace sorvane::test {

// Each backend the accessor runs on gets a factory here; the accessor and
// association suites run once per factory.
#ifdef _WIN32
using BackendFactories = ::testing::Types<WindowsRegistryFactory>;
#else
struct SqliteStoreFactory {
    static std::shared_ptr<RegistryBackend> Make(const TempHome& home) {
        return std::make_shared<SqliteRegistryBackend>(
            (home / "config/desktop-sorvane/registry.db").string());
    }
};

using BackendFactories = ::testing::Types<SqliteStoreFactory>;
#endif

template <typename Factory>
class RegistryOnBackend : public ::testing::Test {
  protected:
    TempHome home;
    std::shared_ptr<RegistryBackend> backend = Factory::Make(home);

    // An accessor addressing one value under the current user.
    cRegistry At(const std::string& section, const std::string& name, uint32_t type,
                 uint32_t root = HKeyCurrentUser) {
        cRegistry reg(backend);
        reg.SetClassKey(root);
        reg.SetSectionKey(section);
        reg.SetValueKey(name);
        reg.SetValueType(type);
        return reg;
    }

    // Stores bytes exactly as given, below the accessor.
    void StoreRaw(const std::string& section, const std::string& name, uint32_t type,
                  const std::vector<uint8_t>& data) {
        std::unique_ptr<RegistryKey> key;
        ASSERT_EQ(backend->CreateKey(HKeyCurrentUser, section, KeyAllWrite, key), RegSuccess);
        ASSERT_EQ(backend->SetValue(*key, name, type, data), RegSuccess);
    }

    // The stored type and bytes, or RegFileNotFound and nothing.
    long LoadRaw(uint32_t root, const std::string& section, const std::string& name, uint32_t& type,
                 std::vector<uint8_t>& data) {
        std::unique_ptr<RegistryKey> key;
        if (long r = backend->OpenKey(root, section, KeyQueryValue, key); r != RegSuccess) return r;
        uint32_t size = 0;
        return backend->QueryValue(*key, name, type, &data, size);
    }
};

}  // namespace sorvane::test
