#pragma once

#include <array>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include "platform/windows/WindowsRegistryBackend.h"

#include <windows.h>
#undef ExpandEnvironmentStrings

namespace sorvane::test {

// The system's registry, with the roots the suites write to (current user,
// local machine, classes root) pointed at empty keys of the test's own below
// the real current user, so a test starts from nothing and touches none of the
// machine's values. The roots return to the system's when the backend goes.
class IsolatedWindowsRegistry : public WindowsRegistryBackend {
  public:
    IsolatedWindowsRegistry() {
        std::random_device rd;
        base_ = "Software\\Sorvane Tests\\" + std::to_string(rd()) + std::to_string(rd());
        // All private keys first: once the current user is redirected, its
        // paths lead into the redirection.
        for (size_t i = 0; i < roots_.size(); ++i) {
            const std::string path = base_ + "\\" + std::to_string(i);
            if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &keys_[i], nullptr) != ERROR_SUCCESS)
                throw std::runtime_error("cannot create " + path);
        }
        for (size_t i = 0; i < roots_.size(); ++i)
            if (RegOverridePredefKey(roots_[i], keys_[i]) != ERROR_SUCCESS)
                throw std::runtime_error("cannot redirect a registry root");
    }
    ~IsolatedWindowsRegistry() override {
        for (size_t i = 0; i < roots_.size(); ++i) {
            RegOverridePredefKey(roots_[i], nullptr);
            if (keys_[i]) RegCloseKey(keys_[i]);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Sorvane Tests");  // only when empty
    }
    IsolatedWindowsRegistry(const IsolatedWindowsRegistry&) = delete;
    IsolatedWindowsRegistry& operator=(const IsolatedWindowsRegistry&) = delete;

  private:
    std::array<HKEY, 3> roots_ = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT};
    std::array<HKEY, 3> keys_ = {};
    std::string base_;
};

struct WindowsRegistryFactory {
    template <typename Home>
    static std::shared_ptr<RegistryBackend> Make(const Home&) {
        return std::make_shared<IsolatedWindowsRegistry>();
    }
};

}  // namespace sorvane::test
