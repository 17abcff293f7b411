#pragma once
// The design host's module services over the open form files. Each open file
// is a module with one file editor, a form editor, whose root component is
// the file's root. Walking modules, their editors and each form editor's root
// (and the components that root owns) reaches every component of every open
// form and data module.
#include "streaming/FormTree.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class Exception;
class TClassRegistry;
class TComponent;
class TFormEditor;
class TFormFile;
class TModule;

// One editor of a module's file. A form file's editor is a form editor.
class TModuleFileEditor {
public:
  virtual ~TModuleFileEditor() = default;
  virtual const std::string& FileName() const = 0;
  // The form-editor interface of this editor; none for other editors.
  virtual TFormEditor* AsFormEditor() { return nullptr; }
};

class TFormEditor : public TModuleFileEditor {
public:
  explicit TFormEditor(TModule& module) : FModule(module) {}
  const std::string& FileName() const override;
  TFormEditor* AsFormEditor() override { return this; }
  // Brings the form forward; the headless host has nothing to show.
  void Show() {}
  TComponent* GetRootComponent() const;
  // The form changed: the module is saved by the next save of modified modules.
  void MarkModified();

private:
  TModule& FModule;
};

class TModule {
public:
  TModule(std::unique_ptr<TFormFile> file);
  ~TModule();
  TModule(const TModule&) = delete;
  TModule& operator=(const TModule&) = delete;

  const std::string& FileName() const;
  int GetModuleFileCount() const { return 1; }
  TModuleFileEditor* GetModuleFileEditor(int index) const;
  TComponent* Root() const;
  TFormFile& File() const { return *FFile; }
  // Unresolved references and properties that could not be set, as
  // "file:line:column: message" lines.
  const std::vector<std::string>& Warnings() const;

  bool IsModified() const { return FModified; }
  void MarkModified() { FModified = true; }
  // Writes the module to its file (or to path) atomically, in the format,
  // encoding and line endings it was read in unless format says otherwise.
  // Nothing is written when it fails.
  void Save();
  void SaveAs(const std::string& path, std::optional<TFormFormat> format = std::nullopt);

private:
  std::unique_ptr<TFormFile> FFile;
  std::unique_ptr<TFormEditor> FEditor;
  bool FModified = false;
};

class TModuleServices {
public:
  explicit TModuleServices(const TClassRegistry& registry);
  ~TModuleServices();
  TModuleServices(const TModuleServices&) = delete;
  TModuleServices& operator=(const TModuleServices&) = delete;

  int GetModuleCount() const { return static_cast<int>(FModules.size()); }
  TModule* GetModule(int index) const;

  // Opens the files as modules: all are read, then their component references
  // are fixed up across them and the modules already open. Raises EFormError
  // or EInOutError for the first bad file, and then opens none of them.
  std::vector<TModule*> OpenModules(const std::vector<std::string>& paths);
  // A file that could not be opened: its path and the error it raised
  // (EFormError, EInOutError or another Exception).
  struct TOpenFailure {
    std::string Path;
    std::unique_ptr<Exception> Error;
  };
  // Opens the files that can be read, fixed up across them and the modules
  // already open; each file that cannot be read is left out and listed in
  // failures, and references into it stay unresolved (kept as read).
  std::vector<TModule*> OpenModulesLeavingOut(const std::vector<std::string>& paths,
                                              std::vector<TOpenFailure>& failures);
  // Opens a module from bytes that are not on disk yet (a file the caller
  // creates); it is written by its first save. Raises EFormError.
  TModule* OpenNewModule(const std::string& fileName, std::string bytes);
  // The open module of that file (the same file under another spelling of
  // its path counts); none when it is not open.
  TModule* FindModule(const std::string& fileName) const;
  void SaveModule(TModule& module) { module.Save(); }
  // Saves every modified module; returns how many were written.
  int SaveModifiedModules();
  void CloseModule(TModule* module);
  // The code page of 8-bit form files opened from now on (iconv name; empty
  // for Windows-1252). Raises EConvertError for one that cannot be converted.
  void SetCodePage(const std::string& codePage);

private:
  const TClassRegistry& FRegistry;
  std::string FCodePage;
  std::vector<std::unique_ptr<TModule>> FModules;
};

