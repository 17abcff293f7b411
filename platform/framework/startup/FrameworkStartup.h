#pragma once
// The framework library's start-up: when the library is loaded it registers
// its own creatable classes (components, datasets, fields, controls) with the
// process's class registry and installs the loader of the package's form
// definitions. It sits above the framework's parts, since it names them all.
void RegisterFrameworkClasses();
