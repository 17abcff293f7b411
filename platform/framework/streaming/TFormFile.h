#pragma once
// One form file opened as components. Loading parses the file (text or
// binary), creates a component for every object through the class registry
// (classes it does not know become TGenericComponent), sets the published
// properties it can through the type information and keeps everything else
// as it was read. Component references are fixed up once every file of a set
// is loaded, so a reference may name a component of another open form
// ("DM.Table1"). Saving brings the kept document in line with the components:
// what did not change is written as it was read, byte for byte; what changed
// is written as the host's writer writes it.
#include "streaming/AtomicFile.h"
#include "streaming/ComponentSnapshot.h"
#include "streaming/FormTree.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TClassRegistry;
class TComponent;
struct TFormBinding;

class TFormFile {
public:
  // Reads bytes; raises EFormError on malformed input. The components are
  // made but references are not yet resolved: call ResolveReferences, then
  // FinishLoading (LoadFormFiles does all three for a set of files).
  // codePage: that of 8-bit files (empty: Windows-1252).
  static std::unique_ptr<TFormFile> Load(std::string bytes, std::string fileName, const TClassRegistry& registry,
                                         const std::string& codePage = "");
  static std::unique_ptr<TFormFile> LoadFromFile(const std::string& path, const TClassRegistry& registry,
                                                 const std::string& codePage = "");
  ~TFormFile();
  TFormFile(const TFormFile&) = delete;
  TFormFile& operator=(const TFormFile&) = delete;

  // Resolves component references against this root, then the given roots
  // of the other open files (by root name, ignoring case).
  void ResolveReferences(const std::vector<TComponent*>& otherRoots);
  // Ends loading (each component's Loaded) and records the state that later
  // saves compare against.
  void FinishLoading();
  // Before the file of otherRoot closes: references from this file into it
  // go back to the text they were read as, so they are kept, not dropped,
  // when their targets go.
  void ForgetReferencesInto(const TComponent* otherRoot);

  // The node read for from stands for to from now on (a component of
  // another class that replaces it, as when an ancestor's component changed
  // class): the node keeps its kind and the properties it was read with, its
  // header names to's class, and what to has beyond a new instance of its
  // class is added. Call it before from goes.
  void ReplaceComponent(TComponent* from, TComponent* to);
  // The same, keeping of the properties read only those keep accepts (by
  // their names as the file writes them, "SQL.Strings"); the others leave
  // the node.
  void ReplaceComponent(TComponent* from, TComponent* to, const std::function<bool(const std::string&)>& keep);

  // A component renamed: the identifier values of the properties ("DataSet =
  // Query1", "Connection = DM.Database1") that rename maps to a new text take
  // it, among them those the file keeps as read (properties of classes or
  // properties the host does not know), which no component state rewrites.
  // rename answers nothing for a value that stays. Returns how many changed.
  int RenameReferences(const std::function<std::optional<std::string>(const std::string&)>& rename);

  // Components deleted: the properties the file keeps as read whose
  // identifier value names one of them (names answers true) leave the file,
  // as references the host knows are cleared by their components. Returns
  // how many left.
  int ClearKeptReferences(const std::function<bool(const std::string&)>& names);

  const std::string& FileName() const { return FFileName; }
  TComponent* Root() const { return FRoot.get(); }
  const TFormDocument& Document() const { return *FDoc; }
  TFormFormat Format() const { return FDoc->Format; }
  // References left unresolved and properties that could not be set:
  // "file:line:column: message" lines; they are kept in the file as read.
  const std::vector<std::string>& Warnings() const;

  // The file as it would be saved now, in the given format (default: the
  // format it was read in). Syncs the document with the components.
  std::string SaveToString(std::optional<TFormFormat> format = std::nullopt);
  // Writes a temporary file beside path and renames it over path, so path is
  // either the old file or the complete new one; raises EInOutError. calls
  // are the system calls the write makes.
  void SaveToFile(const std::string& path, std::optional<TFormFormat> format = std::nullopt,
                  const TFileSystemCalls& calls = TFileSystemCalls());

  // The components in file order with their depth and tree parent (the
  // dataset for a persistent field, the enclosing object otherwise).
  struct TTreeEntry {
    TComponent* Component;
    TComponent* Parent;
    int Depth;
  };
  std::vector<TTreeEntry> Tree();

private:
  TFormFile();
  void Sync();

  std::string FFileName;
  std::unique_ptr<TFormDocument> FDoc;
  std::unique_ptr<TFormBinding> FBinding;
  std::unique_ptr<TComponent> FRoot;
};

// Loads a set of files: each is read, then the references of all are fixed
// up across the set, then loading ends. Raises EFormError for the first bad
// file; nothing of the set stays loaded then.
std::vector<std::unique_ptr<TFormFile>> LoadFormFiles(const std::vector<std::string>& paths,
                                                      const TClassRegistry& registry,
                                                      const std::vector<TComponent*>& openRoots = {},
                                                      const std::string& codePage = "");
