#include "designhost/modules/FormTreeReport.h"

#include "designhost/SecretProperties.h"
#include "classes/TComponent.h"
#include "db/TDataSource.h"
#include "db/TField.h"
#include "designhost/ModuleServices.h"
#include "designhost/foreign/ForeignClasses.h"
#include "rtl/JsonWriter.h"
#include "streaming/TFormFile.h"
#include "streaming/TGenericComponent.h"

#include <set>
#include "streaming/TextFormWriter.h"

namespace {

void JsonValue(TJsonWriter& json, const TFormValue& v) {
  switch (v.Kind) {
  case TFormValueKind::Integer: json.Int(v.Int); break;
  case TFormValueKind::Float: json.String(FormatFormFloat(v.Float, v.FloatSuffix)); break;
  case TFormValueKind::String:
  case TFormValueKind::Ident: json.String(v.Text); break;
  case TFormValueKind::Nil:
  case TFormValueKind::Null: json.Null(); break;
  case TFormValueKind::True: json.Bool(true); break;
  case TFormValueKind::False: json.Bool(false); break;
  case TFormValueKind::Set:
    json.BeginArray();
    for (const std::string& s : v.SetItems) json.String(s);
    json.EndArray();
    break;
  case TFormValueKind::List:
    json.BeginArray();
    for (const TFormValue& item : v.Items) JsonValue(json, item);
    json.EndArray();
    break;
  case TFormValueKind::Binary: json.String(HexBytes(v.Bytes)); break;
  case TFormValueKind::Collection:
    json.BeginArray();
    for (const TFormItem& item : v.CollectionItems) {
      json.BeginObject();
      for (const TFormProperty& p : item.Properties) {
        json.Key(p.Name);
        JsonValue(json, p.Value);
      }
      json.EndObject();
    }
    json.EndArray();
    break;
  }
}

std::string OwnerNote(const TFormFile::TTreeEntry& e) {
  TComponent* owner = e.Component->Owner();
  if (!e.Parent || owner == e.Parent || !owner) return "";
  return owner->Name().empty() ? owner->ClassName() : owner->Name();
}

} // namespace

bool IsDataAccessComponent(const TComponent& c) {
  if (dynamic_cast<const TGenericComponent*>(&c)) return false;
  if (dynamic_cast<const TForeignPropertyStore*>(&c)) return true;
  if (c.InheritsFrom(TDataSet::StaticClass()) || c.InheritsFrom(TField::StaticClass()) ||
      c.InheritsFrom(TDataSource::StaticClass()))
    return true;
  return c.ClassName().rfind("TQuelm", 0) == 0 || c.ClassType().InheritsFrom("TBDE2QuelmDorvik");
}

void PrintFormTree(std::ostream& out, TModule& module) {
  out << module.FileName() << "\n";
  for (const auto& e : module.File().Tree()) {
    std::string indent(static_cast<size_t>(e.Depth) * 2 + 2, ' ');
    out << indent << (e.Component->Name().empty() ? "(unnamed)" : e.Component->Name()) << ": " << e.Component->ClassName();
    if (std::string owner = OwnerNote(e); !owner.empty()) out << " (owner " << owner << ")";
    out << "\n";
    if (!IsDataAccessComponent(*e.Component)) continue;
    for (const auto& [name, value] : StoredProperties(*e.Component)) {
      if (IsSecretProperty(name)) {
        out << indent << "  " << name << " = " << SecretShown(true) << "\n";
        continue;
      }
      out << indent << "  " << name << " = " << FormatFormValue(value, static_cast<int>(indent.size()) + 2, "\n") << "\n";
    }
  }
}

void WriteFormTreeJson(TJsonWriter& json, TModule& module) {
  json.BeginObject().Member("file", module.FileName()).Key("components").BeginArray();
  for (const auto& e : module.File().Tree()) {
    json.BeginObject()
        .Member("name", e.Component->Name())
        .Member("class", e.Component->ClassName())
        .Key("depth")
        .Int(e.Depth)
        .Member("parent", e.Parent ? e.Parent->Name() : std::string());
    if (std::string owner = OwnerNote(e); !owner.empty()) json.Member("owner", owner);
    bool known = IsDataAccessComponent(*e.Component);
    json.Member("known", known);
    if (known) {
      json.Key("properties").BeginObject();
      for (const auto& [name, value] : StoredProperties(*e.Component)) {
        json.Key(name);
        if (IsSecretProperty(name)) json.String(SecretShown(true));
        else JsonValue(json, value);
      }
      json.EndObject();
    }
    json.EndObject();
  }
  json.EndArray().Key("warnings").BeginArray();
  for (const std::string& w : module.Warnings()) json.String(w);
  json.EndArray().EndObject();
}

std::vector<std::string> UnknownClasses(const std::vector<TModule*>& modules) {
  std::set<std::string> names;
  for (TModule* m : modules)
    for (const auto& e : m->File().Tree())
      if (dynamic_cast<const TGenericComponent*>(e.Component)) names.insert(e.Component->ClassName());
  return {names.begin(), names.end()};
}
