#pragma once
// The Pascal unit beside a form file, as the design host edits it: the form
// class's field declarations in its published part and the interface uses
// clause. Every edit changes only the bytes it must; the rest of the unit
// (code, comments, layout, line ends, code page) stays as it was read.
#include "designhost/units/PascalLexer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One declaration "A, B: TType;" of the published part.
struct TUnitFieldDeclaration {
  struct TName {
    std::string Text;
    size_t Offset = 0;
  };
  std::vector<TName> Names;
  std::string TypeName;
  size_t Begin = 0;  // the first name
  size_t End = 0;    // after the ';'
};

struct TUnitClassDeclaration {
  std::string Name;
  std::string Ancestor;     // the first name in the parentheses; empty without
  size_t NameOffset = 0;
  size_t BodyBegin = 0;     // after "class" or its parenthesised ancestors
  size_t PublishedEnd = 0;  // the first visibility keyword, or the closing "end"
  size_t End = 0;           // the closing "end"
  // Fields of the implicit published part, before the first private,
  // protected, public, published, strict or automated.
  std::vector<TUnitFieldDeclaration> Fields;

  const TUnitFieldDeclaration* FindField(std::string_view name) const;
};

class TUnitSource {
public:
  // Reads the unit's bytes; raises EUnitError when they cannot be scanned.
  TUnitSource(std::string bytes, std::string fileName);
  // Raises EInOutError when the file cannot be read.
  static TUnitSource LoadFromFile(const std::string& path);

  const std::string& FileName() const { return FFileName; }
  const std::string& Bytes() const { return FBytes; }
  // "\r\n" or "\n", as the unit's first line ends.
  const std::string& LineEnd() const { return FLineEnd; }

  // The top-level class declarations of the interface part, in order.
  const std::vector<TUnitClassDeclaration>& Classes() const { return FClasses; }
  const TUnitClassDeclaration* FindClass(std::string_view className) const;
  // The units of the interface uses clause.
  std::vector<std::string> InterfaceUses() const;

  // Each edit returns whether the unit changed. Raises EUnitError when the
  // class is not declared in the unit.
  bool AddField(std::string_view className, const std::string& fieldName, const std::string& typeName);
  bool RenameField(std::string_view className, std::string_view oldName, const std::string& newName);
  bool RemoveField(std::string_view className, std::string_view fieldName);
  // Adds unitName to the interface uses clause unless it is there already.
  bool AddUses(const std::string& unitName);
  // Gives the field another type; a field declared with others ("A, B:
  // TType;") leaves their declaration for one of its own.
  bool SetFieldType(std::string_view className, std::string_view fieldName, const std::string& typeName);

  // The form class and the form's global variable take new names, as a
  // renamed form's do: every mention of the class as an identifier (its
  // declaration, a descendant's ancestor, the methods' "TOld.Method"
  // headings; never inside strings or comments), and the declaration
  // "OldVariable: TOld;" (or "... = nil;") of the global variable outside the classes (none
  // when oldVariable is empty). Returns the lines changed, from 1. Raises
  // EUnitError, changing nothing, when newClass names another class of the
  // unit.
  std::vector<int> RenameFormClass(std::string_view oldClass, const std::string& newClass, std::string_view oldVariable,
                                   const std::string& newVariable);
  // A component renamed in the code of className's methods (and the
  // routines local to them) in the implementation: each identifier oldName
  // (as Pascal reads identifiers, ignoring case) in their statements, alone
  // or after "Self.", takes newName; "Other.OldName", strings, comments and
  // declarations stay. Returns the lines changed, from 1.
  std::vector<int> RenameInMethods(std::string_view className, std::string_view oldName, const std::string& newName);
  // The class of that name that is not oldClass: what makes RenameFormClass refuse.
  const TUnitClassDeclaration* OtherClassNamed(std::string_view newClass, std::string_view oldClass) const;

  // Where the unit names any of names (ignoring case) outside the field
  // declarations of className's published part: line (from 1) and name as
  // written, in order.
  struct TMention {
    int Line = 0;
    std::string Name;
  };
  std::vector<TMention> FindNames(const std::vector<std::string>& names, std::string_view className) const;

private:
  // Takes the tokens of FBytes and finds the declarations in them.
  void Parse(std::vector<TPascalToken> tokens);
  void Replace(size_t begin, size_t end, const std::string& text);
  // Takes bytes edited in several places at once and scans them whole; on a
  // scan error the unit stays as it was and the error goes on.
  void TakeBytes(std::string bytes);
  const TUnitClassDeclaration& RequireClass(std::string_view className) const;
  size_t LineStart(size_t offset) const;
  // After the line break that ends offset's line (or the end of the bytes).
  size_t NextLineStart(size_t offset) const;
  std::string IndentOf(size_t offset) const;
  bool OnlyBlanks(size_t begin, size_t end) const;
  // Blanks and comments that close on the line only.
  bool OnlyBlanksAndComments(size_t begin, size_t end) const;

  std::string FBytes;
  std::string FFileName;
  std::string FLineEnd = "\r\n";
  std::vector<TPascalToken> FTokens;
  std::vector<TUnitClassDeclaration> FClasses;
  // The interface uses clause: the "uses" token and its ';', when present.
  std::optional<size_t> FUsesToken, FUsesEndToken;
  std::optional<size_t> FInterfaceToken;
};
