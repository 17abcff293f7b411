#pragma once
// The application object: its title, help, message boxes and the handling of
// exceptions that escape an event handler. One per process, owned by the
// framework; dialogs made with it as owner are freed with it at the latest.
#include "classes/TComponent.h"
#include "forms/FormTypes.h"

#include <exception>
#include <string>

// Button sets, icons and answers of the host's message box.
inline constexpr int MB_OK = 0x00;
inline constexpr int MB_OKCANCEL = 0x01;
inline constexpr int MB_ABORTRETRYIGNORE = 0x02;
inline constexpr int MB_YESNOCANCEL = 0x03;
inline constexpr int MB_YESNO = 0x04;
inline constexpr int MB_RETRYCANCEL = 0x05;
inline constexpr int MB_ICONERROR = 0x10;
inline constexpr int MB_ICONSTOP = 0x10;
inline constexpr int MB_ICONQUESTION = 0x20;
inline constexpr int MB_ICONWARNING = 0x30;
inline constexpr int MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

class TApplication : public TComponent {
  QUELM_CLASS(TApplication, TComponent)

public:
  explicit TApplication(TComponent* owner);

  // The program's name unless set.
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  const std::string& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& file) { FHelpFile = file; }

  // Opens the help topic of a help context; true when it was shown.
  bool HelpContext(int context);
  // A message box with flags MB_*; returns the ID* of the button pressed.
  int MessageBox(const std::string& text, const std::string& caption, int flags = MB_OK);
  // What the message loop does with an exception from an event handler: the
  // silent abort is dropped, any other is shown in an error box.
  void HandleException(const std::exception& e);
  // An error box with the message, a period added when it ends in none,
  // captioned with the title.
  void ShowException(const std::exception& e);
  // Handles the window system's pending events.
  void ProcessMessages();

private:
  std::string FTitle;
  std::string FHelpFile;
};

TApplication& Application();
