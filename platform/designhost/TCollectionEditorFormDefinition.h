#pragma once
// The form definition of the collection editor, carried by the design host.
extern const char* const CollectionEditorFormDefinition;
