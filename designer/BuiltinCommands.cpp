#include "BuiltinCommands.h"

#include "ComponentCommands.h"
#include "ConvertCommand.h"
#include "DbCommand.h"
#include "MigrateCommand.h"
#include "PaletteCommand.h"
#include "PropertyCommands.h"
#include "ShowCommand.h"
#include "SqlCommand.h"
#include "UpdateSQLCommand.h"
#include "VerbCommands.h"

std::vector<TDesignTool> BuiltinCommands() {
  // One line per command, in the order --help lists them.
  return {
      {"palette", PaletteUsage, RunPaletteCommand},
      {"show", ShowUsage, RunShowCommand},
      {"convert", ConvertUsage, RunConvertCommand},
      {"add", AddUsage, RunAddCommand},
      {"rename", RenameUsage, RunRenameCommand},
      {"delete", DeleteUsage, RunDeleteCommand},
      {"props", PropsUsage, RunPropsCommand},
      {"values", ValuesUsage, RunValuesCommand},
      {"set", SetUsage, RunSetCommand},
      {"edit", EditUsage, RunEditCommand},
      {"verbs", VerbsUsage, RunVerbsCommand},
      {"verb", VerbUsage, RunVerbCommand},
      {"updatesql", UpdateSQLUsage, RunUpdateSQLCommand},
      {"sql", SqlUsage, RunSqlCommand},
      {"db", DbUsage, RunDbCommand},
      {"migrate", MigrateUsage, RunMigrateCommand},
  };
}
