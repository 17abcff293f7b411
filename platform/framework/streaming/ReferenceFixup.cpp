#include "streaming/ReferenceFixup.h"

#include "classes/TClassInfo.h"
#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "rtl/TextCompare.h"
#include "streaming/FormPosition.h"
#include "streaming/PropertyValues.h"

#include <algorithm>
#include <map>
#include <string_view>

namespace {

TComponent* FindPath(TComponent* start, const std::vector<std::string_view>& parts, size_t from) {
  TComponent* c = start;
  for (size_t i = from; c && i < parts.size(); ++i) c = c->FindComponent(std::string(parts[i]));
  return c;
}

} // namespace

TComponent* FindReferencedComponent(const std::string& ref, TComponent* lookupRoot, TComponent* root,
                                    const std::vector<TComponent*>& others) {
  std::vector<std::string_view> parts;
  std::string_view rest = ref;
  for (size_t dot; (dot = rest.find('.')) != std::string_view::npos; rest = rest.substr(dot + 1))
    parts.push_back(rest.substr(0, dot));
  parts.push_back(rest);
  if (parts.size() == 1 && SameText(ref, "Owner")) return lookupRoot;
  for (TComponent* start : {lookupRoot, root})
    if (TComponent* found = FindPath(start, parts, 0)) return found;
  if (SameText(parts[0], root->Name())) return parts.size() == 1 ? root : FindPath(root, parts, 1);
  for (TComponent* other : others)
    if (other && other != root && SameText(parts[0], other->Name()))
      return parts.size() == 1 ? other : FindPath(other, parts, 1);
  return nullptr;
}

void ResolveFormReferences(const TFormDocument& doc, TFormBinding& binding, TComponent* root,
                           const std::vector<TComponent*>& otherRoots) {
  bool strict = binding.Policy == TLoadPolicy::Strict;
  auto problem = [&](const TFormProperty& node, const std::string& message) {
    if (strict) FailAt(doc, node.Offset, message);
    binding.Warnings.push_back(FormLocation(doc, node.Offset) + ": " + message);
  };
  for (const TFixup& fx : binding.Fixups) {
    TObjectBinding& ob = *binding.Objects[fx.Object];
    TComponent* comp = ob.Component.Get();
    if (!comp) continue;
    const std::string& ref = fx.Node->Value.Text;
    TComponent* target = FindReferencedComponent(ref, ob.LookupRoot.Get(), root, otherRoots);
    const TClassInfo* wanted = fx.Prop->PropType->ClassType;
    // A component of a class the host knows by name only may well be of the
    // wanted kind: a user's file keeps its reference on trust, as read.
    if (!strict && target && wanted && !target->InheritsFrom(*wanted) && target->ClassType().IsStandIn()) continue;
    if (!target || (wanted && !target->InheritsFrom(*wanted))) {
      if (strict) problem(*fx.Node, "no component " + ref + " for " + fx.Prop->Name);
      else if (!target) problem(*fx.Node, "unresolved reference '" + ref + "'");
      else problem(*fx.Node, "'" + ref + "' is a " + target->ClassName() + ", not a " + wanted->ClassName());
      continue;
    }
    try {
      SetPropValue(*comp, *fx.Prop, TValue(static_cast<TObject*>(target)));
      ob.Props.push_back({fx.Node, TPropKind::Published, fx.Prop, LowerName(fx.Prop->Name)});
    } catch (const std::exception& e) {
      problem(*fx.Node, "cannot set " + fx.Node->Name + ": " + std::string(e.what()));
    }
  }
  binding.Fixups.clear();
  // Bound properties in file order, so saving walks them as they stand.
  for (auto& ob : binding.Objects) {
    std::map<const TFormProperty*, size_t> order;
    for (size_t i = 0; i < ob->Node->Properties.size(); ++i) order[ob->Node->Properties[i].get()] = i;
    std::stable_sort(ob->Props.begin(), ob->Props.end(),
                     [&](const TPropBinding& a, const TPropBinding& b) { return order[a.Node] < order[b.Node]; });
  }
}

void ForgetReferencesInto(TFormBinding& binding, const TComponent* root, const TComponent* otherRoot) {
  if (otherRoot == root) return;
  auto rootOf = [](const TComponent* c) {
    while (c && c->Owner()) c = c->Owner();
    return c;
  };
  for (auto& ob : binding.Objects) {
    TComponent* comp = ob->Component.Get();
    if (!comp) continue;
    auto pointsInto = [&](const TPropBinding& pb) {
      if (pb.Kind != TPropKind::Published || pb.Prop->Kind() != TTypeKind::tkClass) return false;
      TObject* value = nullptr;
      try {
        value = PropValue::From<TObject*>(pb.Prop->Getter(*comp));
      } catch (const std::exception&) {
        return false;
      }
      auto* target = dynamic_cast<TComponent*>(value);
      return target && rootOf(target) == otherRoot && pb.Node->HasRaw();
    };
    auto& props = ob->Props;
    props.erase(std::remove_if(props.begin(), props.end(), pointsInto), props.end());
  }
}
