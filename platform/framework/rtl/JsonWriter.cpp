#include "rtl/JsonWriter.h"

namespace {

constexpr const char* Replacement = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence at the start of s, or 0, with in
// invalid the number of bytes that one replacement character stands for.
size_t Utf8SequenceLength(std::string_view s, size_t& invalid) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char b = byte(0);
  invalid = 1;
  if (b < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    if (i >= s.size()) return 0;
    unsigned char c = byte(i);
    if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) return 0;
    invalid = i + 1;
  }
  return length;
}

} // namespace

std::string ValidUtf8(std::string_view bytes) {
  std::string result;
  result.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    size_t invalid;
    size_t length = Utf8SequenceLength(bytes.substr(i), invalid);
    if (length) {
      result.append(bytes.substr(i, length));
      i += length;
    } else {
      result += Replacement;
      i += invalid;
    }
  }
  return result;
}

std::string JsonQuoted(std::string_view bytes) {
  static const char* const hex = "0123456789abcdef";
  std::string text = ValidUtf8(bytes);
  std::string result = "\"";
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    switch (c) {
    case '"': result += "\\\""; break;
    case '\\': result += "\\\\"; break;
    case '\b': result += "\\b"; break;
    case '\f': result += "\\f"; break;
    case '\n': result += "\\n"; break;
    case '\r': result += "\\r"; break;
    case '\t': result += "\\t"; break;
    default:
      if (u < 0x20) {
        result += "\\u00";
        result += hex[u >> 4];
        result += hex[u & 15];
      } else {
        result += c;
      }
    }
  }
  result += '"';
  return result;
}

std::string HexBytes(std::string_view bytes) {
  static const char* const hex = "0123456789abcdef";
  std::string result;
  result.reserve(bytes.size() * 2);
  for (char c : bytes) {
    auto u = static_cast<unsigned char>(c);
    result += hex[u >> 4];
    result += hex[u & 15];
  }
  return result;
}

void TJsonWriter::BeforeValue() {
  if (FAfterKey) {
    FAfterKey = false;
    return;
  }
  if (!FHasValue.empty()) {
    if (FHasValue.back()) FOut << ',';
    FHasValue.back() = true;
  }
}

TJsonWriter& TJsonWriter::BeginObject() {
  BeforeValue();
  FOut << '{';
  FHasValue.push_back(false);
  return *this;
}

TJsonWriter& TJsonWriter::EndObject() {
  FOut << '}';
  FHasValue.pop_back();
  return *this;
}

TJsonWriter& TJsonWriter::BeginArray() {
  BeforeValue();
  FOut << '[';
  FHasValue.push_back(false);
  return *this;
}

TJsonWriter& TJsonWriter::EndArray() {
  FOut << ']';
  FHasValue.pop_back();
  return *this;
}

TJsonWriter& TJsonWriter::Key(std::string_view name) {
  BeforeValue();
  FOut << JsonQuoted(name) << ':';
  FAfterKey = true;
  return *this;
}

TJsonWriter& TJsonWriter::String(std::string_view bytes) {
  BeforeValue();
  FOut << JsonQuoted(bytes);
  return *this;
}

TJsonWriter& TJsonWriter::Bool(bool value) {
  BeforeValue();
  FOut << (value ? "true" : "false");
  return *this;
}

TJsonWriter& TJsonWriter::Int(int64_t value) {
  BeforeValue();
  FOut << value;
  return *this;
}

TJsonWriter& TJsonWriter::Null() {
  BeforeValue();
  FOut << "null";
  return *this;
}
