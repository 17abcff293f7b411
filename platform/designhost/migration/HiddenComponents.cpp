#include "designhost/migration/HiddenComponents.h"

#include "classes/TComponent.h"
#include "rtl/Exceptions.h"

void THiddenComponents::Hide(TComponent* component) {
  TComponent* owner = component ? component->Owner() : nullptr;
  if (!owner) return;
  owner->RemoveComponent(component);
  FHidden.push_back({TComponentRef<TComponent>(component), TComponentRef<TComponent>(owner)});
}

std::vector<std::string> THiddenComponents::Restore() {
  std::vector<std::string> failed;
  for (THidden& h : FHidden) {
    TComponent* c = h.Component.Get();
    TComponent* owner = h.Owner.Get();
    if (!c || !owner) continue;
    try {
      owner->InsertComponent(c);
    } catch (const Exception& e) {
      failed.push_back(c->Name() + ": " + e.Message());
    }
  }
  FHidden.clear();
  return failed;
}
