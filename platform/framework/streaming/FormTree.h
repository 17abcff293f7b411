#pragma once
// A form file as it was read: objects, their properties and values, with the
// spans of source text each element came from. Writing an element whose span
// is kept reproduces those bytes; an element without a span (new or changed)
// is formatted the way the host's writer formats it.
#include "streaming/FormPosition.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The host's binary value tags, in their stream order.
enum class TBinValueType : uint8_t {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary, vaSet,
  vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String, vaDouble,
};

// Nil is the empty reference (binary tag vaNil, text "nil"); Null is the null
// variant (binary tag vaNull, text "Null"). They are kept apart so that each
// is written back as it was read.
enum class TFormValueKind : uint8_t { Integer, Float, String, Ident, Nil, Null, True, False, Set, List, Binary, Collection };

// How a string's characters are held: bytes of the file's code page, UTF-16
// code units (the #n codes above 127), or raw UTF-8.
enum class TFormStringForm : uint8_t { Bytes, Wide, UTF8 };

struct TFormProperty;

struct TFormItem {
  std::optional<int64_t> Order;  // item [n]
  TBinValueType OrderType = TBinValueType::vaNull;  // its tag in a binary file; vaNull: the smallest that fits
  std::vector<TFormProperty> Properties;
};

struct TFormValue {
  TFormValueKind Kind = TFormValueKind::Integer;
  // The tag the value had in a binary file, or vaNull to choose when writing.
  TBinValueType BinType = TBinValueType::vaNull;
  TFormStringForm StringForm = TFormStringForm::Bytes;
  char FloatSuffix = 0;  // 0, 's' (single), 'd' (date) or 'c' (currency)
  int64_t Int = 0;
  long double Float = 0;
  std::string Text;   // identifier; string value in UTF-8
  std::string Bytes;  // string in Bytes form as stored; binary data; a binary float's payload
  std::vector<std::string> SetItems;
  std::vector<TFormValue> Items;       // list
  std::vector<TFormItem> CollectionItems;

  static TFormValue MakeInteger(int64_t v);
  static TFormValue MakeString(std::string utf8);
  static TFormValue MakeIdent(std::string name);
  static TFormValue MakeBool(bool v);
  static TFormValue MakeNil();
  static TFormValue MakeNull();
};

// The most bytes of tree nodes (objects, properties, values) a reader makes
// for a form file of inputSize bytes; a denser file is refused with the spot
// where it passed the budget. Strings and binary data are not counted: they
// are no longer than the text that holds them.
inline constexpr size_t FormNodeBytesPerInputByte = 32;
inline constexpr size_t FormNodeBytesFloor = size_t{1} << 20;
constexpr size_t FormNodeBudget(size_t inputSize) { return FormNodeBytesFloor + FormNodeBytesPerInputByte * inputSize; }

inline constexpr size_t NoSpan = static_cast<size_t>(-1);

struct TFormProperty {
  std::string Name;  // dotted: Font.Name, SQL.Strings
  TFormValue Value;
  // Source span: from the end of the previous element to the end of this
  // property's last line, line break included. NoSpan when formatted.
  size_t RawBegin = NoSpan;
  size_t RawEnd = NoSpan;
  uint32_t Offset = 0;  // where the name starts, for messages

  bool HasRaw() const { return RawBegin != NoSpan; }
  void DropRaw() { RawBegin = RawEnd = NoSpan; }
};

enum class TFormObjectKind : uint8_t { Object, Inherited, Inline };

struct TFormObject {
  TFormObjectKind Kind = TFormObjectKind::Object;
  std::string Name;
  std::string ClassName;
  std::optional<int64_t> ChildPos;  // [n]
  TBinValueType ChildPosType = TBinValueType::vaNull;  // its tag in a binary file; vaNull: the smallest that fits
  uint8_t BinPrefix = 0;  // the flags byte (F0..FF) before a binary object as read; 0: none
  std::vector<std::unique_ptr<TFormProperty>> Properties;
  std::vector<std::unique_ptr<TFormObject>> Children;

  size_t HeaderBegin = NoSpan, HeaderEnd = NoSpan;  // the header line
  size_t EndBegin = NoSpan, EndEnd = NoSpan;        // the "end" line
  int RawDepth = 0;    // nesting depth the spans were written at
  uint32_t Offset = 0; // where the header starts, for messages
};

enum class TFormFormat : uint8_t { Text, Binary };
enum class TTextEncoding : uint8_t { Ascii, Utf8, Utf8Bom, CodePage };

struct TFormDocument {
  std::string FileName;  // for messages
  std::string Source;    // the bytes read; spans point into them
  TFormFormat Format = TFormFormat::Text;
  TTextEncoding Encoding = TTextEncoding::Ascii;
  // The code page of 8-bit text and of binary byte strings; empty: Windows-1252.
  std::string CodePage;
  std::string LineEnd = "\r\n";
  // Binary files: the resource header that precedes the stream on disk.
  bool HasResourceHeader = false;
  std::string ResourceName;
  uint16_t ResourceFlags = 0x1030;
  std::unique_ptr<TFormObject> Root;
  size_t TrailerBegin = NoSpan;  // text after the final "end" line
  // Where each line of a text source starts; made on first need for a message.
  mutable std::optional<TLineIndex> Lines;
};
