#pragma once
// Makes components from a form document: one component for each object
// (created by class name through the class registry, owned by the root or
// the inline frame it sits in, placed in its parent component), its
// published properties set through the type information, event handlers
// bound by name to the root class's methods, and the component references
// noted for the fix-up. The policy says what happens to what cannot be made
// or set; either way the binding records what was set from which property.
#include "streaming/FormBinding.h"

#include <memory>

class TCollection;
class TComponent;

class TComponentBuilder {
public:
  // binding.Registry and binding.Policy say how to build.
  TComponentBuilder(TFormDocument& doc, TFormBinding& binding) : FDoc(doc), FBinding(binding) {}

  // Makes the root from the file, in design state.
  std::unique_ptr<TComponent> BuildRoot();
  // Reads the file into an existing root, whose class must be the file's root
  // class or descend from it.
  void BuildInto(TComponent& root);

private:
  TComponent* Create(const TFormObject& node, TComponent* owner);
  void Bind(TFormObject& node, TComponent& comp, TFormObject* parentNode, TComponent* lookupRoot);
  void BindProperty(size_t index, TComponent& comp, TFormProperty& p);
  void BindStrings(TObjectBinding& ob, TComponent& comp, TFormProperty& p, size_t dot);
  void BindValue(size_t index, TComponent& comp, TFormProperty& p);
  bool BindPath(TObjectBinding& ob, TComponent& comp, TFormProperty& p);
  bool FillCollection(TCollection& coll, const TFormValue& v);
  // What the policy refuses: an error when strict; kept as read, silently, when lenient.
  void Refuse(const TFormProperty& p, const std::string& message);
  // What went wrong while setting: an error when strict, a warning when lenient.
  void Problem(uint32_t offset, const std::string& message);

  TFormDocument& FDoc;
  TFormBinding& FBinding;
  TComponent* FRoot = nullptr;
};

// Ends loading: each component's Loaded (strict: the made components, then
// the root; lenient: in file order, a failure becoming a warning).
void FinishBuilding(const TFormDocument& doc, TFormBinding& binding);
