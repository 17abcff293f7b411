#pragma once
// The three facts about the system locale that the SQL scanner depends on:
// whether it is a Far East multi-byte locale, whether its primary language is
// Japanese, and which bytes of its code page lead a double-byte character.
// A value type: the process locale yields one, tests and the designer program
// build their own and hand it to the parser.
#include "updsqled/ByteSet.h"

#include <string_view>

class TLocaleFacts {
public:
  // The single-byte regime: no lead bytes, not Japanese.
  TLocaleFacts() = default;

  // Code pages 932 (Japanese), 936, 949 and 950 give the Far East regime with
  // their lead bytes; 932 also makes the primary language Japanese. UTF-8
  // (65001) and the single-byte code pages give the single-byte regime.
  // Raises EConvertError "Code page %d is not supported" for any other number.
  static TLocaleFacts ForCodePage(int codePage);
  static bool IsSupportedCodePage(int codePage);

  // Facts of a POSIX locale name such as "ja_JP.SJIS" or "de_DE.UTF-8": the
  // language part decides Japanese, the code set part the regime. Code sets
  // without an equivalent multi-byte code page give the single-byte regime.
  static TLocaleFacts FromLocaleName(std::string_view name);

  // Facts of the process's character-type locale; when the program never chose
  // one (the "C" locale), the locale the environment names (LC_ALL, LC_CTYPE,
  // LANG) is the system locale.
  static TLocaleFacts FromProcessLocale();

  bool FarEast() const { return FFarEast; }
  bool PrimaryLanguageJapanese() const { return FJapanese; }
  bool IsLeadByte(unsigned char b) const { return FLeadBytes.Contains(b); }
  const TByteSet& LeadBytes() const { return FLeadBytes; }
  // 0 when the locale named no code page the system knows by number.
  int CodePage() const { return FCodePage; }

  void SetPrimaryLanguageJapanese(bool japanese) { FJapanese = japanese; }

private:
  bool FFarEast = false;
  bool FJapanese = false;
  TByteSet FLeadBytes;
  int FCodePage = 0;
};
