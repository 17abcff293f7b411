#pragma once
// The form definition of the about box, carried by the runtime library itself.
extern const char* const QuelmAboutCompDefinition;
