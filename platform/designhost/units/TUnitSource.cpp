#include "designhost/units/TUnitSource.h"

#include "rtl/TextCompare.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <utility>
#include <fstream>
#include <sstream>

namespace {

bool IsVisibilityWord(const TPascalToken& t) {
  for (const char* w : {"private", "protected", "public", "published", "strict", "automated"})
    if (t.IsWord(w)) return true;
  return false;
}

bool IsMemberKeyword(const TPascalToken& t) {
  for (const char* w : {"procedure", "function", "constructor", "destructor", "class", "property", "operator", "type",
                        "const", "var", "threadvar", "resourcestring"})
    if (t.IsWord(w)) return true;
  return false;
}

class TTokenWalk {
public:
  explicit TTokenWalk(const std::vector<TPascalToken>& tokens) : T(tokens) {}

  const TPascalToken* At(size_t i) const { return i < T.size() ? &T[i] : nullptr; }

  // After an opening parenthesis or bracket at i: the index after its match.
  size_t SkipGroup(size_t i) const {
    char open = T[i].Text[0], close = open == '(' ? ')' : ']';
    int depth = 0;
    for (; i < T.size(); ++i) {
      if (T[i].Is(open)) ++depth;
      else if (T[i].Is(close) && --depth == 0) return i + 1;
    }
    return T.size();
  }

  // Whether the token at i opens a block that an "end" closes: a record, or
  // a class, object or interface type with a body (not "class of", not a
  // forward declaration "TFoo = class;" or "TFoo = class(TBar);").
  bool OpensBlock(size_t i) const {
    const TPascalToken& t = T[i];
    if (t.IsWord("record")) return true;
    if (!t.IsWord("class") && !t.IsWord("object") && !t.IsWord("interface") && !t.IsWord("dispinterface")) return false;
    size_t p = i;
    if (p > 0 && T[p - 1].IsWord("packed")) --p;
    if (p == 0 || !T[p - 1].Is('=')) return false;
    size_t j = i + 1;
    while (j < T.size() && (T[j].IsWord("sealed") || T[j].IsWord("abstract"))) ++j;
    if (j < T.size() && T[j].IsWord("helper")) {
      j += 2;  // helper for
      while (j + 1 < T.size() && T[j + 1].Is('.')) j += 2;
      ++j;
    }
    if (j < T.size() && T[j].Is('(')) j = SkipGroup(j);
    if (j >= T.size()) return false;
    return !T[j].Is(';') && !T[j].IsWord("of");
  }

  // From i, the index of the ';' that ends the declaration at block depth 0
  // and outside parentheses and brackets; stopAtEnd: an "end" at depth 0
  // ends it too (the member list's end), and its index is returned.
  size_t DeclarationEnd(size_t i) const {
    int depth = 0;
    for (; i < T.size(); ++i) {
      const TPascalToken& t = T[i];
      if (t.Is('(') || t.Is('[')) {
        i = SkipGroup(i) - 1;
        continue;
      }
      if (OpensBlock(i)) ++depth;
      else if (t.IsWord("end")) {
        if (depth == 0) return i;
        --depth;
      } else if (t.Is(';') && depth == 0) {
        return i;
      }
    }
    return T.size();
  }

  const std::vector<TPascalToken>& T;
};

} // namespace

const TUnitFieldDeclaration* TUnitClassDeclaration::FindField(std::string_view name) const {
  for (const TUnitFieldDeclaration& f : Fields)
    for (const auto& n : f.Names)
      if (SameText(n.Text, name)) return &f;
  return nullptr;
}

TUnitSource::TUnitSource(std::string bytes, std::string fileName) : FBytes(std::move(bytes)), FFileName(std::move(fileName)) {
  size_t lf = FBytes.find('\n');
  if (lf != std::string::npos) FLineEnd = lf > 0 && FBytes[lf - 1] == '\r' ? "\r\n" : "\n";
  else if (FBytes.find('\r') != std::string::npos) FLineEnd = "\r";
  Parse(ScanPascal(FBytes, FFileName));
}

TUnitSource TUnitSource::LoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EInOutError("cannot open '" + path + "': " + std::strerror(errno));
  std::stringstream buffer;
  buffer << in.rdbuf();
  return TUnitSource(buffer.str(), path);
}

