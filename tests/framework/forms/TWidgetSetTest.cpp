#include "forms/TWidgetSet.h"

#include "forms/MessageDialogs.h"
#include "forms/TButton.h"
#include "forms/TForm.h"
#include "forms/THeadlessWidgetSet.h"

#include <gtest/gtest.h>

namespace {
// A stand-in for a windowing widgetset: it closes every modal form with OK
// and answers every box with its first button.
class TRecordingWidgetSet : public TWidgetSet {
public:
  std::vector<std::string> Calls;

  THandle CreateHandle(TWinControl& control) override {
    Calls.push_back("create " + control.Name());
    return ++FLast;
  }
  void DestroyHandle(THandle handle) override { Calls.push_back("destroy " + std::to_string(handle)); }
  void Invalidate(THandle) override {}
  void DrawGraphic(THandle, int, int, const TGraphic&) override {}
  TTextExtent TextExtent(std::string_view text) override { return {static_cast<int>(text.size()) * 7, 16}; }
  void RunModal(TForm& form) override {
    Calls.push_back("modal " + form.Name());
    form.SetModalResult(mrOk);
  }
  TModalResult MessageBox(const TMessageBoxInfo& box) override {
    Calls.push_back("box " + box.Text);
    return mrYes;
  }
  bool ExecuteOpenDialog(TOpenDialog&) override { return false; }
  bool ShowHelp(const std::string&, int) override { return false; }
  void SetCursor(TCursor) override {}
  TShiftState KeyboardState() override { return {}; }

private:
  THandle FLast = 100;
};

// Installs a widgetset for the scope.
class TWidgetSetGuard {
public:
  explicit TWidgetSetGuard(std::unique_ptr<TWidgetSet> widgetSet) : FPrevious(SetWidgetSet(std::move(widgetSet))) {}
  ~TWidgetSetGuard() { SetWidgetSet(std::move(FPrevious)); }

private:
  std::unique_ptr<TWidgetSet> FPrevious;
};
} // namespace

TEST(TWidgetSet, AnotherWidgetSetPlugsInBehindTheSameCalls) {
  auto* recording = new TRecordingWidgetSet;
  {
    TWidgetSetGuard guard{std::unique_ptr<TWidgetSet>(recording)};
    EXPECT_EQ(nullptr, HeadlessWidgetSet());
    {
      auto form = CreateForm<TForm>(nullptr);
      form->SetName("Plugged");
      auto* button = new TButton(form.get());
      button->SetName("Ok");
      button->SetParent(form.get());
      button->HandleNeeded();
      EXPECT_EQ(mrOk, form->ShowModal());
      EXPECT_EQ(mrYes, MessageDlg("Go on?", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0));
    }
    EXPECT_EQ((std::vector<std::string>{"create Ok", "modal Plugged", "box Go on?", "destroy 101"}), recording->Calls);
  }
  EXPECT_NE(nullptr, HeadlessWidgetSet());
}
