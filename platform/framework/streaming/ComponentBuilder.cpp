#include "streaming/ComponentBuilder.h"

#include "classes/TClassRegistry.h"
#include "classes/TCollection.h"
#include "classes/TComponent.h"
#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "rtl/TextCompare.h"
#include "streaming/FormError.h"
#include "streaming/FormPosition.h"
#include "streaming/PropertyValues.h"
#include "streaming/TGenericComponent.h"

namespace {
bool IsEmptyReference(const TFormValue& v) { return v.Kind == TFormValueKind::Nil || v.Kind == TFormValueKind::Null; }
} // namespace

std::unique_ptr<TComponent> TComponentBuilder::BuildRoot() {
  TFormObject& node = *FDoc.Root;
  std::unique_ptr<TComponent> root(Create(node, nullptr));
  root->SetDesigning(true);
  FRoot = root.get();
  Bind(node, *root, nullptr, root.get());
  return root;
}

void TComponentBuilder::BuildInto(TComponent& root) {
  TFormObject& node = *FDoc.Root;
  if (!root.ClassType().InheritsFrom(ShortClassName(node.ClassName)))
    FailAt(FDoc, node.Offset, "the definition is of class " + node.ClassName + ", not of " + root.ClassName());
  FRoot = &root;
  root.SetLoading(true);
  Bind(node, root, nullptr, &root);
}

void TComponentBuilder::Refuse(const TFormProperty& p, const std::string& message) {
  if (FBinding.Policy == TLoadPolicy::Strict) FailAt(FDoc, p.Offset, message);
}

void TComponentBuilder::Problem(uint32_t offset, const std::string& message) {
  if (FBinding.Policy == TLoadPolicy::Strict) FailAt(FDoc, offset, message);
  FBinding.Warnings.push_back(FormLocation(FDoc, offset) + ": " + message);
}

TComponent* TComponentBuilder::Create(const TFormObject& node, TComponent* owner) {
  bool strict = FBinding.Policy == TLoadPolicy::Strict;
  std::string className = ShortClassName(node.ClassName);
  const TClassInfo* info = FBinding.Registry->FindClass(className);
  bool known = info && info->CanCreate() && info->InheritsFrom(TComponent::StaticClass());
  if (!known && strict) FailAt(FDoc, node.Offset, "unknown class " + node.ClassName);
  TComponent* made = nullptr;
  try {
    if (known) made = info->CreateComponent(owner);
    else made = new TGenericComponent(GenericClassInfo(className), owner);
  } catch (const std::exception& e) {
    FailAt(FDoc, node.Offset, "cannot create " + className + ": " + std::string(e.what()));
  }
  made->SetLoading(true);
  if (!node.Name.empty() || strict) {
    try {
      made->SetName(node.Name);
    } catch (const std::exception& e) {
      bool duplicate = owner && owner->FindComponent(node.Name);
      if (!owner) delete made;
      if (strict) FailAt(FDoc, node.Offset, e.what());
      FailAt(FDoc, node.Offset,
             duplicate ? "duplicate component name '" + node.Name + "'" : "invalid component name '" + node.Name + "'");
    }
  }
  return made;
}

void TComponentBuilder::Bind(TFormObject& node, TComponent& comp, TFormObject* parentNode, TComponent* lookupRoot) {
  auto ob = std::make_unique<TObjectBinding>();
  ob->Node = &node;
  ob->Component = &comp;
  ob->ParentNode = parentNode;
  ob->LookupRoot = lookupRoot;
  size_t index = FBinding.Objects.size();
  FBinding.Objects.push_back(std::move(ob));
  for (auto& p : node.Properties) BindProperty(index, comp, *p);
  TComponent* childOwner = node.Kind == TFormObjectKind::Inline || parentNode == nullptr ? &comp : lookupRoot;
  for (auto& child : node.Children) {
    TComponent* made = Create(*child, childOwner);
    // A control sits in the control it is nested in, a field in its dataset.
    if (made->HasParent()) made->SetParentComponent(&comp);
    Bind(*child, *made, &node, childOwner);
  }
}

void TComponentBuilder::BindProperty(size_t index, TComponent& comp, TFormProperty& p) {
  std::string_view name = p.Name;
  size_t dot = name.find('.');
  try {
    if (dot != std::string_view::npos) {
      if (!BindPath(*FBinding.Objects[index], comp, p)) BindStrings(*FBinding.Objects[index], comp, p, dot);
    }
    else if (!SameText(name, "Name")) BindValue(index, comp, p);
  } catch (const EFormError&) {
    throw;
  } catch (const std::exception& e) {
    Problem(p.Offset, "cannot set " + p.Name + ": " + std::string(e.what()));
  }
}

// Sub.Property: a scalar property of a sub-object (Constraints.MaxHeight,
// Font.Name), nested to any depth. False when the name reaches no such
// property, which leaves it to the string-list rule.
bool TComponentBuilder::BindPath(TObjectBinding& ob, TComponent& comp, TFormProperty& p) {
  auto path = ResolvePropertyPath(comp, p.Name);
  if (!path) return false;
  const TPropInfo& leaf = *path->Prop;
  if (leaf.Kind() == TTypeKind::tkClass || leaf.Kind() == TTypeKind::tkMethod) {
    Refuse(p, "cannot read " + p.Name);
    return true;
  }
  TValue value;
  std::string badItem;
  if (!ConvertFormValue(*leaf.PropType, p.Value, value, &badItem)) {
    if (!badItem.empty()) Refuse(p, badItem + " is not a member of " + leaf.PropType->Name);
    else Refuse(p, "the value of " + p.Name + " does not fit its type " + leaf.PropType->Name);
    return true;
  }
  if (!leaf.IsWritable()) {
    Refuse(p, "cannot set " + p.Name + ": the property is read-only");
    return true;
  }
  SetPropValue(*path->Object, leaf, value);
  ob.Props.push_back({&p, TPropKind::Path, &leaf, LowerName(path->Name)});
  return true;
}

