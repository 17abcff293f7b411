#include "ShowCommand.h"

#include "designhost/ModuleServices.h"
#include "designhost/modules/CommandModules.h"
#include "designhost/modules/FormTreeReport.h"
#include "rtl/JsonWriter.h"
#include "streaming/FormError.h"

#include <ostream>

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
    for (TModule* m : opened) WriteFormTreeJson(json, *m);
    json.EndArray();
    *ctx.Out << "\n";
    return 0;
  }
  for (TModule* m : opened) {
    PrintFormTree(*ctx.Out, *m);
    for (const std::string& w : m->Warnings()) *ctx.Err << "warning: " << w << "\n";
  }
  if (std::vector<std::string> unknown = UnknownClasses(opened); !unknown.empty()) {
    *ctx.Err << "note: classes this host does not know, kept as read:";
    for (const std::string& name : unknown) *ctx.Err << " " << name;
    *ctx.Err << "\n";
  }
  return 0;
}
