#include "streaming/BinaryForm.h"

#include "streaming/FormEncoding.h"
#include "streaming/FormError.h"
#include "rtl/TextCompare.h"

#include <cstring>
#include <optional>

bool IsBinaryForm(std::string_view b) {
  if (!b.empty() && static_cast<unsigned char>(b[0]) == 0xFF) return true;
  return b.size() >= 4 && (b.substr(0, 4) == "TPF0" || b.substr(0, 4) == "TPF1");
}

namespace {

class TBinaryReader {
public:
  TBinaryReader(TFormDocument& doc) : FDoc(doc), FData(doc.Source) {}

  void Run() {
    std::optional<uint32_t> declaredSize;
    size_t sizeAt = 0;
    if (FData.size() >= 2 && FData.substr(0, 2) == "\xFF\xFE") Fail(0, "utf-16 text form files are not supported");
    if (!FData.empty() && static_cast<unsigned char>(FData[0]) == 0xFF) {
      FPos = 1;
      if (U16() != 0x000A) Fail(1, "resource header of an unknown type");
      size_t nameStart = FPos;
      while (Need(1), FData[FPos] != 0) ++FPos;
      FDoc.HasResourceHeader = true;
      FDoc.ResourceName = std::string(FData.substr(nameStart, FPos - nameStart));
      ++FPos;
      FDoc.ResourceFlags = U16();
      uint32_t size = U32();
      if (size > FData.size() - FPos) Fail(FPos - 4, "resource size exceeds the file");
      declaredSize = size;
      sizeAt = FPos - 4;
    }
    size_t streamStart = FPos;
    Need(4);
    if (FData.substr(FPos, 4) != "TPF0") Fail(FPos, "missing 'TPF0' signature");
    FPos += 4;
    FDoc.Root = ReadObject(0);
    FDoc.TrailerBegin = NoSpan;
    // A header that claims another size than the stream has would be written
    // back with the true size: refused rather than silently changed.
    if (declaredSize && *declaredSize != FPos - streamStart)
      Fail(sizeAt, "resource size " + std::to_string(*declaredSize) + " does not match the stream's " +
                       std::to_string(FPos - streamStart) + " bytes");
  }

private:
  [[noreturn]] void Fail(size_t offset, const std::string& message) {
    throw EFormError(FDoc.FileName, 1, static_cast<int>(offset) + 1, message);
  }
  void Need(size_t n) {
    if (FPos + n > FData.size()) Fail(FPos, "unexpected end of binary data");
  }
  uint8_t U8() {
    Need(1);
    return static_cast<uint8_t>(FData[FPos++]);
  }
  uint16_t U16() {
    Need(2);
    uint16_t v;
    std::memcpy(&v, FData.data() + FPos, 2);
    FPos += 2;
    return v;
  }
  uint32_t U32() {
    Need(4);
    uint32_t v;
    std::memcpy(&v, FData.data() + FPos, 4);
    FPos += 4;
    return v;
  }
  std::string Bytes(size_t n) {
    Need(n);
    std::string s(FData.substr(FPos, n));
    FPos += n;
    return s;
  }
  std::string ShortString() { return Bytes(U8()); }
  // A name as the text form writes it: letters (bytes above 127 included, for
  // names in other scripts), digits and underscores, not starting with a
  // digit; parts of such joined by a separator ('.' in property names and
  // references, '/' in "Unit/Class"). Anything else could be read but not
  // written as text, so it is refused here.
  std::string Name(char separator, bool mayBeEmpty = false) {
    size_t at = FPos;
    std::string name = ShortString();
    if (name.empty() && mayBeEmpty) return name;
    bool partStart = true;
    for (char c : name) {
      bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
      bool digit = c >= '0' && c <= '9';
      if (c == separator && separator && !partStart) partStart = true;
      else if (letter || (digit && !partStart)) partStart = false;
      else Fail(at, "invalid name");
    }
    if (partStart) Fail(at, "invalid name");
    return name;
  }

  // A set item: an enumeration's name, or a decimal number in a set of
  // numbers; empty ends the set.
  std::string SetItem() {
    size_t at = FPos;
    std::string item = ShortString();
    if (!item.empty() && item.find_first_not_of("0123456789") == std::string::npos) return item;
    FPos = at;
    return Name(0, true);
  }

