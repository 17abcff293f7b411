#pragma once
// Conversion between the values of a form file and the published properties
// of components, both ways: what a file's value means for a property of a
// given type, and how a property's current value is written.
#include "classes/TypInfo.h"
#include "streaming/FormTree.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TComponent;
class TObject;
class TPersistent;

bool IsBooleanType(const TTypeInfo& type);
bool IsOrdinalKind(TTypeKind kind);
// Whether a component keeps its place on the form in its design information
// (a non-visual component: no Left property of its own).
bool HasDesignPosition(const TComponent& component);
// "Unit/TClass" names the class TClass.
std::string ShortClassName(const std::string& name);
std::string LowerName(std::string_view name);

// A scalar value from the file as a property of type takes it (integers,
// characters, enumerations, booleans, floats, strings, sets). False when the
// value does not fit the type; for a set, badItem (when given) then names the
// member that is not one of the type's (or lies past bit 63).
bool ConvertFormValue(const TTypeInfo& type, const TFormValue& value, TValue& out, std::string* badItem = nullptr);

// A non-visual component's place on the form: left in the low word of its
// design information, top in the high word.
void SetDesignPosition(TComponent& component, bool left, int64_t value);

struct TNamedValue {
  std::string Name;  // as the file names it: SQL.Strings for a string list
  TFormValue Value;
};

// The property as a form file stores it; none when it is not stored (its
// default, empty, or not stored by its class's rule). References are named
// from lookupRoot.
std::optional<TNamedValue> StoredValue(const TObject& object, const TPropInfo& prop, const TComponent* lookupRoot);
// The plain persistent object a class property holds (Constraints, Font),
// whose own published properties a form file stores as dotted names
// ("Constraints.MaxHeight"); none for components, string lists, collections
// and empty or unreadable values.
TPersistent* SubObject(const TObject& object, const TPropInfo& prop);
// A property reached through sub-objects: the object that holds it, the
// property, and its name as a form file writes it ("Font.Name").
struct TPropertyPath {
  TObject* Object = nullptr;
  const TPropInfo* Prop = nullptr;
  std::string Name;
};
// Resolves a dotted name on object through its sub-objects; none when a part
// is missing, not a sub-object, or when the name has no dot.
std::optional<TPropertyPath> ResolvePropertyPath(const TObject& object, std::string_view name);
// The properties of prop's sub-object and of the sub-objects within it,
// depth first in declaration order; empty when prop holds no sub-object.
std::vector<TPropertyPath> SubProperties(const TObject& object, const TPropInfo& prop);
// The property a path reaches as a form file stores it, named with the path
// ("Constraints.MaxHeight"); none when it is not stored.
std::optional<TNamedValue> StoredValue(const TPropertyPath& path, const TComponent* lookupRoot);
// Left or Top of a component's design position; none when zero.
std::optional<TNamedValue> DesignValue(const TComponent& component, bool left);
// The name by which a form file refers to target from lookupRoot.
std::string ReferencePath(const TComponent* target, const TComponent* lookupRoot);

// In a file of an 8-bit code page, new text goes in as that code page's
// bytes, as the file's own writer put it; characters it lacks stay wide (#n).
void AdaptStrings(TFormValue& value, bool codePageFile, const std::string& codePage);