void TUnitSource::Parse(std::vector<TPascalToken> tokens) {
  FTokens = std::move(tokens);
  FClasses.clear();
  FUsesToken.reset();
  FUsesEndToken.reset();
  FInterfaceToken.reset();
  const auto& T = FTokens;
  TTokenWalk walk(T);
  size_t start = 0, end = T.size();
  for (size_t i = 0; i < T.size(); ++i) {
    if (!FInterfaceToken && T[i].IsWord("interface") && (i == 0 || !T[i - 1].Is('='))) {
      FInterfaceToken = i;
      start = i + 1;
    } else if (T[i].IsWord("implementation")) {
      end = i;
      break;
    }
  }
  if (start < end && T[start].IsWord("uses")) {
    FUsesToken = start;
    for (size_t i = start + 1; i < end; ++i)
      if (T[i].Is(';')) {
        FUsesEndToken = i;
        break;
      }
  }
  int depth = 0;
  for (size_t i = start; i < end; ++i) {
    const TPascalToken& t = T[i];
    if (t.IsWord("end")) {
      if (depth > 0) --depth;
      continue;
    }
    if (!walk.OpensBlock(i)) continue;
    ++depth;
    if (depth != 1 || !t.IsWord("class")) continue;
    // "Name = [packed] class[(Ancestor, ...)]": a top-level class with a body.
    size_t eq = i - 1;
    if (T[eq].IsWord("packed")) --eq;
    if (eq == 0 || T[eq - 1].Kind != TPascalTokenKind::Ident) continue;
    TUnitClassDeclaration d;
    d.Name = std::string(T[eq - 1].Text);
    d.NameOffset = T[eq - 1].Offset;
    size_t j = i + 1;
    while (j < end && (T[j].IsWord("sealed") || T[j].IsWord("abstract"))) ++j;
    d.BodyBegin = T[j - 1].End();
    if (j < end && T[j].Is('(')) {
      size_t close = walk.SkipGroup(j);
      for (size_t k = j + 1; k + 1 < close && !T[k].Is(','); ++k) d.Ancestor += std::string(T[k].Text);
      d.BodyBegin = T[close - 1].End();
      j = close;
    }
    // The members, up to the class's own "end".
    bool published = true;
    while (j < end) {
      const TPascalToken& m = T[j];
      if (m.IsWord("end")) break;
      if (IsVisibilityWord(m)) {
        if (published) d.PublishedEnd = m.Offset;
        published = false;
        ++j;
        continue;
      }
      if (m.Is('[')) {
        j = walk.SkipGroup(j);
        continue;
      }
      if (m.IsWord("var")) {
        ++j;
        continue;
      }
      size_t declEnd = walk.DeclarationEnd(j);
      if (declEnd >= end) {
        j = declEnd;
        break;
      }
      if (published && m.Kind == TPascalTokenKind::Ident && !IsMemberKeyword(m) && !IsPascalReservedWord(m.Text)) {
        // "A, B: TType;"
        TUnitFieldDeclaration f;
        size_t k = j;
        while (k < declEnd && T[k].Kind == TPascalTokenKind::Ident) {
          f.Names.push_back({std::string(T[k].Text), T[k].Offset});
          if (k + 1 < declEnd && T[k + 1].Is(',')) k += 2;
          else break;
        }
        if (k + 1 < declEnd && T[k + 1].Is(':')) {
          size_t typeBegin = T[k + 2].Offset;
          f.TypeName = FBytes.substr(typeBegin, T[declEnd - 1].End() - typeBegin);
          f.Begin = m.Offset;
          f.End = T[declEnd].End();
          if (T[declEnd].Is(';')) d.Fields.push_back(std::move(f));
        }
      }
      if (T[declEnd].IsWord("end")) {
        j = declEnd;
        break;
      }
      j = declEnd + 1;
    }
    if (j >= end) continue;  // no "end": not a declaration this host understands
    d.End = T[j].Offset;
    if (published) d.PublishedEnd = d.End;
    FClasses.push_back(std::move(d));
    // The class's own "end" is consumed here.
    --depth;
    i = j;
  }
}

const TUnitClassDeclaration* TUnitSource::FindClass(std::string_view className) const {
  for (const TUnitClassDeclaration& d : FClasses)
    if (SameText(d.Name, className)) return &d;
  return nullptr;
}

