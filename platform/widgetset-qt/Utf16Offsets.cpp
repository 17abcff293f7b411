#include "widgetset-qt/Utf16Offsets.h"

namespace {
// The length of the UTF-8 sequence a lead byte starts; 1 for a stray byte,
// which Qt shows as one replacement character.
int SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

int SequenceAt(std::string_view text, size_t at) {
  int length = SequenceLength(static_cast<unsigned char>(text[at]));
  if (at + static_cast<size_t>(length) > text.size()) return 1;
  for (int i = 1; i < length; ++i)
    if ((static_cast<unsigned char>(text[at + static_cast<size_t>(i)]) & 0xC0) != 0x80) return 1;
  return length;
}
} // namespace

namespace QtText {
int Utf16FromByteOffset(std::string_view utf8, int byteOffset) {
  int units = 0;
  size_t at = 0;
  while (at < utf8.size()) {
    int length = SequenceAt(utf8, at);
    if (at + static_cast<size_t>(length) > static_cast<size_t>(byteOffset < 0 ? 0 : byteOffset)) break;
    at += static_cast<size_t>(length);
    units += length == 4 ? 2 : 1;
  }
  return units;
}

int ByteFromUtf16Offset(std::string_view utf8, int utf16Offset) {
  int units = 0;
  size_t at = 0;
  while (at < utf8.size()) {
    int length = SequenceAt(utf8, at);
    int width = length == 4 ? 2 : 1;
    if (units + width > utf16Offset) break;
    units += width;
    at += static_cast<size_t>(length);
  }
  return static_cast<int>(at);
}
} // namespace QtText
