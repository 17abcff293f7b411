#pragma once
// Canonical snapshots of a component's stored properties: one text per
// property (lower-case name to "Name=value", or a marker for "not stored"),
// so that a save can tell which properties changed since the file was read
// or last written.
#include "streaming/FormTree.h"

#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class TClassInfo;
class TComponent;
struct TNamedValue;
struct TPropInfo;

// Looked up by key only, many times a save: hashed.
using TComponentSnapshot = std::unordered_map<std::string, std::string>;

// The text of a property that is not stored.
extern const char* const NotStored;

std::string CanonicalValue(const std::optional<TNamedValue>& value);

// What the comparisons need of a class, worked out once per pass.
class TSnapshotTaker {
public:
  TComponentSnapshot Take(const TComponent& component, const TComponent* lookupRoot);
  // A freshly made instance of the component's class, as a new component's
  // properties are compared against; empty when the class cannot be made.
  TComponentSnapshot TakeFresh(const TComponent& component, const TComponent* lookupRoot);

private:
  struct TClassFacts {
    std::vector<std::pair<const TPropInfo*, std::string>> Props;  // with lower-case keys, Name left out
    bool DesignPosition = false;
  };
  const TClassFacts& Of(const TClassInfo& cls);
  std::map<const TClassInfo*, TClassFacts> FFacts;
};

// The published properties of a component that differ from a freshly made
// instance of its class, named as a form file names them (SQL.Strings), in
// declaration order, then its design position.
std::vector<std::pair<std::string, TFormValue>> StoredProperties(const TComponent& component);
