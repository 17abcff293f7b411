#include "designhost/migration/SkippedDataSets.h"

#include "classes/TComponent.h"
#include "designhost/ModuleServices.h"
#include "designhost/foreign/ForeignClasses.h"
#include "designhost/migration/ApplicationMigration.h"
#include "designhost/migration/FormNodes.h"
#include "designhost/migration/HiddenComponents.h"
#include "designhost/migration/UnitClassParents.h"
#include "streaming/TFormFile.h"

std::vector<TSkippedDataSet> FindSkippedDataSets(TModule& module, const TUnitClassParents& classes,
                                                 const std::string& ancestorInRun, THiddenComponents& hidden) {
  std::vector<TSkippedDataSet> skipped;
  TComponent* root = module.Root();
  const TFormObject* doc = module.File().Document().Root.get();
  if (!root || !doc) return skipped;
  TFormNodes nodes = CollectFormNodes(*doc);
  std::string ancestor;
  if (const TDeclaredClass* d = classes.Find(root->ClassName())) ancestor = d->Parent;
  for (const auto& [name, info] : nodes.Own) {
    const TFormObject& node = *info.Node;
    if (IsConvertibleForeignClass(node.ClassName)) {
      if (node.Kind != TFormObjectKind::Inherited) continue;
      // The migrator never converts an inherited dataset itself: one whose
      // ancestor is in the run follows the ancestor's conversion afterwards,
      // through the design session's inheritance model; the others stay as
      // read.
      if (TComponent* c = root->FindComponent(node.Name)) hidden.Hide(c);
      if (!ancestorInRun.empty()) continue;
      std::string why = ancestor.empty()
                            ? "inherited from an ancestor form that no unit among the files names"
                            : "inherited from " + ancestor + ", which is not among the files";
      skipped.push_back({root->Name() + "." + node.Name, node.ClassName, why});
      continue;
    }
    for (const std::string& a : classes.Ancestors(node.ClassName))
      if (IsConvertibleForeignClass(a)) {
        const TDeclaredClass* d = classes.Find(node.ClassName);
        skipped.push_back({root->Name() + "." + node.Name, node.ClassName,
                           "its class descends from " + a + " (" + d->Unit + ":" + std::to_string(d->Line) +
                               "); only the listed classes themselves are converted"});
        break;
      }
  }
  // Owned by the frame, they are out of the migrator's reach anyway.
  for (const TNodeInfo& info : nodes.Framed)
    if (IsConvertibleForeignClass(info.Node->ClassName))
      skipped.push_back({root->Name() + "." + info.Inline->Name + "." + info.Node->Name, info.Node->ClassName,
                         "inside the inline frame " + info.Inline->Name + " (" + info.Inline->ClassName +
                             "); the frame's own file converts it"});
  return skipped;
}
