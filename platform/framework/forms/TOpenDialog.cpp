#include "forms/TOpenDialog.h"

#include "forms/TWidgetSet.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

const TTypeInfo& TypeInfoOpenOptions() {
  static const TTypeInfo option = MakeEnumType(
      "TOpenOption",
      {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
       "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
       "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
       "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing", "ofDontAddToRecent",
       "ofForceShowHidden"});
  static const TTypeInfo info = MakeSetType("TOpenOptions", option);
  return info;
}

QUELM_DEFINE_CLASS(TOpenDialog, TComponent, b.ComponentFactory();
                   b.Property("DefaultExt", TypeInfoString(), &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
                   b.Property("FileName", TypeInfoFileName(), &TOpenDialog::FileName, &TOpenDialog::SetFileName);
                   b.Property("Filter", TypeInfoString(), &TOpenDialog::Filter, &TOpenDialog::SetFilter);
                   b.Property("FilterIndex", TypeInfoInteger(), &TOpenDialog::FilterIndex,
                              &TOpenDialog::SetFilterIndex)
                       .Default(1);
                   b.Property("HelpContext", TypeInfoHelpContext(), &TOpenDialog::HelpContext,
                              &TOpenDialog::SetHelpContext)
                       .Default(0);
                   b.Property("InitialDir", TypeInfoString(), &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
                   b.Property("Options", TypeInfoOpenOptions(), &TOpenDialog::Options, &TOpenDialog::SetOptions)
                       .Default(0x80004);
                   b.Property("Title", TypeInfoString(), &TOpenDialog::Title, &TOpenDialog::SetTitle))

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute() { return WidgetSet().ExecuteOpenDialog(*this); }

bool TOpenDialog::ExecuteWith(const std::function<std::optional<std::string>()>& choose) {
  std::string lastRefused;
  for (;;) {
    std::optional<std::string> chosen = choose();
    if (!chosen) return false;
    std::string refusal = RefusalOf(*chosen);
    if (refusal.empty()) {
      SetFileName(FullPath(*chosen));
      return true;
    }
    if (*chosen == lastRefused) return false;
    lastRefused = *chosen;
    TMessageBoxInfo box;
    box.Text = refusal;
    box.Caption = FTitle.empty() ? "Open" : FTitle;
    box.Icon = TMsgDlgType::mtWarning;
    box.Buttons = {TMsgDlgBtn::mbOK};
    WidgetSet().MessageBox(box);
  }
}

std::string TOpenDialog::FullPath(const std::string& fileName) const {
  fs::path path(fileName);
  if (path.is_relative()) path = (FInitialDir.empty() ? fs::current_path() : fs::path(FInitialDir)) / path;
  std::error_code error;
  fs::path absolute = fs::absolute(path, error);
  return (error ? path : absolute).lexically_normal().string();
}

std::string TOpenDialog::RefusalOf(const std::string& fileName) const {
  if (fileName.empty()) return "No file name was given.";
  fs::path path(FullPath(fileName));
  std::error_code error;
  if (FOptions.Contains(TOpenOption::ofPathMustExist) || FOptions.Contains(TOpenOption::ofFileMustExist)) {
    fs::path folder = path.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, error))
      return folder.string() + "\nPath does not exist.\nCheck the path and try again.";
  }
  if (FOptions.Contains(TOpenOption::ofFileMustExist) && !fs::is_regular_file(path, error))
    return path.string() + "\nFile not found.\nCheck the file name and try again.";
  return "";
}
