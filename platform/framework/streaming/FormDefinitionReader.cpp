#include "streaming/FormDefinitionReader.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "forms/TForm.h"
#include "rtl/Resources.h"
#include "rtl/TextCompare.h"
#include "streaming/FormError.h"
#include "streaming/FormParser.h"

#include <algorithm>
#include <vector>

namespace {

class TDefinitionReader {
public:
  TDefinitionReader(TComponent& root, const TFormDocument& doc, const TClassRegistry& registry)
      : FRoot(root), FDoc(doc), FRegistry(registry) {}

  void Read() {
    const TFormObject& node = *FDoc.Root;
    if (!FRoot.ClassType().InheritsFrom(node.ClassName))
      Fail(node.Offset, "the definition is of class " + node.ClassName + ", not of " + FRoot.ClassName());
    FRoot.SetLoading(true);
    ReadObject(node, FRoot);
    for (const TReference& r : FReferences) Resolve(r);
    for (TComponent* c : FMade) c->Loaded();
    FRoot.Loaded();
  }

private:
  struct TReference {
    TComponent* Component;
    const TPropInfo* Prop;
    const TFormProperty* Source;
  };

  [[noreturn]] void Fail(uint32_t offset, const std::string& message) const {
    int line = 1, column = 1;
    for (size_t i = 0; i < offset && i < FDoc.Source.size(); ++i) {
      if (FDoc.Source[i] == '\n') {
        ++line;
        column = 1;
      } else {
        ++column;
      }
    }
    throw EFormError(FDoc.FileName, line, column, message);
  }

  void ReadObject(const TFormObject& node, TComponent& component) {
    for (const auto& p : node.Properties) ReadProperty(*p, component);
    for (const auto& child : node.Children) {
      const TClassInfo* cls = FRegistry.FindClass(child->ClassName);
      if (!cls || !cls->CanCreate() || !cls->InheritsFrom(TComponent::StaticClass()))
        Fail(child->Offset, "unknown class " + child->ClassName);
      TComponent* made = cls->CreateComponent(&FRoot);
      FMade.push_back(made);
      made->SetLoading(true);
      try {
        made->SetName(child->Name);
      } catch (const Exception& e) {
        Fail(child->Offset, e.Message());
      }
      if (made->HasParent() && &component != &FRoot) made->SetParentComponent(&component);
      else if (made->HasParent()) made->SetParentComponent(&FRoot);
      ReadObject(*child, *made);
    }
  }

  void ReadProperty(const TFormProperty& p, TComponent& component) {
    std::string_view name = p.Name;
    size_t dot = name.find('.');
    const TPropInfo* info = component.ClassType().FindProperty(name.substr(0, dot));
    bool left = SameText(name, "Left"), top = SameText(name, "Top");
    if (!info && (left || top) && p.Value.Kind == TFormValueKind::Integer) {
      // A non-visual component's place on the form: left in the low word of
      // its design information, top in the high word.
      auto info32 = static_cast<uint32_t>(component.DesignInfo());
      auto half = static_cast<uint32_t>(p.Value.Int) & 0xFFFFu;
      info32 = left ? (info32 & 0xFFFF0000u) | half : (info32 & 0xFFFFu) | (half << 16);
      component.SetDesignInfo(static_cast<int32_t>(info32));
      return;
    }
    if (!info) Fail(p.Offset, component.ClassName() + " has no property " + std::string(name.substr(0, dot)));
    if (dot != std::string_view::npos) {
      auto* list = info->Kind() == TTypeKind::tkClass ? dynamic_cast<TStrings*>(GetObjectProp(component, info->Name)) : nullptr;
      if (!list || !SameText(name.substr(dot + 1), "Strings") || p.Value.Kind != TFormValueKind::List)
        Fail(p.Offset, "cannot read " + p.Name);
      TUpdateGuard guard(*list);
      list->Clear();
      for (const TFormValue& item : p.Value.Items) {
        if (item.Kind != TFormValueKind::String) Fail(p.Offset, p.Name + " holds a value that is not a string");
        list->Add(item.Text);
      }
      return;
    }
    try {
      switch (info->Kind()) {
      case TTypeKind::tkClass:
        if (p.Value.Kind != TFormValueKind::Ident) Fail(p.Offset, "cannot read " + p.Name);
        FReferences.push_back({&component, info, &p});
        return;
      case TTypeKind::tkMethod: {
        if (p.Value.Kind != TFormValueKind::Ident) Fail(p.Offset, "cannot read " + p.Name);
        TMethod method;
        method.Name = p.Value.Text;
        method.Data = &FRoot;
        method.Code = FRoot.ClassType().FindMethod(method.Name);
        if (!method.Code) Fail(p.Offset, FRoot.ClassName() + " has no method " + method.Name);
        SetPropValue(component, *info, TValue(method));
        return;
      }
      default:
        SetPropValue(component, *info, Scalar(p, *info->PropType));
      }
    } catch (const EFormError&) {
      throw;
    } catch (const Exception& e) {
      Fail(p.Offset, "cannot set " + p.Name + ": " + e.Message());
    }
  }

