#include "GuiTestHost.h"

#include "classes/TClassRegistry.h"
#include "designhost/PackageLoader.h"
#include "designhost/foreign/ForeignClasses.h"
#include "rtl/Resources.h"

#include <cstdlib>

namespace {
TGuiHost* const Host = static_cast<TGuiHost*>(::testing::AddGlobalTestEnvironment(new TGuiHost));
}

TGuiHost& TGuiHost::Instance() { return *Host; }

const TResourceTable* TGuiHost::Resources() const { return FPackage->Module()->Resources; }

void TGuiHost::SetUp() {
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  // Offscreen unless the one running the tests chose a platform.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  FApp = std::make_unique<QApplication>(argc, argv);
  RegisterForeignClasses(TClassRegistry::Global());
  FPackage = TLoadedPackage::Load(QUELM_PACKAGE_FILE);
}

void TGuiHost::TearDown() {
  FPackage.reset();
  FApp.reset();
}

std::optional<TConnectionOptions> TestServerOptions() {
  auto env = [](const char* name) -> std::string {
    const char* v = std::getenv(name);
    return v ? v : "";
  };
  if (env("QUELM_TEST_HOST").empty()) {
    if (env("CI") == "true") ADD_FAILURE() << "no test server (QUELM_TEST_HOST is not set)";
    return std::nullopt;
  }
  TConnectionOptions options;
  options.Host = env("QUELM_TEST_HOST");
  options.Port = std::atoi(env("QUELM_TEST_PORT").c_str());
  options.User = env("QUELM_TEST_USER");
  options.Password = env("QUELM_TEST_PASSWORD");
  options.Database = env("QUELM_TEST_DATABASE");
  return options;
}
