#pragma once
// Resources carried by a module (a package or program): typed, named blobs
// such as bitmaps, form definitions, strings and the version record. A module
// registers itself with the host runtime's module list when it is loaded; a
// language resource module beside the module's file, when one exists for the
// current language, supplies its resources instead.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TResourceEntry {
  std::string_view Type;  // "BITMAP", "RCDATA", "STRING", "VERSION", "FORM"
  std::string_view Name;  // upper-case name, or a number for strings
  const uint8_t* Data = nullptr;
  size_t Size = 0;

  std::string_view Bytes() const { return {reinterpret_cast<const char*>(Data), Size}; }
};

class TResourceTable {
public:
  TResourceTable() = default;
  explicit TResourceTable(std::vector<TResourceEntry> entries) : FEntries(std::move(entries)) {}
  // Type and name compare ignoring ASCII case.
  const TResourceEntry* Find(std::string_view type, std::string_view name) const;
  const std::vector<TResourceEntry>& Entries() const { return FEntries; }

private:
  std::vector<TResourceEntry> FEntries;
};

// A resource archive read from a file (the format quelm-rc writes): the
// table's entries point into the archive's own buffer.
class TResourceArchive {
public:
  // Raises EInOutError with the file name and the reason for a damaged archive.
  static std::unique_ptr<TResourceArchive> Load(const std::string& fileName);
  static std::string Encode(const std::vector<TResourceEntry>& entries);
  const TResourceTable& Table() const { return FTable; }
  const std::string& FileName() const { return FFileName; }

private:
  std::string FFileName;
  std::string FBuffer;
  std::vector<std::string> FNames;
  TResourceTable FTable;
};

// One loaded module as the host runtime's module list knows it.
struct TLibModule {
  std::string FileName;               // the module's file
  const TResourceTable* Resources = nullptr;  // its own resources
  std::unique_ptr<TResourceArchive> LanguageModule;  // resources of the current language, if found

  // Where forms and strings come from: the language module when loaded.
  const TResourceTable& ResourceSource() const;
};

// The module list. RegisterModule looks for the module's language resource
// module first.
void RegisterModule(TLibModule& module);
void UnregisterModule(TLibModule& module);
const std::vector<TLibModule*>& ModuleList();

// The current language's resource-module suffixes, most specific first: for
// the locale "de_DE.UTF-8", "de_DE" then "de". QUELM_LANGUAGE overrides the
// locale variables (LC_ALL, LC_MESSAGES, LANG).
std::vector<std::string> LanguageSuffixes();
// The language module for moduleFile, "<file>.<suffix>", if one exists.
std::unique_ptr<TResourceArchive> FindLanguageModule(const std::string& moduleFile);

// A string resource of the module (from its language module when loaded);
// empty when absent.
std::string LoadResString(const TLibModule& module, int id);
