#pragma once
// The class declarations "TName = class(TParent" that Pascal units make,
// read well enough to tell which classes descend from which: comments and
// string literals are skipped, everything else is left to the compiler.
#include <map>
#include <string>
#include <vector>

struct TDeclaredClass {
  std::string Parent;  // as written
  std::string Unit;    // the unit file that declares it
  int Line = 0;
};

// Class name (upper case) to its declaration, over the given unit files;
// files that cannot be read are passed over. The first declaration wins.
class TUnitClassParents {
public:
  void AddUnitFile(const std::string& path);
  void AddUnitText(const std::string& text, const std::string& path);
  const TDeclaredClass* Find(const std::string& className) const;
  // The chain of ancestors of className, nearest first, as far as the units
  // declare them (a cycle stops the walk).
  std::vector<std::string> Ancestors(const std::string& className) const;

private:
  std::map<std::string, TDeclaredClass> FClasses;
};
