#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <thread>

#include "common/Needs.h"
#include "common/TempHome.h"
#include "platform/Error.h"
#include "platform/linux/HostCommand.h"
#include "platform/linux/HostSocket.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

TEST(HostProtocol, EveryPathSurvivesTheOneLineForm) {
    for (const std::string path :
         {"/home/ann/Pictures/Sorvane.html", "/a b/100%/x.html", "/odd\nname\r.html",
          "/%0A already escaped.html", "/été/スライド.html", ""}) {
        const std::string line = FormatHostCommand({HostCommand::Verb::Load, path});
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_EQ(line.find('\r'), std::string::npos);
        const auto parsed = ParseHostCommand(line);
        ASSERT_TRUE(parsed) << line;
        EXPECT_EQ(*parsed, (HostCommand{HostCommand::Verb::Load, path}));
    }
}

TEST(HostProtocol, TypedRequestsAndStrayInput) {
    EXPECT_EQ(ParseHostCommand("reload")->verb, HostCommand::Verb::Reload);
    EXPECT_EQ(ParseHostCommand("quit\r")->verb, HostCommand::Verb::Quit);  // from a terminal tool
    EXPECT_EQ(ParseHostCommand("window")->verb, HostCommand::Verb::Window);
    EXPECT_EQ(ParseHostCommand(FormatHostCommand({HostCommand::Verb::Status, {}}))->verb,
              HostCommand::Verb::Status);
    EXPECT_EQ(ParseHostCommand("load /x%20y.html")->path, "/x y.html");
    EXPECT_EQ(ParseHostCommand("load /50%.html")->path, "/50%.html");
    EXPECT_EQ(ParseHostCommand("load /5%4")->path, "/5%4");
    EXPECT_EQ(ParseHostCommand("load /%zz")->path, "/%zz");
    for (const char* bad : {"", "Reload", "reload now", "quitx", "loadx /a", " load /a"})
        EXPECT_FALSE(ParseHostCommand(bad)) << bad;
}

TEST(HostProtocol, Replies) {
    EXPECT_TRUE(ParseHostReply("ok").ok);
    EXPECT_EQ(ParseHostReply("ok 4194311").detail, "4194311");
    const HostReply failed = ParseHostReply("error The page /x does not exist.");
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.detail, "The page /x does not exist.");
    EXPECT_FALSE(ParseHostReply("okay").ok);
    EXPECT_FALSE(ParseHostReply("").ok);
    // A reply is one line, whatever the detail holds, and comes back whole.
    for (const std::string detail : {"two\nlines", "/100%.html", "a\r\nb%0A"}) {
        const std::string line = FormatHostReply({true, detail});
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        EXPECT_EQ(ParseHostReply(line).detail, detail);
    }
}

class HostSocket : public ::testing::Test {
  protected:
    TempHome home;
    std::string folder = (home / "runtime/desktop-sorvane").string();
};

TEST_F(HostSocket, LivesInTheRuntimeFolderOrAPrivateTmpFolder) {
    EXPECT_EQ(HostSocketFolder(), folder);
    setenv("XDG_RUNTIME_DIR", "relative/run", 1);
    EXPECT_EQ(HostSocketFolder(), "/tmp/desktop-sorvane-" + std::to_string(geteuid()));
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(HostSocketFolder(), "/tmp/desktop-sorvane-" + std::to_string(geteuid()));
}

TEST_F(HostSocket, FolderAndSocketAreOwnerOnly) {
    auto listener = HostListener::Open(folder);
    ASSERT_TRUE(listener);
    EXPECT_EQ(ModeOf(folder) & 0777, 0700u);
    const mode_t socketMode = ModeOf(HostSocketPath(folder));
    EXPECT_TRUE(S_ISSOCK(socketMode));
    EXPECT_EQ(socketMode & 0777, 0600u);
}

TEST_F(HostSocket, AnOpenFolderIsClosedAndAStrangeOneRefused) {
    fs::create_directories(folder);
    chmod(folder.c_str(), 0777);
    PrepareHostSocketFolder(folder);
    EXPECT_EQ(ModeOf(folder) & 0777, 0700u);

    const std::string link = (home / "runtime/linked").string();
    fs::create_directory_symlink(folder, link);
    EXPECT_THROW(PrepareHostSocketFolder(link), Error);
    const std::string file = (home / "runtime/file").string();
    WriteFile(file, "x");
    EXPECT_THROW(PrepareHostSocketFolder(file), Error);

    // A client doesn't talk through a folder others can reach.
    chmod(folder.c_str(), 0755);
    EXPECT_THROW(SendToHost(folder, "reload", 1000), Error);
}

