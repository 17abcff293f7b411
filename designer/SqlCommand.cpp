#include "SqlCommand.h"

#include "ConnectionOptions.h"

#include "classes/TStrings.h"
#include "designhost/DesignTools.h"
#include "rtl/JsonWriter.h"
#include "runtime/TQuelmBatchExecute.h"
#include "runtime/TQuelmDatabase.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

int RunSqlCommand(TDesignToolContext& ctx) {
  std::vector<std::string> args = ctx.Args;
  TConnectionOptions connection;
  try {
    connection = TakeConnectionOptions(args);
    if (args.size() != 1) throw std::invalid_argument("give one script file, or - for standard input");
  } catch (const std::invalid_argument& e) {
    *ctx.Err << "sql: " << e.what() << "\n" << SqlUsage << ConnectionOptionsUsage;
    return 2;
  }
  std::ostringstream text;
  if (args[0] == "-") {
    text << ctx.In->rdbuf();
  } else {
    std::ifstream in(args[0], std::ios::binary);
    if (!in) {
      *ctx.Err << "sql: cannot open " << args[0] << "\n";
      return 1;
    }
    text << in.rdbuf();
  }
  EnsureEmbeddedDefault();
  TQuelmDatabase database(nullptr);
  connection.ApplyTo(database);
  TQuelmBatchExecute batch(nullptr);
  batch.SetDatabase(&database);
  batch.SQL()->SetText(text.str());
  int count = batch.ExecSQL();
  if (ctx.Json) {
    TJsonWriter(*ctx.Out).BeginObject().Key("statements").Int(count).EndObject();
    *ctx.Out << "\n";
  } else {
    *ctx.Out << count << " statements run\n";
  }
  return 0;
}
