#include "updsqled/GenerateTool.h"

#include "classes/TStringList.h"
#include "designhost/DesignTools.h"
#include "rtl/JsonWriter.h"
#include "updsqled/UpdateSQLGenerator.h"

#include <iostream>
#include <optional>

namespace {

constexpr const char* NoKeyOrUpdateField = "Must select at least one key field and one update field";

int UsageError(TDesignToolContext& ctx, const std::string& message) {
  *ctx.Err << "generate: " << message << "\n" << GenerateToolUsage;
  return 2;
}

// "A,B" as the fields A and B; empty items are dropped.
void SplitFieldList(const std::string& text, TStrings& fields) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    if (comma > start) fields.Add(text.substr(start, comma - start));
    start = comma + 1;
  }
}

} // namespace

int RunGenerateTool(TDesignToolContext& ctx) {
  std::optional<std::string> table;
  bool quotedTable = false, quoteFields = false, json = ctx.Json;
  TStringList keyFields, updateFields;
  const std::vector<std::string>& args = ctx.Args;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
    if (arg == "--help") {
      *ctx.Out << GenerateToolUsage;
      return 0;
    } else if (arg == "--json") {
      json = true;
    } else if (arg == "--quoted-table") {
      quotedTable = true;
    } else if (arg == "--quote-fields") {
      quoteFields = true;
    } else if (arg == "--table" || arg == "--keys" || arg == "--update") {
      const std::string* text = value();
      if (!text) return UsageError(ctx, arg + " needs a value");
      if (arg == "--table")
        table = *text;
      else
        SplitFieldList(*text, arg == "--keys" ? keyFields : updateFields);
    } else {
      return UsageError(ctx, "unexpected argument '" + arg + "'");
    }
  }
  if (!table || table->empty()) return UsageError(ctx, "--table NAME is required");
  if (keyFields.Count() == 0 || updateFields.Count() == 0) {
    *ctx.Err << NoKeyOrUpdateField << '\n';
    return 1;
  }

  std::string tableName = TUpdateSQLGenerator::QuotedTableName(*table, quotedTable);
  std::string quoteChar = quoteFields ? "\"" : "";
  TStringList modify, insert, remove, refresh;
  TUpdateSQLGenerator::GenDeleteSQL(tableName, quoteChar, keyFields, remove);
  TUpdateSQLGenerator::GenInsertSQL(tableName, quoteChar, updateFields, insert);
  TUpdateSQLGenerator::GenModifySQL(tableName, quoteChar, keyFields, updateFields, modify);
  TUpdateSQLGenerator::GenRefreshRecordSQL(tableName, quoteChar, keyFields, updateFields, refresh);

  const std::pair<const char*, const TStrings*> statements[] = {
      {"modify", &modify}, {"insert", &insert}, {"delete", &remove}, {"refresh", &refresh}};
  std::ostream& out = *ctx.Out;
  if (json) {
    TJsonWriter writer(out);
    writer.BeginObject();
    for (auto [kind, lines] : statements) {
      writer.Key(kind).BeginArray();
      for (int i = 0; i < lines->Count(); ++i) writer.String((*lines)[i]);
      writer.EndArray();
    }
    writer.EndObject();
    out << '\n';
    return 0;
  }
  for (auto [kind, lines] : statements) {
    out << "-- " << kind << '\n';
    // the statements exactly as generated, byte for byte
    for (int i = 0; i < lines->Count(); ++i) out << (*lines)[i] << '\n';
  }
  return 0;
}
