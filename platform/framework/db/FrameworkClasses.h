#pragma once
// Registers the framework's own creatable classes with the process's class
// registry; the framework library does this once when it is loaded.
void RegisterFrameworkClasses();
