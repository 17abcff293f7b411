#include "designhost/migration/InheritedCommandTexts.h"

#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "designhost/migration/CommandTextStatement.h"
#include "designhost/migration/FormNodes.h"
#include "designhost/session/TDesignSession.h"
#include "rtl/TextCompare.h"
#include "streaming/TFormFile.h"

#include <cctype>
#include <set>

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool HasCommandText(const TComponent& c) { return GetPropInfo(c, "CommandText") != nullptr; }

// The name of the component's command type; empty (a statement) when its
// class has none.
std::string CommandTypeName(const TComponent& c) {
  const TPropInfo* type = GetPropInfo(c, "CommandType");
  if (!type || type->Kind() != TTypeKind::tkEnumeration) return "";
  return GetEnumName(*type->PropType, GetOrdProp(c, "CommandType"));
}

bool Sets(const TFormObject* node, std::string_view property) {
  if (node)
    for (const auto& p : node->Properties)
      if (SameText(p->Name, property)) return true;
  return false;
}

// The nodes of the forms' own objects, collected once per form.
class TOwnNodes {
public:
  // The node of the form's own object of that name; none when the form
  // holds no differences for it.
  const TFormObject* Of(TDesignModule& module, const std::string& lowerName) {
    auto found = FForms.find(&module);
    if (found == FForms.end()) {
      const TFormObject* root = module.Module().File().Document().Root.get();
      found = FForms.emplace(&module, root ? CollectFormNodes(*root) : TFormNodes{}).first;
    }
    auto it = found->second.Own.find(lowerName);
    return it == found->second.Own.end() ? nullptr : it->second.Node;
  }

private:
  std::map<const TDesignModule*, TFormNodes> FForms;
};

} // namespace

TInheritedCommandTexts::TInheritedCommandTexts(TDesignSession& session) {
  TOwnNodes nodes;
  for (int i = 0; i < session.ModuleCount(); ++i) {
    TDesignModule& module = session.Module(i);
    TComponent* root = module.Root();
    if (!root || !session.AncestorOf(module)) continue;
    for (int k = 0; k < root->ComponentCount(); ++k) {
      TComponent* inherited = root->Components(k);
      if (!inherited->IsAncestor() || !HasCommandText(*inherited)) continue;
      std::string name = Lower(inherited->Name());
      const TFormObject* own = nodes.Of(module, name);
      if (!Sets(own, "CommandType") && !Sets(own, "CommandText")) continue;
      // Each setting from the nearest form that sets it, down to the form
      // that declares the dataset, which has them all.
      std::optional<std::string> type, text;
      TDesignModule* at = &module;
      TComponent* c = inherited;
      std::set<TDesignModule*> seen;
      while (at && seen.insert(at).second) {
        if (c && HasCommandText(*c)) {
          const TFormObject* node = nodes.Of(*at, name);
          bool original = !c->IsAncestor();
          if (!type && (original || Sets(node, "CommandType")))
            type = CommandTypeName(*c);
          if (!text && (original || Sets(node, "CommandText"))) text = GetStrProp(*c, "CommandText");
          if (original) break;
        }
        at = session.AncestorOf(*at);
        c = at && at->Root() ? at->Root()->FindComponent(inherited->Name()) : nullptr;
      }
      // Without the form that declares it the dataset is not converted.
      if (!type || !text) continue;
      FStatements[{root, name}] = CommandTextStatement(*type, *text);
    }
  }
}

std::optional<std::string> TInheritedCommandTexts::StatementOf(const TComponent& inherited) const {
  auto it = FStatements.find({inherited.Owner(), Lower(inherited.Name())});
  if (it == FStatements.end()) return std::nullopt;
  return it->second;
}
