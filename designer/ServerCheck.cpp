#include "ServerCheck.h"

#include "forms/TButton.h"
#include "forms/TForm.h"
#include "forms/TFormUser.h"
#include "forms/TLabel.h"
#include "forms/TListBox.h"
#include "forms/TPageControl.h"

#include <ostream>

namespace {
TTabSheet* PageOf(const TControl& control) {
  for (TWinControl* parent = control.Parent(); parent; parent = parent->Parent())
    if (auto* page = dynamic_cast<TTabSheet*>(parent)) return page;
  return nullptr;
}
} // namespace

TServerCheckAnswer PressCheckOnServer(TFormUser& user) {
  TServerCheckAnswer answer;
  auto* button = dynamic_cast<TButton*>(user.Form().FindComponent("CheckButton"));
  // A dialog without a server to ask (its button disabled) has nothing to check.
  if (!button || !button->Enabled() || user.IsClosed()) return answer;
  TTabSheet* page = PageOf(*button);
  TPageControl* pages = page ? page->PageControl() : nullptr;
  TTabSheet* before = pages ? pages->ActivePage() : nullptr;
  if (page && before != page) user.SwitchPage(page->Name());
  user.Click("CheckButton");
  answer.Pressed = true;
  if (auto* list = dynamic_cast<TListBox*>(user.Form().FindComponent("CheckResultList"))) {
    answer.Lines = list->Items()->ToVector();
    answer.Refused = list->Tag();
  } else if (auto* label = dynamic_cast<TLabel*>(user.Form().FindComponent("CheckResultLabel"))) {
    answer.Lines.push_back(label->Caption());
    answer.Refused = label->Tag();
  }
  if (before && before != page && !user.IsClosed()) user.SwitchPage(before->Name());
  return answer;
}

void PrintServerCheck(std::ostream& out, const TServerCheckAnswer& answer) {
  out << "-- check\n";
  for (const std::string& line : answer.Lines) out << line << "\n";
}

void TCheckingModalDriver::Run(TFormUser& user) {
  TServerCheckAnswer answer = PressCheckOnServer(user);
  if (answer.Pressed) FAnswers.push_back(std::move(answer));
  FInner.Run(user);
}
