#include "forms/TApplication.h"

#include "forms/TScreen.h"
#include "forms/TWidgetSet.h"
#include "rtl/Exceptions.h"

#include <filesystem>
#include <system_error>

QUELM_DEFINE_CLASS(TApplication, TComponent,
                   b.Property("Title", TypeInfoString(), &TApplication::Title, &TApplication::SetTitle);
                   b.Property("HelpFile", TypeInfoString(), &TApplication::HelpFile, &TApplication::SetHelpFile))

namespace {
std::string ProgramName() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : exe.stem().string();
}
} // namespace

TApplication& Application() {
  // The screen and the widgetset come first so that they outlive the forms
  // the application still owns when the process ends.
  static const bool ready = [] {
    (void)Screen();
    (void)WidgetSet();
    return true;
  }();
  (void)ready;
  static TApplication application(nullptr);
  return application;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), FTitle(ProgramName()) {}

void TApplication::ProcessMessages() { WidgetSet().ProcessMessages(); }

bool TApplication::HelpContext(int context) { return WidgetSet().ShowHelp(FHelpFile, context); }

int TApplication::MessageBox(const std::string& text, const std::string& caption, int flags) {
  TMessageBoxInfo box;
  box.Text = text;
  box.Caption = caption;
  using B = TMsgDlgBtn;
  switch (flags & 0x0F) {
  case MB_OKCANCEL: box.Buttons = {B::mbOK, B::mbCancel}; break;
  case MB_ABORTRETRYIGNORE: box.Buttons = {B::mbAbort, B::mbRetry, B::mbIgnore}; break;
  case MB_YESNOCANCEL: box.Buttons = {B::mbYes, B::mbNo, B::mbCancel}; break;
  case MB_YESNO: box.Buttons = {B::mbYes, B::mbNo}; break;
  case MB_RETRYCANCEL: box.Buttons = {B::mbRetry, B::mbCancel}; break;
  default: box.Buttons = {B::mbOK}; break;
  }
  switch (flags & 0xF0) {
  case MB_ICONERROR: box.Icon = TMsgDlgType::mtError; break;
  case MB_ICONQUESTION: box.Icon = TMsgDlgType::mtConfirmation; break;
  case MB_ICONWARNING: box.Icon = TMsgDlgType::mtWarning; break;
  case MB_ICONINFORMATION: box.Icon = TMsgDlgType::mtInformation; break;
  default: box.Icon = TMsgDlgType::mtCustom; break;
  }
  // ID* and mr* share their numbers.
  return WidgetSet().MessageBox(box);
}

void TApplication::HandleException(const std::exception& e) {
  if (dynamic_cast<const EAbort*>(&e)) return;
  ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
  std::string message = e.what();
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  MessageBox(message, FTitle, MB_OK | MB_ICONSTOP);
}