  int64_t TypedInteger(TBinValueType& type) {
    size_t at = FPos;
    type = static_cast<TBinValueType>(U8());
    switch (type) {
    case TBinValueType::vaInt8: return static_cast<int8_t>(U8());
    case TBinValueType::vaInt16: return static_cast<int16_t>(U16());
    case TBinValueType::vaInt32: return static_cast<int32_t>(U32());
    case TBinValueType::vaInt64: {
      Need(8);
      int64_t v;
      std::memcpy(&v, FData.data() + FPos, 8);
      FPos += 8;
      return v;
    }
    default: Fail(at, "expected an integer");
    }
  }

  static constexpr int MaxDepth = 500;

  // Each object, property, list item, collection item and set member is
  // charged at the size of its node before it is made. The nodes are far
  // larger than the bytes that encode them (a list item can be one byte), so
  // a budget proportional to the input keeps the tree of any file, however
  // dense, within a fixed multiple of its size.
  void Charge(size_t at, size_t nodeBytes) {
    FCharged += nodeBytes;
    if (FCharged > FBudget) Fail(at, "more values than a file of this size can hold");
  }

  std::unique_ptr<TFormObject> ReadObject(int depth) {
    if (depth > MaxDepth) Fail(FPos, "objects nested too deeply");
    Charge(FPos, sizeof(TFormObject) + sizeof(std::unique_ptr<TFormObject>));
    auto obj = std::make_unique<TFormObject>();
    obj->Offset = static_cast<uint32_t>(FPos);
    obj->RawDepth = depth;
    Need(1);
    uint8_t prefix = static_cast<uint8_t>(FData[FPos]);
    if ((prefix & 0xF0) == 0xF0) {
      ++FPos;
      obj->BinPrefix = prefix;
      if (prefix & 1) obj->Kind = TFormObjectKind::Inherited;
      if (prefix & 4) obj->Kind = TFormObjectKind::Inline;
      if (prefix & 2) obj->ChildPos = TypedInteger(obj->ChildPosType);
    }
    obj->ClassName = Name('/');
    obj->Name = Name(0, true);
    while (U8() != 0) {
      --FPos;
      Charge(FPos, sizeof(TFormProperty) + sizeof(std::unique_ptr<TFormProperty>));
      auto prop = std::make_unique<TFormProperty>();
      prop->Offset = static_cast<uint32_t>(FPos);
      prop->Name = Name('.');
      ReadValue(prop->Value);
      obj->Properties.push_back(std::move(prop));
    }
    while (U8() != 0) {
      --FPos;
      obj->Children.push_back(ReadObject(depth + 1));
    }
    return obj;
  }

  void SetBytesString(TFormValue& v, std::string bytes) {
    v.Kind = TFormValueKind::String;
    v.StringForm = TFormStringForm::Bytes;
    bool high = false;
    for (char c : bytes)
      if (static_cast<unsigned char>(c) >= 0x80) high = true;
    if (high) {
      v.Text = CodePageToUtf8(bytes, FDoc.CodePage);
      v.Bytes = std::move(bytes);
    } else {
      v.Text = std::move(bytes);
    }
  }

