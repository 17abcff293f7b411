#include "QtTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
// Installs the Qt widgetset on the offscreen platform before any test runs.
class TQtEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    FPrevious = SetWidgetSet(std::make_unique<TQtWidgetSet>());
  }
  void TearDown() override { SetWidgetSet(std::move(FPrevious)); }

private:
  std::unique_ptr<TWidgetSet> FPrevious;
};

[[maybe_unused]] ::testing::Environment* const Installed = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

constexpr int TickMs = 10;
constexpr int MaxTries = 300;
} // namespace

namespace QtTest {
TQtWidgetSet& Widgets() {
  TQtWidgetSet* widgets = QtWidgetSet();
  if (!widgets) throw std::logic_error("the Qt widgetset is not installed");
  return *widgets;
}

struct TScheduledUser::TTimer {
  QTimer Timer;
};

TScheduledUser::TScheduledUser() : FTimer(std::make_unique<TTimer>()) {
  FTimer->Timer.setInterval(TickMs);
  // A timer does not fire again while its own slot runs, and a step may
  // open a nested loop: each tick queues the step to run from the loop.
  QObject::connect(&FTimer->Timer, &QTimer::timeout, [this] {
    if (FQueued) return;
    FQueued = true;
    QMetaObject::invokeMethod(
        &FTimer->Timer,
        [this] {
          FQueued = false;
          Tick();
        },
        Qt::QueuedConnection);
  });
  FTimer->Timer.start();
}

TScheduledUser::~TScheduledUser() {
  FTimer->Timer.stop();
  EXPECT_TRUE(Finished()) << "the user did not get through step " << FNext + 1 << " of " << FSteps.size() << " "
                          << FFailure;
}

TScheduledUser& TScheduledUser::Then(std::function<bool()> step) {
  FSteps.push_back(std::move(step));
  return *this;
}

void TScheduledUser::Tick() {
  if (FNext >= FSteps.size()) {
    // Every step ran, and still a window waits for a person: the steps did
    // not end the run they were for.
    if (QApplication::activeModalWidget() && ++FTries > MaxTries) {
      ADD_FAILURE() << "a window is still open after the last step";
      FTries = 0;
      for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) window->close();
    }
    return;
  }
  // A step may open a nested loop (a message box, a form) in which the
  // timer goes on ticking: the steps after it play there. So a step counts
  // as taken while it runs, and is given back when it found nothing to do.
  size_t index = FNext++;
  bool done = false;
  try {
    done = FSteps[index]();
  } catch (const std::exception& e) {
    FFailure = e.what();
    ADD_FAILURE() << "step " << index + 1 << ": " << FFailure;
    done = true;
  }
  if (done) {
    FTries = 0;
    return;
  }
  FNext = index;
  if (FNext >= FSteps.size()) return;
  if (++FTries > MaxTries) {
    FFailure = "step " + std::to_string(index + 1) + " never found what it needs; windows:";
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isVisible())
        FFailure += " '" + window->objectName().toStdString() + "' (" + window->metaObject()->className() + ")";
    ADD_FAILURE() << FFailure;
    // Give up: close whatever is modal so the test does not hang.
    FNext = FSteps.size();
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->isVisible()) window->close();
  }
}

QWidget* FormWindow(const std::string& formName) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible() && window->objectName() == QString::fromStdString(formName)) return window;
  return nullptr;
}

QWidget* Child(QWidget* window, const std::string& name) {
  if (!window) return nullptr;
  return window->findChild<QWidget*>(QString::fromStdString(name));
}

QMessageBox* ShowingBox() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) return box;
  return nullptr;
}

void PressBoxButton(QMessageBox& box, const std::string& text) {
  for (QAbstractButton* button : box.buttons())
    if (button->text() == QString::fromStdString(text)) {
      button->click();
      return;
    }
  throw std::runtime_error("the box has no button " + text);
}

std::string BoxButtons(QMessageBox& box) {
  // In the model's button order, whatever order the style lays them out in.
  std::string list;
  for (const char* name : {"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "No to All", "Yes to All", "Help"})
    for (QAbstractButton* button : box.buttons())
      if (button->text() == name) list += (list.empty() ? "" : ", ") + std::string(name);
  return list;
}
} // namespace QtTest
