#include "designhost/SQLTableName.h"

#include "rtl/TextCompare.h"

#include <cctype>

namespace {
// A word: letters, digits, '_', '$', '.', and bytes from 0x80 (names in a
// multi-byte or UTF-8 text).
bool IsWordByte(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c == '.' || c >= 0x80; }
} // namespace

std::string GetTableNameFromSQL(std::string_view sql) {
  size_t i = 0;
  int depth = 0;
  bool afterFrom = false;
  while (i < sql.size()) {
    unsigned char c = static_cast<unsigned char>(sql[i]);
    if (c == '\'' || c == '"' || c == '`' || c == '[') {
      char close = c == '[' ? ']' : static_cast<char>(c);
      size_t end = sql.find(close, i + 1);
      if (end == std::string_view::npos) end = sql.size();
      if (afterFrom && depth == 0 && c != '\'') return std::string(sql.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      while (i < sql.size() && sql[i] != '\n') ++i;
      continue;
    }
    if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
      size_t end = sql.find("*/", i + 2);
      i = end == std::string_view::npos ? sql.size() : end + 2;
      continue;
    }
    if (c == '(') ++depth;
    if (c == ')' && depth > 0) --depth;
    if (IsWordByte(c)) {
      size_t start = i;
      while (i < sql.size() && IsWordByte(static_cast<unsigned char>(sql[i]))) ++i;
      std::string_view word = sql.substr(start, i - start);
      if (afterFrom && depth == 0) return std::string(word);
      if (depth == 0 && SameText(word, "from")) afterFrom = true;
      continue;
    }
    if (afterFrom && depth == 0 && !std::isspace(c)) return "";
    ++i;
  }
  return "";
}
