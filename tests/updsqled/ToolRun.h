#pragma once
// Runs a design host command's procedure on string streams, as the program
// would run it, and keeps what it printed.
#include "designhost/DesignTools.h"

#include <sstream>
#include <string>
#include <vector>

struct TToolRun {
  int ExitCode = -1;
  std::string Out, Err;
};

inline TToolRun RunDesignTool(int (*tool)(TDesignToolContext&), std::vector<std::string> args,
                              const std::string& input = "", bool json = false) {
  std::istringstream in(input);
  std::ostringstream out, err;
  TDesignToolContext ctx;
  ctx.Args = std::move(args);
  ctx.Json = json;
  ctx.In = &in;
  ctx.Out = &out;
  ctx.Err = &err;
  TToolRun run;
  run.ExitCode = tool(ctx);
  run.Out = out.str();
  run.Err = err.str();
  return run;
}
