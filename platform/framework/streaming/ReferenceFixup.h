#pragma once
// Component references of a loaded form: set once every file of a set is
// loaded, so a reference may name a component of another open form
// ("DM.Table1"), and given back to their text when the other form closes.
#include "streaming/FormBinding.h"

#include <string>
#include <vector>

class TComponent;

// Sets the references noted by the builder, looking names up from the
// component's lookup root, then root, then the other roots (by root name,
// ignoring case). What cannot be resolved is an error when strict, a warning
// when lenient (the property then stays as read).
void ResolveFormReferences(const TFormDocument& doc, TFormBinding& binding, TComponent* root,
                           const std::vector<TComponent*>& otherRoots);

// The component a reference names, or null. "Owner" names the lookup root.
TComponent* FindReferencedComponent(const std::string& reference, TComponent* lookupRoot, TComponent* root,
                                    const std::vector<TComponent*>& otherRoots);

// References from root's file into otherRoot's components go back to the
// text they were read as, so they are kept, not dropped, when their targets go.
void ForgetReferencesInto(TFormBinding& binding, const TComponent* root, const TComponent* otherRoot);
