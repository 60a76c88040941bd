#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "app/MainForm.h"
#include "app/ScriptedDialogs.h"
#include "cli/CliArguments.h"
#include "cli/CliRunner.h"
#include "cli/StateJson.h"
#include "common/TestPlatform.h"

using namespace sorvane;
using cli::ParseArguments;

namespace {

TEST(CliArguments, ActionsKeepTheirOrderAndValues) {
    const auto a = ParseArguments({"--work-area", "0,0,1024,738", "--answer", "yes-to-all", "--add",
                                   "a.jpg", "b.jpg", "--select", "1,0", "--transition", "Fade",
                                   "--no-browser", "--apply", "--show"});
    ASSERT_TRUE(a.WorkArea);
    EXPECT_EQ(a.WorkArea->Right, 1024);
    EXPECT_EQ(a.WorkArea->Bottom, 738);
    EXPECT_EQ(a.Answer, OverwriteAnswer::YesToAll);
    EXPECT_TRUE(a.NoBrowser);
    ASSERT_EQ(a.Actions.size(), 5u);
    EXPECT_EQ(a.Actions[0].Name, "add");
    EXPECT_EQ(a.Actions[0].Args, (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_EQ(a.Actions[1].Args, (std::vector<std::string>{"1,0"}));
    EXPECT_EQ(a.Actions[2].Args, (std::vector<std::string>{"Fade"}));
    EXPECT_EQ(a.Actions[3].Name, "apply");
    EXPECT_EQ(a.Actions[4].Name, "show");
}

TEST(CliArguments, UsageErrors) {
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--frobnicate"},
                                               {"--add"},
                                               {"--color"},
                                               {"--align", "middle"},
                                               {"--answer", "maybe"},
                                               {"--work-area", "0,0,100"},
                                               {"--work-area", "0,0,100,x"},
                                               {"--work-area", "100,100,50,50"},
                                               {"--work-area", "0,0,-2147483648,800"},
                                               {"--work-area", "0,800,1024,0"},
                                               {"picture.jpg"}})
        EXPECT_THROW(ParseArguments(bad), std::invalid_argument) << bad[0];
}

TEST(StateJson, EscapesNamesAndPrintsEveryField) {
    FormState f;
    f.Settings.Pictures = {{"a \"b\"\\\n.jpg", 54}};
    f.Settings.BackgroundColor = 255;
    f.Settings.Alignment = "left";
    f.Window.TargetSize = {1004, 718};
    f.Window.LargestSize = {2592, 1944};
    f.Window.PageFolder = "/home/u/Pictures";
    EXPECT_EQ(cli::StateJson(f),
              "{\"pictures\":[{\"file\":\"a \\\"b\\\"\\\\\\n.jpg\",\"transition\":54}],"
              "\"backgroundColor\":255,\"duration\":\"6\",\"alignment\":\"left\",\"changed\":false,"
              "\"targetSize\":[1004,718],\"largestSize\":[2592,1944],"
              "\"pageFolder\":\"/home/u/Pictures\",\"lastBrowseDir\":\"\"}");
}

// Names from another system's code page still give valid JSON.
TEST(StateJson, AlwaysValidUtf8) {
    FormState f;
    f.Settings.Pictures = {{"s\xE9"
                            "a.jpg",
                            54},
                           {"\xC3\xA9t\xC3\xA9 \xF0\x9F\x8C\x8A.jpg", 54},
                           {"\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xE2\x82.jpg", 54}};
    const std::string json = cli::StateJson(f);
    EXPECT_NE(json.find("\"s\\ufffda.jpg\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"\xC3\xA9t\xC3\xA9 \xF0\x9F\x8C\x8A.jpg\""), std::string::npos) << json;
    // Overlong, surrogate, beyond U+10FFFF and cut-off sequences: each byte replaced.
    std::string replaced;
    for (int i = 0; i < 11; ++i) replaced += "\\ufffd";
    EXPECT_NE(json.find("\"" + replaced + ".jpg\""), std::string::npos) << json;
}

struct CliRun : ::testing::Test {
    test::TempHome home;
    test::TestPlatform platform{home};
    ScriptedDialogs dialogs;
    MainForm form{platform.Make(), dialogs};
    std::ostringstream out, err;

    int Run(const std::vector<std::string>& args) {
        form.Form_Load();
        return cli::RunActions(ParseArguments(args), form, dialogs, out, err);
    }
};

TEST_F(CliRun, OptionsActLikeTheUsersEdits) {
    EXPECT_EQ(Run({"--color", "0x0000FF", "--duration", "2,5", "--align", "right", "--show"}), 0)
        << err.str();
    EXPECT_NE(out.str().find("\"backgroundColor\":255,\"duration\":\"2,5\",\"alignment\":\"right\","
                             "\"changed\":true"),
              std::string::npos)
        << out.str();
    EXPECT_TRUE(form.State().Controls.ApplyEnabled);
}

TEST_F(CliRun, ABadActionStopsTheRunWithStatusOne) {
    EXPECT_EQ(Run({"--select", "0", "--color", "1"}), 1) << "there is no entry 0";
    EXPECT_NE(err.str().find("--select"), std::string::npos);
    EXPECT_EQ(form.State().Settings.BackgroundColor, OleDesktopColor) << "later actions don't run";
}

// Each failure says once which option failed, and why, and applies nothing.
TEST_F(CliRun, RefusalsNameTheOptionOnce) {
    form.Form_Load();
    const struct {
        std::vector<std::string> args;
        const char* why;
    } cases[] = {
        {{"--select", "x"}, "not a number"},
        {{"--select", "3"}, "no entry 3"},
        {{"--transition", "Fade"}, "disabled"},  // nothing selected: the box is disabled
        {{"--remove"}, "disabled"},              // nor are the list's buttons enabled
        {{"--move-down"}, "disabled"},
        {{"--add-folder", (home / "no such folder").string()}, "not a folder"},
        {{"--color", "red"}, "not a number"},
        {{"--color", "0x-1"}, "not a number"},
        {{"--color", "0x+1"}, "not a number"},
        {{"--color", "0x1FFFFFFFF"}, "not a 32-bit colour"},
    };
    for (const auto& c : cases) {
        std::ostringstream e;
        EXPECT_EQ(cli::RunActions(ParseArguments(c.args), form, dialogs, out, e), 1) << c.args[0];
        const std::string text = e.str();
        EXPECT_EQ(text.find(c.args[0]), 0u) << text;
        EXPECT_EQ(text.find(c.args[0], 1), std::string::npos) << text;
        EXPECT_NE(text.find(c.why), std::string::npos) << text;
    }
    EXPECT_FALSE(form.State().Settings.Changed);
    EXPECT_EQ(form.State().Settings.BackgroundColor, OleDesktopColor);
}

TEST_F(CliRun, NothingRunsAfterTheWindowClosed) {
    EXPECT_EQ(Run({"--ok", "--show"}), 1);
    EXPECT_TRUE(form.Closed());
    EXPECT_TRUE(out.str().empty());
}

}  // namespace
