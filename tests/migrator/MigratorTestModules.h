#pragma once
// Form files opened as the design host's modules, with the host's services
// installed, for tests that run the migrator over them.
#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "designhost/ModuleServices.h"
#include "designhost/ModuleServicesAccess.h"
#include "designhost/foreign/ForeignClasses.h"
#include "forms/TModalDriver.h"
#include "migrator/TBDE2QuelmDorvik.h"
#include "support/Files.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace migrator_test {

inline std::filesystem::path FixtureDir() { return std::filesystem::path(__FILE__).parent_path() / "fixtures"; }

using TestSupport::ReadFile;

inline TClassRegistry& Registry() {
  TClassRegistry& registry = TClassRegistry::Global();
  RegisterForeignClasses(registry);
  registry.RegisterClass(TBDE2QuelmDorvik::StaticClass());
  return registry;
}

// Copies of the fixtures in a directory of their own, opened together as
// modules; the services are the host's for the object's life.
class TOpenForms {
public:
  explicit TOpenForms(const std::vector<std::string>& fixtures)
      : FDir(std::filesystem::temp_directory_path() /
             ("quelm-migrator-" + std::to_string(::getpid()) + "-" + std::to_string(++Counter()))),
        FServices(std::make_unique<TModuleServices>(Registry())), FGuard(*FServices) {
    std::filesystem::create_directories(FDir);
    std::vector<std::string> paths;
    for (const std::string& name : fixtures) {
      std::filesystem::copy_file(FixtureDir() / name, FDir / name, std::filesystem::copy_options::overwrite_existing);
      paths.push_back((FDir / name).string());
    }
    FServices->OpenModules(paths);
  }
  ~TOpenForms() {
    std::error_code ec;
    std::filesystem::remove_all(FDir, ec);
  }

  TModuleServices& Services() { return *FServices; }
  TComponent& Root(int module = 0) { return *FServices->GetModule(module)->Root(); }
  template <class T = TComponent>
  T* Find(const std::string& name, int module = 0) {
    return dynamic_cast<T*>(Root(module).FindComponent(name));
  }
  std::string Path(int module = 0) { return FServices->GetModule(module)->FileName(); }
  // Names and classes of a root's components, in the owner's order.
  std::vector<std::string> Components(int module = 0) {
    std::vector<std::string> list;
    for (int i = 0; i < Root(module).ComponentCount(); ++i)
      list.push_back(Root(module).Components(i)->Name() + ":" + Root(module).Components(i)->ClassName());
    return list;
  }

private:
  static int& Counter() {
    static int counter = 0;
    return counter;
  }
  std::filesystem::path FDir;
  std::unique_ptr<TModuleServices> FServices;
  TModuleServicesGuard FGuard;
};

// Answers every box with OK and keeps its text.
class TRecordingDriver {
public:
  TRecordingDriver() : FGuard(FDriver) {
    FDriver.AnswerWith([](const TMessageBoxInfo&) { return mrOk; });
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TMessageBoxInfo& box : FDriver.Messages()) texts.push_back(box.Text);
    return texts;
  }

private:
  TFunctionModalDriver FDriver;
  TModalDriverGuard FGuard;
};

} // namespace migrator_test
