#include "updsqled/SQLParser.h"

#include "classes/TStrings.h"
#include "rtl/Exceptions.h"
#include "rtl/TextCompare.h"

namespace {

constexpr TByteSet LettersAndDollar() {
  return TByteSet().Add('$').AddRange('A', 'Z').Add('_').AddRange('a', 'z');
}

constexpr TByteSet SymbolStart = LettersAndDollar().AddRange(0x7F, 0xFF);
// The double quote and the dot continue a symbol, so t.a, db.t and t."a" are
// one token each; the apostrophe does not.
constexpr TByteSet FarEastSymbolContinuation = LettersAndDollar().AddBytes({'"', '.'}).AddRange('0', '9');
constexpr TByteSet SymbolContinuation = TByteSet(FarEastSymbolContinuation).AddRange(0x7F, 0xFF);
constexpr TByteSet NumberContinuation = TByteSet().AddBytes({'.', 'e', 'E', '+', '-'}).AddRange('0', '9');
constexpr TByteSet Blanks = TByteSet().AddRange(0x01, 0x20);

} // namespace

const char* SQLTokenName(TSQLToken token) {
  switch (token) {
  case stSymbol: return "stSymbol";
  case stAlias: return "stAlias";
  case stNumber: return "stNumber";
  case stComma: return "stComma";
  case stEQ: return "stEQ";
  case stOther: return "stOther";
  case stLParen: return "stLParen";
  case stRParen: return "stRParen";
  case stEnd: return "stEnd";
  }
  return "?";
}

bool IsKatakana(unsigned char b, const TLocaleFacts& facts) {
  return facts.PrimaryLanguageJapanese() && b >= 0xA1 && b <= 0xDF;
}

TSQLParser::TSQLParser(std::string_view text, const TLocaleFacts& facts) : FText(text), FFacts(facts) {
  NextToken();
}

void TSQLParser::Reset() {
  FCursor = 0;
  FTokenType = stSymbol;
  NextToken();
}

TSQLToken TSQLParser::NextToken() {
  if (FTokenType == stEnd) Abort();
  FToken.clear();
  FSymbolQuoted = false;
  // FText's bytes end in a NUL byte, which no class below contains, so every
  // loop stops on it at the latest.
  const auto* text = reinterpret_cast<const unsigned char*>(FText.c_str());
  while (Blanks.Contains(text[FCursor])) ++FCursor;
  FTokenPos = FCursor;
  unsigned char first = text[FCursor];
  if (first == 0) {
    FTokenType = stEnd;  // the cursor stays on the terminator
  } else if (first == '"' || first == '\'') {
    ScanQuotedName();
    FTokenType = stSymbol;
  } else if (SymbolStart.Contains(first)) {
    if (FFacts.FarEast()) {
      ScanFarEastSymbol();
    } else {
      ScanSymbol();
      FTokenType = stSymbol;
    }
  } else if (first == '-' || (first >= '0' && first <= '9')) {
    ScanNumber();
    FTokenType = stNumber;
  } else {
    ++FCursor;
    switch (first) {
    case '(': FTokenType = stLParen; break;
    case ')': FTokenType = stRParen; break;
    case ',': FTokenType = stComma; break;
    case '=': FTokenType = stEQ; break;
    default: FTokenType = stOther; break;
    }
  }
  if (FTokenType == stSymbol && !FToken.empty() && FToken.back() == '.') FTokenType = stAlias;
  return FTokenType;
}

// quoted name: opening quote, optional colon, bytes up to the same quote or the
// end of the text; no escapes, so '' ends one name and opens the next
void TSQLParser::ScanQuotedName() {
  const char* text = FText.c_str();
  char quote = text[FCursor++];
  if (text[FCursor] == ':') ++FCursor;
  size_t start = FCursor;
  while (text[FCursor] != 0 && text[FCursor] != quote) ++FCursor;
  FToken.assign(text + start, FCursor - start);
  if (text[FCursor] == quote) ++FCursor;
  FSymbolQuoted = true;
}

