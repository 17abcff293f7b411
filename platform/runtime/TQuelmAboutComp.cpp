#include "runtime/TQuelmAboutComp.h"

#include "forms/FormControl.h"

#include "classes/TClassRegistry.h"
#include "forms/DibReader.h"
#include "forms/TButton.h"
#include "forms/TImage.h"
#include "forms/TLabel.h"
#include "rtl/Resources.h"
#include "runtime/TQuelmAboutCompDefinition.h"
#include "streaming/FormDefinitionReader.h"

#include <utility>

namespace {
TQuelmAboutComp::TShowHandler& Handler() {
  static TQuelmAboutComp::TShowHandler handler;
  return handler;
}

// The newest loaded module's LOGO bitmap, if any.
const TResourceEntry* FindLogo() {
  const std::vector<TLibModule*>& modules = ModuleList();
  for (auto it = modules.rbegin(); it != modules.rend(); ++it)
    if ((*it)->Resources)
      if (const TResourceEntry* entry = (*it)->Resources->Find("BITMAP", "LOGO")) return entry;
  return nullptr;
}
} // namespace

QUELM_DEFINE_CLASS(TQuelmAboutComp, TForm)

TQuelmAboutComp::TQuelmAboutComp(TComponent* owner) : TForm(owner) {
  ReadFormDefinition(*this, QuelmAboutCompDefinition, "QuelmDorvik5(TQUELMABOUTCOMP)", TClassRegistry::Global());
  LogoImage = FindFormControl<TImage>(*this, "LogoImage");
  VersionCaption = FindFormControl<TLabel>(*this, "VersionCaption");
  ComponentCaption = FindFormControl<TLabel>(*this, "ComponentCaption");
  OkButton = FindFormControl<TButton>(*this, "OkButton");
  if (const TResourceEntry* logo = FindLogo()) {
    LogoImage->Picture()->SetGraphic(ReadDib(logo->Bytes()).get());
  }
}

int TQuelmAboutComp::ShowModal() {
  VersionCaption->SetCaption(VersionLabel);
  ComponentCaption->SetCaption(ComponentLabel);
  if (Handler()) return Handler()(*this);
  return TForm::ShowModal();
}

TQuelmAboutComp::TShowHandler TQuelmAboutComp::SetShowHandler(TShowHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}
