#pragma once
// A changed form's unit brought in line with the migration through the
// unit service: the form's own components (not the inherited ones, not
// those inside inline frames) are compared before and after the run; a
// converted component's declaration takes its new class, a kept source its
// new name, a deleted one disappears, a made one is added, and the units of
// the new classes join the uses clause. Everything else in the unit stays
// byte for byte.
#include <map>
#include <string>
#include <utility>
#include <vector>

class TClassRegistry;
class TComponent;
class TUnitSource;

// The root's own components in order: name and class.
using TOwnComponents = std::vector<std::pair<std::string, std::string>>;
TOwnComponents OwnComponents(const TComponent& root);

// Edits unit, which declares formClass; returns whether it changed. Raises
// EUnitError when an edit cannot be made.
bool UpdateUnitDeclarations(TUnitSource& unit, const std::string& formClass, const TOwnComponents& before,
                            const TOwnComponents& after, const TClassRegistry& classes);
