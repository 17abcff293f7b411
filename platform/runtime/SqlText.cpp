#include "runtime/SqlText.h"

#include "rtl/TextCompare.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsNameChar(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }

// The end of the quoted text or comment starting at i, or i when none starts
// there: quoted text runs to the same unescaped quote, a line comment to the
// line's end, a block comment to "*/".
size_t SkipOpaque(std::string_view s, size_t i) {
  const size_t n = s.size();
  const char c = s[i];
  if (c == '\'' || c == '"' || c == '`') {
    size_t j = i + 1;
    while (j < n) {
      if (s[j] == '\\' && c != '`') {
        j += 2;
        continue;
      }
      if (s[j] == c) {
        if (j + 1 < n && s[j + 1] == c) {
          j += 2;
          continue;
        }
        return j + 1;
      }
      ++j;
    }
    return n;
  }
  if (c == '#' || (c == '-' && i + 2 <= n && s.substr(i, 2) == "--" &&
                   (i + 2 == n || std::isspace(static_cast<unsigned char>(s[i + 2]))))) {
    size_t j = s.find('\n', i);
    return j == std::string_view::npos ? n : j;
  }
  if (c == '/' && i + 1 < n && s[i + 1] == '*') {
    size_t j = s.find("*/", i + 2);
    return j == std::string_view::npos ? n : j + 2;
  }
  return i;
}

// Calls found(start, end, name) for each :name; returns nothing.
template <class F>
void ScanParams(std::string_view s, F found) {
  size_t i = 0;
  while (i < s.size()) {
    size_t skipped = SkipOpaque(s, i);
    if (skipped != i) {
      i = skipped;
      continue;
    }
    if (s[i] == ':') {
      if (i + 1 < s.size() && (s[i + 1] == ':' || s[i + 1] == '=')) {
        i += 2;
        continue;
      }
      // A colon right after a name character is part of something else (a time literal written bare).
      bool afterName = i > 0 && IsNameChar(static_cast<unsigned char>(s[i - 1]));
      size_t j = i + 1;
      while (j < s.size() && IsNameChar(static_cast<unsigned char>(s[j]))) ++j;
      if (!afterName && j > i + 1) {
        found(i, j, std::string(s.substr(i + 1, j - i - 1)));
        i = j;
        continue;
      }
    }
    ++i;
  }
}

} // namespace

std::vector<std::string> SqlParamNames(std::string_view sql) {
  std::vector<std::string> names;
  ScanParams(sql, [&](size_t, size_t, const std::string& name) {
    for (const std::string& n : names)
      if (SameText(n, name)) return;
    names.push_back(name);
  });
  return names;
}

std::string SqlReplaceParams(std::string_view sql, const std::function<std::string(const std::string&)>& replace) {
  std::string out;
  size_t last = 0;
  ScanParams(sql, [&](size_t start, size_t end, const std::string& name) {
    out.append(sql.substr(last, start - last));
    out += replace(name);
    last = end;
  });
  out.append(sql.substr(last));
  return out;
}

std::string SqlReplaceMacros(std::string_view sql, std::string_view prefix,
                             const std::function<bool(const std::string&, std::string&)>& lookup) {
  std::string out;
  if (prefix.empty()) return std::string(sql);
  size_t i = 0;
  while (i < sql.size()) {
    size_t skipped = SkipOpaque(sql, i);
    if (skipped != i) {
      out.append(sql.substr(i, skipped - i));
      i = skipped;
      continue;
    }
    if (sql.substr(i, prefix.size()) == prefix) {
      size_t j = i + prefix.size();
      while (j < sql.size() && IsNameChar(static_cast<unsigned char>(sql[j]))) ++j;
      std::string text;
      if (j > i + prefix.size() && lookup(std::string(sql.substr(i + prefix.size(), j - i - prefix.size())), text)) {
        out += text;
        i = j;
        continue;
      }
    }
    out += sql[i];
    ++i;
  }
  return out;
}

namespace {
// True when s holds nothing but blanks and comments.
bool IsBlankSql(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    if (std::isspace(static_cast<unsigned char>(s[i]))) {
      ++i;
      continue;
    }
    const char c = s[i];
    if (c == '\'' || c == '"' || c == '`') return false;
    size_t skipped = SkipOpaque(s, i);
    if (skipped == i) return false;
    i = skipped;
  }
  return true;
}

std::string Trimmed(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return std::string(s.substr(a, b - a));
}

// "DELIMITER x" at the start of a line (ignoring case): the new delimiter.
bool DelimiterCommand(std::string_view s, size_t lineStart, size_t& lineEnd, std::string& delimiter) {
  size_t e = s.find('\n', lineStart);
  if (e == std::string_view::npos) e = s.size();
  std::string line = Trimmed(s.substr(lineStart, e - lineStart));
  if (line.size() < 10 || !SameText(line.substr(0, 9), "DELIMITER") ||
      !std::isspace(static_cast<unsigned char>(line[9])))
    return false;
  std::string d = Trimmed(line.substr(10));
  if (d.empty()) return false;
  delimiter = d;
  lineEnd = e;
  return true;
}
} // namespace

std::vector<std::string> SqlSplitScript(std::string_view script, std::string_view delimiterIn) {
  std::vector<std::string> statements;
  std::string delimiter(delimiterIn.empty() ? ";" : delimiterIn);
  size_t start = 0;
  size_t i = 0;
  bool atLineStart = true;
  auto flush = [&](size_t end) {
    std::string_view chunk = script.substr(start, end - start);
    if (!IsBlankSql(chunk)) statements.push_back(Trimmed(chunk));
  };
  while (i < script.size()) {
    if (atLineStart) {
      size_t lineEnd = 0;
      std::string d;
      // Only between statements: the command line is not SQL.
      if (IsBlankSql(script.substr(start, i - start)) && DelimiterCommand(script, i, lineEnd, d)) {
        delimiter = d;
        i = lineEnd;
        start = i;
        continue;
      }
    }
    atLineStart = false;
    size_t skipped = SkipOpaque(script, i);
    if (skipped != i) {
      i = skipped;
      continue;
    }
    if (script.substr(i, delimiter.size()) == delimiter) {
      flush(i);
      i += delimiter.size();
      start = i;
      continue;
    }
    if (script[i] == '\n') atLineStart = true;
    ++i;
  }
  flush(script.size());
  return statements;
}