TEST_F(HostSocket, OneHostAtATimeAndItsSocketGoesWithIt) {
    auto first = HostListener::Open(folder);
    ASSERT_TRUE(first);
    EXPECT_FALSE(HostListener::Open(folder)) << "a second host took the place";
    first.reset();
    EXPECT_FALSE(fs::exists(HostSocketPath(folder)));
    EXPECT_TRUE(HostListener::Open(folder));
}

TEST_F(HostSocket, AStaleSocketIsNoHostAndIsReplaced) {
    PrepareHostSocketFolder(folder);
    // A socket file whose host died: bound, then closed without removing it.
    {
        UniqueFd fd(socket(AF_UNIX, SOCK_STREAM, 0));
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        std::strcpy(a.sun_path, HostSocketPath(folder).c_str());
        ASSERT_EQ(bind(fd.Get(), reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    }
    ASSERT_TRUE(fs::exists(HostSocketPath(folder)));
    EXPECT_EQ(SendToHost(folder, "reload", 1000), std::nullopt);

    auto listener = HostListener::Open(folder);
    ASSERT_TRUE(listener);
    std::thread host([&] {
        for (;;) {
            if (auto c = listener->Accept()) {
                const auto line = c->ReadLine(5000);
                c->WriteLine(line ? "ok heard " + *line : "error nothing");
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    EXPECT_EQ(SendToHost(folder, "load /a b.html", 5000), "ok heard load /a b.html");
    host.join();
}

TEST_F(HostSocket, NoHostMeansNoAnswerAndASilentHostIsAnError) {
    EXPECT_EQ(SendToHost(folder, "reload", 1000), std::nullopt);  // not even a folder
    auto listener = HostListener::Open(folder);
    ASSERT_TRUE(listener);
    // Listening but never answering (a host that hangs).
    EXPECT_THROW(SendToHost(folder, "window", 300), Error);
}

// Runs `body` in a child process as the user "nobody"; returns its exit code.
template <typename Body>
int AsAnotherUser(Body body) {
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
        _exit(body());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

int ConnectTo(const std::string& path) {
    UniqueFd fd(socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strcpy(a.sun_path, path.c_str());
    if (connect(fd.Get(), reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return 1;
    const char request[] = "quit\n";
    if (send(fd.Get(), request, sizeof request - 1, MSG_NOSIGNAL) < 0) return 2;
    char answer[16];
    // The host closes without a word: end of input, or a reset since our
    // request went unread.
    const ssize_t n = recv(fd.Get(), answer, sizeof answer, 0);
    return n == 0 || (n < 0 && errno == ECONNRESET) ? 3 : 4;
}

TEST_F(HostSocket, OtherUsersCannotReachTheHost) {
    SORVANE_NEEDS(geteuid() == 0, "root, to act as another user");
    auto listener = HostListener::Open(folder);
    ASSERT_TRUE(listener);
    const std::string path = HostSocketPath(folder);
    // The runtime folder above ours must let "nobody" pass for the test to mean
    // anything: our own folder's mode has to be what stops it.
    chmod((home / "runtime").c_str(), 0711);
    chmod(home.Root().c_str(), 0711);
    EXPECT_EQ(AsAnotherUser([&] { return ConnectTo(path); }), 1) << "connected through 0700";

    // Even with the folder and socket opened up, the host drops the stranger.
    chmod(folder.c_str(), 0711);
    chmod(path.c_str(), 0666);
    std::atomic<bool> stop = false;
    std::atomic<int> accepted = 0;
    std::thread host([&] {
        while (!stop) {
            if (auto c = listener->Accept()) ++accepted;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    EXPECT_EQ(AsAnotherUser([&] { return ConnectTo(path); }), 3);
    stop = true;
    host.join();
    EXPECT_EQ(accepted, 0);
}

}  // namespace
}  // namespace sorvane::test
