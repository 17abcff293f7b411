#include "streaming/TFormFile.h"

#include "classes/TComponent.h"
#include "rtl/Exceptions.h"
#include "streaming/BinaryForm.h"
#include "streaming/ComponentBuilder.h"
#include "streaming/FormEncoding.h"
#include "streaming/FormParser.h"
#include "streaming/FormSync.h"
#include "streaming/ReferenceFixup.h"
#include "streaming/TextFormWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

TFormFile::TFormFile() : FBinding(std::make_unique<TFormBinding>()) {}

// The components go before the document their bindings point into.
TFormFile::~TFormFile() { FRoot.reset(); }

const std::vector<std::string>& TFormFile::Warnings() const { return FBinding->Warnings; }

std::unique_ptr<TFormFile> TFormFile::Load(std::string bytes, std::string fileName, const TClassRegistry& registry,
                                           const std::string& codePage) {
  if (!IsKnownCodePage(codePage)) throw EConvertError("unknown code page '" + codePage + "'");
  std::unique_ptr<TFormFile> file(new TFormFile());
  file->FFileName = fileName;
  file->FDoc = IsBinaryForm(bytes) ? ParseFormBinary(std::move(bytes), std::move(fileName), codePage)
                                   : ParseFormText(std::move(bytes), std::move(fileName), codePage);
  file->FBinding->Registry = &registry;
  file->FBinding->Policy = TLoadPolicy::Lenient;
  file->FRoot = TComponentBuilder(*file->FDoc, *file->FBinding).BuildRoot();
  return file;
}

std::unique_ptr<TFormFile> TFormFile::LoadFromFile(const std::string& path, const TClassRegistry& registry,
                                                   const std::string& codePage) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInOutError("cannot open '" + path + "': " + std::strerror(errno));
  std::stringstream buffer;
  buffer << in.rdbuf();
  return Load(buffer.str(), path, registry, codePage);
}

void TFormFile::ResolveReferences(const std::vector<TComponent*>& otherRoots) {
  ResolveFormReferences(*FDoc, *FBinding, FRoot.get(), otherRoots);
}

void TFormFile::ForgetReferencesInto(const TComponent* otherRoot) {
  ::ForgetReferencesInto(*FBinding, FRoot.get(), otherRoot);
}

void TFormFile::ReplaceComponent(TComponent* from, TComponent* to) {
  ReplaceComponent(from, to, [](const std::string&) { return true; });
}

void TFormFile::ReplaceComponent(TComponent* from, TComponent* to, const std::function<bool(const std::string&)>& keep) {
  for (auto& ob : FBinding->Objects) {
    if (ob->Component.Get() != from) continue;
    auto& props = ob->Node->Properties;
    props.erase(std::remove_if(props.begin(), props.end(), [&](const auto& p) { return !keep(p->Name); }), props.end());
    ob->Component = to;
    ob->Props.clear();
    // Compared against a fresh instance of the new class, everything the
    // replacement has beyond its class's defaults is written.
    ob->Baseline = TSnapshotTaker().TakeFresh(*to, ob->LookupRoot.Get());
    return;
  }
}

void TFormFile::FinishLoading() {
  FinishBuilding(*FDoc, *FBinding);
  RecordBaselines(*FBinding);
}

std::vector<TFormFile::TTreeEntry> TFormFile::Tree() {
  Sync();
  std::map<const TFormObject*, TComponent*> byNode;
  for (auto& ob : FBinding->Objects) byNode[ob->Node] = ob->Component.Get();
  std::vector<TTreeEntry> entries;
  auto walk = [&](auto& self, const TFormObject& node, TComponent* parent, int depth) -> void {
    TComponent* comp = byNode[&node];
    if (!comp) return;
    entries.push_back({comp, parent, depth});
    for (const auto& child : node.Children) self(self, *child, comp, depth + 1);
  };
  if (FDoc->Root) walk(walk, *FDoc->Root, nullptr, 0);
  return entries;
}

int TFormFile::RenameReferences(const std::function<std::optional<std::string>(const std::string&)>& rename) {
  int changed = 0;
  auto walk = [&](auto& self, TFormObject& node) -> void {
    for (auto& p : node.Properties) {
      if (p->Value.Kind != TFormValueKind::Ident) continue;
      std::optional<std::string> renamed = rename(p->Value.Text);
      if (!renamed || *renamed == p->Value.Text) continue;
      p->Value.Text = std::move(*renamed);
      p->DropRaw();
      ++changed;
    }
    for (auto& child : node.Children) self(self, *child);
  };
  if (FDoc->Root) walk(walk, *FDoc->Root);
  return changed;
}

int TFormFile::ClearKeptReferences(const std::function<bool(const std::string&)>& names) {
  // Properties bound to a component's state stay: the component's own
  // state says whether they are written.
  std::set<const TFormProperty*> bound;
  for (const auto& ob : FBinding->Objects)
    for (const TPropBinding& pb : ob->Props) bound.insert(pb.Node);
  for (const TFixup& f : FBinding->Fixups) bound.insert(f.Node);
  int cleared = 0;
  auto walk = [&](auto& self, TFormObject& node) -> void {
    cleared += static_cast<int>(std::erase_if(node.Properties, [&](const std::unique_ptr<TFormProperty>& p) {
      return !bound.count(p.get()) && p->Value.Kind == TFormValueKind::Ident && names(p->Value.Text);
    }));
    for (auto& child : node.Children) self(self, *child);
  };
  if (FDoc->Root) walk(walk, *FDoc->Root);
  return cleared;
}

void TFormFile::Sync() { SyncFormDocument(*FDoc, *FBinding, FRoot.get()); }

std::string TFormFile::SaveToString(std::optional<TFormFormat> format) {
  Sync();
  TFormFormat target = format.value_or(FDoc->Format);
  if (target == TFormFormat::Binary)
    return WriteFormBinary(*FDoc, FDoc->Format == TFormFormat::Text || FDoc->HasResourceHeader);
  return WriteFormText(*FDoc);
}

void TFormFile::SaveToFile(const std::string& path, std::optional<TFormFormat> format, const TFileSystemCalls& calls) {
  WriteFileAtomically(path, SaveToString(format), calls);
  // What is on disk now is what later saves compare against.
  RecordBaselines(*FBinding);
}

std::vector<std::unique_ptr<TFormFile>> LoadFormFiles(const std::vector<std::string>& paths,
                                                      const TClassRegistry& registry,
                                                      const std::vector<TComponent*>& openRoots,
                                                      const std::string& codePage) {
  std::vector<std::unique_ptr<TFormFile>> files;
  for (const std::string& path : paths) files.push_back(TFormFile::LoadFromFile(path, registry, codePage));
  std::vector<TComponent*> roots = openRoots;
  for (auto& f : files) roots.push_back(f->Root());
  for (auto& f : files) f->ResolveReferences(roots);
  for (auto& f : files) f->FinishLoading();
  return files;
}
