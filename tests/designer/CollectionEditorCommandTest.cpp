// The collection editor's window on a stored procedure's parameters, played
// by a script through "edit FORM PROC Params", against the test server.
#include "support/TestFolder.h"
#include "support/Files.h"
#include "support/RunProgram.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TestSupport::ReadFile;

class CollectionEditorCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    REQUIRE_TEST_SERVER();
    FDir = FFolder.emplace("quelm-collection-test").Path();
    FForm = FDir / "Adder.dfm";
    std::ofstream(FForm, std::ios::binary) << "object AdderForm: TAdderForm\n"
                                              "  object Db: TQuelmDatabase\n"
                                              "    DatabaseName = 'quelm_test'\n"
                                              "  end\n"
                                              "  object Adder: TQuelmStoredProc\n"
                                              "    Database = Db\n"
                                              "    ProcedureName = 'add_numbers'\n"
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
                                       " Adder Params --script " + file.string() + TestSupport::TestServerOptions());
  }

  std::optional<TestSupport::TTestFolder> FFolder;

  fs::path FDir, FForm;
};

} // namespace

TEST_F(CollectionEditorCommandTest, TheRefreshedParametersAreMovedAndEditedThroughTheWindowAndSaved) {
  TestSupport::TProgramRun run = Edit(
      "select ItemList \"1 - b\"\n"
      "click DownButton\n"
      "select ItemList \"1 - total\"\n"
      "select PropertyList \"Name = total\"\n"
      "type ValueEdit \"sum\"\n"
      "click SetButton\n"
      "click CloseButton\n");
  ASSERT_EQ(run.Code, 0) << run.Out;
  EXPECT_NE(run.Out.find("saved "), std::string::npos) << run.Out;
  std::string form = ReadFile(FForm);
  // The server's order a, b, total became a, sum (renamed total), b.
  size_t a = form.find("Name = 'a'"), sum = form.find("Name = 'sum'"), b = form.find("Name = 'b'");
  ASSERT_NE(a, std::string::npos) << form;
  ASSERT_NE(sum, std::string::npos) << form;
  ASSERT_NE(b, std::string::npos) << form;
  EXPECT_LT(a, sum);
  EXPECT_LT(sum, b);
  EXPECT_EQ(form.find("Name = 'total'"), std::string::npos) << form;
}

TEST_F(CollectionEditorCommandTest, AddAndDeleteChangeTheRefreshedItems) {
  std::string original = ReadFile(FForm);
  TestSupport::TProgramRun unchanged = Edit("click CloseButton\n");
  ASSERT_EQ(unchanged.Code, 0) << unchanged.Out;
  // The refresh itself fills the parameters: a change of the component the
  // form keeps.
  std::string refreshed = ReadFile(FForm);
  ASSERT_NE(refreshed.find("Name = 'total'"), std::string::npos) << refreshed;

  TestSupport::TProgramRun edited = Edit(
      "select ItemList \"0 - a\"\n"
      "click DeleteButton\n"
      "click AddButton\n"
      "click CloseButton\n");
  ASSERT_EQ(edited.Code, 0) << edited.Out;
  std::string form = ReadFile(FForm);
  EXPECT_EQ(form.find("Name = 'a'"), std::string::npos) << form;
  EXPECT_NE(form.find("Name = 'b'"), std::string::npos) << form;
  // The added item is the third again, without a name.
  size_t items = 0;
  for (size_t at = form.find("item"); at != std::string::npos; at = form.find("item", at + 1)) ++items;
  EXPECT_EQ(items, 3u) << form;
}
