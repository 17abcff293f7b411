// Runs the token loop and every walk of the statement reader over arbitrary
// bytes, in the single-byte regime and in two Far East regimes. Each token must
// lie inside the text, the token loop must end at the first NUL byte (or the
// end) and raise the silent abort past it, and the walks must end with their
// lists out of update state and holding only names taken from the text. The
// UTF-8 repair of the design host commands runs over the same bytes.
#include "classes/TStringList.h"
#include "rtl/Exceptions.h"
#include "rtl/JsonWriter.h"
#include "updsqled/SQLParser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckTokenLoop(std::string_view text, const TLocaleFacts& facts) {
  size_t end = std::min(text.size(), text.find('\0'));
  TSQLParser parser(text, facts);
  size_t tokens = 0;
  size_t lastPos = 0;
  for (;;) {
    size_t pos = parser.TokenPos();
    Require(pos <= end);
    Require(tokens == 0 || pos > lastPos);
    lastPos = pos;
    const std::string& token = parser.Token();
    if (parser.TokenType() == stEnd) {
      Require(pos == end && token.empty());
      break;
    }
    if (parser.SymbolQuoted()) {
      size_t start = pos + 1;
      if (start < end && text[start] == ':') ++start;
      Require(start + token.size() <= end && text.substr(start, token.size()) == token);
    } else {
      Require(pos + token.size() <= end && text.substr(pos, token.size()) == token);
    }
    Require(++tokens <= end);
    parser.NextToken();
  }
  bool aborted = false;
  try {
    parser.NextToken();
  } catch (const EAbort&) {
    aborted = true;
  }
  Require(aborted);
}

void CheckNames(std::string_view text, const TStrings& list) {
  Require(list.UpdateCount() == 0);
  for (int i = 0; i < list.Count(); ++i) Require(text.find(list[i]) != std::string_view::npos);
}

void CheckWalks(std::string_view text, const TLocaleFacts& facts) {
  TSQLParser parser(text, facts);
  TStringList list;
  parser.GetSelectTableNames(list);
  CheckNames(text, list);
  parser.Reset();
  std::string table;
  parser.GetUpdateTableName(table);
  Require(text.find(table) != std::string_view::npos);
  parser.Reset();
  parser.GetUpdateFields(list);
  CheckNames(text, list);
  parser.Reset();
  parser.GetWhereFields(list);
  CheckNames(text, list);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  static const TLocaleFacts regimes[] = {TLocaleFacts::ForCodePage(1252), TLocaleFacts::ForCodePage(932),
                                         TLocaleFacts::ForCodePage(936)};
  // The walks stop at their first keyword unless the text starts with it, so
  // each input also runs behind the beginnings that lead deep into them.
  static const char* const prefixes[] = {"", "select * from ", "update t set ", "update t set a = 1 where "};
  for (const TLocaleFacts& facts : regimes) {
    CheckTokenLoop(input, facts);
    for (const char* prefix : prefixes) CheckWalks(std::string(prefix) + std::string(input), facts);
  }
  // The commands show names through the UTF-8 repair: its output must be
  // valid UTF-8 itself.
  std::string repaired = ValidUtf8(input);
  Require(ValidUtf8(repaired) == repaired);
  return 0;
}
