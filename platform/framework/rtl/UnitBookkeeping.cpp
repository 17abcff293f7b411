#include "rtl/UnitBookkeeping.h"

namespace {
std::vector<TUnitEvent>& Events() {
  static std::vector<TUnitEvent> events;
  return events;
}
} // namespace

void NoteUnitStarted(const std::string& unitName) { Events().push_back({unitName, true}); }

void NoteUnitFinalized(const std::string& unitName) { Events().push_back({unitName, false}); }

const std::vector<TUnitEvent>& UnitEvents() { return Events(); }

void ClearUnitEvents() { Events().clear(); }
