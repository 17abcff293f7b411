#include "ConvertCommand.h"

#include "designhost/CommandLine.h"
#include "designhost/modules/CommandModules.h"
#include "designhost/ModuleServices.h"
#include "rtl/JsonWriter.h"
#include "streaming/FormError.h"

#include <optional>
#include <ostream>

namespace {

struct TConvertArgs {
  std::string Out;
  std::optional<TFormFormat> Format;
  std::string CodePage;
  std::vector<std::string> Words;
};

void DeclareConvert(TCommandLine& line, TConvertArgs& a) {
  line.Option("-o,--output", a.Out, "OUT", "the file to write")
      .Option("--format", "text|binary", "the format to write (default: that of IN)",
              [&a](const std::string& v) {
                if (v == "text") a.Format = TFormFormat::Text;
                else if (v == "binary") a.Format = TFormFormat::Binary;
                else throw EUsageError("unknown format '" + v + "' (text or binary)");
              })
      .Option("--codepage", a.CodePage, "NAME", "the code page of an 8-bit file (default windows-1252)")
      .Words("IN", a.Words);
}

int RunConvert(TDesignToolContext& ctx, TConvertArgs& a) {
  if (a.Words.size() > 1) throw EUsageError("unexpected argument " + a.Words[1]);
  const std::string in = a.Words.empty() ? std::string() : a.Words[0];
  const std::string& out = a.Out;
  const std::optional<TFormFormat>& format = a.Format;
  const std::string& codePage = a.CodePage;
  if (in.empty() || out.empty()) throw EUsageError(in.empty() ? "no input file" : "no output file (-o OUT)");
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

} // namespace

TDesignTool ConvertCommand() {
  return DeclaredTool<TConvertArgs>(
      "convert",
      "Reads the form file IN (text or binary) and writes it to OUT, in the format\n"
      "of IN unless --format says otherwise. A file written back in its own format\n"
      "is byte-identical. OUT is written through a temporary file and a rename, so\n"
      "on any error it is left as it was. --codepage names the code page of an\n"
      "8-bit file (the default is windows-1252); bytes are kept whatever it is.\n",
      DeclareConvert, RunConvert);
}
