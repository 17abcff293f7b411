#include "designhost/PackageLoader.h"

#include "designhost/DesignRegistry.h"
#include "designhost/FieldsEditor.h"
#include "rtl/Exceptions.h"
#include "rtl/Resources.h"
#include "rtl/ScopeGuard.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>

QUELM_EXCEPTION_CLASS(EPackageError, Exception)

namespace {
std::string RealPath(const std::string& fileName) {
  char buffer[PATH_MAX];
  return realpath(fileName.c_str(), buffer) ? std::string(buffer) : fileName;
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= text.size() && !text.empty()) {
    size_t comma = text.find(',', start);
    items.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return items;
}

int NextPackageId() {
  static int next = 0;
  return ++next;
}
} // namespace

TPackageIdentity ParsePackageIdentity(std::string_view text) {
  TPackageIdentity identity;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string line(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    start = end == std::string_view::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "Name") identity.Name = value;
    else if (key == "Kind") identity.Kind = value;
    else if (key == "NeverBuild") identity.NeverBuild = value == "1";
    else if (key == "Requires") identity.Requires = SplitList(value);
    else if (key == "Contains") identity.Contains = SplitList(value);
  }
  return identity;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t c = static_cast<uint8_t>(bytes[i]) | static_cast<uint8_t>(bytes[i + 1]) << 8;
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      uint32_t low = static_cast<uint8_t>(bytes[i + 2]) | static_cast<uint8_t>(bytes[i + 3]) << 8;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    if (c == 0) break;
    if (c < 0x80) out += static_cast<char>(c);
    else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::unique_ptr<TLoadedPackage> TLoadedPackage::Load(const std::string& fileName) {
  auto package = std::unique_ptr<TLoadedPackage>(new TLoadedPackage());
  package->FFileName = RealPath(fileName);
  package->FHandle = dlopen(package->FFileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!package->FHandle) {
    const char* reason = dlerror();
    throw EPackageError("Cannot load package " + fileName + ": " + (reason ? reason : "unknown error"));
  }
  auto symbol = [&](const char* name, bool required) -> void* {
    void* found = dlsym(package->FHandle, name);
    if (!found && required) throw EPackageError("Package " + fileName + " does not export " + name);
    return found;
  };
  auto initialize = reinterpret_cast<TPackageInitializeProc>(symbol("Initialize", true));
  package->FFinalize = reinterpret_cast<TPackageFinalizeProc>(symbol("Finalize", true));
  auto infoTable = reinterpret_cast<TGetPackageInfoTableProc>(symbol("GetPackageInfoTable", true));
  auto reg = reinterpret_cast<TPackageRegisterProc>(symbol("Register", true));
  auto tools = reinterpret_cast<TPackageRegisterDesignToolsProc>(symbol("RegisterDesignTools", false));

  for (TLibModule* module : ModuleList())
    if (RealPath(module->FileName) == package->FFileName) package->FModule = module;
  if (package->FModule)
    if (const TResourceEntry* info = package->FModule->Resources->Find("RCDATA", PackageInfoResource))
      package->FIdentity = ParsePackageIdentity(info->Bytes());
  package->FInfoTable = infoTable();

  initialize();
  package->FInitialized = true;
  package->FId = NextPackageId();
  TDesignRegistry& registry = TDesignRegistry::Instance();
  int previous = registry.CurrentPackage();
  registry.SetCurrentPackage(package->FId);
  TScopeGuard restore([&registry, previous] { registry.SetCurrentPackage(previous); });
  reg();
  if (tools) tools();
  return package;
}

std::string TLoadedPackage::Description() const {
  if (!FModule || !FModule->Resources) return "";
  const TResourceEntry* entry = FModule->Resources->Find("RCDATA", "DESCRIPTION");
  return entry ? Utf16LeToUtf8(entry->Bytes()) : "";
}

TLoadedPackage::~TLoadedPackage() {
  if (FInitialized && FFinalize) FFinalize();
  if (FId) TDesignRegistry::Instance().UnregisterPackage(FId);
  // An open fields editor holds a dataset designer the package may have
  // made; it goes while the package's code is still mapped.
  CloseAllFieldsEditors();
  if (FHandle) dlclose(FHandle);
}