  void ReadValue(TFormValue& v) {
    size_t at = FPos;
    if (FValueDepth > MaxDepth) Fail(at, "values nested too deeply");
    struct TDepth {
      int& D;
      explicit TDepth(int& d) : D(d) { ++D; }
      ~TDepth() { --D; }
    } depthGuard(FValueDepth);
    auto type = static_cast<TBinValueType>(U8());
    v.BinType = type;
    switch (type) {
    case TBinValueType::vaInt8:
    case TBinValueType::vaInt16:
    case TBinValueType::vaInt32:
    case TBinValueType::vaInt64:
      --FPos;
      v.Kind = TFormValueKind::Integer;
      v.Int = TypedInteger(v.BinType);
      return;
    case TBinValueType::vaExtended: {
      v.Kind = TFormValueKind::Float;
      v.Bytes = Bytes(10);
      long double ld = 0;
      std::memcpy(&ld, v.Bytes.data(), 10);
      v.Float = ld;
      return;
    }
    case TBinValueType::vaDouble:
    case TBinValueType::vaDate: {
      v.Kind = TFormValueKind::Float;
      v.Bytes = Bytes(8);
      double d;
      std::memcpy(&d, v.Bytes.data(), 8);
      v.Float = d;
      if (type == TBinValueType::vaDate) v.FloatSuffix = 'd';
      return;
    }
    case TBinValueType::vaSingle: {
      v.Kind = TFormValueKind::Float;
      v.FloatSuffix = 's';
      v.Bytes = Bytes(4);
      float f;
      std::memcpy(&f, v.Bytes.data(), 4);
      v.Float = f;
      return;
    }
    case TBinValueType::vaCurrency: {
      v.Kind = TFormValueKind::Float;
      v.FloatSuffix = 'c';
      v.Bytes = Bytes(8);
      int64_t c;
      std::memcpy(&c, v.Bytes.data(), 8);
      v.Float = static_cast<long double>(c) / 10000;
      return;
    }
    case TBinValueType::vaString:
      SetBytesString(v, ShortString());
      return;
    case TBinValueType::vaLString:
      SetBytesString(v, Bytes(U32()));
      return;
    case TBinValueType::vaWString: {
      uint32_t count = U32();
      std::string raw = Bytes(size_t{count} * 2);
      std::u16string units(count, u'\0');
      std::memcpy(units.data(), raw.data(), raw.size());
      v.Kind = TFormValueKind::String;
      v.StringForm = TFormStringForm::Wide;
      v.Text = Utf16ToUtf8(units);
      return;
    }
    case TBinValueType::vaUTF8String:
      v.Kind = TFormValueKind::String;
      v.StringForm = TFormStringForm::UTF8;
      v.Text = Bytes(U32());
      return;
    case TBinValueType::vaIdent:
      v.Kind = TFormValueKind::Ident;
      v.Text = Name('.');
      return;
    case TBinValueType::vaFalse: v.Kind = TFormValueKind::False; return;
    case TBinValueType::vaTrue: v.Kind = TFormValueKind::True; return;
    case TBinValueType::vaNil: v.Kind = TFormValueKind::Nil; return;
    case TBinValueType::vaNull: v.Kind = TFormValueKind::Null; return;
    case TBinValueType::vaBinary:
      v.Kind = TFormValueKind::Binary;
      v.Bytes = Bytes(U32());
      return;
    case TBinValueType::vaSet:
      v.Kind = TFormValueKind::Set;
      for (;;) {
        std::string item = SetItem();
        if (item.empty()) break;
        Charge(FPos, sizeof(std::string));
        v.SetItems.push_back(std::move(item));
      }
      return;
    case TBinValueType::vaList:
      v.Kind = TFormValueKind::List;
      while (U8() != 0) {
        --FPos;
        Charge(FPos, sizeof(TFormValue));
        v.Items.emplace_back();
        ReadValue(v.Items.back());
      }
      return;
    case TBinValueType::vaCollection:
      v.Kind = TFormValueKind::Collection;
      for (;;) {
        uint8_t next = U8();
        if (next == 0) break;
        --FPos;
        Charge(FPos, sizeof(TFormItem));
        TFormItem item;
        if (next != static_cast<uint8_t>(TBinValueType::vaList)) item.Order = TypedInteger(item.OrderType);
        if (U8() != static_cast<uint8_t>(TBinValueType::vaList)) Fail(FPos - 1, "expected a collection item");
        while (U8() != 0) {
          --FPos;
          Charge(FPos, sizeof(TFormProperty));
          TFormProperty p;
          p.Offset = static_cast<uint32_t>(FPos);
          p.Name = Name('.');
          ReadValue(p.Value);
          item.Properties.push_back(std::move(p));
        }
        v.CollectionItems.push_back(std::move(item));
      }
      return;
    }
    Fail(at, "unknown value type " + std::to_string(static_cast<int>(type)));
  }

  TFormDocument& FDoc;
  std::string_view FData;
  size_t FPos = 0;
  int FValueDepth = 0;
  size_t FCharged = 0;
  size_t FBudget = FormNodeBudget(FData.size());
};

class TBinaryWriter {
public:
  explicit TBinaryWriter(const TFormDocument& doc) : FDoc(doc) {}

