#include "runtime/TQuelmAboutComp.h"

#include <utility>

namespace {
TQuelmAboutComp::TShowHandler& Handler() {
  static TQuelmAboutComp::TShowHandler handler;
  return handler;
}
} // namespace

QUELM_DEFINE_CLASS(TQuelmAboutComp, TComponent, b.ComponentFactory())

TQuelmAboutComp::TQuelmAboutComp(TComponent* owner) : TComponent(owner) {}

int TQuelmAboutComp::ShowModal() {
  if (Handler()) return Handler()(*this);
  return mrOk;
}

TQuelmAboutComp::TShowHandler TQuelmAboutComp::SetShowHandler(TShowHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}
