#include "DbCommand.h"

#include "ConnectionOptions.h"
#include "classes/TStringList.h"
#include "designhost/DesignTools.h"
#include "rtl/Exceptions.h"
#include "rtl/JsonWriter.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmTable.h"

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

const char* const DbUsage =
    "usage: quelm-designer db [connection options] tables|fields TABLE|indexes TABLE|charsets|collations|\n"
    "                         procedures|functions\n"
    "\n"
    "Prints what the database server holds, one name a line: the tables and\n"
    "views of the database, the fields of a table, its indexes (name, primary,\n"
    "unique, descending and fields), the character sets, the collations, the\n"
    "stored procedures or the stored functions. With --json the same as data.\n"
    "\n"
    "Connection options:\n"
    "  --host HOST          server host (a host or a socket selects a server)\n"
    "  --port PORT          server port\n"
    "  --socket PATH        server socket\n"
    "  --user NAME          user name\n"
    "  --password-env VAR   read the password from environment variable VAR\n"
    "  --database NAME      database (embedded default: quelm)\n"
    "  --ssl-cert FILE      client certificate\n"
    "  --ssl-key FILE       client key\n"
    "  --ssl-ca FILE        certificate authority that signed the server's certificate\n"
    "  --embedded DIR       embedded server data directory\n"
    "\n"
    "Without --host and --socket the embedded server runs on --embedded DIR,\n"
    "else on $QUELM_EMBEDDED_DIR, else on ~/.local/share/quelm-designer/embedded;\n"
    "it makes the directory and the database on first use.\n";

namespace {

struct TDbOptions {
  std::string Host, Socket, User, PasswordEnv, Database, SSLCert, SSLKey, SSLCA, Embedded;
  int Port = 0;
  bool HasPort = false;
  std::vector<std::string> Words;
};

// Reads the options; false with a message in error on bad input.
bool ParseOptions(const std::vector<std::string>& args, TDbOptions& o, std::string& error) {
  struct TOption {
    const char* Name;
    std::string* Target;
  };
  const TOption options[] = {{"--host", &o.Host},         {"--socket", &o.Socket},   {"--user", &o.User},
                             {"--password-env", &o.PasswordEnv}, {"--database", &o.Database},
                             {"--ssl-cert", &o.SSLCert},  {"--ssl-key", &o.SSLKey},  {"--ssl-ca", &o.SSLCA},
                             {"--embedded", &o.Embedded}};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      o.Words.push_back(a);
      continue;
    }
    if (a == "--password") {
      error = "--password is not accepted: pass --password-env VAR and put the password in VAR";
      return false;
    }
    std::string name = a, value;
    bool inlineValue = false;
    if (size_t eq = a.find('='); eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      inlineValue = true;
    }
    auto take = [&]() -> bool {
      if (inlineValue) return true;
      if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    if (name == "--port") {
      if (!take()) return false;
      char* end = nullptr;
      long port = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end || port < 1 || port > 65535) {
        error = "--port: '" + value + "' is not a port number";
        return false;
      }
      o.Port = static_cast<int>(port);
      o.HasPort = true;
      continue;
    }
    bool known = false;
    for (const TOption& opt : options)
      if (name == opt.Name) {
        if (!take()) return false;
        *opt.Target = value;
        known = true;
      }
    if (!known) {
      error = "unknown option " + name;
      return false;
    }
  }
  return true;
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

int Usage(TDesignToolContext& ctx, const std::string& message) {
  *ctx.Err << "db: " << message << "\n" << DbUsage;
  return 2;
}

} // namespace

int RunDbCommand(TDesignToolContext& ctx) {
  TDbOptions o;
  std::string error;
  if (!ParseOptions(ctx.Args, o, error)) return Usage(ctx, error);
  if (o.Words.empty()) return Usage(ctx, "missing what to list");
  const std::string what = o.Words[0];
  const bool needsTable = what == "fields" || what == "indexes";
  const bool known = needsTable || what == "tables" || what == "charsets" || what == "collations" ||
                     what == "procedures" || what == "functions";
  if (!known) return Usage(ctx, "unknown list '" + what + "'");
  if (o.Words.size() != (needsTable ? 2u : 1u))
    return Usage(ctx, needsTable ? what + " needs one TABLE" : "unexpected argument " + o.Words[1]);

  std::string password;
  if (!o.PasswordEnv.empty()) {
    const char* value = std::getenv(o.PasswordEnv.c_str());
    if (!value) {
      *ctx.Err << "db: environment variable " << o.PasswordEnv << " is not set\n";
      return 2;
    }
    password = value;
  }

  try {
    TQuelmDatabase database(nullptr);
    database.SetHost(o.Host);
    if (o.HasPort) database.SetPort(o.Port);
    database.SetSocket(o.Socket);
    database.SetUserName(o.User);
    database.SetUserPassword(password);
    database.SetSSLCert(o.SSLCert);
    database.SetSSLKey(o.SSLKey);
    database.SetSSLCA(o.SSLCA);
    const bool embedded = o.Host.empty() && o.Socket.empty();
    if (embedded) database.SetEmbeddedDir(o.Embedded.empty() ? EnsureEmbeddedDefault() : o.Embedded);
    database.SetDatabaseName(o.Database.empty() && embedded ? std::string("quelm") : o.Database);
    const bool needsDatabase = what != "charsets" && what != "collations";
    if (needsDatabase && database.DatabaseName().empty()) return Usage(ctx, what + " needs --database");
    database.Open();

    TStringList names;
    if (what == "tables") {
      database.GetTableNames("", names, true);
      PrintNames(ctx, "tables", names);
    } else if (what == "fields") {
      database.GetFieldNames(o.Words[1], names);
      if (!ctx.Json) {
        PrintNames(ctx, "fields", names);
      } else {
        TJsonWriter json(*ctx.Out);
        json.BeginObject().Member("table", o.Words[1]).Key("fields").BeginArray();
        for (int i = 0; i < names.Count(); ++i) json.String(names[i]);
        json.EndArray().EndObject();
        *ctx.Out << "\n";
      }
    } else if (what == "indexes") {
      TQuelmTable table(nullptr);
      table.SetDatabase(&database);
      table.SetTableName(o.Words[1]);
      table.GetIndexDefs().Update();
      PrintIndexes(ctx, o.Words[1], table.GetIndexDefs());
    } else if (what == "charsets") {
      database.GetCharacterSetList(names);
      PrintNames(ctx, "charsets", names);
    } else if (what == "collations") {
      database.GetCollationList(names);
      PrintNames(ctx, "collations", names);
    } else {
      database.GetRoutinesNames("", names,
                                what == "functions" ? TQuelmInternalSelectRoutinesType::srtFunctions
                                                    : TQuelmInternalSelectRoutinesType::srtProcedures);
      PrintNames(ctx, what.c_str(), names);
    }
    return 0;
  } catch (const Exception& e) {
    *ctx.Err << "db: " << e.Message() << "\n";
    return 1;
  }
}