  std::string Run(bool withHeader) {
    FOut += "TPF0";
    if (FDoc.Root) WriteObject(*FDoc.Root);
    if (!withHeader) return std::move(FOut);
    std::string header;
    header += '\xFF';
    header += '\x0A';
    header += '\0';
    std::string name = FDoc.ResourceName;
    if (name.empty() && FDoc.Root)
      for (char c : FDoc.Root->ClassName) name += AsciiUpper(c);
    header += name;
    header += '\0';
    U16(header, FDoc.ResourceFlags);
    U32(header, static_cast<uint32_t>(FOut.size()));
    return header + FOut;
  }

private:
  static void U16(std::string& out, uint16_t v) { out.append(reinterpret_cast<const char*>(&v), 2); }
  static void U32(std::string& out, uint32_t v) { out.append(reinterpret_cast<const char*>(&v), 4); }
  void Tag(TBinValueType t) { FOut += static_cast<char>(t); }
  void ShortString(const std::string& s) {
    if (s.size() > 255) throw EFormError(FDoc.FileName, 0, 0, "name longer than 255 bytes: " + s.substr(0, 40));
    FOut += static_cast<char>(s.size());
    FOut += s;
  }

  void Integer(int64_t v, TBinValueType preferred) {
    auto fits = [v](TBinValueType t) {
      switch (t) {
      case TBinValueType::vaInt8: return v >= -128 && v <= 127;
      case TBinValueType::vaInt16: return v >= -32768 && v <= 32767;
      case TBinValueType::vaInt32: return v >= INT32_MIN && v <= INT32_MAX;
      case TBinValueType::vaInt64: return true;
      default: return false;
      }
    };
    TBinValueType t = preferred;
    if (!fits(t)) {
      for (TBinValueType c : {TBinValueType::vaInt8, TBinValueType::vaInt16, TBinValueType::vaInt32, TBinValueType::vaInt64})
        if (fits(c)) {
          t = c;
          break;
        }
    }
    Tag(t);
    switch (t) {
    case TBinValueType::vaInt8: FOut += static_cast<char>(static_cast<int8_t>(v)); break;
    case TBinValueType::vaInt16: U16(FOut, static_cast<uint16_t>(static_cast<int16_t>(v))); break;
    case TBinValueType::vaInt32: U32(FOut, static_cast<uint32_t>(static_cast<int32_t>(v))); break;
    default: FOut.append(reinterpret_cast<const char*>(&v), 8); break;
    }
  }

  void WriteObject(const TFormObject& obj) {
    uint8_t flags = 0;
    if (obj.Kind == TFormObjectKind::Inherited) flags |= 1;
    if (obj.Kind == TFormObjectKind::Inline) flags |= 4;
    if (obj.ChildPos) flags |= 2;
    // A flags byte as read is kept, with bits that mean nothing here, as
    // long as it says what the object is.
    uint8_t prefix = flags ? 0xF0 | flags : 0;
    if (obj.BinPrefix && (obj.BinPrefix & 7) == flags) prefix = obj.BinPrefix;
    if (prefix) {
      FOut += static_cast<char>(prefix);
      if (obj.ChildPos) Integer(*obj.ChildPos, obj.ChildPosType);
    }
    ShortString(obj.ClassName);
    ShortString(obj.Name);
    for (const auto& p : obj.Properties) {
      ShortString(p->Name);
      Value(p->Value);
    }
    FOut += '\0';
    for (const auto& child : obj.Children) WriteObject(*child);
    FOut += '\0';
  }

  void Value(const TFormValue& v) {
    switch (v.Kind) {
    case TFormValueKind::Integer:
      Integer(v.Int, v.BinType);
      return;
    case TFormValueKind::Float:
      FloatValue(v);
      return;
    case TFormValueKind::String:
      StringValue(v);
      return;
    case TFormValueKind::Ident:
      Tag(TBinValueType::vaIdent);
      ShortString(v.Text);
      return;
    case TFormValueKind::Nil: Tag(TBinValueType::vaNil); return;
    case TFormValueKind::Null: Tag(TBinValueType::vaNull); return;
    case TFormValueKind::True: Tag(TBinValueType::vaTrue); return;
    case TFormValueKind::False: Tag(TBinValueType::vaFalse); return;
    case TFormValueKind::Set:
      Tag(TBinValueType::vaSet);
      for (const std::string& s : v.SetItems) ShortString(s);
      FOut += '\0';
      return;
    case TFormValueKind::List:
      Tag(TBinValueType::vaList);
      for (const TFormValue& item : v.Items) Value(item);
      FOut += '\0';
      return;
    case TFormValueKind::Binary:
      Tag(TBinValueType::vaBinary);
      U32(FOut, static_cast<uint32_t>(v.Bytes.size()));
      FOut += v.Bytes;
      return;
    case TFormValueKind::Collection:
      Tag(TBinValueType::vaCollection);
      for (const TFormItem& item : v.CollectionItems) {
        if (item.Order) Integer(*item.Order, item.OrderType);
        Tag(TBinValueType::vaList);
        for (const TFormProperty& p : item.Properties) {
          ShortString(p.Name);
          Value(p.Value);
        }
        FOut += '\0';
      }
      FOut += '\0';
      return;
    }
  }

