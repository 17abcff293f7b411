#pragma once
// The form definition of the fields editor, carried by the design host.
extern const char* const FieldsEditorFormDefinition;
