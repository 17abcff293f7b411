#pragma once
// The program's command line: global options, the command and its words.
#include <optional>
#include <string>
#include <vector>

struct TDesignerOptions {
  std::string PackagePath;  // --package; else beside the program
  bool Json = false;        // --json, anywhere on the line
  bool Help = false;        // --help, anywhere on the line
  bool Gui = false;         // --gui: the graphical design host
  std::string Command;
  std::vector<std::string> Args;
};

// Raises std::invalid_argument with the reason for a malformed line.
TDesignerOptions ParseDesignerOptions(const std::vector<std::string>& argv);