  void FloatValue(const TFormValue& v) {
    TBinValueType t = v.BinType;
    if (t == TBinValueType::vaNull || t == TBinValueType::vaInt8 || t == TBinValueType::vaInt16 ||
        t == TBinValueType::vaInt32 || t == TBinValueType::vaInt64)
      t = v.FloatSuffix == 's' ? TBinValueType::vaSingle
          : v.FloatSuffix == 'd' ? TBinValueType::vaDate
          : v.FloatSuffix == 'c' ? TBinValueType::vaCurrency
                                 : TBinValueType::vaExtended;
    size_t size = t == TBinValueType::vaExtended ? 10 : t == TBinValueType::vaSingle ? 4 : 8;
    Tag(t);
    if (v.Bytes.size() == size && v.BinType == t) {
      FOut += v.Bytes;  // as read: no rounding through another width
      return;
    }
    char buf[10] = {};
    switch (t) {
    case TBinValueType::vaSingle: {
      float f = static_cast<float>(v.Float);
      std::memcpy(buf, &f, 4);
      break;
    }
    case TBinValueType::vaCurrency: {
      long double scaled = v.Float * 10000;
      int64_t c = static_cast<int64_t>(scaled < 0 ? scaled - 0.5L : scaled + 0.5L);
      std::memcpy(buf, &c, 8);
      break;
    }
    case TBinValueType::vaExtended: {
      long double ld = v.Float;
      std::memcpy(buf, &ld, 10);
      break;
    }
    default: {
      double d = static_cast<double>(v.Float);
      std::memcpy(buf, &d, 8);
      break;
    }
    }
    FOut.append(buf, size);
  }

  void StringValue(const TFormValue& v) {
    switch (v.StringForm) {
    case TFormStringForm::Bytes: {
      const std::string& b = v.Bytes.empty() ? v.Text : v.Bytes;
      if (b.size() <= 255 && v.BinType != TBinValueType::vaLString) {
        Tag(TBinValueType::vaString);
        FOut += static_cast<char>(b.size());
      } else {
        Tag(TBinValueType::vaLString);
        U32(FOut, static_cast<uint32_t>(b.size()));
      }
      FOut += b;
      return;
    }
    case TFormStringForm::Wide: {
      std::u16string units = Utf8ToUtf16(v.Text);
      Tag(TBinValueType::vaWString);
      U32(FOut, static_cast<uint32_t>(units.size()));
      FOut.append(reinterpret_cast<const char*>(units.data()), units.size() * 2);
      return;
    }
    case TFormStringForm::UTF8:
      Tag(TBinValueType::vaUTF8String);
      U32(FOut, static_cast<uint32_t>(v.Text.size()));
      FOut += v.Text;
      return;
    }
  }

  const TFormDocument& FDoc;
  std::string FOut;
};

} // namespace

std::unique_ptr<TFormDocument> ParseFormBinary(std::string bytes, std::string fileName, const std::string& codePage) {
  auto doc = std::make_unique<TFormDocument>();
  doc->CodePage = codePage;
  doc->FileName = std::move(fileName);
  doc->Source = std::move(bytes);
  doc->Format = TFormFormat::Binary;
  doc->Encoding = TTextEncoding::CodePage;
  doc->LineEnd = "\r\n";
  TBinaryReader(*doc).Run();
  return doc;
}

std::string WriteFormBinary(const TFormDocument& doc, bool withHeader) { return TBinaryWriter(doc).Run(withHeader); }
