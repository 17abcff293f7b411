#pragma once
// The package's own module record: its file, its resources, and the language
// resource module the host runtime found for it. Set once by the entry
// routine when the operating system loads the package.
struct TLibModule;

const TLibModule& PackageModule();

// A resource string of the package, from the language module when one is loaded.
#include <string>
std::string PackageResString(int id);