const TUnitClassDeclaration& TUnitSource::RequireClass(std::string_view className) const {
  if (const TUnitClassDeclaration* d = FindClass(className)) return *d;
  throw EUnitError(FFileName + ": no declaration of class " + std::string(className));
}

std::vector<std::string> TUnitSource::InterfaceUses() const {
  std::vector<std::string> names;
  if (!FUsesToken || !FUsesEndToken) return names;
  std::string current;
  bool inPath = false;
  for (size_t i = *FUsesToken + 1; i <= *FUsesEndToken; ++i) {
    const TPascalToken& t = FTokens[i];
    if (t.Is(',') || t.Is(';')) {
      if (!current.empty()) names.push_back(current);
      current.clear();
      inPath = false;
    } else if (t.IsWord("in")) {
      inPath = true;
    } else if (!inPath && (t.Kind == TPascalTokenKind::Ident || t.Is('.'))) {
      current += std::string(t.Text);
    }
  }
  return names;
}

size_t TUnitSource::LineStart(size_t offset) const {
  while (offset > 0 && FBytes[offset - 1] != '\n' && FBytes[offset - 1] != '\r') --offset;
  return offset;
}

size_t TUnitSource::NextLineStart(size_t offset) const {
  while (offset < FBytes.size() && FBytes[offset] != '\n' && FBytes[offset] != '\r') ++offset;
  if (offset < FBytes.size() && FBytes[offset] == '\r') ++offset;
  if (offset < FBytes.size() && FBytes[offset] == '\n' && (offset == 0 || FBytes[offset - 1] != '\r' || FLineEnd != "\r"))
    ++offset;
  return offset;
}

std::string TUnitSource::IndentOf(size_t offset) const {
  size_t begin = LineStart(offset), end = begin;
  while (end < FBytes.size() && (FBytes[end] == ' ' || FBytes[end] == '\t')) ++end;
  return FBytes.substr(begin, end - begin);
}

bool TUnitSource::OnlyBlanks(size_t begin, size_t end) const {
  for (size_t i = begin; i < end; ++i)
    if (FBytes[i] != ' ' && FBytes[i] != '\t') return false;
  return true;
}

bool TUnitSource::OnlyBlanksAndComments(size_t begin, size_t end) const {
  std::string_view rest = std::string_view(FBytes).substr(begin, end - begin);
  while (!rest.empty()) {
    if (rest[0] == ' ' || rest[0] == '\t') rest.remove_prefix(1);
    else if (rest.substr(0, 2) == "//") return true;
    else if (rest[0] == '{' && rest.find('}') != std::string_view::npos) rest.remove_prefix(rest.find('}') + 1);
    else if (rest.substr(0, 2) == "(*" && rest.find("*)") != std::string_view::npos) rest.remove_prefix(rest.find("*)") + 2);
    else return false;
  }
  return true;
}

void TUnitSource::TakeBytes(std::string bytes) {
  std::string before = std::exchange(FBytes, std::move(bytes));
  try {
    Parse(ScanPascal(FBytes, FFileName));
  } catch (...) {
    FBytes = std::move(before);
    Parse(ScanPascal(FBytes, FFileName));
    throw;
  }
}

void TUnitSource::Replace(size_t begin, size_t end, const std::string& text) {
  std::string before = FBytes;
  FBytes.replace(begin, end - begin, text);
  try {
    // Only the tokens around the edit are scanned again; a form's unit
    // takes an edit per converted component.
    Parse(RescanPascal(FBytes, FFileName, FTokens, begin, end, text.size()));
  } catch (...) {
    FBytes = std::move(before);
    Parse(ScanPascal(FBytes, FFileName));
    throw;
  }
}

bool TUnitSource::AddField(std::string_view className, const std::string& fieldName, const std::string& typeName) {
  const TUnitClassDeclaration& d = RequireClass(className);
  if (d.FindField(fieldName)) return false;
  std::string declaration = fieldName + ": " + typeName + ";";
  // New fields go after the last one, indented as it is; in a class without
  // fields, on the line after the class header.
  size_t at;
  std::string indent;
  if (!d.Fields.empty()) {
    at = NextLineStart(d.Fields.back().End);
    indent = IndentOf(d.Fields.back().Begin);
  } else {
    at = NextLineStart(d.BodyBegin);
    if (at > d.PublishedEnd) {
      Replace(d.BodyBegin, d.BodyBegin, " " + declaration);
      return true;
    }
    indent = IndentOf(d.NameOffset) + "  ";
    for (const TPascalToken& t : FTokens)
      if (t.Offset >= at && t.Offset < d.End) {
        if (OnlyBlanks(LineStart(t.Offset), t.Offset) && !IsVisibilityWord(t) && !t.IsWord("end"))
          indent = IndentOf(t.Offset);
        break;
      }
  }
  std::string text = indent + declaration + FLineEnd;
  // A unit whose last line has no line break.
  if (at == FBytes.size() && at > 0 && FBytes.back() != '\n' && FBytes.back() != '\r') text = FLineEnd + indent + declaration;
  Replace(at, at, text);
  return true;
}

