#include "designhost/session/TDesignSession.h"

#include "classes/TClassInfo.h"
#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "db/TDataSet.h"
#include "db/TField.h"
#include "designhost/DesignRegistry.h"
#include "designhost/SecretProperties.h"
#include "designhost/session/ComponentNaming.h"
#include "forms/TWinControl.h"
#include "rtl/TextCompare.h"
#include "streaming/TGenericComponent.h"

#include <algorithm>
#include <functional>
#include <set>

namespace {

// A sub-property ("Params.Password") is secret by its own name.
std::string Secret(const std::string& property, const std::string& value) {
  std::string name = property.substr(property.rfind('.') + 1);
  return IsSecretProperty(name) ? SecretShown(!value.empty()) : value;
}

// Deletes a component it made when an exception leaves before the end.
class TDropGuard {
public:
  explicit TDropGuard(TComponent* component) : FComponent(component) {}
  ~TDropGuard() { delete FComponent; }
  TDropGuard(const TDropGuard&) = delete;
  TDropGuard& operator=(const TDropGuard&) = delete;
  TComponent* Release() { return std::exchange(FComponent, nullptr); }

private:
  TComponent* FComponent;
};

} // namespace

TDesignSession::TDesignSession(const TClassRegistry& classes, const TDesignRegistry& design)
    : FClasses(classes), FDesign(design), FServices(classes) {}

TDesignSession::~TDesignSession() {
  FSelection.clear();
  FClosedAtOpen.clear();
  // The designers go before the modules they work on.
  FModules.clear();
}

std::vector<TDesignModule*> TDesignSession::Open(const std::vector<std::string>& files) {
  return Adopt(FServices.OpenModules(files));
}

std::vector<TDesignModule*> TDesignSession::OpenLeavingOut(const std::vector<std::string>& files,
                                                           std::vector<TModuleServices::TOpenFailure>& failures) {
  return Adopt(FServices.OpenModulesLeavingOut(files, failures));
}

std::vector<TDesignModule*> TDesignSession::Adopt(const std::vector<TModule*>& modules) {
  std::vector<TDesignModule*> result;
  for (TModule* module : modules) {
    auto it = std::find_if(FModules.begin(), FModules.end(), [&](auto& m) { return &m->Module() == module; });
    if (it != FModules.end()) {
      result.push_back(it->get());
      continue;
    }
    FModules.push_back(std::make_unique<TDesignModule>(FServices, *module));
    TDesignModule& opened = *FModules.back();
    MarkInherited(opened);
    RecordClosedComponents(opened.Root());
    if (!opened.UnitProblem().empty()) Note(opened.UnitProblem() + "; the unit will be left alone");
    result.push_back(&opened);
  }
  for (const std::string& line : FollowAncestors()) Note(line);
  return result;
}

TDesignModule* TDesignSession::AncestorOf(TDesignModule& module) const {
  const TFormDocument& doc = module.Module().File().Document();
  if (!doc.Root || doc.Root->Kind != TFormObjectKind::Inherited || !module.Root()) return nullptr;
  std::string ancestorClass;
  if (TUnitSource* unit = module.Unit())
    if (const TUnitClassDeclaration* d = unit->FindClass(module.RootClassName())) ancestorClass = d->Ancestor;
  for (auto& m : FModules) {
    if (m.get() == &module || !m->Root()) continue;
    if (!ancestorClass.empty()) {
      if (SameText(m->Root()->ClassName(), ancestorClass)) return m.get();
      continue;
    }
    bool hasAll = true;
    for (const auto& child : doc.Root->Children)
      if (child->Kind == TFormObjectKind::Inherited && !m->Root()->FindComponent(child->Name)) hasAll = false;
    if (hasAll && !doc.Root->Children.empty()) return m.get();
  }
  return nullptr;
}

