#include "streaming/FormSync.h"

#include "classes/TClassInfo.h"
#include "classes/TComponent.h"
#include "rtl/TextCompare.h"
#include "streaming/PropertyValues.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <unordered_set>

namespace {

// Properties are placed in the order their class declares them; a design
// position comes after all of them.
constexpr int LeftOrder = 1 << 20;

class TSyncer {
public:
  TSyncer(TFormDocument& doc, TFormBinding& binding, TComponent* root)
      : FDoc(doc), FBinding(binding), FRoot(root), FCodePage(doc.Encoding == TTextEncoding::CodePage) {}

  void Run() {
    for (auto& ob : FBinding.Objects) {
      FByNode[ob->Node] = ob.get();
      if (TComponent* c = ob->Component.Get()) FByComponent[c] = ob.get();
    }
    for (auto& ob : FBinding.Objects)
      if (ob->Component.Get()) SyncObject(*ob);
    Detach(*FDoc.Root);
    Rebuild(*FRoot, *FDoc.Root, FRoot);
    // Nodes of components that are gone leave with their bindings.
    std::set<const TFormObject*> dead;
    for (auto& [node, owned] : FPool) dead.insert(node);
    auto& objects = FBinding.Objects;
    objects.erase(std::remove_if(objects.begin(), objects.end(),
                                 [&](const std::unique_ptr<TObjectBinding>& ob) { return dead.count(ob->Node) > 0; }),
                  objects.end());
    FPool.clear();
  }

private:
  std::optional<TNamedValue> CurrentValue(const TComponent& c, const TPropBinding& pb, const TComponent* lookupRoot) {
    std::optional<TNamedValue> nv;
    switch (pb.Kind) {
    case TPropKind::Left: nv = DesignValue(c, true); break;
    case TPropKind::Top: nv = DesignValue(c, false); break;
    case TPropKind::Path:
      if (auto path = ResolvePropertyPath(c, pb.Key)) nv = StoredValue(*path, lookupRoot);
      break;
    default: nv = StoredValue(c, *pb.Prop, lookupRoot); break;
    }
    if (nv) AdaptStrings(nv->Value, FCodePage, FDoc.CodePage);
    return nv;
  }

  // The place of a property in the order the class declares them; a
  // sub-object's property ("Constraints.MaxWidth") by the place of each part
  // in the class that declares it.
  std::vector<int> OrderOf(const TObject& object, std::string_view name) {
    size_t dot = name.find('.');
    std::string first(name.substr(0, dot));
    if (const auto* c = dynamic_cast<const TComponent*>(&object); c && HasDesignPosition(*c)) {
      if (SameText(first, "Left")) return {LeftOrder};
      if (SameText(first, "Top")) return {LeftOrder + 1};
    }
    auto cached = FProperties.find(&object.ClassType());
    if (cached == FProperties.end())
      cached = FProperties.emplace(&object.ClassType(), object.ClassType().Properties()).first;
    const auto& props = cached->second;
    for (size_t i = 0; i < props.size(); ++i) {
      if (!SameText(props[i]->Name, first)) continue;
      std::vector<int> order{static_cast<int>(i)};
      if (dot != std::string_view::npos)
        if (TPersistent* sub = SubObject(object, *props[i])) {
          std::vector<int> rest = OrderOf(*sub, name.substr(dot + 1));
          order.insert(order.end(), rest.begin(), rest.end());
        }
      return order;
    }
    return {-1};
  }

  // The class's published properties but Name, with their lower-case keys,
  // in declaration order; worked out once per class and pass.
  const std::vector<std::pair<const TPropInfo*, std::string>>& PublishedOf(const TClassInfo& cls) {
    auto cached = FPublished.find(&cls);
    if (cached != FPublished.end()) return cached->second;
    std::vector<std::pair<const TPropInfo*, std::string>> props;
    for (const TPropInfo* p : cls.Properties())
      if (!SameText(p->Name, "Name")) props.emplace_back(p, LowerName(p->Name));
    return FPublished.emplace(&cls, std::move(props)).first->second;
  }

