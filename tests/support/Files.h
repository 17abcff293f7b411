#pragma once
// Reading and writing whole files in tests, byte for byte.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace TestSupport {

// The file's bytes; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace TestSupport
