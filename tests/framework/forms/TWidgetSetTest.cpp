#include "forms/TWidgetSet.h"

#include "forms/MessageDialogs.h"
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TComboBox.h"
#include "forms/TForm.h"
#include "forms/THeadlessWidgetSet.h"
#include "forms/TListBox.h"
#include "forms/TMemo.h"
#include "forms/TPageControl.h"
#include "forms/TRadioGroup.h"

#include <functional>
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
  void ControlChanged(TControl& control, TControlChange change) override { Changes.push_back({&control, change}); }
  std::vector<std::pair<const TControl*, TControlChange>> Changes;
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
  TShiftState QueryKeyboardState() override { return {}; }

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

namespace {
struct TSetterRow {
  const char* Setter;
  TControlChange Expected;
  std::function<TControl*(TForm&)> Change;  // returns the control that must report it
};

template <class T>
T* Make(TForm& form, const char* name) {
  auto* control = new T(&form);
  control->SetName(name);
  control->SetParent(&form);
  return control;
}
} // namespace

// A native peer only re-reads its control when told: every setter a peer
// shows must report what it changed, on the control that changed.
TEST(TWidgetSet, EveryModelSetterTellsTheWidgetSetWhatChanged) {
  const std::vector<TSetterRow> rows = {
      {"Caption", TControlChange::Text, [](TForm& f) { auto* b = Make<TButton>(f, "B"); b->SetCaption("&Go"); return b; }},
      {"Bounds", TControlChange::Bounds, [](TForm& f) { auto* b = Make<TButton>(f, "B"); b->SetLeft(40); return b; }},
      {"Visible", TControlChange::Visible, [](TForm& f) { auto* b = Make<TButton>(f, "B"); b->Hide(); return b; }},
      {"Enabled", TControlChange::Enabled, [](TForm& f) { auto* b = Make<TButton>(f, "B"); b->SetEnabled(false); return b; }},
      {"Parent", TControlChange::Parent, [](TForm& f) { auto* b = new TButton(&f); b->SetParent(&f); return b; }},
      {"Items", TControlChange::Items, [](TForm& f) { auto* l = Make<TListBox>(f, "L"); l->Items()->Add("a"); return l; }},
      {"Item text", TControlChange::Items,
       [](TForm& f) {
         auto* l = Make<TComboBox>(f, "C");
         l->Items()->Add("a");
         l->Items()->Put(0, "b");
         return l;
       }},
      {"Selected", TControlChange::Selection,
       [](TForm& f) {
         auto* l = Make<TListBox>(f, "L");
         l->SetMultiSelect(true);
         l->Items()->Add("a");
         l->SetSelected(0, true);
         return l;
       }},
      {"ListBox.ItemIndex", TControlChange::ItemIndex,
       [](TForm& f) {
         auto* l = Make<TListBox>(f, "L");
         l->Items()->Add("a");
         l->SetItemIndex(0);
         return l;
       }},
      {"ComboBox.ItemIndex", TControlChange::ItemIndex,
       [](TForm& f) {
         auto* c = Make<TComboBox>(f, "C");
         c->Items()->Add("a");
         c->SetItemIndex(0);
         return c;
       }},
      {"RadioGroup.ItemIndex", TControlChange::ItemIndex,
       [](TForm& f) {
         auto* r = Make<TRadioGroup>(f, "R");
         r->Items()->Add("a");
         r->SetItemIndex(0);
         return r;
       }},
      {"Checked", TControlChange::Checked, [](TForm& f) { auto* c = Make<TCheckBox>(f, "X"); c->SetChecked(true); return c; }},
      {"SelStart", TControlChange::Selection,
       [](TForm& f) {
         auto* m = Make<TMemo>(f, "M");
         m->SetText("abc");
         m->SetSelStart(2);
         return m;
       }},
      {"ReadOnly", TControlChange::Style, [](TForm& f) { auto* m = Make<TMemo>(f, "M"); m->SetReadOnly(true); return m; }},
      {"ActivePage", TControlChange::ActivePage,
       [](TForm& f) {
         auto* p = Make<TPageControl>(f, "P");
         auto* a = new TTabSheet(&f);
         a->SetPageControl(p);
         auto* b = new TTabSheet(&f);
         b->SetPageControl(p);
         p->SetActivePage(b);
         return p;
       }},
      {"ActiveControl", TControlChange::Focus,
       [](TForm& f) {
         f.SetActiveControl(Make<TButton>(f, "B"));
         return &f;
       }},
  };
  for (const TSetterRow& row : rows) {
    auto* recording = new TRecordingWidgetSet;
    TWidgetSetGuard guard{std::unique_ptr<TWidgetSet>(recording)};
    auto form = CreateForm<TForm>(nullptr);
    recording->Changes.clear();
    TControl* changed = row.Change(*form);
    auto& last = recording->Changes;
    bool found = false;
    for (auto& [control, change] : last) found = found || (control == changed && change == row.Expected);
    EXPECT_TRUE(found) << row.Setter << " did not report its change";
  }
}

// A native edit hands its new text to the model, which fires OnChange and
// sets the modified flag as typing does; the caret lands where the edit has it.
TEST(TWidgetSet, NativeEditsReachTheModelAsTyping) {
  auto form = CreateForm<TForm>(nullptr);
  auto* memo = Make<TMemo>(*form, "M");
  memo->SetText("select a from t");
  int changes = 0;
  memo->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  memo->UserEdited("select a, b from t", 11);
  EXPECT_EQ("select a, b from t", memo->Text());
  EXPECT_EQ(1, changes);
  EXPECT_TRUE(memo->Modified());
  EXPECT_EQ(11, memo->SelStart());
  memo->UserEdited("select a, b from t", 3);
  EXPECT_EQ(1, changes) << "moving the caret changes no text";
  EXPECT_EQ(3, memo->SelStart());
}

// A selection made in a native list ends exactly as the user left it and
// fires OnClick once, like the driver's clicks.
TEST(TWidgetSet, NativeListSelectionsReachTheModelWithOneClick) {
  auto form = CreateForm<TForm>(nullptr);
  auto* list = Make<TListBox>(*form, "L");
  list->SetMultiSelect(true);
  for (const char* item : {"a", "b", "c"}) list->Items()->Add(item);
  list->SetSelected(0, true);
  int clicks = 0;
  list->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  list->UserSelected({1, 2}, 2);
  EXPECT_FALSE(list->Selected(0));
  EXPECT_TRUE(list->Selected(1));
  EXPECT_TRUE(list->Selected(2));
  EXPECT_EQ(2, list->ItemIndex());
  EXPECT_EQ(1, clicks);
}

// The override holds the modifiers of one simulated key, whatever the
// keyboard says, and puts them back after.
TEST(TWidgetSet, ShiftStateOverrideHoldsTheKeysOfOneDispatch) {
  THeadlessWidgetSet* headless = HeadlessWidgetSet();
  ASSERT_NE(nullptr, headless);
  headless->SetKeyboardState({TShiftStateFlag::ssShift});
  {
    TShiftStateOverride held({TShiftStateFlag::ssCtrl});
    EXPECT_EQ(TShiftState{TShiftStateFlag::ssCtrl}, WidgetSet().KeyboardState());
  }
  EXPECT_EQ(TShiftState{TShiftStateFlag::ssShift}, WidgetSet().KeyboardState());
  headless->SetKeyboardState({});
}
