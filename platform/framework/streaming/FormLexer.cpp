#include "streaming/FormLexer.h"

#include "streaming/FormEncoding.h"
#include "streaming/FormError.h"
#include "streaming/FormPosition.h"

#include <array>

namespace {
enum : uint8_t { Blank = 1, IdentStart = 2, IdentChar = 4, Digit = 8, Hex = 16 };

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> t{};
  t[' '] = t['\t'] = t['\r'] = t['\n'] = Blank;
  for (int c = 'a'; c <= 'z'; ++c) t[c] = IdentStart | IdentChar;
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = IdentStart | IdentChar;
  t['_'] = IdentStart | IdentChar;
  for (int c = '0'; c <= '9'; ++c) t[c] = Digit | IdentChar | Hex;
  for (int c = 'a'; c <= 'f'; ++c) t[c] |= Hex;
  for (int c = 'A'; c <= 'F'; ++c) t[c] |= Hex;
  // Bytes of UTF-8 sequences and code-page letters: component names may hold them.
  for (int c = 0x80; c <= 0xFF; ++c) t[c] = IdentStart | IdentChar;
  return t;
}
constexpr std::array<uint8_t, 256> Classes = MakeClasses();

inline bool IsA(char c, uint8_t cls) { return (Classes[static_cast<unsigned char>(c)] & cls) != 0; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}
} // namespace

TFormLexer::TFormLexer(std::string_view source, std::string fileName, size_t start)
    : FSource(source), FFileName(std::move(fileName)), FStart(start), FPos(start) {
  Next();
}

void TFormLexer::Position(size_t offset, int& line, int& column) const {
  TLineIndex(FSource, FStart).Locate(offset, line, column);
}

void TFormLexer::Fail(size_t offset, const std::string& message) const {
  int line, column;
  Position(offset, line, column);
  throw EFormError(FFileName, line, column, message);
}

void TFormLexer::SkipBlanks() {
  while (FPos < FSource.size() && IsA(FSource[FPos], Blank)) ++FPos;
}

void TFormLexer::Next() {
  FLastEnd = FToken.Offset + FToken.Text.size();
  SkipBlanks();
  size_t start = FPos;
  if (FPos >= FSource.size()) {
    FToken = {TFormTokenKind::End, FSource.substr(FSource.size(), 0), static_cast<uint32_t>(FSource.size())};
    return;
  }
  char c = FSource[FPos];
  if (IsA(c, IdentStart)) {
    ScanIdent();
  } else if (IsA(c, Digit) || c == '$' || (c == '-' && FPos + 1 < FSource.size() && IsA(FSource[FPos + 1], Digit))) {
    ScanNumber();
  } else if (c == '-') {
    Fail(FPos, "'-' must be followed by a digit");
  } else if (c == '\'' || c == '#') {
    ScanString();
  } else if (c == '=' || c == ':' || c == '.' || c == ',' || c == '+' || c == '(' || c == ')' || c == '[' ||
             c == ']' || c == '<' || c == '>' || c == '{' || c == '}' || c == '/') {
    ++FPos;
    FToken = {TFormTokenKind::Symbol, FSource.substr(start, 1), static_cast<uint32_t>(start)};
  } else {
    unsigned char u = static_cast<unsigned char>(c);
    std::string shown = u >= 32 && u < 127 ? std::string("'") + c + "'" : "#" + std::to_string(u);
    Fail(FPos, "unexpected character " + shown);
  }
}

// identifier: letter or '_' then letters, digits, '_'; dotted parts must touch
// the dot: "DM.Table1" is one token, "first." is an error. The binary form
// holds every identifier (class, component and property names, identifier
// values, set elements) in a length byte, so a longer one is refused here
// rather than when the form is saved.
void TFormLexer::ScanIdent() {
  size_t start = FPos;
  for (;;) {
    while (FPos < FSource.size() && IsA(FSource[FPos], IdentChar)) ++FPos;
    if (FPos < FSource.size() && FSource[FPos] == '.') {
      if (FPos + 1 >= FSource.size() || !IsA(FSource[FPos + 1], IdentStart)) Fail(FPos + 1, "expected identifier after '.'");
      ++FPos;
      continue;
    }
    break;
  }
  if (FPos - start > MaxIdentifierLength)
    Fail(start, "an identifier longer than " + std::to_string(MaxIdentifierLength) + " bytes");
  FToken = {TFormTokenKind::Ident, FSource.substr(start, FPos - start), static_cast<uint32_t>(start)};
}

