#pragma once
// What ties a loaded form document to its components: for every object of
// the file the component made for it, for every property the component's
// property it set, the references still to be fixed up, and the snapshot of
// each component as the document last held it (read, brought in line, or
// written). The builder fills it, the
// reference fix-up completes it, a save reads it to bring the document in
// line with the components.
#include "classes/TComponentRef.h"
#include "streaming/ComponentSnapshot.h"
#include "streaming/FormTree.h"

#include <memory>
#include <string>
#include <vector>

class TClassRegistry;
class TComponent;
struct TPropInfo;

// How a builder treats what it cannot make or set. Strict (the package's own
// form definitions, which are part of the program): anything the file names
// that does not exist is an error. Lenient (users' files): unknown classes
// become generic components, properties that cannot be set stay as read, and
// the problems become warnings.
enum class TLoadPolicy : uint8_t { Strict, Lenient };

// What a property node of the file was bound to.
// Path: a property of a sub-object, by its dotted name ("Constraints.MaxHeight").
enum class TPropKind : uint8_t { Published, Strings, Left, Top, Path };

struct TPropBinding {
  TFormProperty* Node;
  TPropKind Kind;
  const TPropInfo* Prop;  // Published and Strings: the published property; Path: the sub-object's
  std::string Key;        // lower-case key into the snapshot (the dotted name for Path)
};

struct TObjectBinding {
  TFormObject* Node = nullptr;
  TComponentRef<TComponent> Component;
  TFormObject* ParentNode = nullptr;
  TComponentRef<TComponent> LookupRoot;  // the root, or the inline frame the object sits in
  std::vector<TPropBinding> Props;
  TComponentSnapshot Baseline;  // what the document holds for the component
  // A component made after loading: its ordinal properties without a
  // declared default are written whatever their value, as the host does.
  bool New = false;
};

// A component reference read from the file, set once every file of a set is loaded.
struct TFixup {
  size_t Object;  // index into Objects
  TFormProperty* Node;
  const TPropInfo* Prop;
};

struct TFormBinding {
  const TClassRegistry* Registry = nullptr;
  TLoadPolicy Policy = TLoadPolicy::Lenient;
  std::vector<std::unique_ptr<TObjectBinding>> Objects;  // in file order; the root first
  std::vector<TFixup> Fixups;
  // "file:line:column: message" lines of the lenient policy.
  std::vector<std::string> Warnings;
};
