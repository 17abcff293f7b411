#pragma once
// Reads a form definition (a dialog's layout, carried as a FORM resource)
// into an existing form: its controls are created by class name and owned by
// the form, each placed in the control it is nested in, their properties set
// through the type information, references to other controls of the form
// resolved, and event handlers bound by name to the form class's published
// methods. A definition is part of the program, so anything it names that
// does not exist (a class, a property, a component, a handler) is an error:
// the component builder runs with the strict policy.
#include <string>

class TClassRegistry;
class TComponent;

// Raises EFormError "file:line:column: message".
void ReadFormDefinition(TComponent& root, std::string text, const std::string& fileName,
                        const TClassRegistry& registry);

// Reads the FORM resource named after root's class (in upper case) from the
// loaded modules, the newest first; a module's language module supplies it
// when it has one. Returns false when no module carries one.
bool ReadFormDefinitionResource(TComponent& root, const TClassRegistry& registry);
