// quelm-designer's choice of widgetset: --gui loads the Qt widgetset at run
// time and shows real windows (here on the offscreen platform), and a
// missing display is a clear error, not a toolkit abort.
#include "support/TestFolder.h"
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
struct TRun {
  int Code;
  std::string Out;
};

// Runs the program through the shell with env settings in front; output
// and errors together.
TRun RunDesigner(const std::string& env, const std::string& args) {
  std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QUELM_WIDGETSET " + env + " " +
                        QUELM_DESIGNER_FILE + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

class GuiOptionTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = FFolder.emplace("quelm-gui-test").Path();
  }
  void TearDown() override { FFolder.reset(); }
  std::optional<TestSupport::TTestFolder> FFolder;
  fs::path FDir;
};
} // namespace

TEST_F(GuiOptionTest, WithoutADisplayGuiSaysSoAndExits2) {
  TRun run = RunDesigner("", "--gui palette");
  EXPECT_EQ(2, run.Code) << run.Out;
  EXPECT_NE(std::string::npos, run.Out.find("--gui needs a display")) << run.Out;
  TRun viaEnv = RunDesigner("QUELM_WIDGETSET=qt", "palette");
  EXPECT_EQ(2, viaEnv.Code) << viaEnv.Out;
  EXPECT_NE(std::string::npos, viaEnv.Out.find("needs a display")) << viaEnv.Out;
}

TEST_F(GuiOptionTest, ConflictingChoicesAreRefused) {
  EXPECT_EQ(2, RunDesigner("", "--gui --headless palette").Code);
  TRun bad = RunDesigner("QUELM_WIDGETSET=motif", "palette");
  EXPECT_EQ(2, bad.Code);
  EXPECT_NE(std::string::npos, bad.Out.find("QUELM_WIDGETSET must be qt or headless")) << bad.Out;
  // Headless explicitly still runs.
  EXPECT_EQ(0, RunDesigner("QUELM_WIDGETSET=qt", "--headless palette").Code);
}

// The UpdateSQL editor opened by its verb shows as a real window that the
// script plays; both screenshots are saved, and nothing is written.
TEST_F(GuiOptionTest, ScreenshotsOfAScriptedDialog) {
  fs::path form = FDir / "Unit1.dfm";
  std::ofstream(form) << "object Form1: TForm1\r\n  Left = 0\r\n  Top = 0\r\n  Width = 300\r\n  Height = 200\r\n"
                         "  object UpdateSQL1: TQuelmUpdateSQL\r\n    Left = 8\r\n    Top = 8\r\n  end\r\nend\r\n";
  fs::path script = FDir / "cancel.txt";
  std::ofstream(script) << "page SQLPage\nclick CancelButton\n";
  fs::path shots = FDir / "shots";
  TRun run = RunDesigner("QT_QPA_PLATFORM=offscreen",
                 "--gui --screenshot " + shots.string() + " verb " + form.string() + " UpdateSQL1 0 --script " +
                     script.string());
  EXPECT_EQ(0, run.Code) << run.Out;
  EXPECT_NE(std::string::npos, run.Out.find("the form did not change")) << run.Out;
  int shown = 0, closing = 0;
  if (fs::exists(shots))
    for (auto& entry : fs::directory_iterator(shots)) {
      std::string name = entry.path().filename().string();
      shown += name.find("-shown.png") != std::string::npos;
      closing += name.find("-closing.png") != std::string::npos;
    }
  EXPECT_EQ(1, shown) << run.Out;
  EXPECT_EQ(1, closing) << run.Out;
}
