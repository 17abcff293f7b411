#include "designhost/ModuleServices.h"

#include "classes/TComponent.h"
#include "rtl/Exceptions.h"
#include "rtl/TList.h"
#include "streaming/FormEncoding.h"
#include "streaming/FormError.h"
#include "streaming/TFormFile.h"

#include <filesystem>

namespace {
std::string CanonicalPath(const std::string& path) {
  std::error_code ec;
  auto canonical = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
  return ec ? path : canonical.string();
}
} // namespace

const std::string& TFormEditor::FileName() const { return FModule.FileName(); }
TComponent* TFormEditor::GetRootComponent() const { return FModule.Root(); }
void TFormEditor::MarkModified() { FModule.MarkModified(); }

TModule::TModule(std::unique_ptr<TFormFile> file) : FFile(std::move(file)), FEditor(std::make_unique<TFormEditor>(*this)) {}
TModule::~TModule() = default;

const std::string& TModule::FileName() const { return FFile->FileName(); }
TComponent* TModule::Root() const { return FFile->Root(); }
const std::vector<std::string>& TModule::Warnings() const { return FFile->Warnings(); }

TModuleFileEditor* TModule::GetModuleFileEditor(int index) const {
  if (index != 0) RaiseListIndexError(index);
  return FEditor.get();
}

void TModule::Save() {
  FFile->SaveToFile(FFile->FileName());
  FModified = false;
}

void TModule::SaveAs(const std::string& path, std::optional<TFormFormat> format) {
  FFile->SaveToFile(path, format);
  if (CanonicalPath(path) == CanonicalPath(FFile->FileName()) && !format) FModified = false;
}

TModuleServices::TModuleServices(const TClassRegistry& registry) : FRegistry(registry) {}
TModuleServices::~TModuleServices() {
  // Later modules may refer to earlier ones; they go first.
  while (!FModules.empty()) FModules.pop_back();
}

TModule* TModuleServices::GetModule(int index) const {
  if (index < 0 || index >= GetModuleCount()) RaiseListIndexError(index);
  return FModules[static_cast<size_t>(index)].get();
}

std::vector<TModule*> TModuleServices::OpenModules(const std::vector<std::string>& paths) {
  std::vector<std::string> toOpen;
  std::vector<TModule*> result;
  for (const std::string& path : paths) {
    if (TModule* open = FindModule(path)) result.push_back(open);
    else toOpen.push_back(path);
  }
  std::vector<TComponent*> openRoots;
  for (auto& m : FModules) openRoots.push_back(m->Root());
  auto files = LoadFormFiles(toOpen, FRegistry, openRoots, FCodePage);
  for (auto& f : files) {
    FModules.push_back(std::make_unique<TModule>(std::move(f)));
    result.push_back(FModules.back().get());
  }
  return result;
}

std::vector<TModule*> TModuleServices::OpenModulesLeavingOut(const std::vector<std::string>& paths,
                                                             std::vector<TOpenFailure>& failures) {
  std::vector<TModule*> result;
  std::vector<std::unique_ptr<TFormFile>> files;
  for (const std::string& path : paths) {
    if (TModule* open = FindModule(path)) {
      result.push_back(open);
      continue;
    }
    try {
      files.push_back(TFormFile::LoadFromFile(path, FRegistry, FCodePage));
    } catch (const EFormError& e) {
      failures.push_back({path, std::make_unique<EFormError>(e)});
    } catch (const Exception& e) {
      failures.push_back({path, std::make_unique<Exception>(e)});
    }
  }
  std::vector<TComponent*> roots;
  for (auto& m : FModules) roots.push_back(m->Root());
  for (auto& f : files) roots.push_back(f->Root());
  for (auto& f : files) f->ResolveReferences(roots);
  for (auto& f : files) f->FinishLoading();
  for (auto& f : files) {
    FModules.push_back(std::make_unique<TModule>(std::move(f)));
    result.push_back(FModules.back().get());
  }
  return result;
}

TModule* TModuleServices::OpenNewModule(const std::string& fileName, std::string bytes) {
  auto file = TFormFile::Load(std::move(bytes), fileName, FRegistry, FCodePage);
  std::vector<TComponent*> roots;
  for (auto& m : FModules) roots.push_back(m->Root());
  roots.push_back(file->Root());
  file->ResolveReferences(roots);
  file->FinishLoading();
  FModules.push_back(std::make_unique<TModule>(std::move(file)));
  FModules.back()->MarkModified();
  return FModules.back().get();
}

TModule* TModuleServices::FindModule(const std::string& fileName) const {
  // The name a module was opened by finds it without asking the file system;
  // another spelling of the same file (relative, through a link) needs each
  // module's path resolved, a few system calls per module.
  for (auto& m : FModules)
    if (m->FileName() == fileName) return m.get();
  std::string wanted = CanonicalPath(fileName);
  for (auto& m : FModules)
    if (CanonicalPath(m->FileName()) == wanted) return m.get();
  return nullptr;
}

int TModuleServices::SaveModifiedModules() {
  int saved = 0;
  for (auto& m : FModules)
    if (m->IsModified()) {
      m->Save();
      ++saved;
    }
  return saved;
}

void TModuleServices::SetCodePage(const std::string& codePage) {
  if (!IsKnownCodePage(codePage)) throw EConvertError("unknown code page '" + codePage + "'");
  FCodePage = codePage;
}

void TModuleServices::CloseModule(TModule* module) {
  if (!module) return;
  for (auto& other : FModules)
    if (other.get() != module) other->File().ForgetReferencesInto(module->Root());
  for (auto it = FModules.begin(); it != FModules.end(); ++it)
    if (it->get() == module) {
      FModules.erase(it);
      return;
    }
}
