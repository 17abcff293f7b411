#include "updsqled/ParseTool.h"

#include "classes/TStringList.h"
#include "designhost/DesignTools.h"
#include "rtl/Exceptions.h"
#include "rtl/JsonWriter.h"
#include "updsqled/SQLParser.h"

#include <charconv>
#include <iostream>
#include <iterator>
#include <optional>

namespace {

struct TParseOptions {
  std::string Mode;
  std::optional<int> CodePage;
  bool Json = false;
  std::optional<std::string> SQL;  // absent or "-": standard input
};

int UsageError(TDesignToolContext& ctx, const std::string& message) {
  *ctx.Err << "parse: " << message << "\n" << ParseToolUsage;
  return 2;
}

// Returns an error message, or empty when the arguments are sound.
std::string ParseArguments(const std::vector<std::string>& args, TParseOptions& options) {
  size_t i = 0;
  if (args.empty()) return "missing mode";
  options.Mode = args[i++];
  if (options.Mode != "tokens" && options.Mode != "select-tables" && options.Mode != "update")
    return "unknown mode '" + options.Mode + "'";
  for (; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--json") {
      options.Json = true;
    } else if (arg == "--codepage") {
      if (++i == args.size()) return "--codepage needs a number";
      const std::string& value = args[i];
      int codePage = 0;
      auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), codePage);
      if (error != std::errc() || end != value.data() + value.size() || value.empty())
        return "--codepage needs a number, not '" + value + "'";
      if (!TLocaleFacts::IsSupportedCodePage(codePage))
        return "unsupported code page " + value;
      options.CodePage = codePage;
    } else if (options.SQL) {
      return "more than one SQL argument";
    } else {
      options.SQL = arg;
    }
  }
  return {};
}

std::string ReadAll(std::istream* in) {
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>());
}

void PrintTokens(TSQLParser& parser, TDesignToolContext& ctx, bool json) {
  std::ostream& out = *ctx.Out;
  TJsonWriter writer(out);
  if (json) writer.BeginArray();
  // Every token but stEnd consumes at least one byte, so the loop ends.
  for (;;) {
    TSQLToken type = parser.TokenType();
    if (json) {
      writer.BeginObject()
          .Member("type", SQLTokenName(type))
          .Member("text", parser.Token())
          .Member("hex", HexBytes(parser.Token()))
          .Member("quoted", parser.SymbolQuoted())
          .EndObject();
    } else {
      out << SQLTokenName(type);
      if (!parser.Token().empty() || parser.SymbolQuoted()) out << ' ' << JsonQuoted(parser.Token());
      if (parser.SymbolQuoted()) out << " quoted";
      out << '\n';
    }
    if (type == stEnd) break;
    parser.NextToken();
  }
  if (json) {
    writer.EndArray();
    out << '\n';
  }
}

void PrintSelectTables(TSQLParser& parser, TDesignToolContext& ctx, bool json) {
  std::ostream& out = *ctx.Out;
  TStringList names;
  parser.GetSelectTableNames(names);
  if (json) {
    TJsonWriter writer(out);
    writer.BeginArray();
    for (int i = 0; i < names.Count(); ++i)
      writer.BeginObject()
          .Member("name", names[i])
          .Member("hex", HexBytes(names[i]))
          .Member("quoted", names.Objects(i) != nullptr)
          .EndObject();
    writer.EndArray();
    out << '\n';
    return;
  }
  // A quoted name is shown as the generated statements write it.
  for (int i = 0; i < names.Count(); ++i)
    out << ValidUtf8(names.Objects(i) ? "\"" + names[i] + "\"" : names[i]) << '\n';
}

void WriteNameList(TJsonWriter& writer, const TStrings& names) {
  writer.BeginArray();
  for (int i = 0; i < names.Count(); ++i)
    writer.BeginObject().Member("name", names[i]).Member("hex", HexBytes(names[i])).EndObject();
  writer.EndArray();
}

std::string JoinedNames(const TStrings& names) {
  std::string text;
  for (int i = 0; i < names.Count(); ++i) text += (i ? ", " : " ") + ValidUtf8(names[i]);
  return text;
}

// One parser run, as the UpdateSQL editor reads a modify statement.
void PrintUpdate(TSQLParser& parser, TDesignToolContext& ctx, bool json) {
  std::ostream& out = *ctx.Out;
  std::string table;
  TStringList updateFields, whereFields;
  parser.GetUpdateTableName(table);
  parser.Reset();
  parser.GetUpdateFields(updateFields);
  parser.Reset();
  parser.GetWhereFields(whereFields);
  if (json) {
    TJsonWriter writer(out);
    writer.BeginObject().Member("table", table).Member("tableHex", HexBytes(table));
    WriteNameList(writer.Key("updateFields"), updateFields);
    WriteNameList(writer.Key("whereFields"), whereFields);
    writer.EndObject();
    out << '\n';
    return;
  }
  out << "table:" << (table.empty() ? "" : " " + ValidUtf8(table)) << '\n';
  out << "update fields:" << JoinedNames(updateFields) << '\n';
  out << "where fields:" << JoinedNames(whereFields) << '\n';
}

} // namespace

int RunParseTool(TDesignToolContext& ctx) {
  for (const std::string& arg : ctx.Args) {
    if (arg == "--help") {
      *ctx.Out << ParseToolUsage;
      return 0;
    }
  }
  TParseOptions options;
  std::string error = ParseArguments(ctx.Args, options);
  if (!error.empty()) return UsageError(ctx, error);
  bool json = ctx.Json || options.Json;
  std::string sql = !options.SQL || *options.SQL == "-" ? ReadAll(ctx.In) : *options.SQL;
  TLocaleFacts facts =
      options.CodePage ? TLocaleFacts::ForCodePage(*options.CodePage) : TLocaleFacts::FromProcessLocale();
  TSQLParser parser(sql, facts);
  if (options.Mode == "tokens")
    PrintTokens(parser, ctx, json);
  else if (options.Mode == "select-tables")
    PrintSelectTables(parser, ctx, json);
  else
    PrintUpdate(parser, ctx, json);
  return 0;
}
