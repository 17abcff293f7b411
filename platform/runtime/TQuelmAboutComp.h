#pragma once
// The suite's about box: the LOGO bitmap, a version label and a component
// label, shown modally. The box reads its form definition when it is made;
// the logo comes from the BITMAP resource LOGO of the loaded modules (the
// design-time package carries it), and stays empty without one. A host may
// install a show handler instead of the form (tests and hosts that read the
// labels themselves).
#include "forms/TForm.h"

#include <functional>
#include <string>

class TButton;
class TImage;
class TLabel;

class TQuelmAboutComp : public TForm {
  QUELM_CLASS(TQuelmAboutComp, TForm)

public:
  using TShowHandler = std::function<int(TQuelmAboutComp&)>;
  static constexpr int mrOk = ::mrOk;

  explicit TQuelmAboutComp(TComponent* owner);

  // Put on the form's labels when it is shown.
  std::string VersionLabel;
  std::string ComponentLabel;

  virtual int ShowModal();

  // Installs the handler that ShowModal calls; returns the previous one.
  static TShowHandler SetShowHandler(TShowHandler handler);

  TImage* LogoImage = nullptr;
  TLabel* VersionCaption = nullptr;
  TLabel* ComponentCaption = nullptr;
  TButton* OkButton = nullptr;
};
