// What every widgetset promises the forms layer, checked on the headless one
// (with a driver playing the user) and on the Qt one (with a person's clicks
// on the offscreen windows).
#include "QtTestSupport.h"

#include "forms/MessageDialogs.h"
#include "forms/TButton.h"
#include "forms/TControlCanvas.h"
#include "forms/TForm.h"
#include "forms/TFormUser.h"
#include "forms/TGraphics.h"
#include "forms/THeadlessWidgetSet.h"
#include "forms/TMemo.h"
#include "forms/TModalDriver.h"
#include "forms/TScreen.h"
#include "widgetset-qt/TCanvasOverlay.h"
#include "widgetset-qt/TQtPeer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <deque>

namespace {
enum class TKind { Headless, Qt };

// The user of one widgetset: the operations the contract needs, queued
// before the modal run they belong to.
class TUser {
public:
  virtual ~TUser() = default;
  virtual void ClickButton(const std::string& form, const std::string& button) = 0;
  virtual void CloseWindow(const std::string& form) = 0;
  virtual void AnswerBox(const std::string& button) = 0;
  // The boxes answered so far, "text: Yes, No, Cancel".
  virtual std::vector<std::string> Boxes() const = 0;
};

// Plays the queued steps on the headless widgetset: each modal run plays the
// steps for its form while they come first, so a form opened from a step
// plays its own steps before the outer form goes on.
class THeadlessUser : public TUser, public TModalDriver {
public:
  THeadlessUser() : FGuard(*this) {}
  void ClickButton(const std::string& form, const std::string& button) override {
    FSteps.push_back({form, [button](TFormUser& user) { user.Click(button); }, ""});
  }
  void CloseWindow(const std::string& form) override {
    FSteps.push_back({form, [](TFormUser& user) { user.CloseWindow(); }, ""});
  }
  void AnswerBox(const std::string& button) override { FSteps.push_back({"", nullptr, button}); }
  std::vector<std::string> Boxes() const override {
    std::vector<std::string> boxes;
    for (const TMessageBoxInfo& box : Messages()) boxes.push_back(box.Text + ": " + box.ButtonList());
    return boxes;
  }
  void Run(TFormUser& user) override {
    while (!FSteps.empty() && !user.IsClosed() && FSteps.front().Form == user.Form().Name()) {
      TStep step = FSteps.front();
      FSteps.pop_front();
      step.Act(user);
    }
  }

protected:
  TModalResult DoAnswer(const TMessageBoxInfo& box) override {
    if (FSteps.empty() || FSteps.front().Act) throw EModalDriverError("a box nobody expected: " + box.Text);
    std::string answer = FSteps.front().Answer;
    FSteps.pop_front();
    for (TModalResult r : {mrOk, mrCancel, mrYes, mrNo, mrAbort, mrRetry, mrIgnore})
      if (ModalResultName(r) == answer) return r;
    return mrNone;
  }

private:
  struct TStep {
    std::string Form;
    std::function<void(TFormUser&)> Act;
    std::string Answer;
  };
  std::deque<TStep> FSteps;
  TModalDriverGuard FGuard;
};

class TQtUser : public TUser {
public:
  void ClickButton(const std::string& form, const std::string& button) override {
    FSteps.Then([=] {
      auto* widget = qobject_cast<QPushButton*>(QtTest::Child(QtTest::FormWindow(form), button));
      if (!widget || !widget->isVisible() || QtTest::ShowingBox()) return false;
      widget->click();
      return true;
    });
  }
  void CloseWindow(const std::string& form) override {
    FSteps.Then([=] {
      QWidget* window = QtTest::FormWindow(form);
      if (!window) return false;
      window->close();
      return true;
    });
  }
  void AnswerBox(const std::string& button) override {
    FSteps.Then([=, this] {
      QMessageBox* box = QtTest::ShowingBox();
      if (!box) return false;
      FBoxes.push_back(box->text().toStdString() + ": " + QtTest::BoxButtons(*box));
      QtTest::PressBoxButton(*box, button);
      return true;
    });
  }
  std::vector<std::string> Boxes() const override { return FBoxes; }

private:
  QtTest::TScheduledUser FSteps;
  std::vector<std::string> FBoxes;
};

class WidgetSetContract : public ::testing::TestWithParam<TKind> {
protected:
  void SetUp() override {
    if (GetParam() == TKind::Headless) {
      FScope = std::make_unique<QtTest::TWidgetSetScope>(std::make_unique<THeadlessWidgetSet>());
      FUser = std::make_unique<THeadlessUser>();
    } else {
      FUser = std::make_unique<TQtUser>();
    }
  }
  void TearDown() override {
    FUser.reset();
    FScope.reset();
  }