bool TUnitSource::RenameField(std::string_view className, std::string_view oldName, const std::string& newName) {
  const TUnitClassDeclaration& d = RequireClass(className);
  const TUnitFieldDeclaration* f = d.FindField(oldName);
  if (!f) return false;
  for (const auto& n : f->Names)
    if (SameText(n.Text, oldName)) {
      if (n.Text == newName) return false;
      Replace(n.Offset, n.Offset + n.Text.size(), newName);
      return true;
    }
  return false;
}

bool TUnitSource::SetFieldType(std::string_view className, std::string_view fieldName, const std::string& typeName) {
  const TUnitClassDeclaration& d = RequireClass(className);
  const TUnitFieldDeclaration* f = d.FindField(fieldName);
  if (!f || f->TypeName == typeName) return false;
  if (f->Names.size() > 1) {
    std::string name;
    for (const auto& n : f->Names)
      if (SameText(n.Text, fieldName)) name = n.Text;
    RemoveField(className, fieldName);
    AddField(className, name, typeName);
    return true;
  }
  // The type is the first token after the ':' that follows the name.
  const auto& n = f->Names.front();
  for (size_t i = 0; i < FTokens.size(); ++i) {
    const TPascalToken& t = FTokens[i];
    if (t.Offset < n.Offset + n.Text.size() || t.Offset >= f->End) continue;
    if (!t.Is(':') || i + 1 >= FTokens.size()) continue;
    // A qualified type ("DBTables.TQuery") is replaced whole.
    size_t last = i + 1;
    while (last + 2 < FTokens.size() && FTokens[last + 1].Is('.') && FTokens[last + 2].Kind == TPascalTokenKind::Ident)
      last += 2;
    Replace(FTokens[i + 1].Offset, FTokens[last].End(), typeName);
    return true;
  }
  return false;
}

const TUnitClassDeclaration* TUnitSource::OtherClassNamed(std::string_view newClass, std::string_view oldClass) const {
  for (const auto& d : FClasses)
    if (SameText(d.Name, newClass) && !SameText(d.Name, oldClass)) return &d;
  return nullptr;
}

std::vector<int> TUnitSource::RenameFormClass(std::string_view oldClass, const std::string& newClass,
                                              std::string_view oldVariable, const std::string& newVariable) {
  if (const TUnitClassDeclaration* other = OtherClassNamed(newClass, oldClass)) {
    int line = 0, column = 0;
    PascalPosition(FBytes, other->NameOffset, line, column);
    throw EUnitError(FFileName + ":" + std::to_string(line) + ":" + std::to_string(column) + ": the unit declares " +
                     other->Name + " already");
  }
  auto inClass = [&](size_t offset) {
    for (const auto& d : FClasses)
      if (offset >= d.NameOffset && offset < d.End) return true;
    return false;
  };
  struct TEdit {
    size_t Offset, Length;
    const std::string* Text;
  };
  std::vector<TEdit> edits;
  const auto& T = FTokens;
  for (size_t i = 0; i < T.size(); ++i) {
    if (T[i].Kind != TPascalTokenKind::Ident) continue;
    if (SameText(T[i].Text, oldClass)) {
      if (T[i].Text != newClass) edits.push_back({T[i].Offset, T[i].Text.size(), &newClass});
    } else if (!oldVariable.empty() && SameText(T[i].Text, oldVariable) && i + 3 < T.size() && T[i + 1].Is(':') &&
               T[i + 2].Kind == TPascalTokenKind::Ident && SameText(T[i + 2].Text, oldClass) &&
               (T[i + 3].Is(';') || T[i + 3].Is('=')) &&
               !inClass(T[i].Offset) && T[i].Text != newVariable) {
      edits.push_back({T[i].Offset, T[i].Text.size(), &newVariable});
    }
  }
  std::vector<int> lines;
  if (edits.empty()) return lines;
  for (const TEdit& e : edits) {
    int line = 0, column = 0;
    PascalPosition(FBytes, e.Offset, line, column);
    if (lines.empty() || lines.back() != line) lines.push_back(line);
  }
  std::string renamed = FBytes;
  for (auto it = edits.rbegin(); it != edits.rend(); ++it) renamed.replace(it->Offset, it->Length, *it->Text);
  TakeBytes(std::move(renamed));
  return lines;
}