namespace {

// The descendant's own values go to the component that replaces old: the
// properties both classes have with the same kind.
void CopyProperties(TComponent& old, TComponent& made) {
  for (const TPropInfo* p : made.ClassType().Properties()) {
    if (SameText(p->Name, "Name") || !p->IsWritable()) continue;
    const TPropInfo* from = old.ClassType().FindProperty(p->Name);
    if (!from || from->Kind() != p->Kind() || from->PropType != p->PropType) continue;
    try {
      SetPropValue(made, *p, GetPropValue(old, *from));
    } catch (const std::exception&) {
    }
  }
  made.SetDesignInfo(old.DesignInfo());
}

// Every component property of the open forms that refers to old refers to made.
void Redirect(const std::vector<TComponent*>& roots, TComponent* old, TComponent* made) {
  auto visit = [&](TComponent& c) {
    if (auto* field = dynamic_cast<TField*>(&c); field && field->DataSet() == old)
      field->SetDataSet(dynamic_cast<TDataSet*>(made));
    for (const TPropInfo* p : c.ClassType().Properties()) {
      if (p->Kind() != TTypeKind::tkClass || !p->IsWritable()) continue;
      try {
        if (PropValue::From<TObject*>(p->Getter(c)) != old) continue;
        const TClassInfo* wanted = p->PropType->ClassType;
        SetPropValue(c, *p, TValue(static_cast<TObject*>(wanted && !made->InheritsFrom(*wanted) ? nullptr : made)));
      } catch (const std::exception&) {
      }
    }
  };
  for (TComponent* root : roots) {
    if (!root) continue;
    visit(*root);
    for (int i = 0; i < root->ComponentCount(); ++i) visit(*root->Components(i));
  }
}

} // namespace

std::vector<std::string> TDesignSession::FollowAncestors() {
  std::vector<std::string> lines;
  // A form may come before its ancestor, whose own ancestor's change then
  // reaches it in the next pass only.
  for (bool changed = true; changed;) {
    changed = false;
    for (auto& m : FModules)
      for (std::string& line : FollowAncestor(*m)) {
        lines.push_back(std::move(line));
        changed = true;
      }
  }
  return lines;
}

std::vector<std::string> TDesignSession::FollowAncestor(TDesignModule& descendant) {
  std::vector<std::string> lines;
  auto* m = &descendant;
  {
    TDesignModule* ancestor = AncestorOf(*m);
    if (!ancestor) return lines;
    TComponent* root = m->Root();
    std::vector<TComponent*> roots;
    for (auto& other : FModules) roots.push_back(other->Root());
    for (int i = 0; i < root->ComponentCount(); ++i) {
      TComponent* old = root->Components(i);
      if (!old->IsAncestor()) continue;
      // The nearest open ancestor that has it: a form without differences
      // for an inherited component has no copy of it.
      TComponent* original = nullptr;
      std::set<TDesignModule*> seen;
      for (TDesignModule* a = ancestor; a && !original && seen.insert(a).second; a = AncestorOf(*a))
        original = a->Root()->FindComponent(old->Name());
      if (!original || &original->ClassType() == &old->ClassType() || !original->ClassType().CanCreate()) continue;
      std::string name = old->Name();
      TComponent* made = original->ClassType().CreateComponent(nullptr);
      TDropGuard undo(made);
      if (FCarry.Carry) FCarry.Carry(*old, *made);
      else CopyProperties(*old, *made);
      if (FCarry.Keeps)
        m->Module().File().ReplaceComponent(old, made,
                                            [&](const std::string& property) { return FCarry.Keeps(*made, property); });
      else m->Module().File().ReplaceComponent(old, made);
      Redirect(roots, old, made);
      undo.Release();
      delete old;
      made->SetName(name);
      root->InsertComponent(made);
      made->SetAncestor(true);
      m->Designer().Modified();
      lines.push_back(m->FileName() + ": " + name + " is now a " + made->ClassName() + ", as in " + ancestor->FileName());
      i = -1;  // the list changed; start over (replaced ones now match)
    }
  }
  return lines;
}

TDesignModule& TDesignSession::Module(int index) const {
  if (index < 0 || index >= ModuleCount()) RaiseListIndexError(index);
  return *FModules[static_cast<size_t>(index)];
}

