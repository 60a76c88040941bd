// The shell probe, against real processes: copies of the shell under the
// names desktop shells run as, each with its own arguments and display.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "common/TempHome.h"
#include "host/DesktopShell.h"

extern char** environ;
namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

// A process whose name is `name`, with these arguments and DISPLAY.
class FakeShell {
  public:
    FakeShell(const fs::path& folder, const std::string& name, std::vector<std::string> args,
              const std::string& display) {
        const fs::path program = folder / name;
        fs::copy_file("/bin/sh", program, fs::copy_options::overwrite_existing);
        // "; :" keeps the shell itself waiting rather than exec'ing sleep.
        std::vector<std::string> argv{program.string(), "-c", "sleep 60; :"};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> cargv;
        for (std::string& a : argv) cargv.push_back(a.data());
        cargv.push_back(nullptr);
        std::string env = "DISPLAY=" + display;
        char* envp[] = {env.data(), nullptr};
        EXPECT_EQ(posix_spawn(&pid_, program.c_str(), nullptr, nullptr, cargv.data(), envp), 0);
    }
    ~FakeShell() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }

  private:
    pid_t pid_ = -1;
};

ShellProbe ProbeSoon(const ShellProbe& want) {
    ShellProbe got;
    for (int i = 0; i < 50 && !((got = ProbeDesktopShell()) == want); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return got;
}

TEST(DesktopShell, FoundByWhatRunsInOurSession) {
    TempHome home;
    setenv("DISPLAY", ":4711", 1);
    unsetenv("WAYLAND_DISPLAY");
    ASSERT_EQ(ProbeDesktopShell(), ShellProbe{}) << "a desktop shell runs on the test machine";
    {
        // A file manager that does not draw the desktop, and a shell on
        // another display, are not ours to follow.
        FakeShell browser(home.Root(), "pcmanfm-qt", {}, ":4711");
        FakeShell other(home.Root(), "xfdesktop", {}, ":4712.0");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(ProbeDesktopShell(), ShellProbe{});
    }
    {
        FakeShell desktop(home.Root(), "xfdesktop", {}, ":4711.0");
        EXPECT_EQ(ProbeSoon({DesktopShell::Xfdesktop, false}).shell, DesktopShell::Xfdesktop);
    }
    {
        FakeShell desktop(home.Root(), "pcmanfm-qt", {"--desktop", "--profile=lxqt"}, ":4711");
        EXPECT_EQ(ProbeSoon({DesktopShell::PcmanfmQt, false}).shell, DesktopShell::PcmanfmQt);
    }
    {
        FakeShell swaybg(home.Root(), "swaybg", {}, ":4711");
        FakeShell plasma(home.Root(), "plasmashell", {}, ":4711");
        EXPECT_EQ(ProbeSoon({DesktopShell::Plasma, true}),
                  (ShellProbe{DesktopShell::Plasma, true}));
    }
    unsetenv("DISPLAY");
}

}  // namespace
}  // namespace sorvane::test
