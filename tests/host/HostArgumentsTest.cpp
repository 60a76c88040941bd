#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <glib.h>

#include <cstdlib>

#include "common/Needs.h"
#include "common/TempHome.h"
#include "host/DesktopHost.h"
#include "host/HostArguments.h"
#include "platform/linux/AutostartEntry.h"
#include "platform/linux/LinuxShell.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

TEST(HostArguments, RequestsFromTheCommandLine) {
    EXPECT_EQ(ParseHostArguments({}).command.verb, HostCommand::Verb::Reload);
    EXPECT_EQ(ParseHostArguments({"quit"}).command.verb, HostCommand::Verb::Quit);
    EXPECT_EQ(ParseHostArguments({"window"}).command.verb, HostCommand::Verb::Window);
    EXPECT_TRUE(ParseHostArguments({"--help"}).help);

    const HostArguments load = ParseHostArguments({"load", "/p/a b/Sorvane.html"});
    EXPECT_TRUE(load.error.empty());
    EXPECT_EQ(load.command, (HostCommand{HostCommand::Verb::Load, "/p/a b/Sorvane.html"}));
    EXPECT_EQ(ParseHostArguments({"load", ""}).command.path, "") << "the empty desktop";

    const HostArguments login = ParseHostArguments({"--foreground", "login", "/p/Sorvane.html"});
    EXPECT_TRUE(login.login && login.foreground);
    EXPECT_EQ(login.command, (HostCommand{HostCommand::Verb::Load, "/p/Sorvane.html"}));

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"load"}, {"load", "a", "b"}, {"reload", "x"}, {"show"}, {"--page=x"}, {"login"}})
        EXPECT_FALSE(ParseHostArguments(bad).error.empty()) << bad[0];
}

TEST(HostArguments, ARelativePageIsMadeAbsolute) {
    TempHome home;
    const fs::path before = fs::current_path();
    fs::current_path(home / "Pictures");
    const HostArguments load = ParseHostArguments({"load", "../Pictures/./Sorvane.html"});
    fs::current_path(before);
    EXPECT_EQ(load.command.path, fs::canonical(home / "Pictures").string() + "/Sorvane.html");
}

TEST(HostPages, WhatCanBeShown) {
    TempHome home;
    EXPECT_EQ(PageProblem(""), "");
    const fs::path page = home / "Pictures/Sorvane.html";
    EXPECT_NE(PageProblem(page.string()).find("does not exist"), std::string::npos);
    WriteFile(page, "<html></html>");
    EXPECT_EQ(PageProblem(page.string()), "");
    EXPECT_NE(PageProblem((home / "Pictures").string()), "") << "a folder is no page";
    EXPECT_NE(PageProblem(page.string() + std::string(1, '\0') + ".txt"), "") << "cut at a NUL";
    const fs::path fifo = home / "Pictures/fifo.html";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_NE(PageProblem(fifo.string()), "") << "a FIFO is no page, and doesn't hang";
    if (geteuid() != 0) {  // root reads anything
        chmod(page.c_str(), 0);
        EXPECT_NE(PageProblem(page.string()).find("can't be read"), std::string::npos);
    }
}

TEST(HostProgram, TheDisplaySettingsFindTheHostFromTheBuildTree) {
    // Not beside the test: the build tree's host, even where an installed
    // one is on PATH.
    const std::string path = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", "/usr/bin:/bin", 1);
    const std::string found = LinuxShell::HostProgram();
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(found, SORVANE_HOST_PROGRAM);
}

// The login entry as GLib's launcher reads it: for any page path the host
// gets back exactly that path, and the entry passes desktop-file-validate.
TEST(LoginEntry, AnyPagePathSurvivesTheLauncher) {
    TempHome home;
    const std::string program = "/opt/a \\b\"c/desktop-sorvane-host";
    const bool validator = std::system("command -v desktop-file-validate >/dev/null") == 0;
    SORVANE_NEEDS(validator, "desktop-file-validate");
    for (const std::string page :
         {"/p/Sorvane.html", "/p/back\\slash/Sorvane.html", "/p/\"quoted\" 'single'/S.html",
          "/p/$HOME `x` %f 100%/S.html", "/p/new\nline\ttab/S.html", "/p/caf\xc3\xa9/S.html",
          "/p/latin1 caf\xe9/S.html", "/p/\\\\two\\/S.html"}) {
        const std::string text = AutostartEntryText(program, page);
        const fs::path entry = home / "entry.desktop";
        WriteFile(entry, text);
        EXPECT_EQ(
            std::system(("desktop-file-validate '" + entry.string() + "' >/dev/null").c_str()), 0)
            << text;
        GKeyFile* file = g_key_file_new();
        ASSERT_TRUE(g_key_file_load_from_file(file, entry.c_str(), G_KEY_FILE_NONE, nullptr));
        gchar* exec = g_key_file_get_string(file, "Desktop Entry", "Exec", nullptr);
        ASSERT_NE(exec, nullptr) << text;
        // GLib's launcher: field codes expanded ("%%" is "%"), then shell-parsed.
        std::string line;
        for (const char* c = exec; *c != '\0'; ++c) {
            line += *c;
            if (*c == '%' && c[1] == '%') ++c;
        }
        gint argc = 0;
        gchar** argv = nullptr;
        ASSERT_TRUE(g_shell_parse_argv(line.c_str(), &argc, &argv, nullptr)) << line;
        ASSERT_EQ(argc, 3) << line;
        EXPECT_EQ(std::string(argv[0]), program);
        const HostArguments args =
            ParseHostArguments(std::vector<std::string>(argv + 1, argv + argc));
        EXPECT_TRUE(args.login && args.error.empty()) << line;
        EXPECT_EQ(args.command.path, page) << line;
        g_strfreev(argv);
        g_free(exec);
        g_key_file_free(file);
    }
}

}  // namespace
}  // namespace sorvane::test
