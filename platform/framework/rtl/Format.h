#pragma once
// The host runtime's Format: "%" [index ":"] ["-"] [width] ["." precision] type,
// with the types d u x e f g n m p s. An unindexed specifier after an indexed
// one takes the argument after the indexed one, as the host does.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class TFormatArg {
public:
  using Value = std::variant<int64_t, uint64_t, double, std::string, const void*>;
  TFormatArg(int v) : FValue(int64_t{v}) {}
  TFormatArg(long v) : FValue(int64_t{v}) {}
  TFormatArg(long long v) : FValue(int64_t{v}) {}
  TFormatArg(unsigned v) : FValue(uint64_t{v}) {}
  TFormatArg(unsigned long v) : FValue(uint64_t{v}) {}
  TFormatArg(unsigned long long v) : FValue(uint64_t{v}) {}
  TFormatArg(double v) : FValue(v) {}
  TFormatArg(const char* v) : FValue(std::string(v)) {}
  TFormatArg(std::string v) : FValue(std::move(v)) {}
  TFormatArg(std::string_view v) : FValue(std::string(v)) {}
  TFormatArg(const void* v) : FValue(v) {}
  const Value& Get() const { return FValue; }

private:
  Value FValue;
};

// Raises EConvertError "Format '%s' invalid or incompatible with argument" on a
// bad specifier or a missing or mistyped argument.
std::string Format(std::string_view format, const std::vector<TFormatArg>& args);

inline std::string Format(std::string_view format, std::initializer_list<TFormatArg> args) {
  return Format(format, std::vector<TFormatArg>(args));
}
