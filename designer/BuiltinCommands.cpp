#include "BuiltinCommands.h"

#include "ConvertCommand.h"
#include "PaletteCommand.h"
#include "ShowCommand.h"

std::vector<TDesignTool> BuiltinCommands() {
  // One line per command, in the order --help lists them.
  return {
      {"palette", PaletteUsage, RunPaletteCommand},
      {"show", ShowUsage, RunShowCommand},
      {"convert", ConvertUsage, RunConvertCommand},
  };
}
