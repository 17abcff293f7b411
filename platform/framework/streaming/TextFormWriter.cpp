#include "streaming/TextFormWriter.h"

#include "streaming/FormEncoding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* const HexDigits = "0123456789ABCDEF";

void Indent(std::string& out, int n) { out.append(static_cast<size_t>(n), ' '); }

// The characters of a string as the writer counts them: UTF-16 units for wide
// strings, bytes for code-page strings, code points for raw UTF-8.
struct TUnit {
  uint32_t Code;
  bool Raw;  // written as it stands inside quotes (code-page byte or UTF-8)
};

std::vector<TUnit> UnitsOf(const TFormValue& v) {
  std::vector<TUnit> units;
  switch (v.StringForm) {
  case TFormStringForm::Bytes: {
    const std::string& b = v.Bytes.empty() ? v.Text : v.Bytes;
    units.reserve(b.size());
    for (char c : b) units.push_back({static_cast<unsigned char>(c), static_cast<unsigned char>(c) >= 0x80});
    break;
  }
  case TFormStringForm::Wide:
    for (char16_t u : Utf8ToUtf16(v.Text)) units.push_back({u, false});
    break;
  case TFormStringForm::UTF8: {
    size_t pos = 0;
    while (pos < v.Text.size()) {
      uint32_t cp = NextCodePoint(v.Text, pos);
      units.push_back({cp, cp >= 0x80});
    }
    break;
  }
  }
  return units;
}

void EncodeUnits(std::string& out, const std::vector<TUnit>& units, size_t from, size_t to, TFormStringForm form) {
  if (from == to) {
    out += "''";
    return;
  }
  bool inQuotes = false;
  for (size_t i = from; i < to; ++i) {
    const TUnit& u = units[i];
    // The host writes a quote as #39 rather than doubling it.
    bool literal = ((u.Code >= 32 && u.Code <= 126) || u.Raw) && u.Code != '\'';
    if (literal) {
      if (!inQuotes) out += '\'';
      inQuotes = true;
      if (u.Raw && form == TFormStringForm::UTF8) AppendUtf8(out, u.Code);
      else out += static_cast<char>(u.Code);
    } else {
      if (inQuotes) out += '\'';
      inQuotes = false;
      out += '#';
      out += std::to_string(u.Code);
    }
  }
  if (inQuotes) out += '\'';
}

void FormatString(std::string& out, const TFormValue& v, int indent, std::string_view eol) {
  std::vector<TUnit> units = UnitsOf(v);
  constexpr size_t Chunk = 64;
  if (units.size() <= Chunk) {
    EncodeUnits(out, units, 0, units.size(), v.StringForm);
    return;
  }
  size_t pos = 0;
  while (pos < units.size()) {
    size_t end = std::min(pos + Chunk, units.size());
    // A surrogate pair stays on one line.
    if (end < units.size() && v.StringForm == TFormStringForm::Wide && units[end - 1].Code >= 0xD800 &&
        units[end - 1].Code < 0xDC00)
      ++end;
    out += eol;
    Indent(out, indent + 2);
    EncodeUnits(out, units, pos, end, v.StringForm);
    if (end < units.size()) out += " +";
    pos = end;
  }
}

void FormatValue(std::string& out, const TFormValue& v, int indent, std::string_view eol);

void FormatProperty(std::string& out, const TFormProperty& p, int indent, std::string_view eol) {
  Indent(out, indent);
  out += p.Name;
  out += " = ";
  FormatValue(out, p.Value, indent, eol);
}

void FormatValue(std::string& out, const TFormValue& v, int indent, std::string_view eol) {
  switch (v.Kind) {
  case TFormValueKind::Integer:
    out += std::to_string(v.Int);
    break;
  case TFormValueKind::Float:
    out += FormatFormFloat(v.Float, v.FloatSuffix);
    break;
  case TFormValueKind::String:
    FormatString(out, v, indent, eol);
    break;
  case TFormValueKind::Ident:
    out += v.Text;
    break;
  case TFormValueKind::Nil:
    out += "nil";
    break;
  case TFormValueKind::Null:
    out += "Null";
    break;
  case TFormValueKind::True:
    out += "True";
    break;
  case TFormValueKind::False:
    out += "False";
    break;
  case TFormValueKind::Set:
    out += '[';
    for (size_t i = 0; i < v.SetItems.size(); ++i) {
      if (i) out += ", ";
      out += v.SetItems[i];
    }
    out += ']';
    break;
  case TFormValueKind::List:
    out += '(';
    for (const TFormValue& item : v.Items) {
      out += eol;
      Indent(out, indent + 2);
      FormatValue(out, item, indent + 2, eol);
    }
    out += ')';
    break;
  case TFormValueKind::Binary:
    out += '{';
    for (size_t i = 0; i < v.Bytes.size(); ++i) {
      if (i % 32 == 0) {
        out += eol;
        Indent(out, indent + 2);
      }
      unsigned char b = static_cast<unsigned char>(v.Bytes[i]);
      out += HexDigits[b >> 4];
      out += HexDigits[b & 15];
    }
    out += '}';
    break;
  case TFormValueKind::Collection:
    out += '<';
    for (size_t i = 0; i < v.CollectionItems.size(); ++i) {
      out += eol;
      Indent(out, indent + 2);
      out += "item";
      for (const TFormProperty& p : v.CollectionItems[i].Properties) {
        out += eol;
        FormatProperty(out, p, indent + 4, eol);
      }
      out += eol;
      Indent(out, indent + 2);
      out += "end";
    }
    out += '>';
    break;
  }
}

class TTextWriter {
public:
  TTextWriter(const TFormDocument& doc) : FDoc(doc), FEol(doc.LineEnd) {}

