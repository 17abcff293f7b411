#include "ShowCommand.h"

#include "designhost/modules/CommandModules.h"
#include "classes/TComponent.h"
#include "db/TDataSource.h"
#include "designhost/ModuleServices.h"
#include "designhost/foreign/ForeignClasses.h"
#include "rtl/JsonWriter.h"
#include "streaming/FormError.h"
#include "streaming/TFormFile.h"
#include "streaming/TGenericComponent.h"
#include "streaming/TextFormWriter.h"

#include <ostream>

namespace {

// Properties are shown for the data-access components: the suite's classes,
// the datasets and update objects of other access layers, data sources and
// fields. Other classes (controls, unknown classes) are listed by name only.
bool IsKnown(const TComponent& c) {
  if (dynamic_cast<const TGenericComponent*>(&c)) return false;
  if (dynamic_cast<const TForeignPropertyStore*>(&c)) return true;
  if (c.InheritsFrom(TDataSet::StaticClass()) || c.InheritsFrom(TField::StaticClass()) ||
      c.InheritsFrom(TDataSource::StaticClass()))
    return true;
  return c.ClassName().rfind("TQuelm", 0) == 0 || c.ClassType().InheritsFrom("TBDE2QuelmDorvik");
}

void JsonValue(TJsonWriter& json, const TFormValue& v) {
  switch (v.Kind) {
  case TFormValueKind::Integer: json.Int(v.Int); break;
  case TFormValueKind::Float: json.String(FormatFormFloat(v.Float, v.FloatSuffix)); break;
  case TFormValueKind::String:
  case TFormValueKind::Ident: json.String(v.Text); break;
  case TFormValueKind::Nil: json.Null(); break;
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

int RunShowCommand(TDesignToolContext& ctx) {
  std::vector<std::string> files;
  std::string codePage;
  for (size_t i = 0; i < ctx.Args.size(); ++i) {
    if (ctx.Args[i] == "--codepage") {
      if (i + 1 >= ctx.Args.size()) {
        *ctx.Err << "show: --codepage needs a name\n" << ShowUsage;
        return 2;
      }
      codePage = ctx.Args[++i];
    } else {
      files.push_back(ctx.Args[i]);
    }
  }
  if (files.empty()) {
    *ctx.Err << "show: no form file given\n" << ShowUsage;
    return 2;
  }
  TCommandModules modules(ctx);
  std::vector<TModule*> opened;
  try {
    modules.Get().SetCodePage(codePage);
    opened = modules.Get().OpenModules(files);
  } catch (const EFormError& e) {
    *ctx.Err << e.Message() << "\n";
    return 1;
  }
  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginArray();
    for (TModule* m : opened) {
      json.BeginObject().Member("file", m->FileName()).Key("components").BeginArray();
      for (const auto& e : m->File().Tree()) {
        json.BeginObject()
            .Member("name", e.Component->Name())
            .Member("class", e.Component->ClassName())
            .Key("depth")
            .Int(e.Depth)
            .Member("parent", e.Parent ? e.Parent->Name() : std::string());
        if (std::string owner = OwnerNote(e); !owner.empty()) json.Member("owner", owner);
        json.Member("known", IsKnown(*e.Component));
        if (IsKnown(*e.Component)) {
          json.Key("properties").BeginObject();
          for (const auto& [name, value] : StoredProperties(*e.Component)) {
            json.Key(name);
            JsonValue(json, value);
          }
          json.EndObject();
        }
        json.EndObject();
      }
      json.EndArray().Key("warnings").BeginArray();
      for (const std::string& w : m->Warnings()) json.String(w);
      json.EndArray().EndObject();
    }
    json.EndArray();
    *ctx.Out << "\n";
    return 0;
  }
  for (TModule* m : opened) {
    *ctx.Out << m->FileName() << "\n";
    for (const auto& e : m->File().Tree()) {
      std::string indent(static_cast<size_t>(e.Depth) * 2 + 2, ' ');
      *ctx.Out << indent << (e.Component->Name().empty() ? "(unnamed)" : e.Component->Name()) << ": "
               << e.Component->ClassName();
      if (std::string owner = OwnerNote(e); !owner.empty()) *ctx.Out << " (owner " << owner << ")";
      *ctx.Out << "\n";
      if (!IsKnown(*e.Component)) continue;
      for (const auto& [name, value] : StoredProperties(*e.Component))
        *ctx.Out << indent << "  " << name << " = " << FormatFormValue(value, static_cast<int>(indent.size()) + 2, "\n")
                 << "\n";
    }
    for (const std::string& w : m->Warnings()) *ctx.Err << "warning: " << w << "\n";
  }
  return 0;
}
