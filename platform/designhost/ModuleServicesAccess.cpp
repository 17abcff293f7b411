#include "designhost/ModuleServicesAccess.h"

namespace {
// The host's one services object, as a design host has one for its whole
// session; it lives in the host's library so the package sees the same one.
TModuleServices*& Current() {
  static TModuleServices* current = nullptr;
  return current;
}
} // namespace

TModuleServices* ModuleServices() { return Current(); }

TModuleServicesGuard::TModuleServicesGuard(TModuleServices& services) : FPrevious(Current()) {
  Current() = &services;
}

TModuleServicesGuard::~TModuleServicesGuard() { Current() = FPrevious; }