  std::string Run() {
    FOut.reserve(FDoc.Format == TFormFormat::Text ? FDoc.Source.size() + 256 : FDoc.Source.size() * 2);
    if (FDoc.Encoding == TTextEncoding::Utf8Bom && (!FDoc.Root || FDoc.Root->HeaderBegin != 0))
      FOut += "\xEF\xBB\xBF";
    if (FDoc.Root) WriteObject(*FDoc.Root, 0);
    if (FDoc.TrailerBegin != NoSpan && FDoc.TrailerBegin <= FDoc.Source.size()) FOut.append(FDoc.Source, FDoc.TrailerBegin);
    return std::move(FOut);
  }

private:
  bool Raw(size_t begin, size_t end) const {
    return begin != NoSpan && end != NoSpan && begin <= end && end <= FDoc.Source.size();
  }

  void CopyRaw(size_t begin, size_t end, int delta) {
    if (delta == 0) {
      FOut.append(FDoc.Source, begin, end - begin);
      return;
    }
    // Shift every line of the span by delta spaces.
    bool lineStart = true;
    for (size_t i = begin; i < end; ++i) {
      char c = FDoc.Source[i];
      if (lineStart && c != '\r' && c != '\n') {
        if (delta > 0) {
          Indent(FOut, delta);
        } else {
          int removed = 0;
          while (removed < -delta && i < end && FDoc.Source[i] == ' ') {
            ++i;
            ++removed;
          }
          if (i >= end) break;
          c = FDoc.Source[i];
        }
        lineStart = false;
      }
      FOut += c;
      if (c == '\n' || (c == '\r' && (i + 1 >= end || FDoc.Source[i + 1] != '\n'))) lineStart = true;
    }
  }

  void BeginFormatted() {
    if (!FOut.empty() && FOut.back() != '\n' && FOut.back() != '\r') FOut += FEol;
  }

  void WriteObject(const TFormObject& obj, int depth) {
    int delta = (depth - obj.RawDepth) * 2;
    int indent = depth * 2;
    if (Raw(obj.HeaderBegin, obj.HeaderEnd)) {
      CopyRaw(obj.HeaderBegin, obj.HeaderEnd, delta);
    } else {
      BeginFormatted();
      Indent(FOut, indent);
      FOut += obj.Kind == TFormObjectKind::Inherited ? "inherited" : obj.Kind == TFormObjectKind::Inline ? "inline" : "object";
      if (!obj.Name.empty()) {
        FOut += ' ';
        FOut += obj.Name;
        FOut += ':';
      }
      if (!obj.ClassName.empty()) {
        FOut += ' ';
        FOut += obj.ClassName;
      }
      if (obj.ChildPos) {
        FOut += " [";
        FOut += std::to_string(*obj.ChildPos);
        FOut += ']';
      }
      FOut += FEol;
    }
    for (const auto& p : obj.Properties) {
      if (Raw(p->RawBegin, p->RawEnd)) {
        CopyRaw(p->RawBegin, p->RawEnd, delta);
      } else {
        BeginFormatted();
        FormatProperty(FOut, *p, indent + 2, FEol);
        FOut += FEol;
      }
    }
    for (const auto& child : obj.Children) WriteObject(*child, depth + 1);
    if (Raw(obj.EndBegin, obj.EndEnd)) {
      CopyRaw(obj.EndBegin, obj.EndEnd, delta);
    } else {
      BeginFormatted();
      Indent(FOut, indent);
      FOut += "end";
      FOut += FEol;
    }
  }

  const TFormDocument& FDoc;
  std::string FEol;
  std::string FOut;
};

} // namespace

std::string FormatFormFloat(long double value, char suffix) {
  if (suffix == 'c') value *= 10000;
  char buf[64];
  if (!std::isfinite(value)) return "0";
  // The shortest digits that read back as the same value.
  int precision = 1;
  for (; precision <= 18; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*Lg", precision, value);
    if (std::strtold(buf, nullptr) == value) break;
  }
  if (precision > 18) precision = 18;
  // Digits and exponent of the shortest form, then fixed notation with at
  // least 18 decimals, padded with zeros.
  std::snprintf(buf, sizeof buf, "%.*Le", precision - 1, value);
  std::string sci = buf;
  bool negative = sci[0] == '-';
  if (negative) sci.erase(0, 1);
  size_t e = sci.find('e');
  int exponent = std::atoi(sci.c_str() + e + 1);
  std::string digits;
  for (size_t i = 0; i < e; ++i)
    if (sci[i] != '.') digits += sci[i];
  if (exponent >= 18 || exponent < -18) {
    std::snprintf(buf, sizeof buf, "%.*LE", precision - 1, value);
    return std::string(buf) + (suffix ? std::string(1, suffix) : "");
  }
  std::string intPart, fraction;
  if (exponent >= 0) {
    size_t n = static_cast<size_t>(exponent) + 1;
    if (digits.size() < n) digits.append(n - digits.size(), '0');
    intPart = digits.substr(0, n);
    fraction = digits.substr(n);
  } else {
    intPart = "0";
    fraction = std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  }
  if (value == 0) negative = false;
  std::string sign = negative ? "-" : "";
  // Dates, singles and currency values: the digits as they are, then the suffix.
  if (suffix) return sign + intPart + (fraction.empty() ? "" : "." + fraction) + suffix;
  if (fraction.size() < 18) fraction.append(18 - fraction.size(), '0');
  return sign + intPart + "." + fraction;
}

std::string FormatFormValue(const TFormValue& value, int indent, std::string_view lineEnd) {
  std::string out;
  FormatValue(out, value, indent, lineEnd);
  return out;
}

std::string WriteFormText(const TFormDocument& doc) { return TTextWriter(doc).Run(); }
