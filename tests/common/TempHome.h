#pragma once

#include <filesystem>
#include <string>

#include "common/PosixEnv.h"

namespace sorvane::test {

// A fresh temporary folder for one test, with HOME and the XDG folders pointed
// into it for the test's lifetime; removed afterwards.
class TempHome {
  public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path operator/(const std::string& p) const { return root_ / p; }

  private:
    std::filesystem::path root_;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// The shared test material beside the repository (../shared), or "" when it is
// absent; tests that need it skip with a message.
std::filesystem::path SharedDir();
std::filesystem::path SourceDir();

}  // namespace sorvane::test