// number: ['-'] digits ['.' digits] [exponent] [s|d|c], or '$' hex digits.
// Digits after '.' and the exponent make it a float, as does a suffix.
void TFormLexer::ScanNumber() {
  size_t start = FPos;
  bool isFloat = false;
  if (FSource[FPos] == '$') {
    ++FPos;
    size_t digits = FPos;
    while (FPos < FSource.size() && IsA(FSource[FPos], Hex)) ++FPos;
    if (FPos == digits) Fail(start, "expected hex digits after '$'");
  } else {
    if (FSource[FPos] == '-') ++FPos;
    while (FPos < FSource.size() && IsA(FSource[FPos], Digit)) ++FPos;
    if (FPos < FSource.size() && FSource[FPos] == '.') {
      isFloat = true;
      ++FPos;
      while (FPos < FSource.size() && IsA(FSource[FPos], Digit)) ++FPos;
    }
    if (FPos < FSource.size() && (FSource[FPos] == 'e' || FSource[FPos] == 'E')) {
      isFloat = true;
      ++FPos;
      if (FPos < FSource.size() && (FSource[FPos] == '+' || FSource[FPos] == '-')) ++FPos;
      size_t digits = FPos;
      while (FPos < FSource.size() && IsA(FSource[FPos], Digit)) ++FPos;
      if (FPos == digits) Fail(FPos, "expected digits in exponent");
    }
    if (FPos < FSource.size()) {
      char s = static_cast<char>(FSource[FPos] | 0x20);
      if (s == 's' || s == 'd' || s == 'c') {
        isFloat = true;
        ++FPos;
      }
    }
  }
  FToken = {isFloat ? TFormTokenKind::Float : TFormTokenKind::Integer, FSource.substr(start, FPos - start),
            static_cast<uint32_t>(start)};
}

// string: pieces with nothing between them; a piece is a quoted run (with ''
// for a quote, no line break) or '#' and decimal digits (a UTF-16 code unit).
void TFormLexer::ScanString() {
  size_t start = FPos;
  for (;;) {
    if (FPos >= FSource.size()) break;
    char c = FSource[FPos];
    if (c == '\'') {
      size_t quote = FPos++;
      for (;;) {
        if (FPos >= FSource.size()) Fail(quote, "unterminated string");
        char q = FSource[FPos];
        // A string ends on its line; a lone CR inside the quotes is an error of its own.
        if (q == '\n' || (q == '\r' && FPos + 1 < FSource.size() && FSource[FPos + 1] == '\n')) Fail(quote, "unterminated string");
        if (q == '\r') Fail(FPos, "carriage return inside quotes");
        if (q == '\'') {
          if (FPos + 1 < FSource.size() && FSource[FPos + 1] == '\'') {
            FPos += 2;
            continue;
          }
          ++FPos;
          break;
        }
        ++FPos;
      }
    } else if (c == '#') {
      size_t hash = FPos++;
      size_t digits = FPos;
      uint32_t code = 0;
      if (FPos < FSource.size() && FSource[FPos] == '$') {
        ++FPos;
        digits = FPos;
        while (FPos < FSource.size() && IsA(FSource[FPos], Hex)) {
          code = code * 16 + HexValue(FSource[FPos]);
          if (code > 0xFFFF) Fail(hash, "character code out of range");
          ++FPos;
        }
      } else {
        while (FPos < FSource.size() && IsA(FSource[FPos], Digit)) {
          code = code * 10 + (FSource[FPos] - '0');
          if (code > 0xFFFF) Fail(hash, "character code out of range");
          ++FPos;
        }
      }
      if (FPos == digits) Fail(hash, "expected digits after '#'");
    } else {
      break;
    }
  }
  FToken = {TFormTokenKind::String, FSource.substr(start, FPos - start), static_cast<uint32_t>(start)};
}

