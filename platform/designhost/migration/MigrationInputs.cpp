#include "designhost/migration/MigrationInputs.h"

#include "rtl/TextCompare.h"

#include <algorithm>
#include <filesystem>
#include <cctype>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {
bool EndsWithText(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

std::string LowerName(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Canonical(const fs::path& p) {
  std::error_code ec;
  auto c = fs::weakly_canonical(fs::absolute(p, ec), ec);
  return ec ? p.string() : c.string();
}
} // namespace

bool IsFormFileName(const std::string& path) { return EndsWithText(path, ".dfm") || EndsWithText(path, ".lfm"); }

std::string UnitBeside(const std::string& formPath) {
  fs::path form(formPath);
  fs::path dir = form.parent_path();
  std::string stem = form.stem().string();
  std::error_code ec;
  fs::path exact = dir / (stem + ".pas");
  if (fs::is_regular_file(exact, ec)) return exact.string();
  // Units written on a system that ignores case may spell the name or the
  // extension otherwise.
  for (const auto& entry : fs::directory_iterator(dir.empty() ? fs::path(".") : dir, ec)) {
    std::string name = entry.path().filename().string();
    if (entry.is_regular_file(ec) && SameText(name, stem + ".pas"))
      return (dir / entry.path().filename()).string();
  }
  return "";
}

TMigrationInputs CollectMigrationInputs(const std::vector<std::string>& paths, const std::string& skipFolder) {
  TMigrationInputs inputs;
  const std::string skip = skipFolder.empty() ? "" : Canonical(skipFolder);
  std::set<std::string> seen;
  auto add = [&](const fs::path& path, const fs::path& relative, const std::string& unit) {
    if (!seen.insert(Canonical(path)).second) return;
    inputs.Forms.push_back({path.string(), relative.generic_string(), unit});
  };
  for (const std::string& given : paths) {
    std::error_code ec;
    fs::path path(given);
    if (fs::is_directory(path, ec)) {
      if (inputs.FirstFolder.empty()) inputs.FirstFolder = path.string();
      // One walk finds the forms and the units; a unit is found by its
      // folder and its name in lower case.
      std::vector<fs::path> found;
      std::map<std::string, std::string> units;
      for (auto it = fs::recursive_directory_iterator(path, fs::directory_options::skip_permission_denied, ec);
           !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!skip.empty() && it->is_directory(ec) && Canonical(it->path()) == skip) {
          it.disable_recursion_pending();
          continue;
        }
        if (!it->is_regular_file(ec)) continue;
        const fs::path& p = it->path();
        if (IsFormFileName(p.string())) found.push_back(p);
        else if (SameText(p.extension().string(), ".pas"))
          units.emplace((p.parent_path() / LowerName(p.stem().string())).string(), p.string());
      }
      std::sort(found.begin(), found.end());
      for (const fs::path& f : found) {
        auto unit = units.find((f.parent_path() / LowerName(f.stem().string())).string());
        add(f, f.lexically_relative(path), unit == units.end() ? "" : unit->second);
      }
    } else if (fs::exists(path, ec)) {
      add(path, path.filename(), UnitBeside(path.string()));
    } else {
      inputs.Missing.emplace_back(given, "no such file or folder");
    }
  }
  if (inputs.FirstFolder.empty() && !paths.empty()) {
    for (const TMigrationInput& f : inputs.Forms) {
      fs::path parent = fs::path(f.Path).parent_path();
      inputs.FirstFolder = parent.empty() ? "." : parent.string();
      break;
    }
  }
  return inputs;
}