TDesignModule* TDesignSession::FindModule(const std::string& fileName) const {
  TModule* module = FServices.FindModule(fileName);
  for (auto& m : FModules)
    if (&m->Module() == module) return m.get();
  return nullptr;
}

TDesignModule* TDesignSession::ModuleOf(const TComponent* component) const {
  while (component && component->Owner()) component = component->Owner();
  for (auto& m : FModules)
    if (m->Root() == component) return m.get();
  return nullptr;
}

TComponent& TDesignSession::FindComponent(TDesignModule& module, const std::string& name) const {
  TComponent* component = module.Designer().GetComponent(name);
  if (!component) throw Exception(module.FileName() + " has no component " + name);
  return *component;
}

// Components read from "inherited" nodes come from the ancestor form; those
// of an inline frame from the frame's. The root of a descendant form is the
// descendant's own.
void TDesignSession::MarkInherited(TDesignModule& module) {
  const TFormDocument& doc = module.Module().File().Document();
  std::function<void(const TFormObject&, TComponent*, TComponent*, bool)> walk =
      [&](const TFormObject& node, TComponent* component, TComponent* lookupRoot, bool isRoot) {
        if (!isRoot) {
          if (node.Kind == TFormObjectKind::Inherited) component->SetAncestor(true);
          if (node.Kind == TFormObjectKind::Inline) {
            component->SetInline(true);
            for (int i = 0; i < component->ComponentCount(); ++i) component->Components(i)->SetAncestor(true);
          }
        }
        TComponent* childOwner = isRoot || node.Kind == TFormObjectKind::Inline ? component : lookupRoot;
        for (const auto& child : node.Children)
          if (TComponent* c = childOwner->FindComponent(child->Name)) walk(*child, c, childOwner, false);
      };
  if (doc.Root && module.Root()) walk(*doc.Root, module.Root(), module.Root(), true);
}

void TDesignSession::RecordClosedComponents(TComponent* root) {
  for (int i = 0; root && i < root->ComponentCount(); ++i) {
    TComponent* c = root->Components(i);
    for (const char* name : {"Connected", "Active"}) {
      const TPropInfo* prop = GetPropInfo(*c, name);
      if (prop && prop->IsWritable() && prop->PropType == &TypeInfoBoolean() && GetOrdProp(*c, name) == 0)
        FClosedAtOpen.push_back({TComponentRef<TComponent>(c), name});
    }
  }
}

void TDesignSession::CloseWhatWasOpened() {
  // Datasets first, then the connections they ran on.
  for (const char* name : {"Active", "Connected"})
    for (const TOpenState& state : FClosedAtOpen)
      if (TComponent* c = state.Component.Get(); c && state.Property == name && GetOrdProp(*c, name) != 0)
        SetOrdProp(*c, name, 0);
}

std::vector<std::string> TDesignSession::OpenedForThisRun() const {
  std::vector<std::string> lines;
  for (const TOpenState& state : FClosedAtOpen)
    if (TComponent* c = state.Component.Get(); c && GetOrdProp(*c, state.Property) != 0)
      lines.push_back(c->Name() + (state.Property == "Connected" ? " is connected" : " is open") + " for this run only");
  return lines;
}

void TDesignSession::Note(const std::string& note) {
  // One unit problem is told once, however many edits it kept from the unit.
  if (std::find(FNotes.begin(), FNotes.end(), note) == FNotes.end()) FNotes.push_back(note);
}

std::vector<std::string> TDesignSession::TakeNotes() { return std::exchange(FNotes, {}); }

void TDesignSession::Select(const std::vector<TComponent*>& components) {
  FSelection.clear();
  for (TComponent* c : components) FSelection.emplace_back(c);
}

std::vector<TComponent*> TDesignSession::Selection() const {
  std::vector<TComponent*> selection;
  for (const auto& ref : FSelection)
    if (TComponent* c = ref.Get()) selection.push_back(c);
  return selection;
}

