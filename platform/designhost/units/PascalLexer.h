#pragma once
// Tokens of a Pascal unit, as far as the design host needs them to find a
// form's class declaration and its uses clause. The lexer works on the
// unit's bytes whatever their code page: identifiers are ASCII letters,
// digits, '_' and any byte above 127 (the UTF-8 identifiers of newer units);
// strings and comments are skipped whole, so their bytes never matter.
#include "rtl/Exceptions.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TPascalTokenKind : uint8_t { Ident, Number, String, Symbol };

struct TPascalToken {
  TPascalTokenKind Kind = TPascalTokenKind::Symbol;
  std::string_view Text;
  size_t Offset = 0;

  size_t End() const { return Offset + Text.size(); }
  bool Is(char symbol) const { return Kind == TPascalTokenKind::Symbol && Text.size() == 1 && Text[0] == symbol; }
  // An identifier or reserved word, ignoring case.
  bool IsWord(std::string_view word) const;
};

// A unit the host cannot read: "file:line:column: message".
class EUnitError : public Exception {
public:
  using Exception::Exception;
  const char* ClassName() const override { return "EUnitError"; }
};

// Every token of source, comments and compiler directives left out. Raises
// EUnitError for an unterminated string or comment.
std::vector<TPascalToken> ScanPascal(std::string_view source, const std::string& fileName);

// The tokens of source after an edit replaced the bytes [begin, oldEnd) of
// the text old was scanned from by newLength bytes: the same as
// ScanPascal(source), with only the stretch around the edit scanned again.
// Of old's tokens only the kinds, offsets and lengths are read (their text
// may be gone with the old bytes).
std::vector<TPascalToken> RescanPascal(std::string_view source, const std::string& fileName,
                                       const std::vector<TPascalToken>& old, size_t begin, size_t oldEnd,
                                       size_t newLength);

// Line and column (both from 1, columns in bytes) of an offset.
void PascalPosition(std::string_view source, size_t offset, int& line, int& column);

// Whether word is one of the language's reserved words, which cannot name a
// field or a component.
bool IsPascalReservedWord(std::string_view word);
