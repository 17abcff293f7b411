#pragma once
// Runs a cleanup when the scope ends, whatever ends it: the one shape for a
// "do this on every exit path" that has no class of its own.
//
//   TScopeGuard restore([&] { list.Clear(); });
//   ...
//   restore.Dismiss();  // the work succeeded: keep what it made
#include <type_traits>
#include <utility>

template <class F>
class TScopeGuard {
public:
  explicit TScopeGuard(F cleanup) noexcept(std::is_nothrow_move_constructible_v<F>) : FCleanup(std::move(cleanup)) {}
  // A cleanup that throws while an exception passes would end the process,
  // so the destructor is noexcept: a cleanup that may fail catches its own.
  ~TScopeGuard() noexcept {
    if (FActive) FCleanup();
  }
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;
  TScopeGuard(TScopeGuard&&) = delete;
  TScopeGuard& operator=(TScopeGuard&&) = delete;

  // The cleanup will not run.
  void Dismiss() noexcept { FActive = false; }

private:
  F FCleanup;
  bool FActive = true;
};