// X.Strings: the lines of a string-list property. Other dotted paths
// that reach no property stay as read.
void TComponentBuilder::BindStrings(TObjectBinding& ob, TComponent& comp, TFormProperty& p, size_t dot) {
  std::string_view name = p.Name;
  const TPropInfo* info = comp.ClassType().FindProperty(name.substr(0, dot));
  if (!info) return Refuse(p, comp.ClassName() + " has no property " + std::string(name.substr(0, dot)));
  auto* list = info->Kind() == TTypeKind::tkClass ? dynamic_cast<TStrings*>(PropValue::From<TObject*>(info->Getter(comp)))
                                                  : nullptr;
  if (!list || !SameText(name.substr(dot + 1), "Strings") || p.Value.Kind != TFormValueKind::List)
    return Refuse(p, "cannot read " + p.Name);
  for (const TFormValue& item : p.Value.Items)
    if (item.Kind != TFormValueKind::String) return Refuse(p, p.Name + " holds a value that is not a string");
  {
    TUpdateGuard guard(*list);
    list->Clear();
    for (const TFormValue& item : p.Value.Items) list->Add(item.Text);
  }
  ob.Props.push_back({&p, TPropKind::Strings, info, LowerName(info->Name)});
}

void TComponentBuilder::BindValue(size_t index, TComponent& comp, TFormProperty& p) {
  TObjectBinding& ob = *FBinding.Objects[index];
  const std::string& name = p.Name;
  const TPropInfo* info = comp.ClassType().FindProperty(name);
  if (!info) {
    bool left = SameText(name, "Left"), top = SameText(name, "Top");
    if ((left || top) && p.Value.Kind == TFormValueKind::Integer) {
      SetDesignPosition(comp, left, p.Value.Int);
      ob.Props.push_back({&p, left ? TPropKind::Left : TPropKind::Top, nullptr, left ? "left" : "top"});
      return;
    }
    return Refuse(p, comp.ClassName() + " has no property " + name);
  }
  switch (info->Kind()) {
  case TTypeKind::tkClass: {
    const TClassInfo* target = info->PropType->ClassType;
    if (p.Value.Kind == TFormValueKind::Ident && target && target->InheritsFrom(TComponent::StaticClass())) {
      FBinding.Fixups.push_back({index, &p, info});
      return;
    }
    if (IsEmptyReference(p.Value) && info->IsWritable()) {
      SetPropValue(comp, *info, TValue(static_cast<TObject*>(nullptr)));
      break;
    }
    auto* coll = p.Value.Kind == TFormValueKind::Collection
                     ? dynamic_cast<TCollection*>(PropValue::From<TObject*>(info->Getter(comp)))
                     : nullptr;
    if (!coll || !FillCollection(*coll, p.Value)) return Refuse(p, "cannot read " + name);
    break;
  }
  case TTypeKind::tkMethod: {
    TMethod method;
    if (p.Value.Kind == TFormValueKind::Ident) {
      method.Name = p.Value.Text;
      method.Data = FRoot;
      method.Code = FRoot->ClassType().FindMethod(method.Name);
      if (!method.Code) Refuse(p, FRoot->ClassName() + " has no method " + method.Name);
    } else if (!IsEmptyReference(p.Value)) {
      return Refuse(p, "cannot read " + name);
    }
    SetPropValue(comp, *info, TValue(method));
    break;
  }
  default: {
    TValue value;
    std::string badItem;
    if (!ConvertFormValue(*info->PropType, p.Value, value, &badItem)) {
      if (!badItem.empty()) return Refuse(p, badItem + " is not a member of " + info->PropType->Name);
      return Refuse(p, "the value of " + name + " does not fit its type " + info->PropType->Name);
    }
    if (!info->IsWritable()) return Refuse(p, "cannot set " + name + ": the property is read-only");
    SetPropValue(comp, *info, value);
    break;
  }
  }
  ob.Props.push_back({&p, TPropKind::Published, info, LowerName(info->Name)});
}

// Items whose every property is known; otherwise the collection stays empty
// and the property as read.
bool TComponentBuilder::FillCollection(TCollection& coll, const TFormValue& v) {
  coll.Clear();
  for (const TFormItem& item : v.CollectionItems) {
    TCollectionItem* made = coll.Add();
    for (const TFormProperty& ip : item.Properties) {
      const TPropInfo* info = made->ClassType().FindProperty(ip.Name);
      TValue value;
      if (!info || !info->IsWritable() || !ConvertFormValue(*info->PropType, ip.Value, value)) {
        coll.Clear();
        return false;
      }
      SetPropValue(*made, *info, value);
    }
  }
  return true;
}

void FinishBuilding(const TFormDocument& doc, TFormBinding& binding) {
  if (binding.Policy == TLoadPolicy::Strict) {
    // Parts before the whole: the made components, then the root.
    for (size_t i = 1; i < binding.Objects.size(); ++i)
      if (TComponent* comp = binding.Objects[i]->Component.Get()) comp->Loaded();
    if (!binding.Objects.empty())
      if (TComponent* root = binding.Objects[0]->Component.Get()) root->Loaded();
    return;
  }
  for (auto& ob : binding.Objects) {
    TComponent* comp = ob->Component.Get();
    if (!comp) continue;
    try {
      comp->Loaded();
    } catch (const std::exception& e) {
      binding.Warnings.push_back(FormLocation(doc, ob->Node->Offset) + ": " + comp->Name() + ": " + std::string(e.what()));
    }
    comp->SetLoading(false);
  }
}
