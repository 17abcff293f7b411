#pragma once
// The component tree of an open module as the designer program prints it:
// each component with its class, its owner when that is not the enclosing
// component, and for the data-access components (the suite's classes, the
// datasets and update objects of other access layers, data sources, fields)
// the properties that differ from a new component's.
#include <ostream>
#include <string>
#include <vector>

class TComponent;
class TJsonWriter;
class TModule;

// Whether a component's properties are shown.
bool IsDataAccessComponent(const TComponent& component);

// The classes of the modules' components that the host does not know (kept
// as read, their references taken on trust), sorted, each once.
std::vector<std::string> UnknownClasses(const std::vector<TModule*>& modules);

// The file name, then one line per component indented by depth, each shown
// property below it.
void PrintFormTree(std::ostream& out, TModule& module);
// {"file", "components": [{name, class, depth, parent, owner?, known,
// properties?}], "warnings"}.
void WriteFormTreeJson(TJsonWriter& json, TModule& module);