// symbol, single-byte locale: the first byte, then continuation bytes
void TSQLParser::ScanSymbol() {
  const auto* text = reinterpret_cast<const unsigned char*>(FText.c_str());
  size_t start = FCursor++;
  while (SymbolContinuation.Contains(text[FCursor])) ++FCursor;
  FToken.assign(FText, start, FCursor - start);
}

// symbol, Far East locale: from the first byte on, an ASCII continuation byte,
// a half-width katakana or a lead byte with its trail byte, until none fits. A
// lead byte right before the end of the text is taken alone. A first byte
// above 0x7E that is neither katakana nor lead byte is no character of the
// code page: it becomes a one-byte stOther, so the scanner always advances.
void TSQLParser::ScanFarEastSymbol() {
  const auto* text = reinterpret_cast<const unsigned char*>(FText.c_str());
  size_t start = FCursor;
  for (;;) {
    unsigned char b = text[FCursor];
    if (FarEastSymbolContinuation.Contains(b) || IsKatakana(b, FFacts)) {
      ++FCursor;
    } else if (FFacts.IsLeadByte(b)) {
      ++FCursor;
      if (text[FCursor] != 0) ++FCursor;
    } else {
      break;
    }
  }
  if (FCursor == start) {
    ++FCursor;
    FTokenType = stOther;
    return;
  }
  FToken.assign(FText, start, FCursor - start);
  FTokenType = stSymbol;
}

// number: a minus sign or digit, then digits, dots, signs and exponent letters
void TSQLParser::ScanNumber() {
  const auto* text = reinterpret_cast<const unsigned char*>(FText.c_str());
  size_t start = FCursor++;
  while (NumberContinuation.Contains(text[FCursor])) ++FCursor;
  FToken.assign(FText, start, FCursor - start);
}

bool TSQLParser::TokenSymbolIs(std::string_view word) const {
  return FTokenType == stSymbol && SameText(FToken, word);
}

// Each guarded walk swallows whatever ends it, the end-of-text abort included:
// malformed SQL is never reported, and the names found so far stay.
void TSQLParser::GetSelectTableNames(TStrings& list) {
  TUpdateGuard guard(list);
  list.Clear();
  try {
    if (!TokenSymbolIs("SELECT")) return;
    while (!TokenSymbolIs("FROM")) NextToken();
    NextToken();
    while (FTokenType == stSymbol) {
      list.AddObject(FToken, FSymbolQuoted ? MarkerObject(1) : nullptr);
      // a symbol after the name is its alias (or any word, such as WHERE)
      if (NextToken() == stSymbol) NextToken();
      if (FTokenType != stComma) return;
      NextToken();
    }
  } catch (...) {
  }
}

void TSQLParser::GetUpdateTableName(std::string& tableName) {
  if (TokenSymbolIs("UPDATE") && NextToken() == stSymbol)
    tableName = FToken;
  else
    tableName.clear();
}

void TSQLParser::GetUpdateFields(TStrings& list) {
  TUpdateGuard guard(list);
  list.Clear();
  try {
    if (!TokenSymbolIs("UPDATE")) return;
    while (!TokenSymbolIs("SET")) NextToken();
    NextToken();
    for (;;) {
      if (FTokenType == stAlias) NextToken();
      if (FTokenType != stSymbol) return;
      list.Add(FToken);
      if (NextToken() != stEQ) return;
      // the value runs to the next comma (even one inside a function call)
      for (;;) {
        NextToken();
        if (FTokenType == stComma) {
          NextToken();
          break;
        }
        if (TokenSymbolIs("WHERE")) return;
      }
    }
  } catch (...) {
  }
}

void TSQLParser::GetWhereFields(TStrings& list) {
  TUpdateGuard guard(list);
  list.Clear();
  try {
    if (!TokenSymbolIs("UPDATE")) return;
    while (!TokenSymbolIs("WHERE")) NextToken();
    NextToken();
    for (;;) {
      while (FTokenType == stAlias || FTokenType == stLParen) NextToken();
      if (FTokenType != stSymbol) return;
      list.Add(FToken);
      if (NextToken() != stEQ) return;
      // only AND separates conditions
      for (;;) {
        if (NextToken() == stEnd) return;
        if (TokenSymbolIs("AND")) {
          NextToken();
          break;
        }
      }
    }
  } catch (...) {
  }
}
