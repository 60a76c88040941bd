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
    EXPECT_EQ(a.Answer, 3);
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
    EXPECT_EQ(Run({"--color", "0x0000FF", "--duration", "2,5", "--align", "center", "--show"}), 0)
        << err.str();
    EXPECT_NE(
        out.str().find("\"backgroundColor\":255,\"duration\":\"2,5\",\"alignment\":\"center\","
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

TEST_F(CliRun, ColourOutOfRangeOrNotANumberFails) {
    EXPECT_EQ(Run({"--color", "0x1FFFFFFFF"}), 1);
    std::ostringstream more;
    EXPECT_EQ(cli::RunActions(ParseArguments({"--color", "red"}), form, dialogs, out, more), 1);
}

TEST_F(CliRun, NothingRunsAfterTheWindowClosed) {
    EXPECT_EQ(Run({"--ok", "--show"}), 1);
    EXPECT_TRUE(form.Closed());
    EXPECT_TRUE(out.str().empty());
}

}  // namespace