std::vector<TPersistent*> TDesignSession::SelectionAsPersistents() const {
  std::vector<TPersistent*> selection;
  for (TComponent* c : Selection()) selection.push_back(c);
  if (selection.empty()) throw EPropertyError("No component selected");
  return selection;
}

std::vector<TFormFile::TTreeEntry> TDesignSession::ComponentTree(TDesignModule& module) {
  return module.Module().File().Tree();
}

std::unique_ptr<TPropertyEditor> TDesignSession::PropertyEditor(const std::string& property) {
  std::vector<TComponent*> selection = Selection();
  size_t dot = property.find('.');
  std::string top = property.substr(0, dot);
  for (TComponent* c : selection)
    if (!GetPropInfo(*c, top)) throw EPropertyError(c->Name() + " (" + c->ClassName() + ") has no property " + top);
  TDesignModule* module = selection.empty() ? nullptr : ModuleOf(selection.front());
  auto editor = FDesign.CreatePropertyEditor(module ? &module->Designer() : nullptr, SelectionAsPersistents(), top);
  // "Font.Name": each part is a sub-property of the one before, as the
  // inspector shows it under its parent row.
  for (std::string path = top; dot != std::string::npos;) {
    size_t next = property.find('.', dot + 1);
    std::string part = property.substr(dot + 1, next == std::string::npos ? std::string::npos : next - dot - 1);
    std::unique_ptr<TPropertyEditor> child;
    if (editor->GetAttributes().Contains(TPropertyAttribute::paSubProperties))
      editor->GetProperties([&](std::unique_ptr<TPropertyEditor> sub) {
        if (!child && SameText(sub->GetName(), part)) child = std::move(sub);
      });
    if (!child) throw EPropertyError(path + " has no sub-property " + part);
    editor = std::move(child);
    path += "." + editor->GetName();
    dot = next;
  }
  return editor;
}

TInspectorRow TDesignSession::Row(TPropertyEditor& editor, const std::string& name) const {
  TInspectorRow row;
  row.Name = name;
  row.TypeName = editor.GetPropType() ? editor.GetPropType()->Name : "";
  row.EditorClass = editor.ClassName();
  row.Attributes = editor.GetAttributes();
  try {
    row.Value = Secret(editor.GetName(), editor.GetValue());
  } catch (const Exception& e) {
    row.Error = e.Message();
  }
  if (row.Attributes.Contains(TPropertyAttribute::paSubProperties)) {
    int count = 0;
    try {
      editor.GetProperties([&](std::unique_ptr<TPropertyEditor>) { ++count; });
    } catch (const std::exception&) {
    }
    row.HasSubProperties = count > 0;
  }
  return row;
}

std::vector<TInspectorRow> TDesignSession::InspectorRows() {
  std::vector<TComponent*> selection = Selection();
  std::vector<TInspectorRow> rows;
  if (selection.empty()) return rows;
  for (const TPropInfo* prop : selection.front()->ClassType().Properties()) {
    bool shared = std::all_of(selection.begin(), selection.end(), [&](TComponent* c) { return GetPropInfo(*c, prop->Name); });
    if (!shared) continue;
    auto editor = PropertyEditor(prop->Name);
    if (selection.size() > 1 && !editor->GetAttributes().Contains(TPropertyAttribute::paMultiSelect)) continue;
    rows.push_back(Row(*editor, prop->Name));
  }
  return rows;
}

std::vector<TInspectorRow> TDesignSession::SubPropertyRows(const std::string& property) {
  auto editor = PropertyEditor(property);
  std::vector<TInspectorRow> rows;
  if (!editor->GetAttributes().Contains(TPropertyAttribute::paSubProperties)) return rows;
  bool several = Selection().size() > 1;
  editor->GetProperties([&](std::unique_ptr<TPropertyEditor> child) {
    if (several && !child->GetAttributes().Contains(TPropertyAttribute::paMultiSelect)) return;
    rows.push_back(Row(*child, property + "." + child->GetName()));
  });
  return rows;
}

