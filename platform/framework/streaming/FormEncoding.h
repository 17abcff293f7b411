#pragma once
// Character conversions form files need: UTF-8, UTF-16 code units (#n codes
// and wide binary strings) and the 8-bit code page of files written by
// ANSI-era hosts. The code page is Windows-1252 with its five unassigned
// bytes mapped to the C1 controls, so decoding and encoding back are exact
// for every byte: a value moved between components keeps its bytes.
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

std::string CodePageToUtf8(std::string_view bytes);
// False when a character has no byte in the code page.
bool Utf8ToCodePage(std::string_view text, std::string& bytes);
