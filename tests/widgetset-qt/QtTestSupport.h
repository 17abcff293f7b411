#pragma once
// The Qt widgetset tests run on Qt's offscreen platform, with the Qt
// widgetset installed for the whole program, so the package's dialog tests
// that join this program run on real windows. A person's input is scheduled
// as steps that a timer plays while a modal loop runs.
#include "forms/TWidgetSet.h"
#include "widgetset-qt/TQtWidgetSet.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMessageBox;

namespace QtTest {
// The widgetset the program runs on.
TQtWidgetSet& Widgets();

// Installs another widgetset for the scope.
class TWidgetSetScope {
public:
  explicit TWidgetSetScope(std::unique_ptr<TWidgetSet> widgetSet) : FPrevious(SetWidgetSet(std::move(widgetSet))) {}
  ~TWidgetSetScope() { SetWidgetSet(std::move(FPrevious)); }
  TWidgetSetScope(const TWidgetSetScope&) = delete;
  TWidgetSetScope& operator=(const TWidgetSetScope&) = delete;

private:
  std::unique_ptr<TWidgetSet> FPrevious;
};

// Steps a person takes, played in order by a timer once the event loop runs;
// a step returning false is tried again a little later (the window it needs
// is not up yet). A step that never succeeds fails the test after a while,
// and the scope's end checks that every step ran.
class TScheduledUser {
public:
  TScheduledUser();
  ~TScheduledUser();
  TScheduledUser& Then(std::function<bool()> step);
  bool Finished() const { return FNext >= FSteps.size(); }
  std::string Failure() const { return FFailure; }

private:
  void Tick();
  std::vector<std::function<bool()>> FSteps;
  size_t FNext = 0;
  int FTries = 0;
  bool FQueued = false;
  std::string FFailure;
  struct TTimer;
  std::unique_ptr<TTimer> FTimer;
};

// The shown top-level window of a form, by the form's name.
QWidget* FormWindow(const std::string& formName);
// A widget of that object name in the window (the control's name).
QWidget* Child(QWidget* window, const std::string& name);
// The message box showing now, none when none is.
QMessageBox* ShowingBox();
// Presses the button of that text on the message box.
void PressBoxButton(QMessageBox& box, const std::string& text);
// The button captions of the box, "Yes, No, Cancel".
std::string BoxButtons(QMessageBox& box);
} // namespace QtTest
