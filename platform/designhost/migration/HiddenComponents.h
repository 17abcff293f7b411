#pragma once
// Components taken out of their owner's list for a while and put back:
// the datasets a migration must not reach (a form's inherited datasets),
// which the migrator finds only among the components a form's root owns.
#include "classes/TComponentRef.h"

#include <string>
#include <vector>

class TComponent;

class THiddenComponents {
public:
  THiddenComponents() = default;
  ~THiddenComponents() { Restore(); }
  THiddenComponents(const THiddenComponents&) = delete;
  THiddenComponents& operator=(const THiddenComponents&) = delete;

  void Hide(TComponent* component);
  // Puts every hidden component back with its owner. A name that another
  // component took meanwhile keeps one out; those come back as
  // "Name: message" for the report.
  std::vector<std::string> Restore();

private:
  struct THidden {
    TComponentRef<TComponent> Component, Owner;
  };
  std::vector<THidden> FHidden;
};
