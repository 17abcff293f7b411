#include "rtl/Format.h"

#include "rtl/Exceptions.h"

#include <cmath>
#include <cstdio>

namespace {

[[noreturn]] void FormatError(std::string_view format) {
  throw EConvertError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

std::string Pad(std::string text, int width, bool leftJustify) {
  if (width > 0 && static_cast<int>(text.size()) < width) {
    std::string fill(width - text.size(), ' ');
    text = leftJustify ? text + fill : fill + text;
  }
  return text;
}

std::string IntegerText(int64_t value, int precision) {
  bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  if (precision > static_cast<int>(digits.size())) digits.insert(0, precision - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

// %n and %m group thousands with commas.
std::string GroupThousands(const std::string& fixed) {
  size_t start = fixed[0] == '-' ? 1 : 0;
  size_t dot = fixed.find('.');
  size_t intEnd = dot == std::string::npos ? fixed.size() : dot;
  std::string intPart = fixed.substr(start, intEnd - start);
  std::string grouped;
  for (size_t i = 0; i < intPart.size(); ++i) {
    if (i > 0 && (intPart.size() - i) % 3 == 0) grouped += ',';
    grouped += intPart[i];
  }
  return fixed.substr(0, start) + grouped + fixed.substr(intEnd);
}

// The host writes exponents with a sign and at least three digits: 1.5E+003.
std::string HostExponent(double value, int precision) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*E", precision > 0 ? precision - 1 : 14, value);
  std::string text = buffer;
  size_t e = text.find('E');
  std::string mantissa = text.substr(0, e);
  char sign = text[e + 1];
  std::string exponent = text.substr(e + 2);
  while (exponent.size() < 3) exponent.insert(0, "0");
  return mantissa + "E" + sign + exponent;
}

} // namespace

std::string Format(std::string_view format, const std::vector<TFormatArg>& args) {
  std::string out;
  size_t next = 0;
  size_t i = 0;
  auto readNumber = [&](int& value) -> bool {
    if (i < format.size() && format[i] == '*') {
      ++i;
      if (next >= args.size()) FormatError(format);
      auto* v = std::get_if<int64_t>(&args[next++].Get());
      if (!v) FormatError(format);
      value = static_cast<int>(*v);
      return true;
    }
    bool any = false;
    value = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
      value = value * 10 + (format[i] - '0');
      ++i;
      any = true;
    }
    return any;
  };
  while (i < format.size()) {
    char c = format[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i >= format.size()) FormatError(format);
    if (format[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // Either an index followed by ':' or a width.
    int number = 0;
    size_t save = i;
    if (format[i] != '*' && readNumber(number) && i < format.size() && format[i] == ':') {
      next = static_cast<size_t>(number);
      ++i;
    } else {
      i = save;
    }
    bool leftJustify = false;
    if (i < format.size() && format[i] == '-') {
      leftJustify = true;
      ++i;
    }
    int width = 0;
    readNumber(width);
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
      ++i;
      precision = 0;
      readNumber(precision);
    }
    if (i >= format.size()) FormatError(format);
    char type = static_cast<char>(format[i++] | 0x20);
    if (next >= args.size()) FormatError(format);
    const TFormatArg::Value& arg = args[next++].Get();
    std::string text;
    switch (type) {
    case 'd':
      if (auto* v = std::get_if<int64_t>(&arg)) text = IntegerText(*v, precision);
      else if (auto* u = std::get_if<uint64_t>(&arg)) text = IntegerText(static_cast<int64_t>(*u), precision);
      else FormatError(format);
      break;
    case 'u':
      if (auto* v = std::get_if<int64_t>(&arg)) text = std::to_string(static_cast<uint64_t>(*v));
      else if (auto* u = std::get_if<uint64_t>(&arg)) text = std::to_string(*u);
      else FormatError(format);
      if (precision > static_cast<int>(text.size())) text.insert(0, precision - text.size(), '0');
      break;
    case 'x': {
      uint64_t v;
      if (auto* s = std::get_if<int64_t>(&arg)) v = static_cast<uint64_t>(*s);
      else if (auto* u = std::get_if<uint64_t>(&arg)) v = *u;
      else FormatError(format);
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(v));
      text = buffer;
      if (precision > static_cast<int>(text.size())) text.insert(0, precision - text.size(), '0');
      break;
    }
    case 'p': {
      auto* v = std::get_if<const void*>(&arg);
      if (!v) FormatError(format);
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%016llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(*v)));
      text = buffer;
      break;
    }
    case 'e': case 'f': case 'g': case 'n': case 'm': {
      double v;
      if (auto* d = std::get_if<double>(&arg)) v = *d;
      else if (auto* s = std::get_if<int64_t>(&arg)) v = static_cast<double>(*s);
      else FormatError(format);
      char buffer[512];
      if (type == 'e') {
        text = HostExponent(v, precision < 0 ? 15 : precision);
      } else if (type == 'g') {
        std::snprintf(buffer, sizeof buffer, "%.*G", precision < 0 ? 15 : precision, v);
        text = buffer;
      } else {
        std::snprintf(buffer, sizeof buffer, "%.*f", precision < 0 ? 2 : precision, v);
        text = type == 'f' ? std::string(buffer) : GroupThousands(buffer);
      }
      break;
    }
    case 's':
      if (auto* v = std::get_if<std::string>(&arg)) text = *v;
      else FormatError(format);
      if (precision >= 0 && static_cast<int>(text.size()) > precision) text.resize(precision);
      break;
    default:
      FormatError(format);
    }
    out += Pad(std::move(text), width, leftJustify);
  }
  return out;
}