  void SyncObject(TObjectBinding& ob) {
    TComponent& c = *ob.Component.Get();
    TFormObject& node = *ob.Node;
    if (node.Name != c.Name() || !SameText(ShortClassName(node.ClassName), c.ClassName())) {
      node.Name = c.Name();
      if (!SameText(ShortClassName(node.ClassName), c.ClassName())) node.ClassName = c.ClassName();
      node.HeaderBegin = node.HeaderEnd = NoSpan;
    }
    const TComponent* lookupRoot = ob.LookupRoot.Get();
    TComponentSnapshot current = FSnap.Take(c, lookupRoot);
    const std::string notStored = NotStored;
    auto baseline = [&](const std::string& key) -> const std::string& {
      auto it = ob.Baseline.find(key);
      return it == ob.Baseline.end() ? notStored : it->second;
    };
    std::unordered_set<std::string> handled;
    for (size_t i = 0; i < ob.Props.size();) {
      TPropBinding& pb = ob.Props[i];
      handled.insert(pb.Key);
      if (current[pb.Key] == baseline(pb.Key)) {
        ++i;
        continue;
      }
      auto nv = CurrentValue(c, pb, lookupRoot);
      if (!nv) {
        auto& props = node.Properties;
        props.erase(std::remove_if(props.begin(), props.end(),
                                   [&](const std::unique_ptr<TFormProperty>& p) { return p.get() == pb.Node; }),
                    props.end());
        ob.Props.erase(ob.Props.begin() + static_cast<long>(i));
        continue;
      }
      pb.Node->Name = nv->Name;
      pb.Node->Value = std::move(nv->Value);
      pb.Node->DropRaw();
      ++i;
    }
    // A node names a whole property ("SQL.Strings" is SQL) or, with a dotted
    // name that reaches one, a sub-object's property.
    for (const auto& p : node.Properties)
      handled.insert(ResolvePropertyPath(c, p->Name) ? LowerName(p->Name)
                                                     : LowerName(std::string_view(p->Name).substr(0, p->Name.find('.'))));
    // Properties that were not in the file and now differ from what the file implied.
    std::vector<TPropBinding> added;
    auto consider = [&](const std::string& key, TPropKind kind, const TPropInfo* info) {
      if (handled.count(key)) return;
      bool always = ob.New && kind == TPropKind::Published && info && !info->Default && IsOrdinalKind(info->Kind());
      if (!always && current[key] == baseline(key)) return;
      TPropBinding pb{nullptr, kind, info, key};
      auto nv = CurrentValue(c, pb, lookupRoot);
      if (!nv) return;
      auto prop = std::make_unique<TFormProperty>();
      prop->Name = nv->Name;
      prop->Value = std::move(nv->Value);
      pb.Node = prop.get();
      std::vector<int> mine = OrderOf(c, prop->Name);
      size_t at = 0;
      for (size_t i = 0; i < node.Properties.size(); ++i) {
        std::vector<int> order = OrderOf(c, node.Properties[i]->Name);
        if (order[0] >= 0 && order < mine) at = i + 1;
      }
      node.Properties.insert(node.Properties.begin() + static_cast<long>(at), std::move(prop));
      added.push_back(pb);
    };
    for (const auto& [p, key] : PublishedOf(c.ClassType())) {
      consider(key, TPropKind::Published, p);
      if (p->Kind() == TTypeKind::tkClass)
        for (const TPropertyPath& path : SubProperties(c, *p)) consider(LowerName(path.Name), TPropKind::Path, path.Prop);
    }
    if (HasDesignPosition(c)) {
      consider("left", TPropKind::Left, nullptr);
      consider("top", TPropKind::Top, nullptr);
    }
    for (auto& pb : added) ob.Props.push_back(pb);
    // The document now holds the component as it stands: the next pass
    // compares against that, not against the file as read, or a value
    // changed and changed back between two passes would keep the first
    // change's line.
    ob.Baseline = std::move(current);
  }

  void Detach(TFormObject& node) {
    std::vector<TFormObject*> order;
    for (auto& child : node.Children) {
      order.push_back(child.get());
      Detach(*child);
      FPool[child.get()] = std::move(child);
    }
    node.Children.clear();
    FOrder[&node] = std::move(order);
  }

  // The component c is written nested in: its parent component when it has
  // one, else the object it was read in, else its owner.
  TComponent* ParentOf(TComponent* c) {
    if (c->HasParent())
      if (TComponent* parent = c->GetParentComponent()) return parent;
    auto it = FByComponent.find(c);
    if (it != FByComponent.end() && it->second->ParentNode) {
      auto p = FByNode.find(it->second->ParentNode);
      if (p != FByNode.end()) return p->second->Component.Get();
    }
    return c->Owner();
  }

  // The components of lookupRoot that no node was read for, by the
  // component they are written in: their indexes among lookupRoot's
  // components, in order. Taken once per save, before any is given a node.
  const std::map<const TComponent*, std::vector<int>>& MadeAfterLoading(TComponent& lookupRoot) {
    auto it = FMadeAfterLoading.find(&lookupRoot);
    if (it != FMadeAfterLoading.end()) return it->second;
    auto& byParent = FMadeAfterLoading[&lookupRoot];
    for (int i = 0; i < lookupRoot.ComponentCount(); ++i) {
      TComponent* comp = lookupRoot.Components(i);
      if (!FByComponent.count(comp)) byParent[ParentOf(comp)].push_back(i);
    }
    return byParent;
  }