std::vector<int> TUnitSource::RenameInMethods(std::string_view className, std::string_view oldName,
                                              const std::string& newName) {
  const auto& T = FTokens;
  TTokenWalk walk(T);
  size_t i = 0;
  while (i < T.size() && !T[i].IsWord("implementation")) ++i;
  // The routines being read, innermost last: whether each is one of the
  // class's methods or local to one. The blocks open: 'M' a routine's own
  // begin (or asm), 'r' a record or class type, 'b' any other.
  std::vector<bool> routines;
  std::vector<char> blocks;
  std::vector<size_t> renamed;
  auto isRoutineWord = [](const TPascalToken& t) {
    return t.IsWord("procedure") || t.IsWord("function") || t.IsWord("constructor") || t.IsWord("destructor") ||
           t.IsWord("operator");
  };
  for (++i; i < T.size(); ++i) {
    const TPascalToken& t = T[i];
    if (blocks.empty() && (t.IsWord("initialization") || t.IsWord("finalization") ||
                           (t.IsWord("end") && i + 1 < T.size() && T[i + 1].Is('.'))))
      break;
    if (t.IsWord("end")) {
      if (blocks.empty()) continue;
      char closed = blocks.back();
      blocks.pop_back();
      if (closed == 'M' && !routines.empty()) routines.pop_back();
      continue;
    }
    if (blocks.empty() && isRoutineWord(t) && !(i > 0 && (T[i - 1].Is('=') || T[i - 1].Is(':')))) {
      bool method = i + 2 < T.size() && SameText(T[i + 1].Text, className) && T[i + 2].Is('.');
      // A heading declared forward or external has no body to read.
      bool bodiless = false;
      for (size_t k = i + 1; k < T.size() && k < i + 64; ++k) {
        if (T[k].Is('(')) k = walk.SkipGroup(k) - 1;
        else if (T[k].IsWord("forward") || T[k].IsWord("external")) bodiless = true;
        else if (T[k].IsWord("begin") || T[k].IsWord("asm") || T[k].IsWord("var") || T[k].IsWord("const") ||
                 T[k].IsWord("type") || T[k].IsWord("label") || (k > i + 1 && isRoutineWord(T[k])))
          break;
      }
      if (!bodiless) routines.push_back(method || (!routines.empty() && routines.back()));
      continue;
    }
    if (t.IsWord("begin") || t.IsWord("asm")) {
      blocks.push_back(blocks.empty() && !routines.empty() ? 'M' : 'b');
      continue;
    }
    if (t.IsWord("try") || (t.IsWord("case") && (blocks.empty() || blocks.back() != 'r'))) {
      blocks.push_back('b');
      continue;
    }
    if (walk.OpensBlock(i)) {
      blocks.push_back('r');
      continue;
    }
    bool inStatements = std::find(blocks.begin(), blocks.end(), 'M') != blocks.end();
    if (!inStatements || routines.empty() || !routines.back()) continue;
    if (t.Kind != TPascalTokenKind::Ident || !SameText(t.Text, oldName) || t.Text == newName) continue;
    bool qualified = i > 0 && T[i - 1].Is('.');
    if (qualified && !(i > 1 && T[i - 2].IsWord("Self"))) continue;
    renamed.push_back(i);
  }
  std::vector<int> lines;
  if (renamed.empty()) return lines;
  std::string bytes = FBytes;
  for (auto it = renamed.rbegin(); it != renamed.rend(); ++it) bytes.replace(T[*it].Offset, T[*it].Text.size(), newName);
  for (size_t k : renamed) {
    int line = 0, column = 0;
    PascalPosition(FBytes, T[k].Offset, line, column);
    if (lines.empty() || lines.back() != line) lines.push_back(line);
  }
  TakeBytes(std::move(bytes));
  return lines;
}