std::vector<std::string> TDesignSession::PropertyValues(const std::string& property) {
  auto editor = PropertyEditor(property);
  TPropertyAttributes attributes = editor->GetAttributes();
  if (!attributes.Contains(TPropertyAttribute::paValueList)) throw EPropertyError(property + " has no drop-down list");
  std::vector<std::string> values;
  editor->GetValues([&](const std::string& value) { values.push_back(value); });
  if (attributes.Contains(TPropertyAttribute::paSortList))
    std::stable_sort(values.begin(), values.end(), [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  return values;
}

std::string TDesignSession::SetPropertyValue(const std::string& property, const std::string& value) {
  // A name typed into the inspector renames as Rename does, so the unit and
  // the references follow and a bad or taken name is refused.
  if (std::vector<TComponent*> selection = Selection(); selection.size() == 1 && SameText(property, "Name"))
    if (TDesignModule* module = ModuleOf(selection.front())) {
      RenameComponent(*module, *selection.front(), value);
      return selection.front()->Name();
    }
  auto editor = PropertyEditor(property);
  if (editor->GetAttributes().Contains(TPropertyAttribute::paReadOnly))
    throw EPropertyError(property + " is read-only in the inspector");
  editor->SetValue(value);
  return Secret(property, editor->GetValue());
}

std::string TDesignSession::EditProperty(const std::string& property) {
  auto editor = PropertyEditor(property);
  if (!editor->GetAttributes().Contains(TPropertyAttribute::paDialog)) throw EPropertyError(property + " has no dialog");
  editor->Edit();
  return Secret(property, editor->GetValue());
}

std::vector<std::string> TDesignSession::Verbs(TComponent& component) {
  TDesignModule* module = ModuleOf(&component);
  auto editor = FDesign.GetComponentEditor(&component, module ? &module->Designer() : nullptr);
  std::vector<std::string> verbs;
  for (int i = 0; i < editor->GetVerbCount(); ++i) verbs.push_back(editor->GetVerb(i));
  return verbs;
}

std::string TDesignSession::ExecuteVerb(TComponent& component, int index) {
  TDesignModule* module = ModuleOf(&component);
  auto editor = FDesign.GetComponentEditor(&component, module ? &module->Designer() : nullptr);
  int count = editor->GetVerbCount();
  if (index < 0 || index >= count)
    throw Exception(component.Name() + " has " + std::to_string(count) + " verbs; there is no verb " + std::to_string(index));
  std::string verb = editor->GetVerb(index);
  // A verb's dialog may make and free components (the fields editor); the
  // unit follows what it did, as it follows a drop or a delete.
  std::vector<TCensusEntry> census;
  if (module) census = Census(*module);
  editor->ExecuteVerb(index);
  if (module && module->Root()) FollowInUnit(*module, census);
  return verb;
}

void TDesignSession::CheckMayChange(TDesignModule& module, const TComponent& component, const char* what) const {
  TComponent* root = module.Root();
  if (&component == root)
    throw EComponentError(component.Name() + " is the form itself and cannot be " + what + " here");
  if (component.IsAncestor())
    throw EComponentError(component.Name() + " is inherited from the ancestor form and cannot be " + what);
  if (component.Owner() != root) {
    if (component.Owner() && component.Owner()->IsInline())
      throw EComponentError(component.Name() + " is inherited from the ancestor frame " + component.Owner()->Name() +
                            " and cannot be " + what);
    throw EComponentError(component.Name() + " is not a component of " + module.FileName());
  }
}

TComponent& TDesignSession::AddComponent(TDesignModule& module, const std::string& className, const TDropOptions& options) {
  TComponent* root = module.Root();
  const TClassInfo* cls = FClasses.FindClass(className);
  if (!cls || !cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
    throw EComponentError("unknown component class " + className);
  std::string name = options.Name.empty() ? NewComponentName(*root, *cls) : options.Name;
  CheckComponentName(*root, name, nullptr);
  TComponent* parent = nullptr;
  if (!options.Parent.empty()) {
    parent = SameText(options.Parent, root->Name()) ? root : root->FindComponent(options.Parent);
    if (!parent) throw EComponentError(module.FileName() + " has no component " + options.Parent);
  }
  // Made with the form's root as owner, so it is designing from its
  // constructor on and the package's own behaviour on creation happens.
  TComponent* made = cls->CreateComponent(root);
  TDropGuard undo(made);
  made->SetName(name);
  if (auto* control = dynamic_cast<TControl*>(made)) {
    // A control sits in the container named, else on the form. A form the
    // host only knows by name holds it all the same: it is written in the
    // form's object.
    if (parent && parent != root) {
      auto* container = dynamic_cast<TWinControl*>(parent);
      if (!container || !container->AcceptsControls())
        throw EComponentError(parent->Name() + " (" + parent->ClassName() + ") cannot hold controls");
      control->SetParent(container);
    } else if (auto* form = dynamic_cast<TWinControl*>(root); form && form->AcceptsControls()) {
      control->SetParent(form);
    }
  } else if (parent) {
    auto* field = dynamic_cast<TField*>(made);
    auto* dataset = dynamic_cast<TDataSet*>(parent);
    if (!field || !dataset) throw EComponentError(parent->Name() + " cannot hold a " + cls->ClassName());
    field->SetDataSet(dataset);
  }
  if (options.Left || options.Top) {
    if (cls->FindProperty("Left") && cls->FindProperty("Top")) {
      if (options.Left) SetOrdProp(*made, "Left", *options.Left);
      if (options.Top) SetOrdProp(*made, "Top", *options.Top);
    } else {
      uint32_t info = static_cast<uint32_t>(made->DesignInfo());
      if (options.Left) info = (info & 0xFFFF0000u) | (static_cast<uint32_t>(*options.Left) & 0xFFFF);
      if (options.Top) info = (info & 0xFFFFu) | (static_cast<uint32_t>(*options.Top) << 16);
      made->SetDesignInfo(static_cast<int32_t>(info));
    }
  }
  undo.Release();
  if (std::string note = module.DeclareComponent(name, cls->ClassName(), FClasses.UnitName(*cls)); !note.empty())
    Note(note);
  module.Designer().Modified();
  return *made;
}

std::vector<std::string> TDesignSession::RenameComponent(TDesignModule& module, TComponent& component,
                                                         const std::string& newName) {
  if (&component == module.Root()) return RenameRoot(module, newName);
  CheckMayChange(module, component, "renamed");
  CheckComponentName(*module.Root(), newName, &component);
  std::string oldName = component.Name();
  if (oldName == newName) return {};
  // The open descendants' inherited copies carry the ancestor's name.
  std::vector<TComponent*> copies = InheritedCopies(module, oldName);
  for (TComponent* copy : copies) CheckComponentName(*copy->Owner(), newName, copy);
  component.SetName(newName);
  for (TComponent* copy : copies) copy->SetName(newName);
  RenameKeptReferences(module, oldName, newName, false);
  std::vector<int> lines;
  if (std::string note = module.RenameDeclaration(oldName, newName, lines); !note.empty()) Note(note);
  module.Designer().Modified();
  std::vector<std::string> changed;
  for (int line : lines) changed.push_back(module.UnitFileName() + ": line " + std::to_string(line));
  return changed;
}

void TDesignSession::RenameKeptReferences(TDesignModule& module, const std::string& oldName, const std::string& newName,
                                          bool isRoot) {
  const std::string rootName = module.Root()->Name();
  for (auto& m : FModules) {
    // The module and its descendants name the component (or its inherited
    // copy) alone; the other forms through the form's name.
    bool local = false;
    std::set<TDesignModule*> seen;
    for (TDesignModule* a = m.get(); a && !local && seen.insert(a).second; a = AncestorOf(*a)) local = a == &module;
    int changed = m->Module().File().RenameReferences([&](const std::string& value) -> std::optional<std::string> {
      if (isRoot) {
        if (local) return std::nullopt;
        if (SameText(value, oldName)) return newName;
        if (value.size() > oldName.size() && value[oldName.size()] == '.' && SameText(value.substr(0, oldName.size()), oldName))
          return newName + value.substr(oldName.size());
        return std::nullopt;
      }
      if (local && SameText(value, oldName)) return newName;
      if (SameText(value, rootName + "." + oldName)) return rootName + "." + newName;
      return std::nullopt;
    });
    if (changed > 0) m->Designer().Modified();
  }
}

void TDesignSession::ClearKeptReferences(TDesignModule& module, const std::vector<std::string>& names) {
  const std::string rootName = module.Root()->Name();
  for (auto& m : FModules) {
    bool local = false;
    std::set<TDesignModule*> seen;
    for (TDesignModule* a = m.get(); a && !local && seen.insert(a).second; a = AncestorOf(*a)) local = a == &module;
    int cleared = m->Module().File().ClearKeptReferences([&](const std::string& value) {
      return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        return (local && SameText(value, name)) || SameText(value, rootName + "." + name);
      });
    });
    if (cleared > 0) m->Designer().Modified();
  }
}

std::vector<std::string> TDesignSession::RenameRoot(TDesignModule& module, const std::string& newName) {
  TComponent* root = module.Root();
  CheckComponentName(*root, newName, root);
  std::string oldName = root->Name();
  if (oldName == newName) return {};
  for (auto& m : FModules)
    if (m.get() != &module && m->Root() && SameText(m->Root()->Name(), newName))
      throw EComponentError(m->FileName() + " is a form named " + newName + " already");
  // The class follows the name when it is the form's own (a class the host
  // only knows from the form file) named after it.
  std::string oldClass = root->ClassName(), newClass = oldClass;
  auto* generic = dynamic_cast<TGenericComponent*>(root);
  if (generic && SameText(oldClass, "T" + oldName)) newClass = "T" + newName;
  if (TUnitSource* unit = module.Unit())
    if (const TUnitClassDeclaration* other = unit->OtherClassNamed(newClass, oldClass))
      throw EComponentError(module.UnitFileName() + " declares a class " + other->Name + " already");
  std::vector<TDesignModule*> descendants;
  for (auto& m : FModules)
    if (m.get() != &module && AncestorOf(*m) == &module) descendants.push_back(m.get());

  root->SetName(newName);
  if (newClass != oldClass) generic->SetClassType(GenericClassInfo(newClass));
  RenameKeptReferences(module, oldName, newName, true);
  std::vector<std::string> changed;
  auto follow = [&](TDesignModule& m, const std::string& oldVariable, const std::string& newVariable) {
    std::vector<int> lines;
    if (std::string note = m.RenameFormClass(oldClass, newClass, oldVariable, newVariable, lines); !note.empty())
      Note(note);
    for (int line : lines) changed.push_back(m.UnitFileName() + ": line " + std::to_string(line));
  };
  follow(module, oldName, newName);
  if (newClass != oldClass)
    for (TDesignModule* d : descendants) {
      follow(*d, "", "");
      d->Designer().Modified();
    }
  module.Designer().Modified();
  return changed;
}

std::vector<TComponent*> TDesignSession::InheritedCopies(TDesignModule& ancestor, const std::string& name) const {
  std::vector<TComponent*> copies;
  for (auto& m : FModules) {
    if (m.get() == &ancestor || AncestorOf(*m) != &ancestor) continue;
    TComponent* copy = m->Root()->FindComponent(name);
    if (copy && copy->IsAncestor()) {
      copies.push_back(copy);
      // And the copies in that form's own descendants.
      for (TComponent* further : InheritedCopies(*m, name)) copies.push_back(further);
    }
  }
  return copies;
}

std::vector<std::string> TDesignSession::DeleteComponents(TDesignModule& module, const std::vector<TComponent*>& components) {
  for (TComponent* c : components) CheckMayChange(module, *c, "deleted");
  // Each component with what it holds in the tree (a dataset's fields,
  // a panel's controls), the holders first.
  std::vector<TFormFile::TTreeEntry> tree = ComponentTree(module);
  std::set<const TComponent*> doomed(components.begin(), components.end());
  std::vector<TComponentRef<TComponent>> order;
  for (const auto& entry : tree) {
    bool held = doomed.count(entry.Component) > 0 || (entry.Parent && doomed.count(entry.Parent) > 0);
    if (!held) continue;
    if (entry.Component->IsAncestor())
      throw EComponentError(entry.Component->Name() + " is inherited from the ancestor form and cannot be deleted");
    doomed.insert(entry.Component);
    order.emplace_back(entry.Component);
  }
  // The open descendants' inherited copies go with the ancestor's.
  std::vector<TComponentRef<TComponent>> copies;
  for (const auto& ref : order)
    for (TComponent* copy : InheritedCopies(module, ref.Get()->Name())) copies.emplace_back(copy);
  std::vector<std::string> names;
  for (auto it = copies.rbegin(); it != copies.rend(); ++it) {
    TComponent* copy = it->Get();
    if (!copy) continue;
    if (TDesignModule* owner = ModuleOf(copy)) owner->Designer().Modified();
    delete copy;
  }
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    TComponent* c = it->Get();
    if (!c) continue;  // freed with the one before
    names.insert(names.begin(), c->Name());
    std::string name = c->Name();
    FSelection.erase(std::remove_if(FSelection.begin(), FSelection.end(), [&](const auto& r) { return r.Get() == c; }),
                     FSelection.end());
    delete c;
    if (std::string note = module.RemoveDeclaration(name); !note.empty()) Note(note);
  }
  ClearKeptReferences(module, names);
  module.Designer().Modified();
  return names;
}

