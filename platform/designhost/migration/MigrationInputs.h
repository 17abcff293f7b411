#pragma once
// The form files one migration run works on: the files it was given and
// every form file under the folders it was given, each with the relative
// path it keeps under an output folder and the Pascal unit beside it.
#include <string>
#include <vector>

struct TMigrationInput {
  std::string Path;          // as found: the given path, or the folder joined with the file's place in it
  std::string RelativePath;  // its place under an output folder
  std::string UnitPath;      // the unit beside it (same name, ".pas" in any case); empty when none
};

struct TMigrationInputs {
  std::vector<TMigrationInput> Forms;
  // Given paths that are neither a file nor a folder, with the reason.
  std::vector<std::pair<std::string, std::string>> Missing;
  // The folder a new file goes to when there is no output folder: the first
  // folder given, or else the folder of the first file given.
  std::string FirstFolder;
};

// Whether a file name ends in ".dfm" or ".lfm", letter case ignored.
bool IsFormFileName(const std::string& path);

// Expands the paths: a file is taken as it is (whatever its name); a folder
// gives every form file under it, recursively, in name order, except those
// under skipFolder (an output folder inside an input folder, which holds an
// earlier run's results). A file found twice is taken once.
TMigrationInputs CollectMigrationInputs(const std::vector<std::string>& paths, const std::string& skipFolder = "");

// The unit beside a form file; empty when there is none.
std::string UnitBeside(const std::string& formPath);
