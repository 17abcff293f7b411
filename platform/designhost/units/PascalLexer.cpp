#include "designhost/units/PascalLexer.h"

#include "rtl/TextCompare.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

enum TByteClass : uint8_t { bcOther, bcBlank, bcIdentStart, bcDigit };

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> t{};
  for (int c = 0; c < 256; ++c) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == 0x1A) t[c] = bcBlank;
    else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80) t[c] = bcIdentStart;
    else if (c >= '0' && c <= '9') t[c] = bcDigit;
  }
  return t;
}
constexpr std::array<uint8_t, 256> ByteClass = MakeClasses();

uint8_t ClassOf(char c) { return ByteClass[static_cast<unsigned char>(c)]; }

[[noreturn]] void Fail(std::string_view source, const std::string& fileName, size_t offset, const std::string& message) {
  int line, column;
  PascalPosition(source, offset, line, column);
  throw EUnitError(fileName + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message);
}

// Scans s from i, where no comment or string is open, and hands each token
// to add(kind, begin, end); scanning stops when add returns false.
template <class TAdd>
void Scan(std::string_view s, const std::string& fileName, size_t i, TAdd add) {
  while (i < s.size()) {
    char c = s[i];
    uint8_t cls = ClassOf(c);
    if (cls == bcBlank) {
      ++i;
      continue;
    }
    // comment or directive: '{' up to the first '}'
    if (c == '{') {
      size_t close = s.find('}', i + 1);
      if (close == std::string_view::npos) Fail(s, fileName, i, "unterminated comment");
      i = close + 1;
      continue;
    }
    // comment: "(*" up to the first "*)"
    if (c == '(' && i + 1 < s.size() && s[i + 1] == '*') {
      size_t close = s.find("*)", i + 2);
      if (close == std::string_view::npos) Fail(s, fileName, i, "unterminated comment");
      i = close + 2;
      continue;
    }
    // comment: "//" up to the line end
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
      while (i < s.size() && s[i] != '\n' && s[i] != '\r') ++i;
      continue;
    }
    size_t begin = i;
    if (cls == bcIdentStart) {
      while (i < s.size() && (ClassOf(s[i]) == bcIdentStart || ClassOf(s[i]) == bcDigit)) ++i;
      if (!add(TPascalTokenKind::Ident, begin, i)) return;
      continue;
    }
    if (cls == bcDigit || c == '$') {
      ++i;
      while (i < s.size() && (ClassOf(s[i]) == bcIdentStart || ClassOf(s[i]) == bcDigit)) ++i;
      if (!add(TPascalTokenKind::Number, begin, i)) return;
      continue;
    }
    // string: quoted pieces ('' inside) and #n codes, adjacent
    if (c == '\'' || c == '#') {
      while (i < s.size() && (s[i] == '\'' || s[i] == '#')) {
        if (s[i] == '#') {
          ++i;
          while (i < s.size() && (ClassOf(s[i]) == bcDigit || s[i] == '$' || std::isxdigit(static_cast<unsigned char>(s[i])))) ++i;
          continue;
        }
        size_t quote = i++;
        for (;;) {
          if (i >= s.size() || s[i] == '\n' || s[i] == '\r') Fail(s, fileName, quote, "unterminated string");
          if (s[i] == '\'') {
            if (i + 1 < s.size() && s[i + 1] == '\'') {
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          ++i;
        }
      }
      if (!add(TPascalTokenKind::String, begin, i)) return;
      continue;
    }
    // two-byte symbols the grammar needs whole; every other byte alone
    if (i + 1 < s.size()) {
      std::string_view two = s.substr(i, 2);
      if (two == ":=" || two == ".." || two == "<=" || two == ">=" || two == "<>") {
        i += 2;
        if (!add(TPascalTokenKind::Symbol, i - 2, i)) return;
        continue;
      }
    }
    ++i;
    if (!add(TPascalTokenKind::Symbol, i - 1, i)) return;
  }
}

} // namespace

