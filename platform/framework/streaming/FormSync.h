#pragma once
// Brings a loaded form document in line with its components before a save:
// the save-time diff (which properties changed since the file was read or
// last written) and the re-emitter (changed properties replaced, new ones
// inserted in declaration order, removed ones dropped; objects renamed,
// re-parented, reordered, added and removed). What did not change keeps its
// source span and is written byte for byte.
#include "streaming/FormBinding.h"

class TComponent;

void SyncFormDocument(TFormDocument& doc, TFormBinding& binding, TComponent* root);

// Records each component's state as the one later saves compare against.
void RecordBaselines(TFormBinding& binding);
