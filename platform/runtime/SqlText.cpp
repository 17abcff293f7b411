#include "runtime/SqlText.h"

#include "rtl/TextCompare.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

bool IsNameChar(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80; }

// The end of the quoted text or comment starting at i, or i when none starts
// there: quoted text runs to the same unescaped quote, a line comment to the
// line's end, a block comment to "*/".
size_t SkipOpaque(std::string_view s, size_t i, TSqlQuoting quoting = TSqlQuoting::sqDefault) {
  const size_t n = s.size();
  const char c = s[i];
  if (c == '\'' || c == '"' || c == '`') {
    // A name in quotes knows no backslash escapes; a string literal does.
    const bool isName = c == '`' || (c == '"' && quoting == TSqlQuoting::sqAnsiQuotes);
    size_t j = i + 1;
    while (j < n) {
      if (s[j] == '\\' && !isName) {
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

// The name of a quoted name starting at i (its quote doubled inside), and in
// end the offset after its closing quote; none when it is not closed.
std::optional<std::string> QuotedNameAt(std::string_view s, size_t i, size_t& end) {
  const char quote = s[i];
  std::string name;
  for (size_t j = i + 1; j < s.size(); ++j) {
    if (s[j] != quote) {
      name += s[j];
      continue;
    }
    if (j + 1 < s.size() && s[j + 1] == quote) {
      name += quote;
      ++j;
      continue;
    }
    end = j + 1;
    return name;
  }
  return std::nullopt;
}

// Calls found(start, end, name) for each parameter: a colon and a name, or
// under ANSI quoting also a colon and a name in double quotes.
template <class F>
void ScanParams(std::string_view s, TSqlQuoting quoting, F found) {
  size_t i = 0;
  while (i < s.size()) {
    size_t skipped = SkipOpaque(s, i, quoting);
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
      if (!afterName && quoting == TSqlQuoting::sqAnsiQuotes && i + 1 < s.size() && s[i + 1] == '"') {
        size_t end = 0;
        std::optional<std::string> name = QuotedNameAt(s, i + 1, end);
        if (name && !name->empty()) {
          found(i, end, *name);
          i = end;
          continue;
        }
      }
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

std::vector<std::string> SqlParamNames(std::string_view sql, TSqlQuoting quoting) {
  std::vector<std::string> names;
  ScanParams(sql, quoting, [&](size_t, size_t, const std::string& name) {
    for (const std::string& n : names)
      if (SameText(n, name)) return;
    names.push_back(name);
  });
  return names;
}

std::string SqlReplaceParams(std::string_view sql, const std::function<std::string(const std::string&)>& replace,
                             TSqlQuoting quoting) {
  std::string out;
  size_t last = 0;
  ScanParams(sql, quoting, [&](size_t start, size_t end, const std::string& name) {
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

namespace {

// A word of a statement for SqlWrittenColumns: a name (bare, or in quotes
// with Quoted set), a single punctuation byte, or the end.
struct TSqlWord {
  enum TKind { wkName, wkPunct, wkOther, wkEnd } Kind = wkEnd;
  std::string Text;
  bool Quoted = false;
  bool Is(std::string_view keyword) const { return Kind == wkName && !Quoted && SameText(Text, keyword); }
  bool IsPunct(char c) const { return Kind == wkPunct && Text.size() == 1 && Text[0] == c; }
};

class TSqlWordReader {
public:
  TSqlWordReader(std::string_view s, TSqlQuoting quoting) : FText(s), FQuoting(quoting) { Next(); }
  const TSqlWord& Word() const { return FWord; }

  // blanks and comments, then one word
  void Next() {
    const std::string_view s = FText;
    while (FPos < s.size()) {
      if (std::isspace(static_cast<unsigned char>(s[FPos]))) {
        ++FPos;
        continue;
      }
      const char c = s[FPos];
      if (c == '#' || c == '-' || c == '/') {
        size_t skipped = SkipOpaque(s, FPos, FQuoting);
        if (skipped != FPos) {
          FPos = skipped;
          continue;
        }
      }
      break;
    }
    FWord = TSqlWord();
    if (FPos >= s.size()) return;
    const char c = s[FPos];
    const bool nameQuote = c == '`' || (c == '"' && FQuoting == TSqlQuoting::sqAnsiQuotes);
    if (nameQuote) {
      size_t end = 0;
      if (std::optional<std::string> name = QuotedNameAt(s, FPos, end)) {
        FWord.Kind = TSqlWord::wkName;
        FWord.Text = *name;
        FWord.Quoted = true;
        FPos = end;
        return;
      }
      FPos = s.size();
      FWord.Kind = TSqlWord::wkOther;
      return;
    }
    if (c == '\'' || c == '"') {
      FPos = SkipOpaque(s, FPos, FQuoting);
      FWord.Kind = TSqlWord::wkOther;
      return;
    }
    if (IsNameChar(static_cast<unsigned char>(c))) {
      size_t j = FPos;
      while (j < s.size() && IsNameChar(static_cast<unsigned char>(s[j]))) ++j;
      FWord.Kind = TSqlWord::wkName;
      FWord.Text = std::string(s.substr(FPos, j - FPos));
      FPos = j;
      return;
    }
    FWord.Kind = TSqlWord::wkPunct;
    FWord.Text = std::string(1, c);
    ++FPos;
  }

  // name ("." name)*: the last part, or none when no name stands here
  std::optional<std::string> QualifiedName() {
    if (FWord.Kind != TSqlWord::wkName) return std::nullopt;
    std::string last = FWord.Text;
    Next();
    while (FWord.IsPunct('.')) {
      Next();
      if (FWord.Kind != TSqlWord::wkName) return std::nullopt;
      last = FWord.Text;
      Next();
    }
    return last;
  }

private:
  std::string_view FText;
  TSqlQuoting FQuoting;
  size_t FPos = 0;
  TSqlWord FWord;
};

// column = expression, ... up to WHERE, ORDER, LIMIT, ON (DUPLICATE KEY) or the end
bool ReadAssignments(TSqlWordReader& r, TSqlWrittenColumns& out) {
  for (;;) {
    std::optional<std::string> column = r.QualifiedName();
    if (!column || !r.Word().IsPunct('=')) return false;
    out.Columns.push_back(*column);
    r.Next();
    int depth = 0;
    for (;; r.Next()) {
      const TSqlWord& w = r.Word();
      if (w.Kind == TSqlWord::wkEnd) return true;
      if (w.IsPunct('(')) ++depth;
      else if (w.IsPunct(')')) --depth;
      else if (depth == 0 && (w.Is("WHERE") || w.Is("ORDER") || w.Is("LIMIT") || w.Is("ON") || w.IsPunct(';')))
        return true;
      else if (depth == 0 && w.IsPunct(',')) break;
    }
    r.Next();
  }
}

// INSERT [LOW_PRIORITY | DELAYED | HIGH_PRIORITY] [IGNORE] [INTO] table
// [PARTITION (...)] then (column, ...), SET column = ..., or straight
// VALUES or SELECT (every column)
bool ReadInsert(TSqlWordReader& r, TSqlWrittenColumns& out) {
  r.Next();
  while (r.Word().Is("LOW_PRIORITY") || r.Word().Is("DELAYED") || r.Word().Is("HIGH_PRIORITY") ||
         r.Word().Is("IGNORE"))
    r.Next();
  if (r.Word().Is("INTO")) r.Next();
  std::optional<std::string> table = r.QualifiedName();
  if (!table) return false;
  out.Table = *table;
  if (r.Word().Is("PARTITION")) {
    r.Next();
    while (r.Word().Kind != TSqlWord::wkEnd && !r.Word().IsPunct(')')) r.Next();
    r.Next();
  }
  if (r.Word().Is("SET")) {
    r.Next();
    return ReadAssignments(r, out);
  }
  if (r.Word().Is("VALUES") || r.Word().Is("VALUE") || r.Word().Is("SELECT")) {
    out.AllColumns = true;
    return true;
  }
  if (!r.Word().IsPunct('(')) return false;
  r.Next();
  if (r.Word().Is("SELECT")) {  // INSERT t (SELECT ...)
    out.AllColumns = true;
    return true;
  }
  for (;;) {
    std::optional<std::string> column = r.QualifiedName();
    if (!column) return false;
    out.Columns.push_back(*column);
    if (r.Word().IsPunct(')')) return true;
    if (!r.Word().IsPunct(',')) return false;
    r.Next();
  }
}

// UPDATE [LOW_PRIORITY] [IGNORE] table [[AS] alias] SET assignments
bool ReadUpdate(TSqlWordReader& r, TSqlWrittenColumns& out) {
  r.Next();
  while (r.Word().Is("LOW_PRIORITY") || r.Word().Is("IGNORE")) r.Next();
  std::optional<std::string> table = r.QualifiedName();
  if (!table) return false;
  out.Table = *table;
  if (r.Word().Is("AS")) r.Next();
  if (r.Word().Kind == TSqlWord::wkName && !r.Word().Is("SET")) r.Next();  // an alias
  if (!r.Word().Is("SET")) return false;  // several tables, a join: not followed
  r.Next();
  return ReadAssignments(r, out);
}

} // namespace

TSqlWrittenColumns SqlWrittenColumns(std::string_view sql, TSqlQuoting quoting) {
  TSqlWrittenColumns written;
  TSqlWordReader reader(sql, quoting);
  bool ok = false;
  if (reader.Word().Is("INSERT")) ok = ReadInsert(reader, written);
  else if (reader.Word().Is("UPDATE")) ok = ReadUpdate(reader, written);
  if (!ok) written = TSqlWrittenColumns();
  return written;
}
