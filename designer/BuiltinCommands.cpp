#include "BuiltinCommands.h"

#include "ComponentCommands.h"
#include "ConvertCommand.h"
#include "DbCommand.h"
#include "FieldsCommand.h"
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
      PaletteCommand(), ShowCommand(),   ConvertCommand(), AddCommand(),  RenameCommand(),
      DeleteCommand(),  PropsCommand(),  ValuesCommand(),  SetCommand(),  EditCommand(),
      VerbsCommand(),   VerbCommand(),   UpdateSQLCommand(), SqlCommand(), DbCommand(),
      MigrateCommand(), FieldsCommand(),
  };
}
