#include "PaletteCommand.h"

#include "designhost/DesignRegistry.h"
#include "rtl/JsonWriter.h"

#include <ostream>

int RunPaletteCommand(TDesignToolContext& ctx) {
  if (!ctx.Args.empty()) {
    *ctx.Err << "palette: unexpected argument " << ctx.Args[0] << "\n" << PaletteUsage;
    return 2;
  }
  const TDesignRegistry& registry = TDesignRegistry::Instance();
  auto pages = registry.PalettePages();
  if (!ctx.Json) {
    for (const auto& [page, classes] : pages) {
      *ctx.Out << page << "\n";
      for (const TClassInfo* cls : classes) *ctx.Out << "  " << cls->ClassName() << "\n";
    }
    return 0;
  }
  TJsonWriter json(*ctx.Out);
  json.BeginObject().Key("pages").BeginArray();
  for (const auto& [page, classes] : pages) {
    json.BeginObject().Member("name", page).Key("components").BeginArray();
    for (const TClassInfo* cls : classes) json.String(cls->ClassName());
    json.EndArray().EndObject();
  }
  json.EndArray().Key("componentEditors").BeginArray();
  for (const TComponentEditorRegistration& r : registry.ComponentEditors())
    json.BeginObject().Member("class", r.ComponentClass->ClassName()).Member("editor", r.Editor.ClassName()).EndObject();
  json.EndArray().Key("propertyEditors").BeginArray();
  for (const TPropertyEditorRegistration& r : registry.PropertyEditors())
    json.BeginObject()
        .Member("type", r.PropertyType ? r.PropertyType->Name : std::string())
        .Member("class", r.ComponentClass ? r.ComponentClass->ClassName() : std::string())
        .Member("property", r.PropertyName)
        .Member("editor", r.Editor.ClassName())
        .EndObject();
  json.EndArray().EndObject();
  *ctx.Out << "\n";
  return 0;
}
