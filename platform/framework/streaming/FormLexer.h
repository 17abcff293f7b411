#pragma once
// Tokens of the text form format. The lexer scans a string_view and hands out
// a kind, the token's bytes and its offset; what a string token means (its
// '' and #n codes) is decoded separately, by DecodeFormString.
#include "streaming/FormTree.h"

#include <cstdint>
#include <string>
#include <string_view>

enum class TFormTokenKind : uint8_t { End, Ident, Integer, Float, String, Symbol };

// The longest name a form holds: the binary form keeps names in a length byte.
inline constexpr size_t MaxIdentifierLength = 255;

struct TFormToken {
  TFormTokenKind Kind = TFormTokenKind::End;
  std::string_view Text;
  uint32_t Offset = 0;

  bool Is(char symbol) const { return Kind == TFormTokenKind::Symbol && Text[0] == symbol; }
};

class TFormLexer {
public:
  // source is the whole file; scanning starts at start (after a BOM).
  TFormLexer(std::string_view source, std::string fileName, size_t start = 0);

  const TFormToken& Current() const { return FToken; }
  void Next();
  // Reads the hex digits of binary data after '{' up to and including '}'
  // and leaves the token after it current.
  std::string ScanBinary();
  // The end of the last token handed out (so callers can find its line end).
  size_t LastEnd() const { return FLastEnd; }

  [[noreturn]] void Fail(size_t offset, const std::string& message) const;
  // Line and column (both from 1, columns in bytes) of an offset.
  void Position(size_t offset, int& line, int& column) const;

private:
  void SkipBlanks();
  void ScanNumber();
  void ScanString();
  void ScanIdent();

  std::string_view FSource;
  std::string FFileName;
  size_t FStart;
  size_t FPos;
  size_t FLastEnd = 0;
  TFormToken FToken;
};

// Decodes a string token (quoted pieces and #n codes, adjacent) into value:
// Text in UTF-8 and the form the characters take. Raw bytes inside quotes are
// UTF-8 when utf8 is set, else bytes of the code page.
void DecodeFormString(std::string_view token, bool utf8, TFormValue& value, const std::string& codePage = "");
