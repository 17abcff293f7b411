#pragma once
// Text positions between the forms model, which counts bytes of UTF-8, and
// Qt, which counts UTF-16 code units. A position inside a character goes to
// the character's start; positions past the end go to the end.
#include <string_view>

namespace QtText {
int Utf16FromByteOffset(std::string_view utf8, int byteOffset);
int ByteFromUtf16Offset(std::string_view utf8, int utf16Offset);
} // namespace QtText
