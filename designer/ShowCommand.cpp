#include "ShowCommand.h"

#include "designhost/CommandLine.h"
#include "designhost/ModuleServices.h"
#include "designhost/modules/CommandModules.h"
#include "designhost/modules/FormTreeReport.h"
#include "rtl/JsonWriter.h"
#include "streaming/FormError.h"

#include <ostream>

namespace {

struct TShowArgs {
  std::string CodePage;
  std::vector<std::string> Files;
};

void DeclareShow(TCommandLine& line, TShowArgs& a) {
  line.Option("--codepage", a.CodePage, "NAME", "the code page of 8-bit files (default windows-1252)")
      .Words("FORM...", a.Files);
}

int RunShow(TDesignToolContext& ctx, TShowArgs& a) {
  const std::vector<std::string>& files = a.Files;
  const std::string& codePage = a.CodePage;
  if (files.empty()) throw EUsageError("no form file given");
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

} // namespace

TDesignTool ShowCommand() {
  return DeclaredTool<TShowArgs>(
      "show",
      "Opens the form files together (references between them are resolved) and\n"
      "prints each one's component tree: name, class, the owner when it is not\n"
      "the enclosing component, and for the data-access components (the suite's\n"
      "classes, the datasets and update objects of other access layers, data\n"
      "sources and fields) the properties that differ from a new component's.\n"
      "Other components are listed by name and class. Unresolved references are\n"
      "reported as warnings on standard error. --codepage names the code page of\n"
      "8-bit files (windows-1251, gbk, big5, ...; the default is windows-1252).\n",
      DeclareShow, RunShow);
}
