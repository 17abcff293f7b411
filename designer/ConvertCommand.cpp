#include "ConvertCommand.h"

#include "designhost/modules/CommandModules.h"
#include "designhost/ModuleServices.h"
#include "rtl/JsonWriter.h"
#include "streaming/FormError.h"

#include <optional>
#include <ostream>

int RunConvertCommand(TDesignToolContext& ctx) {
  std::string in, out;
  std::optional<TFormFormat> format;
  std::string codePage;
  for (size_t i = 0; i < ctx.Args.size(); ++i) {
    const std::string& a = ctx.Args[i];
    if (a == "-o" || a == "--output") {
      if (i + 1 >= ctx.Args.size()) {
        *ctx.Err << "convert: " << a << " needs a file name\n" << ConvertUsage;
        return 2;
      }
      out = ctx.Args[++i];
    } else if (a == "--format" || a.rfind("--format=", 0) == 0) {
      std::string value;
      if (a == "--format") {
        if (i + 1 >= ctx.Args.size()) {
          *ctx.Err << "convert: --format needs text or binary\n" << ConvertUsage;
          return 2;
        }
        value = ctx.Args[++i];
      } else {
        value = a.substr(9);
      }
      if (value == "text") format = TFormFormat::Text;
      else if (value == "binary") format = TFormFormat::Binary;
      else {
        *ctx.Err << "convert: unknown format '" << value << "' (text or binary)\n";
        return 2;
      }
    } else if (a == "--codepage") {
      if (i + 1 >= ctx.Args.size()) {
        *ctx.Err << "convert: --codepage needs a name\n" << ConvertUsage;
        return 2;
      }
      codePage = ctx.Args[++i];
    } else if (in.empty() && !(a.size() > 1 && a[0] == '-')) {
      in = a;
    } else {
      *ctx.Err << "convert: unexpected argument " << a << "\n" << ConvertUsage;
      return 2;
    }
  }
  if (in.empty() || out.empty()) {
    *ctx.Err << "convert: " << (in.empty() ? "no input file" : "no output file (-o OUT)") << "\n" << ConvertUsage;
    return 2;
  }
  TCommandModules modules(ctx);
  try {
    modules.Get().SetCodePage(codePage);
    TModule* module = modules.Get().OpenModules({in}).at(0);
    module->SaveAs(out, format);
  } catch (const EFormError& e) {
    *ctx.Err << e.Message() << "\n";
    return 1;
  } catch (const EInOutError& e) {
    *ctx.Err << "convert: " << e.Message() << "\n";
    return 1;
  }
  if (ctx.Json) {
    TJsonWriter json(*ctx.Out);
    json.BeginObject().Member("input", in).Member("output", out).EndObject();
    *ctx.Out << "\n";
  }
  return 0;
}
