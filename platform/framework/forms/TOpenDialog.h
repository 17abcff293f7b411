#pragma once
// The file-open dialog. Execute runs it through the widgetset; the dialog
// refuses a name whose folder does not exist (ofPathMustExist) or that names
// no existing file (ofFileMustExist), and gives the chosen name with its
// full path.
#include "classes/TComponent.h"
#include "forms/FormTypes.h"

#include <functional>
#include <optional>
#include <string>

enum class TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing,
  ofDontAddToRecent,
  ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;
const TTypeInfo& TypeInfoOpenOptions();

class TOpenDialog : public TComponent {
  QUELM_CLASS(TOpenDialog, TComponent)

public:
  explicit TOpenDialog(TComponent* owner);

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& name) { FFileName = name; }
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& filter) { FFilter = filter; }
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int index) { FFilterIndex = index; }
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& dir) { FInitialDir = dir; }
  const std::string& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& ext) { FDefaultExt = ext; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int context) { FHelpContext = context; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions options) { FOptions = options; }

  // True when the user chose a file; FileName then holds it.
  virtual bool Execute();
  // The dialog's run on any widgetset: asks choose for a name (none is
  // Cancel) until the dialog takes one, telling the user in a warning box why
  // a name was refused. The same refused name twice counts as Cancel, so a
  // chooser that cannot do better does not ask for ever.
  bool ExecuteWith(const std::function<std::optional<std::string>()>& choose);
  // Why the dialog refuses a name ("" when it takes it), as its message box
  // says it; relative names count from InitialDir.
  std::string RefusalOf(const std::string& fileName) const;
  // The name with its full path.
  std::string FullPath(const std::string& fileName) const;

private:
  std::string FTitle;
  std::string FFileName;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FInitialDir;
  std::string FDefaultExt;
  int FHelpContext = 0;
  TOpenOptions FOptions{TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
};
