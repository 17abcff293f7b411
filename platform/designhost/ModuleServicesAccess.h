#pragma once
// The design host's services object as the package reaches it: the module
// services of the host's current run, or none when no host has installed
// any (a package used outside a designer, a test without open forms).
class TModuleServices;

// The module services installed for the current run; none when absent.
TModuleServices* ModuleServices();

// Installs services for a scope and puts the previous ones back at its end,
// so a host run (or a test) never leaves its services behind.
class TModuleServicesGuard {
public:
  explicit TModuleServicesGuard(TModuleServices& services);
  ~TModuleServicesGuard();
  TModuleServicesGuard(const TModuleServicesGuard&) = delete;
  TModuleServicesGuard& operator=(const TModuleServicesGuard&) = delete;

private:
  TModuleServices* FPrevious;
};
