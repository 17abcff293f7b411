// The about box through "edit FORM COMPONENT About": the package's property
// editor shows the runtime library's form, with the package's LOGO bitmap.
#include "support/TestFolder.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <optional>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class AboutBoxCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = FFolder.emplace("quelm-about-test").Path();
    FForm = FDir / "About.dfm";
    std::ofstream(FForm, std::ios::binary) << "object AboutForm: TAboutForm\n"
                                              "  object Db: TQuelmDatabase\n"
                                              "  end\n"
                                              "end\n";
  }
  void TearDown() override {
    FFolder.reset();
  }

  TestSupport::TProgramRun Edit(const std::string& script) {
    fs::path file = FDir / "script.txt";
    std::ofstream(file) << script;
    return TestSupport::RunCommandLine(std::string(QUELM_DESIGNER_FILE) + " edit " + FForm.string() +
                                       " Db About --script " + file.string());
  }

  std::optional<TestSupport::TTestFolder> FFolder;

  fs::path FDir, FForm;
};

} // namespace

TEST_F(AboutBoxCommandTest, TheBoxIsAFormThatOkCloses) {
  // Left open, the script names the box: it was shown as a form.
  TestSupport::TProgramRun open = Edit("# nothing\n");
  EXPECT_NE(open.Code, 0);
  EXPECT_NE(open.Out.find("TQuelmAboutComp (About Dorvik for Quelm)"), std::string::npos) << open.Out;

  TestSupport::TProgramRun closed = Edit("click OkButton\n");
  EXPECT_EQ(closed.Code, 0) << closed.Out;
  EXPECT_EQ(closed.Out.find("saved"), std::string::npos) << closed.Out;
}
