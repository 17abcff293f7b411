#pragma once
// The form definition of the connection dialog, carried by the runtime
// library itself (it has no resource module of its own).
extern const char* const QuelmConnectFormDefinition;
