#pragma once
// Character conversions form files need: UTF-8, UTF-16 code units (#n codes
// and wide binary strings) and the code page of files written by ANSI-era
// hosts. The default code page is Windows-1252 with its five unassigned bytes
// mapped to the C1 controls; another one (Windows-1251, GBK, Big5, ...) is
// named by its iconv name. Decoding and encoding back are exact for every
// byte, so a value moved between components keeps its bytes: a byte that is
// not a character of the code page decodes to U+F700 plus the byte.
#include <cstdint>
#include <string>
#include <string_view>

void AppendUtf8(std::string& out, uint32_t codePoint);
bool IsValidUtf8(std::string_view text);
// Decodes one code point at pos and advances; an invalid byte comes back as itself.
uint32_t NextCodePoint(std::string_view text, size_t& pos);

std::u16string Utf8ToUtf16(std::string_view text);
// Lone surrogates are kept, encoded as three bytes, so nothing is lost.
std::string Utf16ToUtf8(std::u16string_view text);

// codePage: empty for Windows-1252.
std::string CodePageToUtf8(std::string_view bytes, const std::string& codePage = "");
// False when a character has no byte in the code page.
bool Utf8ToCodePage(std::string_view text, std::string& bytes, const std::string& codePage = "");
// Whether the name is a code page this system can convert (empty: the default).
bool IsKnownCodePage(const std::string& codePage);