std::vector<TDesignSession::TCensusEntry> TDesignSession::Census(TDesignModule& module) const {
  std::vector<TCensusEntry> census;
  TComponent* root = module.Root();
  for (int i = 0; root && i < root->ComponentCount(); ++i)
    census.push_back({root->Components(i)->Name(), &root->Components(i)->ClassType()});
  return census;
}

std::vector<std::string> TDesignSession::FollowInUnit(TDesignModule& module, const std::vector<TCensusEntry>& census) {
  std::vector<std::string> changes;
  TComponent* root = module.Root();
  if (!root) return changes;
  auto had = [&](const TComponent& c) {
    return std::any_of(census.begin(), census.end(),
                       [&](const TCensusEntry& e) { return e.Name == c.Name() && e.Class == &c.ClassType(); });
  };
  for (const TCensusEntry& e : census) {
    TComponent* now = root->FindComponent(e.Name);
    if (now && &now->ClassType() == e.Class) continue;
    if (std::string note = module.RemoveDeclaration(e.Name); !note.empty()) Note(note);
    changes.push_back("-" + e.Name);
  }
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent& c = *root->Components(i);
    if (had(c) || c.Name().empty()) continue;
    if (std::string note = module.DeclareComponent(c.Name(), c.ClassName(), FClasses.UnitName(c.ClassType()));
        !note.empty())
      Note(note);
    changes.push_back("+" + c.Name());
  }
  return changes;
}

bool TDesignSession::IsModified() {
  return std::any_of(FModules.begin(), FModules.end(), [](auto& m) { return m->IsModified(); });
}

std::vector<std::string> TDesignSession::Save() {
  for (const std::string& line : FollowAncestors()) Note(line);
  CloseWhatWasOpened();
  std::vector<std::string> written;
  for (auto& m : FModules)
    for (std::string& file : m->Save()) written.push_back(std::move(file));
  return written;
}

std::vector<std::string> TDesignSession::Save(TDesignModule& module) {
  for (const std::string& line : FollowAncestors()) Note(line);
  CloseWhatWasOpened();
  return module.Save();
}

void TDesignSession::Close(TDesignModule& module) {
  auto it = std::find_if(FModules.begin(), FModules.end(), [&](auto& m) { return m.get() == &module; });
  if (it == FModules.end()) return;
  std::erase_if(FSelection, [&](const TComponentRef<TComponent>& ref) {
    TComponent* c = ref.Get();
    return !c || ModuleOf(c) == &module;
  });
  TModule* closing = &module.Module();
  FModules.erase(it);
  FServices.CloseModule(closing);
}
