#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/RegistryBackend.h"

namespace sorvane {

// ShellExecute for links, pages and the display settings; the browser's
// folder and version come from where its setup recorded them.
class WindowsShell : public Shell {
  public:
    explicit WindowsShell(std::shared_ptr<RegistryBackend> registry)
        : registry_(std::move(registry)) {}
    bool Open(const std::string& target) override;
    // The recorded browser program with the page as its parameter; where that
    // program is gone (newer systems), the page's own handler.
    bool OpenInBrowser(const std::string& pagePath) override;
    std::string BrowserFolder() override;
    bool TransitionsAvailable() override;
    std::string OpenDisplaySettings() override;

  private:
    std::string ReadText(uint32_t root, const char* key, const char* name);
    std::shared_ptr<RegistryBackend> registry_;
};

}  // namespace sorvane
