#include "designhost/DesignRegistry.h"
#include "support/ExpectRaises.h"
#include "designhost/PackageLoader.h"
#include "rtl/Resources.h"
#include "rtl/UnitBookkeeping.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

uint32_t U32(std::string_view bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  return v;
}
uint16_t U16(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

// Sets an environment variable for one test and puts the old value back.
class TEnvGuard {
public:
  TEnvGuard(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    setenv(name, value, 1);
  }
  ~TEnvGuard() {
    if (FOld) setenv(FName, FOld->c_str(), 1);
    else unsetenv(FName);
  }

private:
  const char* FName;
  std::optional<std::string> FOld;
};

std::string PackageFile() { return QUELM_PACKAGE_FILE; }

} // namespace

TEST(Package, LoadingAFileThatIsNoPackageFails) {
  EXPECT_THROW(TLoadedPackage::Load("/nonexistent/libnothing.so"), Exception);
  EXPECT_THROW(TLoadedPackage::Load(QUELM_FRAMEWORK_FILE), Exception);  // loads, but exports no Register
  EXPECT_TRUE(TDesignRegistry::Instance().Palette().empty());
}

TEST(Package, RegistersOnePalettePageOfTwelveClasses) {
  auto package = TLoadedPackage::Load(PackageFile());
  auto pages = TDesignRegistry::Instance().PalettePages();
  ASSERT_EQ(1u, pages.size());
  EXPECT_EQ("Dorvik for Quelm\xE2\x84\xA2", pages[0].first);  // ends in the trade-mark sign
  std::vector<std::string> names;
  for (const TClassInfo* cls : pages[0].second) names.push_back(cls->ClassName());
  EXPECT_EQ((std::vector<std::string>{"TQuelmDatabase", "TQuelmTable", "TQuelmQuery", "TQuelmStoredProc",
                                      "TQuelmDirectQuery", "TQuelmUpdateSQL", "TQuelmMacroQuery", "TBDE2QuelmDorvik",
                                      "TQuelmBatchExecute", "TQuelmMonitor", "TQuelmDump", "TQuelmTools"}),
            names);
  // One registration call for all twelve.
  EXPECT_EQ(1u, TDesignRegistry::Instance().Palette().size());
  package.reset();
  EXPECT_TRUE(TDesignRegistry::Instance().Palette().empty());
}

TEST(Package, IdentityUnitTableAndSectionOrder) {
  ClearUnitEvents();
  {
    auto package = TLoadedPackage::Load(PackageFile());
    const TPackageIdentity& id = package->Identity();
    EXPECT_EQ("dcl_QuelmDorvik5", id.Name);
    EXPECT_EQ("design-only", id.Kind);
    EXPECT_TRUE(id.NeverBuild);
    EXPECT_EQ((std::vector<std::string>{"QuelmDorvik5", "framework"}), id.Requires);
    EXPECT_EQ((std::vector<std::string>{"QuelmQueryEdit", "SysInit", "Quelmupdsqled", "Quelmfldlinks", "QuelmMigrator",
                                        "QuelmCOMP"}),
              id.Contains);
    ASSERT_NE(nullptr, package->InfoTable());
    EXPECT_EQ(120, package->InfoTable()->UnitCount);
    EXPECT_FALSE(package->Description().empty());
  }
  std::vector<std::string> started, finalized;
  for (const TUnitEvent& e : UnitEvents()) (e.Started ? started : finalized).push_back(e.Unit);
  std::vector<std::string> order = {"SysInit", "QuelmMigrator", "Quelmfldlinks", "Quelmupdsqled", "QuelmQueryEdit",
                                    "QuelmCOMP"};
  EXPECT_EQ(order, started);
  std::reverse(order.begin(), order.end());
  EXPECT_EQ(order, finalized);
}