bool TPascalToken::IsWord(std::string_view word) const { return Kind == TPascalTokenKind::Ident && SameText(Text, word); }

void PascalPosition(std::string_view source, size_t offset, int& line, int& column) {
  line = 1;
  size_t start = 0;
  for (size_t i = 0; i < offset && i < source.size(); ++i)
    if (source[i] == '\n' || (source[i] == '\r' && (i + 1 >= source.size() || source[i + 1] != '\n'))) {
      ++line;
      start = i + 1;
    }
  column = static_cast<int>(offset - start) + 1;
}

std::vector<TPascalToken> ScanPascal(std::string_view s, const std::string& fileName) {
  std::vector<TPascalToken> tokens;
  Scan(s, fileName, s.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0, [&](TPascalTokenKind kind, size_t begin, size_t end) {
    tokens.push_back({kind, s.substr(begin, end - begin), begin});
    return true;
  });
  return tokens;
}

std::vector<TPascalToken> RescanPascal(std::string_view s, const std::string& fileName,
                                       const std::vector<TPascalToken>& old, size_t begin, size_t oldEnd,
                                       size_t newLength) {
  // The tokens that end before the edit, with a byte between (the scanner
  // looks one byte past a token to end it), are scanned alike; scanning
  // starts again where the last of them ends.
  size_t kept = 0;
  while (kept < old.size() && old[kept].End() < begin) ++kept;
  if (kept == 0) return ScanPascal(s, fileName);
  std::vector<TPascalToken> tokens;
  tokens.reserve(old.size() + 16);
  for (size_t k = 0; k < kept; ++k)
    tokens.push_back({old[k].Kind, s.substr(old[k].Offset, old[k].Text.size()), old[k].Offset});
  // Past the new bytes, a token that starts where an old one started (moved
  // by the edit) is followed by the same tokens as before: from a token's
  // start on, the scanner sees only the bytes that follow, and those are
  // the old ones.
  const size_t editEnd = begin + newLength, removed = oldEnd - begin;
  auto moved = [&](size_t oldOffset) { return oldOffset - removed + newLength; };
  size_t next = kept, resume = old.size();
  Scan(s, fileName, old[kept - 1].End(), [&](TPascalTokenKind kind, size_t b, size_t e) {
    if (b >= editEnd) {
      while (next < old.size() && (old[next].Offset < oldEnd || moved(old[next].Offset) < b)) ++next;
      if (next < old.size() && moved(old[next].Offset) == b) {
        resume = next;
        return false;
      }
    }
    tokens.push_back({kind, s.substr(b, e - b), b});
    return true;
  });
  for (size_t k = resume; k < old.size(); ++k) {
    size_t at = moved(old[k].Offset);
    tokens.push_back({old[k].Kind, s.substr(at, old[k].Text.size()), at});
  }
  return tokens;
}

bool IsPascalReservedWord(std::string_view word) {
  static constexpr std::string_view Words[] = {
      "and",       "array",          "as",           "asm",       "begin",          "case",    "class",
      "const",     "constructor",    "destructor",   "dispinterface", "div",        "do",      "downto",
      "else",      "end",            "except",       "exports",   "file",           "finalization", "finally",
      "for",       "function",       "goto",         "if",        "implementation", "in",      "inherited",
      "initialization", "inline",    "interface",    "is",        "label",          "library", "mod",
      "nil",       "not",            "object",       "of",        "or",             "packed",  "procedure",
      "program",   "property",       "raise",        "record",    "repeat",         "resourcestring", "set",
      "shl",       "shr",            "string",       "then",      "threadvar",      "to",      "try",
      "type",      "unit",           "until",        "uses",      "var",            "while",   "with",
      "xor"};
  return std::any_of(std::begin(Words), std::end(Words), [&](std::string_view w) { return SameText(w, word); });
}
