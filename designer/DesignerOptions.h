#pragma once
// The program's command line: global options, the command and its words.
#include <string>
#include <vector>

struct TDesignerOptions {
  std::string PackagePath;  // --package; else beside the program
  bool Json = false;        // --json, anywhere before a "--"
  bool Help = false;        // --help, anywhere before a "--"
  bool Gui = false;         // --gui, before the command: real windows
  std::vector<std::string> WindowOptions;  // options between --gui and the first word
  std::string Command;
  std::vector<std::string> Args;  // the command's words, without --json and --help
};

// Raises EUsageError with the reason for a malformed line.
TDesignerOptions ParseDesignerOptions(const std::vector<std::string>& argv);
