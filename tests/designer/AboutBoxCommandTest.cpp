// The about box through "edit FORM COMPONENT About": the package's property
// editor shows the runtime library's form, with the package's LOGO bitmap.
#include "support/RunProgram.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class AboutBoxCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() / ("quelm-about-test-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(FDir);
    FForm = FDir / "About.dfm";
    std::ofstream(FForm, std::ios::binary) << "object AboutForm: TAboutForm\n"
                                              "  object Db: TQuelmDatabase\n"
                                              "  end\n"
                                              "end\n";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(FDir, ec);
  }

  TestSupport::TProgramRun Edit(const std::string& script) {
    fs::path file = FDir / "script.txt";
    std::ofstream(file) << script;
    return TestSupport::RunCommandLine(std::string(QUELM_DESIGNER_FILE) + " edit " + FForm.string() +
                                       " Db About --script " + file.string());
  }

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