std::vector<TUnitSource::TMention> TUnitSource::FindNames(const std::vector<std::string>& names,
                                                          std::string_view className) const {
  std::vector<TMention> mentions;
  const TUnitClassDeclaration* d = FindClass(className);
  auto inDeclaration = [&](size_t offset) {
    if (!d) return false;
    for (const auto& f : d->Fields)
      if (offset >= f.Begin && offset < f.End) return true;
    return false;
  };
  for (const TPascalToken& t : FTokens) {
    if (t.Kind != TPascalTokenKind::Ident || inDeclaration(t.Offset)) continue;
    for (const std::string& name : names)
      if (SameText(t.Text, name)) {
        int line = 0, column = 0;
        PascalPosition(FBytes, t.Offset, line, column);
        mentions.push_back({line, std::string(t.Text)});
        break;
      }
  }
  return mentions;
}

bool TUnitSource::RemoveField(std::string_view className, std::string_view fieldName) {
  const TUnitClassDeclaration& d = RequireClass(className);
  const TUnitFieldDeclaration* f = d.FindField(fieldName);
  if (!f) return false;
  if (f->Names.size() == 1) {
    size_t lineStart = LineStart(f->Begin), next = NextLineStart(f->End);
    size_t lineEnd = f->End;
    while (lineEnd < FBytes.size() && FBytes[lineEnd] != '\n' && FBytes[lineEnd] != '\r') ++lineEnd;
    // The declaration's own line goes whole, with a comment that follows it
    // on that line; one that shares its line with code loses the
    // declaration and the blanks after it.
    if (OnlyBlanks(lineStart, f->Begin) && OnlyBlanksAndComments(f->End, lineEnd)) {
      Replace(lineStart, next, "");
    } else {
      size_t end = f->End;
      while (end < lineEnd && (FBytes[end] == ' ' || FBytes[end] == '\t')) ++end;
      Replace(f->Begin, end, "");
    }
    return true;
  }
  // "A, B: TType;": the name and the comma that joins it to its neighbour.
  for (size_t i = 0; i < f->Names.size(); ++i) {
    const auto& n = f->Names[i];
    if (!SameText(n.Text, fieldName)) continue;
    if (i + 1 < f->Names.size()) Replace(n.Offset, f->Names[i + 1].Offset, "");
    else Replace(f->Names[i - 1].Offset + f->Names[i - 1].Text.size(), n.Offset + n.Text.size(), "");
    return true;
  }
  return false;
}

bool TUnitSource::AddUses(const std::string& unitName) {
  for (const std::string& name : InterfaceUses())
    if (SameText(name, unitName)) return false;
  if (!FUsesToken || !FUsesEndToken) {
    if (!FInterfaceToken) throw EUnitError(FFileName + ": no interface part");
    size_t at = NextLineStart(FTokens[*FInterfaceToken].End());
    Replace(at, at, FLineEnd + "uses" + FLineEnd + "  " + unitName + ";" + FLineEnd);
    return true;
  }
  size_t endToken = *FUsesEndToken;
  if (endToken == *FUsesToken + 1) {  // "uses ;"
    Replace(FTokens[endToken].Offset, FTokens[endToken].Offset, " " + unitName);
    return true;
  }
  size_t lastEnd = FTokens[endToken - 1].End();
  size_t entry = endToken - 1;
  while (entry > *FUsesToken + 1 && !FTokens[entry - 1].Is(',')) --entry;
  size_t entryOffset = FTokens[entry].Offset;
  size_t lineStart = LineStart(entryOffset);
  std::string indent = IndentOf(entryOffset);
  std::string lead = FBytes.substr(lineStart + indent.size(), entryOffset - lineStart - indent.size());
  std::string text;
  if (!lead.empty() && lead[0] == ',') {
    // One unit a line, each after a leading comma.
    text = FLineEnd + indent + lead + unitName;
  } else if (lastEnd - lineStart + 2 + unitName.size() + 1 > 80) {
    if (LineStart(FTokens[*FUsesToken].Offset) == lineStart) indent += "  ";
    text = "," + FLineEnd + indent + unitName;
  } else {
    text = ", " + unitName;
  }
  Replace(lastEnd, lastEnd, text);
  return true;
}
