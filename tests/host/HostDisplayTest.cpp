// The desktop host on a real X display: Xvfb with the openbox window manager.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "common/Needs.h"
#include "common/TempHome.h"
#include "platform/linux/AutostartEntry.h"
#include "platform/linux/HostSocket.h"
#include "platform/linux/LinuxActiveDesktop.h"
#include "platform/linux/LinuxDesktopWindows.h"
#include "registry/SqliteRegistryBackend.h"

extern char** environ;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace sorvane::test {
namespace {

bool OnPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// A child process that is ended with the test.
class Child {
  public:
    explicit Child(const std::vector<std::string>& argv, int stdoutFd = -1) {
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, 3);
        if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() { Stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const { return pid_ > 0; }
    // The exit code once the process ended within `wait`, else none.
    std::optional<int> Wait(std::chrono::milliseconds wait) {
        const auto end = std::chrono::steady_clock::now() + wait;
        while (pid_ > 0) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            if (std::chrono::steady_clock::now() > end) return std::nullopt;
            std::this_thread::sleep_for(20ms);
        }
        return std::nullopt;
    }
    void Stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        if (!Wait(5s) && pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

  private:
    pid_t pid_ = -1;
};

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
        pclose(p);
    }
    return out;
}

bool WaitFor(std::chrono::seconds limit, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(200ms);
    }
    return done();
}

// The window ids of the root's stacking list, bottom first.
std::vector<unsigned long> StackingOrder() {
    const std::string out = Output("xprop -root _NET_CLIENT_LIST_STACKING");
    std::vector<unsigned long> ids;
    const size_t hash = out.find('#');
    if (hash == std::string::npos) return ids;
    std::string list = out.substr(hash + 1);
    for (char& c : list)
        if (c == ',') c = ' ';
    std::istringstream in(list);
    std::string word;
    while (in >> word) ids.push_back(std::stoul(word, nullptr, 16));
    return ids;
}

QColor ScreenPixel(const fs::path& shot, int x, int y) {
    std::system(("import -silent -window root png:" + shot.string() + " 2>/dev/null").c_str());
    const QImage image(QString::fromStdString(shot.string()));
    if (image.isNull() || x >= image.width() || y >= image.height()) return {};
    return image.pixelColor(x, y);
}

bool Near(const QColor& c, int r, int g, int b) {
    return c.isValid() && std::abs(c.red() - r) < 40 && std::abs(c.green() - g) < 40 &&
           std::abs(c.blue() - b) < 40;
}

class HostOnDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "openbox", "xprop", "xmessage", "import"})
            SORVANE_NEEDS(OnPath(tool), tool << ", for the real-display tests");

        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        xvfb_ =
            std::make_unique<Child>(std::vector<std::string>{"Xvfb", "-displayfd", "3", "-screen",
                                                             "0", "800x600x24", "-nolisten", "tcp"},
                                    pipeFds[1]);
        close(pipeFds[1]);
        std::string display;
        char c;
        while (read(pipeFds[0], &c, 1) == 1 && c != '\n') display += c;
        close(pipeFds[0]);
        ASSERT_FALSE(display.empty()) << "Xvfb did not start";
        setenv("DISPLAY", (":" + display).c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);

        openbox_ = std::make_unique<Child>(std::vector<std::string>{"openbox"});
        ASSERT_TRUE(WaitFor(30s, [] {
            return Output("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
                   std::string::npos;
        })) << "openbox did not start";
    }
    void TearDown() override {
        // The host detached from us: it is closed through its socket.
        try {
            SendToHost(HostSocketFolder(), "quit", 10000);
        } catch (const std::exception&) {
        }
        WaitFor(10s, [] { return !fs::exists(HostSocketPath(HostSocketFolder())); });
        other_.reset();
        openbox_.reset();
        xvfb_.reset();
    }

    // A page that fills the screen with one colour.
    fs::path Page(const std::string& name, const std::string& colour) {
        const fs::path p = home_ / "Pictures" / name;
        WriteFile(p, "<!DOCTYPE html><html><body style=\"margin:0;background:" + colour +
                         "\"></body></html>");
        return p;
    }
    void Apply(const fs::path& page) {
        LinuxActiveDesktop desktop(OpenDefaultRegistryStore(), {HostSocketFolder(), "", false});
        desktop.SetWallpaper(page.empty() ? std::string() : page.string() + '\0');
        desktop.ApplyChanges(7);
    }
    // The running host's desktop window, 0 while none.
    static uint64_t Shown() {
        return LinuxDesktopWindows(HostSocketFolder()).FindDesktopBrowserWindow();
    }
    static bool HostRuns() {
        return fs::exists(HostSocketPath(HostSocketFolder())) && Shown() != 0;
    }

    TempHome home_;
    std::unique_ptr<Child> xvfb_, openbox_, other_;
};