  TFormObject* NodeFor(TComponent* c, TFormObject& parentNode, TComponent* lookupRoot) {
    auto it = FByComponent.find(c);
    if (it != FByComponent.end()) return it->second->Node;
    // A component made after loading: written as the host writes a new one,
    // with the properties that differ from a freshly made instance.
    auto node = std::make_unique<TFormObject>();
    node->Name = c->Name();
    node->ClassName = c->ClassName();
    auto ob = std::make_unique<TObjectBinding>();
    ob->Node = node.get();
    ob->Component = c;
    ob->ParentNode = &parentNode;
    ob->LookupRoot = lookupRoot;
    ob->New = true;
    ob->Baseline = FSnap.TakeFresh(*c, lookupRoot);
    FByNode[node.get()] = ob.get();
    FByComponent[c] = ob.get();
    SyncObject(*ob);
    TFormObject* raw = node.get();
    FPool[raw] = std::move(node);
    FBinding.Objects.push_back(std::move(ob));
    return raw;
  }

  void Rebuild(TComponent& c, TFormObject& node, TComponent* lookupRoot) {
    std::vector<TFormObject*> desired;
    std::set<TComponent*> present;
    for (TFormObject* child : FOrder[&node]) {
      auto it = FByNode.find(child);
      TComponent* comp = it == FByNode.end() ? nullptr : it->second->Component.Get();
      if (!comp || ParentOf(comp) != &c) continue;
      desired.push_back(child);
      present.insert(comp);
    }
    // Children the component keeps in an order of its own (a dataset's
    // persistent fields) stand in that order, in the places children of
    // theirs held.
    std::vector<TComponent*> ordered;
    c.GetChildren([&](TComponent* child) { ordered.push_back(child); });
    if (!ordered.empty()) {
      std::vector<TFormObject*> orderedNodes;
      for (TComponent* child : ordered) {
        orderedNodes.push_back(NodeFor(child, node, child->Owner()));
        present.insert(child);
      }
      std::set<const TComponent*> inOrder(ordered.begin(), ordered.end());
      size_t next = 0;
      std::vector<TFormObject*> merged;
      for (TFormObject* child : desired) {
        if (inOrder.count(FByNode[child]->Component.Get())) {
          if (next < orderedNodes.size()) merged.push_back(orderedNodes[next++]);
        } else {
          merged.push_back(child);
        }
      }
      while (next < orderedNodes.size()) merged.push_back(orderedNodes[next++]);
      desired = std::move(merged);
    }
    // Components made after loading that are written in this one: on the
    // root after the component made before them, in a control (a control
    // dropped into a panel) after its existing children.
    if (lookupRoot) {
      const auto& made = MadeAfterLoading(*lookupRoot);
      auto mine = made.find(&c);
      for (int i : mine == made.end() ? std::vector<int>() : mine->second) {
        TComponent* comp = lookupRoot->Components(i);
        if (present.count(comp) || FByComponent.count(comp)) continue;
        TFormObject* madeNode = NodeFor(comp, node, lookupRoot);
        size_t at = desired.size();
        if (&c == lookupRoot) {
          at = 0;
          for (int k = i - 1; k >= 0; --k) {
            auto b = FByComponent.find(c.Components(k));
            if (b == FByComponent.end()) continue;
            auto pos = std::find(desired.begin(), desired.end(), b->second->Node);
            if (pos != desired.end()) {
              at = static_cast<size_t>(pos - desired.begin()) + 1;
              break;
            }
          }
        }
        desired.insert(desired.begin() + static_cast<long>(at), madeNode);
        present.insert(comp);
      }
    }
    for (TFormObject* child : desired) {
      auto owned = FPool.find(child);
      if (owned == FPool.end()) continue;  // placed once only
      node.Children.push_back(std::move(owned->second));
      FPool.erase(owned);
    }
    for (auto& child : node.Children) {
      TObjectBinding* ob = FByNode[child.get()];
      TComponent* comp = ob->Component.Get();
      Rebuild(*comp, *child, child->Kind == TFormObjectKind::Inline ? comp : lookupRoot);
    }
  }

  TFormDocument& FDoc;
  TFormBinding& FBinding;
  TComponent* FRoot;
  bool FCodePage;
  std::map<const TFormObject*, TObjectBinding*> FByNode;
  std::map<const TComponent*, TObjectBinding*> FByComponent;
  std::map<const TFormObject*, std::vector<TFormObject*>> FOrder;
  std::map<const TFormObject*, std::unique_ptr<TFormObject>> FPool;
  std::map<const TClassInfo*, std::vector<const TPropInfo*>> FProperties;
  std::map<const TClassInfo*, std::vector<std::pair<const TPropInfo*, std::string>>> FPublished;
  std::map<const TComponent*, std::map<const TComponent*, std::vector<int>>> FMadeAfterLoading;
  TSnapshotTaker FSnap;
};

} // namespace

void SyncFormDocument(TFormDocument& doc, TFormBinding& binding, TComponent* root) {
  if (root) TSyncer(doc, binding, root).Run();
}

void RecordBaselines(TFormBinding& binding) {
  TSnapshotTaker taker;
  for (auto& ob : binding.Objects)
    if (TComponent* comp = ob->Component.Get()) ob->Baseline = taker.Take(*comp, ob->LookupRoot.Get());
}
