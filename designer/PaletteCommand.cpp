#include "PaletteCommand.h"

#include "designhost/CommandLine.h"
#include "designhost/DesignRegistry.h"
#include "rtl/JsonWriter.h"

#include <ostream>

namespace {

struct TPaletteArgs {};

void DeclarePalette(TCommandLine&, TPaletteArgs&) {}

int RunPalette(TDesignToolContext& ctx, TPaletteArgs&) {
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

} // namespace

TDesignTool PaletteCommand() {
  return DeclaredTool<TPaletteArgs>("palette",
                                    "Shows the palette pages the loaded packages registered, each with its\n"
                                    "components in palette order. With --json also the component editors and\n"
                                    "property editors, in the order they were registered.\n",
                                    DeclarePalette, RunPalette);
}
