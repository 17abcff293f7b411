// The package's commands for the design host's command line, and the
// database services the host's own commands use.
#include "designhost/DesignTools.h"
#include "designhost/PackageABI.h"
#include "package/QuelmDatabaseServices.h"
#include "updsqled/GenerateTool.h"
#include "updsqled/ParseTool.h"

extern "C" __attribute__((visibility("default"))) void RegisterDesignTools() {
  RegisterDesignTool("parse", ParseToolUsage, RunParseTool);
  RegisterDesignTool("generate", GenerateToolUsage, RunGenerateTool);
  RegisterQuelmDatabaseServices();
}
