#include "streaming/FormParser.h"

#include "streaming/FormEncoding.h"
#include "streaming/FormError.h"
#include "streaming/FormLexer.h"
#include "rtl/TextCompare.h"

#include <cmath>
#include <cstdlib>

namespace {

bool IsKeyword(const TFormToken& t, std::string_view word) {
  return t.Kind == TFormTokenKind::Ident && SameText(t.Text, word);
}

bool StartsObject(const TFormToken& t) {
  return IsKeyword(t, "object") || IsKeyword(t, "inherited") || IsKeyword(t, "inline");
}

bool IsDecimal(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

class TFormParser {
public:
  TFormParser(TFormDocument& doc, size_t start) : FDoc(doc), FSource(doc.Source), FLex(FSource, doc.FileName, start), FPrevEnd(0) {}

  void ParseDocument() {
    if (!StartsObject(Tok())) Expected("'object', 'inherited' or 'inline'");
    FDoc.Root = ParseObject(0);
    if (Tok().Kind != TFormTokenKind::End) FLex.Fail(Tok().Offset, "unexpected text after the final 'end'");
    FDoc.TrailerBegin = FPrevEnd;
  }

private:
  const TFormToken& Tok() const { return FLex.Current(); }

  [[noreturn]] void Expected(const std::string& what) {
    if (Tok().Kind == TFormTokenKind::End) FLex.Fail(Tok().Offset, "unexpected end of file, expected " + what);
    FLex.Fail(Tok().Offset, "expected " + what + ", found '" + std::string(Tok().Text.substr(0, 40)) + "'");
  }

  // A component name, a class name or its unit, and a set element are single
  // identifiers: the lexer reads "A.B" as one token, which only property
  // names and references may be, and which the binary form cannot hold in
  // these places.
  void RefuseDotted(const TFormToken& t, const std::string& what) {
    if (t.Text.find('.') != std::string_view::npos)
      FLex.Fail(t.Offset, what + " cannot contain '.': '" + std::string(t.Text.substr(0, 40)) + "'");
  }
  std::string_view Undotted(const std::string& what) {
    if (Tok().Kind != TFormTokenKind::Ident) Expected(what);
    RefuseDotted(Tok(), what);
    return Tok().Text;
  }

  void ExpectSymbol(char c) {
    if (!Tok().Is(c)) Expected(std::string("'") + c + "'");
    FLex.Next();
  }

  // The end of the line the last token stands on: blanks, then one line break.
  size_t LineEndAfterLast() const {
    size_t p = FLex.LastEnd();
    while (p < FSource.size() && (FSource[p] == ' ' || FSource[p] == '\t')) ++p;
    if (p < FSource.size() && FSource[p] == '\r') {
      ++p;
      if (p < FSource.size() && FSource[p] == '\n') ++p;
    } else if (p < FSource.size() && FSource[p] == '\n') {
      ++p;
    }
    return p;
  }

  // object = kind [name ':'] class ['[' integer ']'] {property} {object} 'end'
  // Deeper nesting than any form has would only exhaust the stack.
  static constexpr int MaxDepth = 500;

  // Each object, property, list item, collection item and set member is
  // charged at the size of its node before it is made, against a budget
  // proportional to the file: a file of short list items cannot make a tree
  // many times its size.
  void Charge(size_t at, size_t nodeBytes) {
    FCharged += nodeBytes;
    if (FCharged > FBudget) FLex.Fail(at, "more values than a file of this size can hold");
  }

  std::unique_ptr<TFormObject> ParseObject(int depth) {
    if (depth > MaxDepth) FLex.Fail(Tok().Offset, "objects nested too deeply");
    Charge(Tok().Offset, sizeof(TFormObject) + sizeof(std::unique_ptr<TFormObject>));
    auto obj = std::make_unique<TFormObject>();
    obj->Offset = Tok().Offset;
    obj->RawDepth = depth;
    obj->HeaderBegin = FPrevEnd;
    if (IsKeyword(Tok(), "inherited")) obj->Kind = TFormObjectKind::Inherited;
    else if (IsKeyword(Tok(), "inline")) obj->Kind = TFormObjectKind::Inline;
    FLex.Next();
    if (Tok().Kind != TFormTokenKind::Ident) Expected("a component name or class");
    // "object end" has neither name nor class, which the binary form cannot
    // hold: a nameless class there starts with the byte that ends a list.
    if (IsKeyword(Tok(), "end")) Expected("a component name or class");
    const TFormToken firstToken = Tok();
    std::string first(firstToken.Text);
    FLex.Next();
    RefuseDotted(firstToken, Tok().Is(':') ? "a component name" : "a class name");
    if (Tok().Is(':')) {
      FLex.Next();
      obj->Name = std::move(first);
      obj->ClassName = std::string(Undotted("a class name"));
      FLex.Next();
    } else {
      obj->ClassName = std::move(first);
    }
    if (Tok().Is('/')) {  // Unit/Class
      FLex.Next();
      size_t unitAt = Tok().Offset;
      obj->ClassName += "/" + std::string(Undotted("a class name after '/'"));
      if (obj->ClassName.size() > MaxIdentifierLength)
        FLex.Fail(unitAt, "a unit and class name longer than " + std::to_string(MaxIdentifierLength) + " bytes");
      FLex.Next();
    }
    if (Tok().Is('[')) {
      FLex.Next();
      if (Tok().Kind != TFormTokenKind::Integer) Expected("a child position");
      obj->ChildPos = ParseInteger(Tok());
      FLex.Next();
      ExpectSymbol(']');
    }
    obj->HeaderEnd = FPrevEnd = LineEndAfterLast();
    while (Tok().Kind == TFormTokenKind::Ident && !StartsObject(Tok()) && !IsKeyword(Tok(), "end"))
      obj->Properties.push_back(ParseProperty());
    while (StartsObject(Tok())) obj->Children.push_back(ParseObject(depth + 1));
    if (!IsKeyword(Tok(), "end")) {
      if (Tok().Kind == TFormTokenKind::End) {
        int line, column;
        FLex.Position(obj->Offset, line, column);
        FLex.Fail(Tok().Offset, "missing 'end' of the object started at line " + std::to_string(line));
      }
      Expected("a property, an object or 'end'");
    }
    ParseEnd(*obj);
    return obj;
  }

  void ParseEnd(TFormObject& obj) {
    obj.EndBegin = FPrevEnd;
    FLex.Next();
    obj.EndEnd = FPrevEnd = LineEndAfterLast();
  }

  std::unique_ptr<TFormProperty> ParseProperty() {
    Charge(Tok().Offset, sizeof(TFormProperty) + sizeof(std::unique_ptr<TFormProperty>));
    auto prop = std::make_unique<TFormProperty>();
    prop->Offset = Tok().Offset;
    prop->RawBegin = FPrevEnd;
    prop->Name = std::string(Tok().Text);
    FLex.Next();
    if (!Tok().Is('=')) Expected("'=' after property name");
    FLex.Next();
    ParseValue(prop->Value);
    prop->RawEnd = FPrevEnd = LineEndAfterLast();
    return prop;
  }

  int64_t ParseInteger(const TFormToken& t) {
    std::string text(t.Text);
    errno = 0;
    int64_t v = 0;
    if (text[0] == '$') {
      uint64_t u = std::strtoull(text.c_str() + 1, nullptr, 16);
      v = static_cast<int64_t>(u);
    } else {
      v = std::strtoll(text.c_str(), nullptr, 10);
    }
    if (errno == ERANGE) FLex.Fail(t.Offset, "integer out of range");
    return v;
  }

  void ParseValue(TFormValue& v) {
    const TFormToken& t = Tok();
    switch (t.Kind) {
    case TFormTokenKind::Integer:
      v.Kind = TFormValueKind::Integer;
      v.Int = ParseInteger(t);
      FLex.Next();
      return;
    case TFormTokenKind::Float: {
      v.Kind = TFormValueKind::Float;
      std::string text(t.Text);
      char last = static_cast<char>(text.back() | 0x20);
      if (last == 's' || last == 'd' || last == 'c') {
        v.FloatSuffix = last;
        text.pop_back();
      }
      v.Float = std::strtold(text.c_str(), nullptr);
      if (v.FloatSuffix == 'c') v.Float /= 10000;
      FLex.Next();
      return;
    }
    case TFormTokenKind::String: {
      bool utf8 = FDoc.Encoding != TTextEncoding::CodePage;
      DecodeFormString(t.Text, utf8, v, FDoc.CodePage);
      FLex.Next();
      // strexpr = string {'+' string}
      while (Tok().Is('+')) {
        FLex.Next();
        if (Tok().Kind != TFormTokenKind::String) Expected("a string after '+'");
        TFormValue more;
        DecodeFormString(Tok().Text, utf8, more, FDoc.CodePage);
        Concat(v, more);
        FLex.Next();
      }
      return;
    }
    case TFormTokenKind::Ident:
      if (SameText(t.Text, "True")) v.Kind = TFormValueKind::True;
      else if (SameText(t.Text, "False")) v.Kind = TFormValueKind::False;
      else if (SameText(t.Text, "nil")) v.Kind = TFormValueKind::Nil;
      else if (SameText(t.Text, "Null")) v.Kind = TFormValueKind::Null;
      else {
        v.Kind = TFormValueKind::Ident;
        v.Text = std::string(t.Text);
      }
      FLex.Next();
      return;
    case TFormTokenKind::Symbol:
      break;
    case TFormTokenKind::End:
      Expected("a value");
    }
    if (t.Is('[')) {
      // set = '[' [elem {',' elem}] ']'
      v.Kind = TFormValueKind::Set;
      FLex.Next();
      if (!Tok().Is(']')) {
        for (;;) {
          // An element is an enumeration's name or, in a set of numbers, a
          // decimal number: what the binary form holds as a set item.
          if (Tok().Kind == TFormTokenKind::Ident) RefuseDotted(Tok(), "a set element");
          else if (Tok().Kind != TFormTokenKind::Integer || !IsDecimal(Tok().Text)) Expected("a set element");
          Charge(Tok().Offset, sizeof(std::string));
          v.SetItems.emplace_back(Tok().Text);
          FLex.Next();
          if (Tok().Is(',')) {
            FLex.Next();
            continue;
          }
          break;
        }
      }
      ExpectSymbol(']');
    } else if (t.Is('(')) {
      v.Kind = TFormValueKind::List;
      if (++FValueDepth > MaxDepth) FLex.Fail(t.Offset, "values nested too deeply");
      FLex.Next();
      while (!Tok().Is(')')) {
        if (Tok().Kind == TFormTokenKind::End) Expected("')'");
        Charge(Tok().Offset, sizeof(TFormValue));
        // In the binary form Null's tag is the byte that ends a list.
        if (IsKeyword(Tok(), "Null")) FLex.Fail(Tok().Offset, "Null cannot be an item of a list");
        v.Items.emplace_back();
        ParseValue(v.Items.back());
      }
      --FValueDepth;
      FLex.Next();
    } else if (t.Is('{')) {
      v.Kind = TFormValueKind::Binary;
      v.Bytes = FLex.ScanBinary();
    } else if (t.Is('<')) {
      // collection = '<' {'item' ['[' n ']'] {property} 'end'} '>'
      v.Kind = TFormValueKind::Collection;
      if (++FValueDepth > MaxDepth) FLex.Fail(t.Offset, "values nested too deeply");
      FLex.Next();
      while (!Tok().Is('>')) {
        if (!IsKeyword(Tok(), "item")) Expected("'item' or '>'");
        Charge(Tok().Offset, sizeof(TFormItem));
        TFormItem item;
        FLex.Next();
        if (Tok().Is('[')) {
          FLex.Next();
          if (Tok().Kind != TFormTokenKind::Integer) Expected("an item index");
          item.Order = ParseInteger(Tok());
          FLex.Next();
          ExpectSymbol(']');
        }
        while (!IsKeyword(Tok(), "end")) {
          if (Tok().Kind != TFormTokenKind::Ident) Expected("a property or 'end'");
          Charge(Tok().Offset, sizeof(TFormProperty));
          TFormProperty p;
          p.Offset = Tok().Offset;
          p.Name = std::string(Tok().Text);
          FLex.Next();
          if (!Tok().Is('=')) Expected("'=' after property name");
          FLex.Next();
          ParseValue(p.Value);
          item.Properties.push_back(std::move(p));
        }
        FLex.Next();
        v.CollectionItems.push_back(std::move(item));
      }
      --FValueDepth;
      FLex.Next();
    } else {
      Expected("a value");
    }
  }

  static void Concat(TFormValue& v, TFormValue& more) {
    if (v.StringForm == more.StringForm && v.StringForm == TFormStringForm::Bytes) {
      // Bytes holds the code-page bytes only when they differ from Text.
      bool keep = !v.Bytes.empty() || !more.Bytes.empty();
      std::string bytes = keep ? (v.Bytes.empty() ? v.Text : v.Bytes) + (more.Bytes.empty() ? more.Text : more.Bytes) : "";
      v.Text += more.Text;
      v.Bytes = std::move(bytes);
      return;
    }
    // Mixed forms: the wider one wins.
    auto rank = [](TFormStringForm f) { return f == TFormStringForm::Wide ? 2 : f == TFormStringForm::UTF8 ? 1 : 0; };
    v.Text += more.Text;
    if (rank(more.StringForm) > rank(v.StringForm)) v.StringForm = more.StringForm;
    v.Bytes.clear();
  }

  TFormDocument& FDoc;
  std::string_view FSource;
  TFormLexer FLex;
  size_t FPrevEnd;
  int FValueDepth = 0;
  size_t FCharged = 0;
  size_t FBudget = FormNodeBudget(FSource.size());
};

} // namespace

std::unique_ptr<TFormDocument> ParseFormText(std::string source, std::string fileName, const std::string& codePage) {
  auto doc = std::make_unique<TFormDocument>();
  doc->CodePage = codePage;
  doc->FileName = std::move(fileName);
  doc->Source = std::move(source);
  doc->Format = TFormFormat::Text;
  std::string_view s = doc->Source;
  size_t start = 0;
  if (s.size() >= 3 && s.substr(0, 3) == "\xEF\xBB\xBF") {
    doc->Encoding = TTextEncoding::Utf8Bom;
    start = 3;
  } else {
    bool ascii = true;
    for (char c : s)
      if (static_cast<unsigned char>(c) >= 0x80) {
        ascii = false;
        break;
      }
    doc->Encoding = ascii ? TTextEncoding::Ascii : IsValidUtf8(s) ? TTextEncoding::Utf8 : TTextEncoding::CodePage;
  }
  size_t lf = s.find('\n');
  if (lf != std::string_view::npos) doc->LineEnd = lf > 0 && s[lf - 1] == '\r' ? "\r\n" : "\n";
  else if (s.find('\r') != std::string_view::npos) doc->LineEnd = "\r";
  TFormParser parser(*doc, start);
  parser.ParseDocument();
  return doc;
}

TFormValue TFormValue::MakeInteger(int64_t v) {
  TFormValue r;
  r.Kind = TFormValueKind::Integer;
  r.Int = v;
  return r;
}
TFormValue TFormValue::MakeString(std::string utf8) {
  TFormValue r;
  r.Kind = TFormValueKind::String;
  bool ascii = true;
  for (char c : utf8)
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
  r.StringForm = ascii ? TFormStringForm::Bytes : TFormStringForm::Wide;
  r.Text = std::move(utf8);
  return r;
}
TFormValue TFormValue::MakeIdent(std::string name) {
  TFormValue r;
  r.Kind = TFormValueKind::Ident;
  r.Text = std::move(name);
  return r;
}
TFormValue TFormValue::MakeBool(bool v) {
  TFormValue r;
  r.Kind = v ? TFormValueKind::True : TFormValueKind::False;
  return r;
}
TFormValue TFormValue::MakeNil() {
  TFormValue r;
  r.Kind = TFormValueKind::Nil;
  return r;
}
TFormValue TFormValue::MakeNull() {
  TFormValue r;
  r.Kind = TFormValueKind::Null;
  return r;
}
