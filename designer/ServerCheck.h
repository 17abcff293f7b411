#pragma once
// "Check on Server" as a person presses it in a dialog that has the button,
// and the answer the dialog shows, for the --check option of the form
// commands. The dialog lists one line per statement in CheckResultList (or
// one line in CheckResultLabel); the control's tag counts the statements the
// server refused, -1 when it could not be asked.
#include "forms/TModalDriver.h"

#include <iosfwd>
#include <string>
#include <vector>

class TFormUser;

struct TServerCheckAnswer {
  bool Pressed = false;
  std::vector<std::string> Lines;
  int Refused = 0;
  bool Failed() const { return Pressed && Refused != 0; }
};

// Presses the form's CheckButton, showing its page first and going back to
// the page shown before; Pressed stays false when the form has no such
// button or it is disabled.
TServerCheckAnswer PressCheckOnServer(TFormUser& user);

// Prints the answer as "-- check" and one line per statement.
void PrintServerCheck(std::ostream& out, const TServerCheckAnswer& answer);

// A driver that presses Check on Server on each dialog as it opens, before
// the driver it wraps plays that dialog; boxes and file dialogs go to the
// wrapped driver.
class TCheckingModalDriver : public TModalDriver {
public:
  explicit TCheckingModalDriver(TModalDriver& inner) : FInner(inner) {}
  void Run(TFormUser& user) override;
  const std::vector<TServerCheckAnswer>& Answers() const { return FAnswers; }

protected:
  TModalResult DoAnswer(const TMessageBoxInfo& box) override { return FInner.Answer(box); }
  std::optional<std::string> DoChooseFile(const TOpenDialog& dialog) override { return FInner.ChooseFile(dialog); }

private:
  TModalDriver& FInner;
  std::vector<TServerCheckAnswer> FAnswers;
};
