#pragma once
// Modal drivers play the user of the headless widgetset: the widgetset hands
// every modal form to the current driver, which works it through a
// TFormUser with the operations a person uses, and asks the driver to
// answer every message box and file-open dialog. Every box shown is kept
// with its answer, so a test can read what the user saw. The current driver
// is replaced for a scope with TModalDriverGuard; without one, forms are
// cancelled and boxes get their most cautious answer, so nothing can hang.
#include "forms/FormTypes.h"
#include "rtl/Exceptions.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TFormUser;
class TOpenDialog;

// A driver that cannot do what it was asked (an unknown control, a disabled
// button, an answer the box does not offer, a script error). It passes
// through event handlers' error handling and ends the modal run.
QUELM_EXCEPTION_CLASS(EModalDriverError, Exception)

class TModalDriver {
public:
  TModalDriver() = default;
  TModalDriver(const TModalDriver&) = delete;
  TModalDriver& operator=(const TModalDriver&) = delete;
  virtual ~TModalDriver() = default;

  // Plays the user on a form that is shown modally. Returning while the form
  // is still open counts as Cancel.
  virtual void Run(TFormUser& user) = 0;
  // Whether the driver plays the user; when it does not, a windowing
  // widgetset lets a person use the forms instead.
  virtual bool PlaysUser() const { return true; }

  // Answers a box and records it; raises EModalDriverError when the answer
  // is not one of the box's buttons.
  TModalResult Answer(const TMessageBoxInfo& box);
  // The file name chosen in a file-open dialog, none for Cancel. Called again
  // after the dialog refused a name.
  std::optional<std::string> ChooseFile(const TOpenDialog& dialog);

  // Every box shown, in order, with its answer.
  const std::vector<TMessageBoxInfo>& Messages() const { return FMessages; }
  void ClearMessages() { FMessages.clear(); }

protected:
  virtual TModalResult DoAnswer(const TMessageBoxInfo& box) = 0;
  virtual std::optional<std::string> DoChooseFile(const TOpenDialog& dialog) { return std::nullopt; }

private:
  std::vector<TMessageBoxInfo> FMessages;
};

// The most cautious answer a box offers: Cancel, else No, else OK, else the
// first of its buttons.
TModalResult CautiousAnswer(const TMessageBoxInfo& box);

// The driver that works while no other is installed: it cancels every form
// and file dialog and answers boxes cautiously.
class TCancelModalDriver : public TModalDriver {
public:
  void Run(TFormUser& user) override {}
  bool PlaysUser() const override { return false; }

protected:
  TModalResult DoAnswer(const TMessageBoxInfo& box) override { return CautiousAnswer(box); }
};

TModalDriver& CurrentModalDriver();

// Installs a driver for the scope and puts the previous one back at its end.
class TModalDriverGuard {
public:
  explicit TModalDriverGuard(TModalDriver& driver);
  ~TModalDriverGuard();
  TModalDriverGuard(const TModalDriverGuard&) = delete;
  TModalDriverGuard& operator=(const TModalDriverGuard&) = delete;

private:
  TModalDriver* FPrevious;
};

// A driver made of C++ callables, for tests. Each modal run takes the next
// run procedure (none left: the form is cancelled); each box takes the
// answer procedure, or else the next queued answer, and a box nobody
// expected raises EModalDriverError; each file dialog takes the file
// procedure, which sees the dialog as it is shown, or else the next queued
// file name (none queued: Cancel).
class TFunctionModalDriver : public TModalDriver {
public:
  using TRunProc = std::function<void(TFormUser&)>;
  using TAnswerProc = std::function<TModalResult(const TMessageBoxInfo&)>;
  using TFileProc = std::function<std::optional<std::string>(const TOpenDialog&)>;

  TFunctionModalDriver() = default;
  explicit TFunctionModalDriver(TRunProc run) { Then(std::move(run)); }

  // Adds the procedure for the next modal run.
  TFunctionModalDriver& Then(TRunProc run);
  TFunctionModalDriver& AnswerWith(TAnswerProc answer);
  TFunctionModalDriver& QueueAnswer(TModalResult answer);
  TFunctionModalDriver& ChooseFileWith(TFileProc choose);
  // A file name for the next file dialog; none means Cancel.
  TFunctionModalDriver& QueueFile(std::optional<std::string> fileName);

  void Run(TFormUser& user) override;
  int RunCount() const { return FRunCount; }

protected:
  TModalResult DoAnswer(const TMessageBoxInfo& box) override;
  std::optional<std::string> DoChooseFile(const TOpenDialog& dialog) override;

private:
  std::deque<TRunProc> FRuns;
  TAnswerProc FAnswer;
  TFileProc FChooseFile;
  std::deque<TModalResult> FAnswers;
  std::deque<std::optional<std::string>> FFiles;
  int FRunCount = 0;
};
