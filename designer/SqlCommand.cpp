#include "SqlCommand.h"

#include "CommandSupport.h"
#include "ConnectionOptions.h"

#include "classes/TComponent.h"
#include "designhost/CommandLine.h"
#include "designhost/DatabaseServices.h"
#include "rtl/JsonWriter.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

struct TSqlArgs {
  TConnectionOptions Connection;
  std::vector<std::string> Words;
};

void DeclareSql(TCommandLine& line, TSqlArgs& a) {
  line.Words("FILE|-", a.Words);
  DeclareConnectionOptions(line, a.Connection);
}

int RunSql(TDesignToolContext& ctx, TSqlArgs& a) {
  if (a.Words.size() != 1) throw EUsageError("give one script file, or - for standard input");
  std::ostringstream text;
  if (a.Words[0] == "-") {
    text << ctx.In->rdbuf();
  } else {
    std::ifstream in(a.Words[0], std::ios::binary);
    if (!in) {
      *ctx.Err << "sql: cannot open " << a.Words[0] << "\n";
      return 1;
    }
    text << in.rdbuf();
  }
  EnsureEmbeddedDefault();
  TComponent owner(nullptr);  // frees the connection component
  TComponent& database = CreateComponentByName(DatabaseClassName, owner);
  a.Connection.ApplyTo(database);
  int count = GetDatabaseServices(database).ExecuteScript(database, text.str());
  if (ctx.Json) {
    TJsonWriter(*ctx.Out).BeginObject().Key("statements").Int(count).EndObject();
    *ctx.Out << "\n";
  } else {
    *ctx.Out << count << " statements run\n";
  }
  return 0;
}

} // namespace

TDesignTool SqlCommand() {
  return DeclaredTool<TSqlArgs>(
      "sql",
      "Runs the statements of FILE (standard input for -), separated by ';', on the\n"
      "database the connection options name, and prints how many ran. The first\n"
      "failing statement stops the script with the server's message.\n",
      DeclareSql, RunSql);
}