TEST(Package, ExportsTheEntryPoints) {
  void* handle = dlopen(PackageFile().c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(nullptr, handle);
  for (const char* name : {"Initialize", "Finalize", "GetPackageInfoTable", "Register"})
    EXPECT_NE(nullptr, dlsym(handle, name)) << name;
  // Nothing of the package's own code is visible from outside.
  EXPECT_EQ(nullptr, dlsym(handle, "_Z23RegisterPropertyEditorsv"));
  dlclose(handle);
}

TEST(Package, CarriesBitmapsOfTheExactFormat) {
  auto package = TLoadedPackage::Load(PackageFile());
  const TResourceTable& resources = *package->Module()->Resources;
  for (const char* name : {"TQUELMDATABASE", "TQUELMTABLE", "TQUELMQUERY", "TQUELMSTOREDPROC", "TQUELMDIRECTQUERY",
                           "TQUELMUPDATESQL", "TQUELMMACROQUERY", "TBDE2QUELMDORVIK", "TQUELMBATCHEXECUTE",
                           "TQUELMMONITOR", "TQUELMDUMP", "TQUELMTOOLS", "TQUELMDBINFO"}) {
    const TResourceEntry* bitmap = resources.Find("BITMAP", name);
    ASSERT_NE(nullptr, bitmap) << name;
    std::string_view b = bitmap->Bytes();
    ASSERT_EQ(1640u, b.size()) << name;
    EXPECT_EQ(40u, U32(b, 0)) << name;   // header size
    EXPECT_EQ(24u, U32(b, 4)) << name;   // width
    EXPECT_EQ(24u, U32(b, 8)) << name;   // height
    EXPECT_EQ(1u, U16(b, 12)) << name;   // planes
    EXPECT_EQ(8u, U16(b, 14)) << name;   // bits per pixel
    EXPECT_EQ(256u, U32(b, 32)) << name; // colours used: a full table
  }
  const TResourceEntry* logo = resources.Find("BITMAP", "LOGO");
  ASSERT_NE(nullptr, logo);
  ASSERT_EQ(1768u, logo->Size);
  EXPECT_EQ(24u, U16(logo->Bytes(), 14));
  EXPECT_EQ(0u, U32(logo->Bytes(), 32));
}

TEST(Package, CarriesStringsAndVersionRecord) {
  auto package = TLoadedPackage::Load(PackageFile());
  const TLibModule& module = *package->Module();
  EXPECT_EQ("Primary", LoadResString(module, 65520));
  EXPECT_EQ("Unable to determine field names for %s", LoadResString(module, 65523));
  EXPECT_EQ("Update SQL statements not generated, exit anyway?", LoadResString(module, 65526));
  EXPECT_EQ("", LoadResString(module, 65527));
  const TResourceEntry* version = module.Resources->Find("VERSION", "1");
  ASSERT_NE(nullptr, version);
  std::string_view v = version->Bytes();
  EXPECT_EQ(v.size(), U16(v, 0));
  // The fixed part follows the key "VS_VERSION_INFO" (UTF-16, 32-bit aligned).
  size_t fixed = 6 + 32;
  while (fixed % 4) ++fixed;
  EXPECT_EQ(0xFEEF04BDu, U32(v, fixed));
  EXPECT_EQ(0x00020007u, U32(v, fixed + 8));  // file version 2.7
  EXPECT_EQ(0x00000000u, U32(v, fixed + 12)); // .0.0
  std::string productVersion = Utf16LeToUtf8(std::string_view("P\0r\0o\0d\0u\0c\0t\0V\0e\0r\0s\0i\0o\0n\0", 28));
  std::string all(v);
  size_t key = all.find(std::string("P\0r\0o\0d\0u\0c\0t\0V\0e\0r\0s\0i\0o\0n\0\0\0", 30));
  ASSERT_NE(std::string::npos, key);
  size_t value = key + 30;
  while (value % 4) ++value;
  EXPECT_EQ("2.7", Utf16LeToUtf8(all.substr(value, 8)));
  EXPECT_EQ("ProductVersion", productVersion);
}

// The package's entry routine registers its module with the host runtime,
// which looks for "<file>.<language>" beside it. A process cannot load a
// second copy of the package, so a module record of its own stands in.
TEST(Package, ALanguageModuleSuppliesStringsInstead) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("quelm-lang-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string german = "Feldnamen f\xC3\xBCr %s lassen sich nicht ermitteln";
  const std::string primary = "Primary";
  TResourceTable own({{"STRING", "65523", reinterpret_cast<const uint8_t*>("Unable %s"), 9},
                      {"STRING", "65520", reinterpret_cast<const uint8_t*>(primary.data()), primary.size()}});
  {
    std::ofstream out(dir / "libsample.so.de", std::ios::binary);
    TResourceEntry entry{"STRING", "65523", reinterpret_cast<const uint8_t*>(german.data()), german.size()};
    out << TResourceArchive::Encode({entry});
  }
  {
    TEnvGuard language("QUELM_LANGUAGE", "de_DE.UTF-8");
    TLibModule module;
    module.FileName = (dir / "libsample.so").string();
    module.Resources = &own;
    RegisterModule(module);
    ASSERT_NE(nullptr, module.LanguageModule);
    EXPECT_EQ(german, LoadResString(module, 65523));
    // What the language module lacks still comes from the module itself.
    EXPECT_EQ("Primary", LoadResString(module, 65520));
    UnregisterModule(module);
  }
  {
    TEnvGuard language("QUELM_LANGUAGE", "fr_FR");
    TLibModule module;
    module.FileName = (dir / "libsample.so").string();
    module.Resources = &own;
    RegisterModule(module);
    EXPECT_EQ(nullptr, module.LanguageModule);
    EXPECT_EQ("Unable %s", LoadResString(module, 65523));
    UnregisterModule(module);
  }
  // A damaged language module is reported with its file name.
  {
    std::ofstream out(dir / "libsample.so.de", std::ios::binary);
    out << "QRES0001\x05";
  }
  std::string damaged =
      TestSupport::ErrorOf<EInOutError>([&] { TResourceArchive::Load((dir / "libsample.so.de").string()); });
  EXPECT_NE(std::string::npos, damaged.find("libsample.so.de")) << damaged;
  fs::remove_all(dir);
}