  // What was drawn over the control since its last repaint.
  int Drawings(TWinControl& control) const {
    if (GetParam() == TKind::Headless) {
      auto* window = HeadlessWidgetSet()->Window(control);
      return window ? static_cast<int>(window->Drawings.size()) : 0;
    }
    TQtPeer* peer = QtTest::Widgets().FindPeer(control);
    return peer && peer->ExistingOverlay() ? peer->ExistingOverlay()->DrawingCount() : 0;
  }

  TFormPtr<TForm> MakeForm(const std::string& name) {
    auto form = CreateForm<TForm>(nullptr);
    form->SetName(name);
    form->SetCaption(name);
    form->SetClientWidth(240);
    form->SetClientHeight(120);
    return form;
  }

  TButton* AddButton(TForm& form, const std::string& name, TModalResult result) {
    auto* button = new TButton(&form);
    button->SetName(name);
    button->SetCaption(name);
    button->SetParent(&form);
    button->SetBounds(10 + 80 * form.ControlCount(), 80, 75, 25);
    button->SetModalResult(result);
    return button;
  }

  std::unique_ptr<QtTest::TWidgetSetScope> FScope;
  std::unique_ptr<TUser> FUser;
};

std::string KindName(const ::testing::TestParamInfo<TKind>& info) {
  return info.param == TKind::Headless ? "Headless" : "Qt";
}
} // namespace

TEST_P(WidgetSetContract, HandlesAreDistinctStableAndGoWithTheControl) {
  auto form = MakeForm("Handles");
  auto* a = new TMemo(form.get());
  a->SetParent(form.get());
  auto* b = new TMemo(form.get());
  b->SetParent(form.get());
  THandle first = a->Handle();
  EXPECT_NE(0, first);
  EXPECT_EQ(first, a->Handle());
  EXPECT_NE(first, b->Handle());
  delete a;  // gives its handle back; drawing on the other still works
  TBitmap marker(10, 6, clRed);
  TControlCanvas canvas;
  canvas.SetControl(b);
  canvas.Draw(1, 1, marker);
  EXPECT_EQ(1, Drawings(*b));
}

TEST_P(WidgetSetContract, InvalidateWipesWhatWasDrawn) {
  auto form = MakeForm("Wipes");
  auto* memo = new TMemo(form.get());
  memo->SetParent(form.get());
  TBitmap marker(10, 6, clRed);
  TControlCanvas canvas;
  canvas.SetControl(memo);
  canvas.Draw(5, 13, marker);
  canvas.Draw(25, 13, marker);
  EXPECT_EQ(2, Drawings(*memo));
  memo->Invalidate();
  EXPECT_EQ(0, Drawings(*memo));
}

TEST_P(WidgetSetContract, TextExtentGrowsWithTheText) {
  TTextExtent one = WidgetSet().TextExtent("SELECT");
  TTextExtent two = WidgetSet().TextExtent("SELECT * FROM CUSTOMER");
  TTextExtent lines = WidgetSet().TextExtent("SELECT\nFROM");
  EXPECT_GT(one.Width, 0);
  EXPECT_GT(two.Width, one.Width);
  EXPECT_EQ(one.Height, two.Height);
  EXPECT_GE(lines.Height, 2 * one.Height - 2);
}

