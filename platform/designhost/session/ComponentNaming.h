#pragma once
// How the designer names components: a dropped component gets its class
// name without the leading T and the lowest free number (TQuelmTable:
// QuelmTable1, QuelmTable2, ...); a name the user gives must be an
// identifier the form's unit can declare, and free on the form.
#include <string>

class TClassInfo;
class TComponent;

// The name a component of that class gets when it is dropped on root.
std::string NewComponentName(const TComponent& root, const TClassInfo& cls);

// Raises EComponentError when name is no valid component name (not an
// ASCII identifier, or a reserved word) or another component of root (or the
// root itself) has it already; self is the component being renamed.
void CheckComponentName(const TComponent& root, const std::string& name, const TComponent* self);
