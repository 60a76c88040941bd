// The companion program as a user runs it, on a real home: what a run leaves
// behind is only what it was asked to change.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <filesystem>
#include <map>
#include <string>

#include "common/TempHome.h"

namespace fs = std::filesystem;

namespace sorvane::test {
namespace {

class CompanionProgram : public ::testing::Test {
  protected:
    TempHome home;

    // Runs the program with the home's environment; its JSON line (if any) is returned.
    std::string Run(const QStringList& args) {
        QProcess run;
        run.start(SORVANE_CLI_PROGRAM, QStringList{"--no-browser"} + args);
        EXPECT_TRUE(run.waitForFinished(120000));
        EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
        return run.readAllStandardOutput().toStdString();
    }
    // Every file under the home, by path, with its bytes.
    std::map<std::string, std::string> Files() {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(home.Root()))
            if (e.is_regular_file()) files[e.path().string()] = ReadFile(e.path());
        return files;
    }
    static QSize SizeOf(const fs::path& picture) {
        return QImage(QString::fromStdString(picture.string())).size();
    }
};

TEST_F(CompanionProgram, AQueryOrAPretendScreenLeavesNoLastingTrace) {
    const fs::path in = home / "in";
    fs::create_directories(in);
    QImage big(2000, 1500, QImage::Format_RGB32);
    big.fill(Qt::darkGreen);
    ASSERT_TRUE(big.save(QString::fromStdString((in / "big.png").string())));

    // A build on the screen this run has (headless: a 1920×1080 stand-in).
    Run({"--add", QString::fromStdString((in / "big.png").string()), "--apply"});
    const auto built = Files();
    const fs::path stored = home / "data/desktop-sorvane/images/big.png";
    const fs::path shown = home / "home/Pictures/Sorvane/big.png";
    ASSERT_EQ(SizeOf(stored), QSize(1413, 1060));
    ASSERT_EQ(SizeOf(shown), QSize(1900, 1060));

    // Queries, with and without a pretend screen, save nothing at all.
    Run({"--work-area", "0,0,320,240", "--show"});
    EXPECT_EQ(Files(), built);
    Run({"--show"});
    EXPECT_EQ(Files(), built);

    // A build for a pretend screen shows at its size, but neither the stored
    // picture nor the size a later start begins from shrinks with it.
    Run({"--work-area", "0,0,320,240", "--duration", "7", "--apply"});
    EXPECT_EQ(SizeOf(shown), QSize(300, 220));
    EXPECT_EQ(ReadFile(stored), built.at(stored.string()));
    const std::string state = Run({"--show"});
    EXPECT_NE(state.find("\"targetSize\":[1900,1060]"), std::string::npos) << state;

    // The next build on the real screen is full size again.
    Run({"--duration", "8", "--apply"});
    EXPECT_EQ(SizeOf(shown), QSize(1900, 1060));
}

// It prints the window's messages, so in the window's languages too.
TEST_F(CompanionProgram, SpeaksTheUsersLanguage) {
    const fs::path config = home / "data/desktop-sorvane/config.dat";
    for (const auto& [lang, words] : {std::pair{"de_DE.UTF-8", "konnten nicht gelesen werden"},
                                      std::pair{"fr_FR.UTF-8", "n'ont pas pu être lus"}}) {
        fs::create_directories(config.parent_path());
        WriteFile(config, std::string("not settings\0", 13));
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(name);
        env.insert("LANG", lang);
        run.setProcessEnvironment(env);
        run.start(SORVANE_CLI_PROGRAM, {"--no-browser", "--show"});
        ASSERT_TRUE(run.waitForFinished(120000));
        const std::string said = run.readAllStandardError().toStdString();
        EXPECT_NE(said.find(words), std::string::npos) << lang << ": " << said;
    }
}

}  // namespace
}  // namespace sorvane::test