TEST_F(HostOnDisplay, ShowsThePageBehindEveryWindowAndFollowsApply) {
    const fs::path red = Page("red.html", "#ff0000");
    const fs::path blue = Page("blue.html", "#0000ff");
    const std::string folder = HostSocketFolder();

    // An ordinary window first: the desktop must go below it all the same.
    other_ = std::make_unique<Child>(
        std::vector<std::string>{"xmessage", "-geometry", "300x200+0+0", "an ordinary window"});
    ASSERT_TRUE(WaitFor(120s, [] { return !StackingOrder().empty(); }));

    // A new host shows the page it is given; its starter returns once the
    // desktop is up.
    Child start({SORVANE_HOST_PROGRAM, "load", red.string()});
    ASSERT_EQ(start.Wait(120s), 0);
    uint64_t window = 0;
    ASSERT_TRUE(WaitFor(120s, [&] { return (window = Shown()) != 0; }))
        << "the host never showed its window";

    const std::string type = Output("xprop -id " + std::to_string(window) + " _NET_WM_WINDOW_TYPE");
    EXPECT_NE(type.find("_NET_WM_WINDOW_TYPE_DESKTOP"), std::string::npos) << type;
    std::vector<unsigned long> stacking;
    ASSERT_TRUE(WaitFor(120s, [&] {
        stacking = StackingOrder();
        return stacking.size() >= 2 &&
               std::find(stacking.begin(), stacking.end(), window) != stacking.end();
    })) << "the host's window is not managed";
    EXPECT_EQ(stacking.front(), window) << "the desktop is not at the bottom";

    // Away from the ordinary window: the page's colour.
    const fs::path shot = home_ / "shot.png";
    QColor first;
    EXPECT_TRUE(WaitFor(60s, [&] { return Near(first = ScreenPixel(shot, 700, 500), 255, 0, 0); }))
        << "first screenshot shows " << first.name().toStdString();

    // Apply another page: the running host shows it without a restart.
    Apply(blue);
    QColor second;
    EXPECT_TRUE(WaitFor(60s, [&] { return Near(second = ScreenPixel(shot, 700, 500), 0, 0, 255); }))
        << "second screenshot shows " << second.name().toStdString();
    EXPECT_EQ(Shown(), window) << "the desktop window was replaced";

    // The host keeps no settings: a reload shows its own page again, and a
    // cleared wallpaper reaches it in the same step.
    Child reload({SORVANE_HOST_PROGRAM, "reload"});
    EXPECT_EQ(reload.Wait(60s), 0);
    EXPECT_TRUE(Near(ScreenPixel(shot, 700, 500), 0, 0, 255));
    EXPECT_NE(Output(std::string(SORVANE_HOST_PROGRAM) + " status").find("page: " + blue.string()),
              std::string::npos);
    Apply("");
    EXPECT_FALSE(Near(ScreenPixel(shot, 700, 500), 0, 0, 255)) << "a cleared wallpaper still shows";
    Apply(blue);

    // A page that can't be shown is refused and changes nothing on screen.
    Child missing({SORVANE_HOST_PROGRAM, "load", (home_ / "Pictures/none.html").string()});
    EXPECT_EQ(missing.Wait(60s), 1);
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(Near(ScreenPixel(shot, 700, 500), 0, 0, 255));

    // A second start hands its request over and ends.
    Child second_start({SORVANE_HOST_PROGRAM, "load", red.string()});
    EXPECT_EQ(second_start.Wait(60s), 0);
    EXPECT_TRUE(WaitFor(60s, [&] { return Near(ScreenPixel(shot, 700, 500), 255, 0, 0); }));

    // A hundred connections that say nothing (more than the host keeps) hold
    // no one else up: the oldest silent ones make room.
    std::vector<UniqueFd> silent;
    for (int i = 0; i < 100; ++i) {
        UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = HostSocketPath(folder);
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        ASSERT_EQ(connect(fd.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        silent.push_back(std::move(fd));
    }
    EXPECT_EQ(SendToHost(folder, "window", 1000), "ok " + std::to_string(window))
        << "a window request waited behind silent clients";

    // "quit" closes the host, and its socket goes with it.
    Child quit({SORVANE_HOST_PROGRAM, "quit"});
    EXPECT_EQ(quit.Wait(60s), 0);
    EXPECT_TRUE(WaitFor(60s, [&] { return !fs::exists(HostSocketPath(folder)); }));
}

TEST_F(HostOnDisplay, TheCompanionNeverWaitsOnTheHostItStarts) {
    const std::string sample =
        std::string(std::getenv("SORVANE_SOURCE_DIR")) + "/resources/samples/sea.jpg";
    const std::string cli = std::string(SORVANE_CLI_PROGRAM) + " --answer yes-to-all";
    // Headless (Qt's offscreen platform, as in scripts): no host is started.
    EXPECT_EQ(std::system(("QT_QPA_PLATFORM=offscreen " + cli + " --add '" + sample +
                           "' --apply --set-wallpaper >/dev/null 2>&1")
                              .c_str()),
              0);
    EXPECT_FALSE(fs::exists(HostSocketPath(HostSocketFolder()))) << "a headless run started a host";

    // With the display: Set Wallpaper starts the host, and the caller's
    // captured output ends with the companion, not with the host.
    unsetenv("QT_QPA_PLATFORM");
    const std::string out =
        Output("timeout 120 sh -c 'out=$(" + cli + " --set-wallpaper --show); echo \"exit $?\"'");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    EXPECT_NE(out.find("exit 0"), std::string::npos) << out;
    EXPECT_TRUE(WaitFor(120s, [] { return HostRuns(); })) << "the started host does not run";

    // At login the entry starts the host again; quit it first as a logout would.
    ASSERT_EQ(SendToHost(HostSocketFolder(), "quit", 30000), "ok");
    ASSERT_TRUE(WaitFor(120s, [] { return !fs::exists(HostSocketPath(HostSocketFolder())); }));
    std::ifstream entry(AutostartEntryPath());
    std::string line, exec;
    while (std::getline(entry, line))
        if (line.starts_with("Exec=")) exec = line.substr(5);
    ASSERT_FALSE(exec.empty()) << "no autostart entry";
    EXPECT_EQ(std::system(exec.c_str()), 0) << exec;  // no characters that need unescaping here
    EXPECT_TRUE(WaitFor(120s, [] { return HostRuns(); })) << "the login start shows nothing";
    ASSERT_EQ(SendToHost(HostSocketFolder(), "quit", 30000), "ok");
    ASSERT_TRUE(WaitFor(120s, [] { return !fs::exists(HostSocketPath(HostSocketFolder())); }));

    // A login entry whose page is gone ends quietly, and stays: the page may
    // come back (a disk mounted late), and the program owns the entry.
    const std::string gone = std::string(SORVANE_HOST_PROGRAM) + " login '" +
                             (home_ / "Pictures/gone.html").string() + "'";
    EXPECT_EQ(std::system(gone.c_str()), 0);
    EXPECT_FALSE(fs::exists(HostSocketPath(HostSocketFolder())));
    EXPECT_TRUE(fs::exists(AutostartEntryPath()));
}

TEST_F(HostOnDisplay, TheStopActionHandsTheDesktopBack) {
    for (const char* tool : {"xsetroot", "desktop-file-validate"})
        SORVANE_NEEDS(OnPath(tool), tool);
    // The desktop's own background, which we must never change.
    ASSERT_EQ(std::system("xsetroot -solid '#123456'"), 0);
    const fs::path shot = home_ / "shot.png";
    ASSERT_TRUE(Near(ScreenPixel(shot, 400, 300), 0x12, 0x34, 0x56));

    const fs::path page = Page("red.html", "#ff0000");
    LinuxActiveDesktop desktop(OpenDefaultRegistryStore(),
                               {HostSocketFolder(), SORVANE_HOST_PROGRAM, true});
    desktop.SetWallpaper(page.string());
    desktop.ApplyChanges(7);  // no host runs: this starts one
    EXPECT_TRUE(WaitFor(60s, [&] { return Near(ScreenPixel(shot, 400, 300), 255, 0, 0); }));
    std::ifstream entry(AutostartEntryPath());
    std::string line, exec;
    while (std::getline(entry, line))
        if (line.starts_with("Exec=")) exec = line.substr(5);
    ASSERT_FALSE(exec.empty());

    // The launcher's action, as the desktop file gives it.
    const std::string desktopFile = std::string(std::getenv("SORVANE_SOURCE_DIR")) +
                                    "/resources/desktop/org.example.DesktopSorvane.desktop";
    EXPECT_EQ(std::system(("desktop-file-validate '" + desktopFile + "'").c_str()), 0);
    EXPECT_EQ(Output("sed -n 's/^Exec=desktop-sorvane-cli //p' '" + desktopFile + "'"),
              "--stop-desktop\n");
    Child stop({SORVANE_CLI_PROGRAM, "--stop-desktop"});
    EXPECT_EQ(stop.Wait(60s), 0);
    EXPECT_TRUE(WaitFor(120s, [] { return !fs::exists(HostSocketPath(HostSocketFolder())); }));
    EXPECT_FALSE(fs::exists(AutostartEntryPath()));
    EXPECT_EQ(ReadWallpaperSetting(OpenDefaultRegistryStore()), "");
    EXPECT_TRUE(WaitFor(120s, [&] { return Near(ScreenPixel(shot, 400, 300), 0x12, 0x34, 0x56); }))
        << "the desktop's own background is not back";
}

}  // namespace
}  // namespace sorvane::test
