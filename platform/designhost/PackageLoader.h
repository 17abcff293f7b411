#pragma once
// Loads design-time packages as a host does: the operating system loads the
// file (its entry routine registers the module and its language resource
// module), the loader reads the identity record, calls Initialize and then
// Register; unloading calls Finalize, drops the package's registrations and
// unloads the file.
#include "designhost/PackageABI.h"

#include <memory>
#include <string>
#include <vector>

struct TLibModule;

struct TPackageIdentity {
  std::string Name;
  std::string Kind;
  bool NeverBuild = false;
  std::vector<std::string> Requires;
  std::vector<std::string> Contains;
};

class TLoadedPackage {
public:
  ~TLoadedPackage();
  TLoadedPackage(const TLoadedPackage&) = delete;
  TLoadedPackage& operator=(const TLoadedPackage&) = delete;

  // Raises EPackageError with the file name and the loader's reason.
  static std::unique_ptr<TLoadedPackage> Load(const std::string& fileName);

  const std::string& FileName() const { return FFileName; }
  const TPackageIdentity& Identity() const { return FIdentity; }
  const TPackageInfoTable* InfoTable() const { return FInfoTable; }
  const TLibModule* Module() const { return FModule; }
  int Id() const { return FId; }
  std::string Description() const;  // the one-line package description

private:
  TLoadedPackage() = default;
  std::string FFileName;
  void* FHandle = nullptr;
  int FId = 0;
  TPackageIdentity FIdentity;
  const TPackageInfoTable* FInfoTable = nullptr;
  const TLibModule* FModule = nullptr;
  TPackageFinalizeProc FFinalize = nullptr;
  bool FInitialized = false;
};

TPackageIdentity ParsePackageIdentity(std::string_view text);
std::string Utf16LeToUtf8(std::string_view bytes);
