#include "forms/TOpenDialog.h"

#include "forms/TApplication.h"
#include "classes/TypInfo.h"
#include "forms/TModalDriver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {
struct TTempFile {
  std::filesystem::path Path;
  TTempFile() : Path(std::filesystem::temp_directory_path() / "quelm-open-dialog-test.pem") {
    std::ofstream(Path) << "cert";
  }
  ~TTempFile() { std::filesystem::remove(Path); }
};

TOpenDialog* MakeDialog() {
  auto* dialog = new TOpenDialog(&Application());
  dialog->SetTitle("SSLCert");
  dialog->SetFilter("All Files (*.*)|*.*");
  dialog->SetOptions(dialog->Options() + TOpenOptions{TOpenOption::ofShowHelp, TOpenOption::ofPathMustExist,
                                                      TOpenOption::ofFileMustExist});
  return dialog;
}
} // namespace

TEST(TOpenDialog, RefusesANameThatDoesNotExist) {
  TTempFile file;
  std::unique_ptr<TOpenDialog> dialog(MakeDialog());
  std::string missing = (file.Path.parent_path() / "no-such-cert.pem").string();
  TFunctionModalDriver driver;
  driver.QueueFile(missing).QueueFile("/no/such/folder/cert.pem").QueueFile(file.Path.string());
  driver.AnswerWith([](const TMessageBoxInfo&) { return mrOk; });
  TModalDriverGuard guard(driver);
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(file.Path.string(), dialog->FileName());
  ASSERT_EQ(2u, driver.Messages().size());
  EXPECT_EQ(missing + "\nFile not found.\nCheck the file name and try again.", driver.Messages()[0].Text);
  EXPECT_EQ("SSLCert", driver.Messages()[0].Caption);
  EXPECT_EQ("/no/such/folder\nPath does not exist.\nCheck the path and try again.", driver.Messages()[1].Text);
}

TEST(TOpenDialog, CancelAndARepeatedRefusedNameLeaveTheFileNameAlone) {
  std::unique_ptr<TOpenDialog> dialog(MakeDialog());
  dialog->SetFileName("old.pem");
  TFunctionModalDriver driver;
  driver.QueueFile(std::nullopt).QueueFile("/nope/a.pem").QueueFile("/nope/a.pem");
  driver.AnswerWith([](const TMessageBoxInfo&) { return mrOk; });
  TModalDriverGuard guard(driver);
  EXPECT_FALSE(dialog->Execute());
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ("old.pem", dialog->FileName());
  EXPECT_EQ(1u, driver.Messages().size());
}

TEST(TOpenDialog, RelativeNamesGetTheirFullPath) {
  TTempFile file;
  std::unique_ptr<TOpenDialog> dialog(MakeDialog());
  dialog->SetInitialDir(file.Path.parent_path().string());
  TFunctionModalDriver driver;
  driver.QueueFile(file.Path.filename().string());
  TModalDriverGuard guard(driver);
  EXPECT_TRUE(dialog->Execute());
  EXPECT_EQ(file.Path.string(), dialog->FileName());
}

TEST(TOpenDialog, TheDriverSeesTheDialogAsShown) {
  std::unique_ptr<TOpenDialog> dialog(MakeDialog());
  dialog->SetFileName("/etc/current.pem");
  std::string seen;
  TFunctionModalDriver driver;
  driver.ChooseFileWith([&](const TOpenDialog& shown) -> std::optional<std::string> {
    seen = shown.Title() + " " + shown.FileName() + " " + shown.Filter() + " " +
           SetToString(TypeInfoOpenOptions(), static_cast<int64_t>(shown.Options().Bits()));
    return std::nullopt;
  });
  TModalDriverGuard guard(driver);
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ("SSLCert /etc/current.pem All Files (*.*)|*.* "
            "[ofHideReadOnly,ofShowHelp,ofPathMustExist,ofFileMustExist,ofEnableSizing]",
            seen);
}
