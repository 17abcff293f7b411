#pragma once
// Registers the runtime library's component classes with the process's class
// registry; the library does this once when it is loaded.
void RegisterRuntimeClasses();
