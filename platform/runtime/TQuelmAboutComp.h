#pragma once
// The suite's about box: a version label and a component label, shown
// modally. The windowed form comes with the forms layer; until then ShowModal
// hands the box to the installed show handler (tests and the headless design
// host read the labels there) and answers OK without one.
#include "classes/TComponent.h"

#include <functional>
#include <string>

class TQuelmAboutComp : public TComponent {
  QUELM_CLASS(TQuelmAboutComp, TComponent)

public:
  using TShowHandler = std::function<int(TQuelmAboutComp&)>;
  static constexpr int mrOk = 1;

  explicit TQuelmAboutComp(TComponent* owner);

  std::string VersionLabel;
  std::string ComponentLabel;

  virtual int ShowModal();

  // Installs the handler that ShowModal calls; returns the previous one.
  static TShowHandler SetShowHandler(TShowHandler handler);
};
