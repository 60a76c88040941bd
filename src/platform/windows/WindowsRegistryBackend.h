#pragma once

#include "platform/RegistryBackend.h"

namespace sorvane {

// The registry of Windows through its 8-bit (ANSI) functions: texts pass in the
// system code page, as the accessor's callers hand them over. Every call maps
// one to one onto a registry function and returns its result code.
class WindowsRegistryBackend : public RegistryBackend {
  public:
    long OpenKey(uint32_t root, const std::string& path, uint32_t access,
                 std::unique_ptr<RegistryKey>& key) override;
    long CreateKey(uint32_t root, const std::string& path, uint32_t access,
                   std::unique_ptr<RegistryKey>& key) override;
    long QueryValue(RegistryKey& key, const std::string& name, uint32_t& type,
                    std::vector<uint8_t>* data, uint32_t& size) override;
    long SetValue(RegistryKey& key, const std::string& name, uint32_t type,
                  const std::vector<uint8_t>& data) override;
    long DeleteValue(RegistryKey& key, const std::string& name) override;
    long DeleteKey(uint32_t root, const std::string& path) override;
    long EnumValue(RegistryKey& key, uint32_t index, std::string& name) override;
    long EnumKey(RegistryKey& key, uint32_t index, std::string& name) override;

    // The system's own expansion, with the process environment.
    std::string ExpandEnvironmentStrings(const std::string& text) override;
    // The system's message for the result code.
    std::string ResultText(long result) override;
};

}  // namespace sorvane
