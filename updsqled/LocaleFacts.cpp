#include "updsqled/LocaleFacts.h"

#include "rtl/Exceptions.h"
#include "rtl/Format.h"

#include <clocale>
#include <cstdlib>
#include <string>

namespace {

bool IsSingleByteCodePage(int codePage) {
  switch (codePage) {
  case 437: case 850: case 852: case 866: case 874: case 20127: case 65001:
    return true;
  default:
    return (codePage >= 1250 && codePage <= 1258) || (codePage >= 28591 && codePage <= 28605);
  }
}

// Lower case without '-' and '_', so "Shift_JIS", "SJIS" and "shift-jis" meet.
std::string NormalizedCodeSet(std::string_view codeSet) {
  std::string result;
  for (char c : codeSet) {
    if (c == '-' || c == '_') continue;
    result += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return result;
}

int CodePageOfCodeSet(std::string_view codeSet) {
  std::string name = NormalizedCodeSet(codeSet);
  if (name == "utf8") return 65001;
  if (name == "sjis" || name == "shiftjis" || name == "cp932" || name == "windows31j" || name == "ms932" ||
      name == "mskanji")
    return 932;
  if (name == "gbk" || name == "cp936" || name == "gb2312" || name == "euccn" || name == "gb18030") return 936;
  if (name == "euckr" || name == "cp949" || name == "uhc") return 949;
  if (name == "big5" || name == "cp950" || name == "big5hkscs") return 950;
  if (name == "ascii" || name == "ansix3.41968" || name == "usascii") return 20127;
  if (name.starts_with("iso8859")) {
    int part = std::atoi(name.c_str() + 7);
    if (part >= 1 && part <= 15) return 28590 + part;
  }
  for (std::string_view prefix : {"cp", "windows"}) {
    if (name.starts_with(prefix)) {
      int number = std::atoi(name.c_str() + prefix.size());
      if (IsSingleByteCodePage(number)) return number;
    }
  }
  return 0;
}

} // namespace

bool TLocaleFacts::IsSupportedCodePage(int codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 || IsSingleByteCodePage(codePage);
}

TLocaleFacts TLocaleFacts::ForCodePage(int codePage) {
  if (!IsSupportedCodePage(codePage)) throw EConvertError(Format("Code page %d is not supported", {codePage}));
  TLocaleFacts facts;
  facts.FCodePage = codePage;
  switch (codePage) {
  case 932:
    facts.FFarEast = true;
    facts.FJapanese = true;
    facts.FLeadBytes.AddRange(0x81, 0x9F).AddRange(0xE0, 0xFC);
    break;
  case 936:
  case 949:
  case 950:
    facts.FFarEast = true;
    facts.FLeadBytes.AddRange(0x81, 0xFE);
    break;
  default:
    break;
  }
  return facts;
}

TLocaleFacts TLocaleFacts::FromLocaleName(std::string_view name) {
  // language[_territory][.codeset][@modifier]
  std::string_view language = name.substr(0, name.find_first_of("_.@"));
  std::string_view codeSet;
  size_t dot = name.find('.');
  if (dot != std::string_view::npos) {
    codeSet = name.substr(dot + 1);
    codeSet = codeSet.substr(0, codeSet.find('@'));
  }
  int codePage = CodePageOfCodeSet(codeSet);
  TLocaleFacts facts = codePage != 0 ? ForCodePage(codePage) : TLocaleFacts();
  facts.FJapanese = language == "ja";
  return facts;
}

TLocaleFacts TLocaleFacts::FromProcessLocale() {
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  std::string_view name = current ? current : "C";
  if (name == "C" || name == "POSIX") {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      const char* value = std::getenv(variable);
      if (value && *value) {
        name = value;
        break;
      }
    }
  }
  return FromLocaleName(name);
}