std::string TFormLexer::ScanBinary() {
  // FPos stands just after '{'.
  std::string data;
  for (;;) {
    SkipBlanks();
    if (FPos >= FSource.size()) Fail(FPos, "unterminated binary data, expected '}'");
    char c = FSource[FPos];
    if (c == '}') {
      FToken = {TFormTokenKind::Symbol, FSource.substr(FPos, 1), static_cast<uint32_t>(FPos)};
      ++FPos;
      Next();
      return data;
    }
    if (!IsA(c, Hex)) Fail(FPos, "invalid character in binary data");
    if (FPos + 1 >= FSource.size() || !IsA(FSource[FPos + 1], Hex)) Fail(FPos, "odd number of hex digits in binary data");
    data += static_cast<char>(HexValue(c) * 16 + HexValue(FSource[FPos + 1]));
    FPos += 2;
  }
}

void DecodeFormString(std::string_view token, bool utf8, TFormValue& value, const std::string& codePage) {
  // First pass: which form the value takes.
  bool wide = false, rawHigh = false;
  for (size_t i = 0; i < token.size();) {
    if (token[i] == '#') {
      uint32_t code = 0;
      ++i;
      if (i < token.size() && token[i] == '$') {
        ++i;
        while (i < token.size() && IsA(token[i], Hex)) code = code * 16 + HexValue(token[i++]);
      } else {
        while (i < token.size() && IsA(token[i], Digit)) code = code * 10 + (token[i++] - '0');
      }
      if (code > 127) wide = true;
    } else {
      ++i;  // opening quote
      while (i < token.size()) {
        if (token[i] == '\'') {
          if (i + 1 < token.size() && token[i + 1] == '\'') {
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        if (static_cast<unsigned char>(token[i]) >= 0x80) rawHigh = true;
        ++i;
      }
    }
  }
  value.Kind = TFormValueKind::String;
  value.Text.clear();
  value.Bytes.clear();
  value.StringForm = wide ? TFormStringForm::Wide : (rawHigh && utf8) ? TFormStringForm::UTF8 : TFormStringForm::Bytes;
  std::u16string units;
  std::string bytes;
  auto addRaw = [&](std::string_view run) {
    if (!wide) {
      bytes.append(run);
      return;
    }
    std::string decoded = utf8 ? std::string(run) : CodePageToUtf8(run, codePage);
    units += Utf8ToUtf16(decoded);
  };
  for (size_t i = 0; i < token.size();) {
    if (token[i] == '#') {
      uint32_t code = 0;
      ++i;
      if (i < token.size() && token[i] == '$') {
        ++i;
        while (i < token.size() && IsA(token[i], Hex)) code = code * 16 + HexValue(token[i++]);
      } else {
        while (i < token.size() && IsA(token[i], Digit)) code = code * 10 + (token[i++] - '0');
      }
      if (wide) units += static_cast<char16_t>(code);
      else bytes += static_cast<char>(code);
    } else {
      ++i;
      size_t runStart = i;
      while (i < token.size()) {
        if (token[i] == '\'') {
          addRaw(token.substr(runStart, i - runStart));
          if (i + 1 < token.size() && token[i + 1] == '\'') {
            addRaw("'");
            i += 2;
            runStart = i;
            continue;
          }
          ++i;
          break;
        }
        ++i;
      }
    }
  }
  if (wide) {
    value.Text = Utf16ToUtf8(units);
  } else if (value.StringForm == TFormStringForm::UTF8 || !rawHigh) {
    value.Text = std::move(bytes);
  } else {
    value.Text = CodePageToUtf8(bytes, codePage);
    value.Bytes = std::move(bytes);
  }
}
