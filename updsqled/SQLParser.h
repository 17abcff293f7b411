#pragma once
// A byte scanner over SQL text and four walks over its tokens that recover
// names: the tables of a SELECT statement's FROM list, and the table, assigned
// columns and compared columns of an UPDATE statement. Not a SQL parser: a walk
// that meets anything it does not expect ends quietly, keeping what it found.
#include "updsqled/LocaleFacts.h"

#include <string>
#include <string_view>

class TStrings;

// The ordinal values matter: they are part of the token loop's contract.
enum TSQLToken : unsigned char {
  stSymbol,  // identifier or keyword run, or a quoted name
  stAlias,   // a symbol whose last byte is a dot, such as "t."
  stNumber,  // a run starting with a digit or a minus sign
  stComma,
  stEQ,
  stOther,   // any other single byte
  stLParen,
  stRParen,
  stEnd,
};

// The member name, "stSymbol" to "stEnd".
const char* SQLTokenName(TSQLToken token);

// A half-width katakana letter of the Japanese code page: 0xA1 to 0xDF, and
// only when the primary language is Japanese.
bool IsKatakana(unsigned char b, const TLocaleFacts& facts = TLocaleFacts::FromProcessLocale());

class TSQLParser {
public:
  // Copies the text and reads the first token, so a token is always current.
  // The text is bytes of the locale's code page; it ends at its first NUL byte.
  explicit TSQLParser(std::string_view text, const TLocaleFacts& facts = TLocaleFacts::FromProcessLocale());

  // Reads the next token and returns its type. Called while the current token
  // is stEnd, raises the silent abort: the walks rely on it to stop.
  TSQLToken NextToken();
  // Back to the first token of the text.
  void Reset();
  // The current token is the symbol word, ignoring ASCII case; quoted names
  // count, qualifiers ("t.") never do.
  bool TokenSymbolIs(std::string_view word) const;

  // Each walk starts at the current token, which must be the statement's first.
  // Table names of the FROM list; a name written in quotes carries the marker
  // object 1.
  void GetSelectTableNames(TStrings& list);
  // The table an UPDATE statement names, or an empty string.
  void GetUpdateTableName(std::string& tableName);
  // The columns assigned in the SET list, in order.
  void GetUpdateFields(TStrings& list);
  // The columns compared with "=" in the WHERE clause, in order.
  void GetWhereFields(TStrings& list);

  TSQLToken TokenType() const { return FTokenType; }
  // Empty for punctuation and for stEnd; a quoted name without its quotes.
  const std::string& Token() const { return FToken; }
  bool SymbolQuoted() const { return FSymbolQuoted; }
  // Offset in the text of the token's first byte (its opening quote for a
  // quoted name).
  size_t TokenPos() const { return FTokenPos; }
  const TLocaleFacts& LocaleFacts() const { return FFacts; }

private:
  void ScanQuotedName();
  void ScanSymbol();
  void ScanFarEastSymbol();
  void ScanNumber();

  std::string FText;
  size_t FCursor = 0;
  std::string FToken;
  TSQLToken FTokenType = stSymbol;
  bool FSymbolQuoted = false;
  size_t FTokenPos = 0;
  TLocaleFacts FFacts;
};
