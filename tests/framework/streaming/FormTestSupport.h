#pragma once
// Helpers of the form-file tests: fixtures beside the tests, the shared
// corpus of real form files when it is present.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace FormTest {

inline std::filesystem::path SourceDir() { return std::filesystem::path(__FILE__).parent_path(); }
inline std::string FixturePath(const std::string& name) { return (SourceDir() / "fixtures" / name).string(); }

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The corpus of real form files: $QUELM_SHARED/corpus/dfm, else
// ../shared/corpus/dfm beside the project; empty when neither exists.
inline std::vector<std::string> CorpusFiles() {
  std::vector<std::filesystem::path> roots;
  if (const char* env = std::getenv("QUELM_SHARED"); env && *env) roots.emplace_back(env);
  roots.push_back(SourceDir().parent_path().parent_path().parent_path().parent_path() / "shared");
  for (const auto& root : roots) {
    auto dir = root / "corpus" / "dfm";
    if (!std::filesystem::is_directory(dir)) continue;
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
      if (e.path().extension() == ".dfm") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
  }
  return {};
}

inline std::string WithLf(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r') {
      if (i + 1 < s.size() && s[i + 1] == '\n') continue;
      out += '\n';
      continue;
    }
    out += s[i];
  }
  return out;
}

} // namespace FormTest