TEST_P(WidgetSetContract, MessageBoxOffersItsButtonsAndGivesThePressedOne) {
  auto form = MakeForm("Asker");
  TButton* ask = AddButton(*form, "Ask", mrNone);
  TModalResult answer = mrNone;
  ask->OnClick = TNotifyEvent([&](TObject*) {
    answer = MessageDlg("Save changes?", TMsgDlgType::mtConfirmation,
                        {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, 0);
  });
  AddButton(*form, "Done", mrOk);
  FUser->ClickButton("Asker", "Ask");
  FUser->AnswerBox("No");
  FUser->ClickButton("Asker", "Done");
  EXPECT_EQ(mrOk, form->ShowModal());
  EXPECT_EQ(mrNo, answer);
  EXPECT_EQ((std::vector<std::string>{"Save changes?: Yes, No, Cancel"}), FUser->Boxes());
}

TEST_P(WidgetSetContract, HourglassCursorShowsUntilTheDefaultComesBack) {
  auto shown = [&]() -> TCursor {
    if (GetParam() == TKind::Headless) return HeadlessWidgetSet()->CursorLog().back();
    QCursor* cursor = QApplication::overrideCursor();
    return !cursor ? crDefault : cursor->shape() == Qt::WaitCursor ? crHourGlass : crArrow;
  };
  {
    TCursorGuard busy(crHourGlass);
    EXPECT_EQ(crHourGlass, shown());
  }
  EXPECT_EQ(crDefault, shown());
}

TEST_P(WidgetSetContract, ModalRunEndsOnItsResult) {
  auto form = MakeForm("Ender");
  AddButton(*form, "Fine", mrOk);
  int shows = 0;
  form->OnShow = TNotifyEvent([&](TObject*) { ++shows; });
  FUser->ClickButton("Ender", "Fine");
  EXPECT_EQ(mrOk, form->ShowModal());
  EXPECT_EQ(1, shows);
  EXPECT_FALSE(form->Visible());
}

TEST_P(WidgetSetContract, ModalRunEndsOnTheCloseBoxOnceTheCloseQueryAllows) {
  auto form = MakeForm("Closer");
  AddButton(*form, "Unused", mrOk);
  int queries = 0;
  form->OnCloseQuery = TCloseQueryEvent([&](TObject*, bool& canClose) { canClose = ++queries > 1; });
  FUser->CloseWindow("Closer");  // refused
  FUser->CloseWindow("Closer");
  EXPECT_EQ(mrCancel, form->ShowModal());
  EXPECT_EQ(2, queries);
}

// A form opened from a form's button, with a box from the inner form's
// button: each run ends on its own, the inner first.
TEST_P(WidgetSetContract, NestedFormsAndBoxesEndInnerFirst) {
  auto outer = MakeForm("Outer");
  auto inner = MakeForm("Inner");
  TButton* open = AddButton(*outer, "Open", mrNone);
  AddButton(*outer, "Done", mrOk);
  TButton* warn = AddButton(*inner, "Warn", mrNone);
  AddButton(*inner, "Back", mrCancel);
  std::vector<std::string> log;
  open->OnClick = TNotifyEvent([&](TObject*) { log.push_back("inner " + ModalResultName(inner->ShowModal())); });
  warn->OnClick = TNotifyEvent([&](TObject*) {
    log.push_back("box " + ModalResultName(MessageDlg("Really?", TMsgDlgType::mtWarning,
                                                      {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0)));
  });
  FUser->ClickButton("Outer", "Open");
  FUser->ClickButton("Inner", "Warn");
  FUser->AnswerBox("Yes");
  FUser->ClickButton("Inner", "Back");
  FUser->ClickButton("Outer", "Done");
  EXPECT_EQ(mrOk, outer->ShowModal());
  EXPECT_EQ((std::vector<std::string>{"box Yes", "inner Cancel"}), log);
  EXPECT_EQ((std::vector<std::string>{"Really?: Yes, No"}), FUser->Boxes());
}

INSTANTIATE_TEST_SUITE_P(BothWidgetSets, WidgetSetContract, ::testing::Values(TKind::Headless, TKind::Qt), KindName);
