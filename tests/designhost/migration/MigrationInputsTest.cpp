#include "designhost/migration/MigrationInputs.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class MigrationInputsTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() / ("quelm-inputs-" + std::to_string(getpid()));
    fs::remove_all(FDir);
    for (const char* file : {"app/Main.dfm", "app/Main.pas", "app/sub/Orders.DFM", "app/sub/ORDERS.PAS",
                             "app/sub/deep/Frame.lfm", "app/sub/deep/readme.txt", "app/Lonely.dfm", "other/One.dfm"}) {
      fs::create_directories((FDir / file).parent_path());
      std::ofstream(FDir / file) << "x";
    }
  }
  void TearDown() override { fs::remove_all(FDir); }
  fs::path FDir;
};

TEST_F(MigrationInputsTest, FoldersGiveEveryFormFileUnderThemWithItsUnit) {
  TMigrationInputs inputs = CollectMigrationInputs(
      {(FDir / "app").string(), (FDir / "other/One.dfm").string(), (FDir / "app/Main.dfm").string(),
       (FDir / "missing").string()});
  std::vector<std::string> rows;
  for (const TMigrationInput& in : inputs.Forms)
    rows.push_back(in.RelativePath + " | " +
                   (in.UnitPath.empty() ? "-" : fs::path(in.UnitPath).lexically_relative(FDir).string()));
  EXPECT_EQ(rows, (std::vector<std::string>{"Lonely.dfm | -", "Main.dfm | app/Main.pas", "sub/Orders.DFM | app/sub/ORDERS.PAS",
                                            "sub/deep/Frame.lfm | -", "One.dfm | -"}));
  ASSERT_EQ(inputs.Missing.size(), 1u);
  EXPECT_EQ(inputs.Missing[0].second, "no such file or folder");
  EXPECT_EQ(inputs.FirstFolder, (FDir / "app").string());
}

TEST_F(MigrationInputsTest, AnOutputFolderInsideAnInputFolderIsPassedOver) {
  fs::create_directories(FDir / "app/out/sub");
  std::ofstream(FDir / "app/out/Main.dfm") << "x";
  std::ofstream(FDir / "app/out/sub/Orders.dfm") << "x";
  TMigrationInputs inputs = CollectMigrationInputs({(FDir / "app").string()}, (FDir / "app/out").string());
  std::vector<std::string> rows;
  for (const TMigrationInput& in : inputs.Forms) rows.push_back(in.RelativePath);
  EXPECT_EQ(rows, (std::vector<std::string>{"Lonely.dfm", "Main.dfm", "sub/Orders.DFM", "sub/deep/Frame.lfm"}));
}

TEST_F(MigrationInputsTest, AFileIsTakenWhateverItsName) {
  std::ofstream(FDir / "form.txt") << "x";
  TMigrationInputs inputs = CollectMigrationInputs({(FDir / "form.txt").string()});
  ASSERT_EQ(inputs.Forms.size(), 1u);
  EXPECT_EQ(inputs.Forms[0].RelativePath, "form.txt");
  EXPECT_EQ(inputs.FirstFolder, FDir.string());
}

} // namespace
