#pragma once
// The host runtime's record of unit start-up and finalization sections that
// modules run, in the order they ran. Module entry points report here, so a
// host (or a test) can see which sections ran and in which order.
#include <string>
#include <vector>

void NoteUnitStarted(const std::string& unitName);
void NoteUnitFinalized(const std::string& unitName);

struct TUnitEvent {
  std::string Unit;
  bool Started;  // false: finalized
};
const std::vector<TUnitEvent>& UnitEvents();
void ClearUnitEvents();
