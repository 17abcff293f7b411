#include "DbCommand.h"

#include "CommandSupport.h"
#include "ConnectionOptions.h"

#include "classes/TComponent.h"
#include "classes/TStringList.h"
#include "classes/TypInfo.h"
#include "db/TIndexDefs.h"
#include "designhost/CommandLine.h"
#include "designhost/DatabaseServices.h"
#include "rtl/Exceptions.h"
#include "rtl/JsonWriter.h"

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr const char* TableClassName = "TQuelmTable";

struct TDbArgs {
  TConnectionOptions Connection;
  std::vector<std::string> Words;
};

void DeclareDb(TCommandLine& line, TDbArgs& a) {
  line.Words("tables|fields TABLE|indexes TABLE|charsets|collations|procedures|functions", a.Words);
  DeclareConnectionOptions(line, a.Connection);
}

void PrintNames(TDesignToolContext& ctx, const char* key, const TStrings& names) {
  if (!ctx.Json) {
    for (int i = 0; i < names.Count(); ++i) *ctx.Out << names[i] << "\n";
    return;
  }
  TJsonWriter json(*ctx.Out);
  json.BeginObject().Key(key).BeginArray();
  for (int i = 0; i < names.Count(); ++i) json.String(names[i]);
  json.EndArray().EndObject();
  *ctx.Out << "\n";
}

std::vector<std::string> SplitFields(const std::string& list) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) names.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

void PrintIndexes(TDesignToolContext& ctx, const std::string& table, TIndexDefs& defs) {
  auto nameOf = [](const TIndexDef& def) {
    // The server's name of the primary key, which the index definitions leave empty.
    return def.Name().empty() && def.Options().Contains(TIndexOption::ixPrimary) ? std::string("PRIMARY") : def.Name();
  };
  if (!ctx.Json) {
    for (int i = 0; i < defs.Count(); ++i) {
      const TIndexDef& def = *defs.Items(i);
      const TIndexOptions o = def.Options();
      *ctx.Out << nameOf(def) << "\t" << (o.Contains(TIndexOption::ixPrimary) ? "primary" : "-") << "\t"
               << (o.Contains(TIndexOption::ixUnique) ? "unique" : "-") << "\t"
               << (o.Contains(TIndexOption::ixDescending) ? "descending" : "-") << "\t" << def.Fields() << "\n";
    }
    return;
  }
  TJsonWriter json(*ctx.Out);
  json.BeginObject().Member("table", table).Key("indexes").BeginArray();
  for (int i = 0; i < defs.Count(); ++i) {
    const TIndexDef& def = *defs.Items(i);
    const TIndexOptions o = def.Options();
    json.BeginObject()
        .Member("name", nameOf(def))
        .Member("primary", o.Contains(TIndexOption::ixPrimary))
        .Member("unique", o.Contains(TIndexOption::ixUnique))
        .Member("descending", o.Contains(TIndexOption::ixDescending))
        .Key("fields")
        .BeginArray();
    for (const std::string& f : SplitFields(def.Fields())) json.String(f);
    json.EndArray().Key("descendingFields").BeginArray();
    for (const std::string& f : SplitFields(def.DescFields())) json.String(f);
    json.EndArray().EndObject();
  }
  json.EndArray().EndObject();
  *ctx.Out << "\n";
}

int RunDb(TDesignToolContext& ctx, TDbArgs& a) {
  if (a.Words.empty()) throw EUsageError("missing what to list");
  const std::string what = a.Words[0];
  const bool needsTable = what == "fields" || what == "indexes";
  const bool known = needsTable || what == "tables" || what == "charsets" || what == "collations" ||
                     what == "procedures" || what == "functions";
  if (!known) throw EUsageError("unknown list '" + what + "'");
  if (a.Words.size() != (needsTable ? 2u : 1u))
    throw EUsageError(needsTable ? what + " needs one TABLE" : "unexpected argument " + a.Words[1]);

  const TConnectionOptions& o = a.Connection;
  const bool embedded = !o.Host && !o.Socket;
  const std::string databaseName = o.Database ? *o.Database : embedded ? std::string("quelm") : std::string();
  const bool needsDatabase = what != "charsets" && what != "collations";
  if (needsDatabase && databaseName.empty()) throw EUsageError(what + " needs --database");

  try {
    // The runtime library's components, made by class name: the program
    // does not link the library, the loaded package brings it.
    TComponent owner(nullptr);  // frees what is made below
    TComponent& database = CreateComponentByName(DatabaseClassName, owner);
    o.ApplyTo(database);
    if (embedded && !o.Embedded) SetStrProp(database, "EmbeddedDir", EnsureEmbeddedDefault());
    SetStrProp(database, "DatabaseName", databaseName);
    SetOrdProp(database, "Connected", 1);
    IDatabaseServices& server = GetDatabaseServices(database);

    TStringList names;
    if (what == "tables") {
      server.GetTableNames(database, names);
      PrintNames(ctx, "tables", names);
    } else if (what == "fields") {
      server.GetFieldNames(database, a.Words[1], names);
      if (!ctx.Json) {
        PrintNames(ctx, "fields", names);
      } else {
        TJsonWriter json(*ctx.Out);
        json.BeginObject().Member("table", a.Words[1]).Key("fields").BeginArray();
        for (int i = 0; i < names.Count(); ++i) json.String(names[i]);
        json.EndArray().EndObject();
        *ctx.Out << "\n";
      }
    } else if (what == "indexes") {
      // A table component reads its index definitions through the
      // framework's dataset, from the server.
      TComponent& table = CreateComponentByName(TableClassName, owner);
      SetObjectProp(table, "Database", &database);
      SetStrProp(table, "TableName", a.Words[1]);
      auto* defs = dynamic_cast<TIndexDefs*>(GetObjectProp(table, "IndexDefs"));
      if (!defs) throw Exception(std::string(TableClassName) + " has no index definitions");
      defs->Update();
      PrintIndexes(ctx, a.Words[1], *defs);
    } else if (what == "charsets") {
      server.GetCharacterSets(database, names);
      PrintNames(ctx, "charsets", names);
    } else if (what == "collations") {
      server.GetCollations(database, names);
      PrintNames(ctx, "collations", names);
    } else {
      server.GetRoutineNames(database, what == "functions" ? TRoutineKind::Functions : TRoutineKind::Procedures,
                             names);
      PrintNames(ctx, what.c_str(), names);
    }
    return 0;
  } catch (const Exception& e) {
    *ctx.Err << "db: " << e.Message() << "\n";
    return 1;
  }
}

} // namespace

TDesignTool DbCommand() {
  return DeclaredTool<TDbArgs>(
      "db",
      "Prints what the database server holds, one name a line: the tables and\n"
      "views of the database, the fields of a table, its indexes (name, primary,\n"
      "unique, descending and fields), the character sets, the collations, the\n"
      "stored procedures or the stored functions. With --json the same as data.\n"
      "The embedded server makes its directory and the database on first use.\n",
      DeclareDb, RunDb);
}
