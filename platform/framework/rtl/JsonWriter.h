#pragma once
// A small JSON writer for command output: compact, deterministic (members in
// the order written), strings escaped, and bytes that are not valid UTF-8
// written as U+FFFD, so any byte string yields valid JSON.
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The bytes with each maximal invalid UTF-8 subsequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view bytes);
// A JSON string literal of the bytes, quotes included.
std::string JsonQuoted(std::string_view bytes);
// Two lower-case hex digits per byte.
std::string HexBytes(std::string_view bytes);

class TJsonWriter {
public:
  explicit TJsonWriter(std::ostream& out) : FOut(out) {}

  TJsonWriter& BeginObject();
  TJsonWriter& EndObject();
  TJsonWriter& BeginArray();
  TJsonWriter& EndArray();
  // The name of the next member of the current object.
  TJsonWriter& Key(std::string_view name);
  TJsonWriter& String(std::string_view bytes);
  TJsonWriter& Bool(bool value);
  TJsonWriter& Int(int64_t value);
  TJsonWriter& Null();

  // Key followed by a value.
  TJsonWriter& Member(std::string_view name, std::string_view bytes) { return Key(name).String(bytes); }
  TJsonWriter& Member(std::string_view name, const char* bytes) { return Key(name).String(bytes); }
  TJsonWriter& Member(std::string_view name, bool value) { return Key(name).Bool(value); }

private:
  void BeforeValue();

  std::ostream& FOut;
  // One entry per open object or array: whether it holds a value already.
  std::vector<bool> FHasValue;
  bool FAfterKey = false;
};
