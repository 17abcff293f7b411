#include "streaming/FormDefinitionReader.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "rtl/Resources.h"
#include "rtl/TextCompare.h"
#include "streaming/ComponentBuilder.h"
#include "streaming/FormParser.h"
#include "streaming/ReferenceFixup.h"

#include <vector>

namespace {

std::string Upper(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

} // namespace

void ReadFormDefinition(TComponent& root, std::string text, const std::string& fileName,
                        const TClassRegistry& registry) {
  std::unique_ptr<TFormDocument> doc = ParseFormText(std::move(text), fileName);
  TFormBinding binding;
  binding.Registry = &registry;
  binding.Policy = TLoadPolicy::Strict;
  TComponentBuilder(*doc, binding).BuildInto(root);
  ResolveFormReferences(*doc, binding, &root, {});
  FinishBuilding(*doc, binding);
}

bool ReadFormDefinitionResource(TComponent& root, const TClassRegistry& registry) {
  std::string name = Upper(root.ClassName());
  const std::vector<TLibModule*>& modules = ModuleList();
  for (auto it = modules.rbegin(); it != modules.rend(); ++it) {
    const TLibModule& module = **it;
    const TResourceEntry* entry = module.ResourceSource().Find("FORM", name);
    if (!entry && module.Resources) entry = module.Resources->Find("FORM", name);
    if (!entry) continue;
    ReadFormDefinition(root, std::string(entry->Bytes()), module.FileName + "(" + name + ")", registry);
    return true;
  }
  return false;
}