  TValue Scalar(const TFormProperty& p, const TTypeInfo& type) const {
    const TFormValue& v = p.Value;
    switch (type.Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64:
      if (v.Kind == TFormValueKind::Integer) return TValue(v.Int);
      break;
    case TTypeKind::tkEnumeration:
      if (v.Kind == TFormValueKind::True || v.Kind == TFormValueKind::False)
        return TValue(int64_t{v.Kind == TFormValueKind::True ? 1 : 0});
      if (v.Kind == TFormValueKind::Ident)
        if (int e = GetEnumValue(type, v.Text); e >= 0) return TValue(int64_t{e});
      break;
    case TTypeKind::tkSet:
      if (v.Kind == TFormValueKind::Set && type.CompType) {
        int64_t bits = 0;
        for (const std::string& item : v.SetItems) {
          int e = GetEnumValue(*type.CompType, item);
          if (e < 0) Fail(p.Offset, item + " is not a member of " + type.Name);
          bits |= int64_t{1} << e;
        }
        return TValue(bits);
      }
      break;
    case TTypeKind::tkFloat:
      if (v.Kind == TFormValueKind::Float) return TValue(static_cast<double>(v.Float));
      if (v.Kind == TFormValueKind::Integer) return TValue(static_cast<double>(v.Int));
      break;
    case TTypeKind::tkString:
      if (v.Kind == TFormValueKind::String) return TValue(v.Text);
      break;
    case TTypeKind::tkChar:
      if (v.Kind == TFormValueKind::Integer) return TValue(v.Int);
      break;
    default:
      break;
    }
    Fail(p.Offset, "the value of " + p.Name + " does not fit its type " + type.Name);
  }

  void Resolve(const TReference& r) {
    const std::string& name = r.Source->Value.Text;
    TComponent* target = SameText(name, FRoot.Name()) ? &FRoot : FRoot.FindComponent(name);
    const TClassInfo* wanted = r.Prop->PropType->ClassType;
    if (!target || (wanted && !target->InheritsFrom(*wanted)))
      Fail(r.Source->Offset, "no component " + name + " for " + r.Prop->Name);
    try {
      SetPropValue(*r.Component, *r.Prop, TValue(static_cast<TObject*>(target)));
    } catch (const Exception& e) {
      Fail(r.Source->Offset, "cannot set " + r.Prop->Name + ": " + e.Message());
    }
  }

  TComponent& FRoot;
  const TFormDocument& FDoc;
  const TClassRegistry& FRegistry;
  std::vector<TReference> FReferences;
  std::vector<TComponent*> FMade;
};

std::string Upper(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

} // namespace

void ReadFormDefinition(TComponent& root, std::string text, const std::string& fileName,
                        const TClassRegistry& registry) {
  std::unique_ptr<TFormDocument> doc = ParseFormText(std::move(text), fileName);
  TDefinitionReader(root, *doc, registry).Read();
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

void InstallFormDefinitionLoader() {
  TForm::SetDefinitionLoader([](TForm& form) { ReadFormDefinitionResource(form, TClassRegistry::Global()); });
}
