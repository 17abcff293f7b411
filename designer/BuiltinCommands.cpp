#include "BuiltinCommands.h"

#include "PaletteCommand.h"

std::vector<TDesignTool> BuiltinCommands() {
  // One line per command, in the order --help lists them.
  return {
      {"palette", PaletteUsage, RunPaletteCommand},
  };
}
