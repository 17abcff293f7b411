#include "forms/TFormUser.h"

#include "forms/TApplication.h"
#include "forms/TButton.h"
#include "forms/TCheckBox.h"
#include "forms/TComboBox.h"
#include "forms/TCustomEdit.h"
#include "forms/TForm.h"
#include "forms/TListBox.h"
#include "forms/TPageControl.h"
#include "forms/TPopupMenu.h"
#include "forms/TRadioGroup.h"
#include "forms/TSplitter.h"
#include "rtl/Format.h"
#include "rtl/TextCompare.h"

#include <algorithm>

namespace {
std::string ItemList(const TStrings& items) {
  std::string list;
  for (int i = 0; i < items.Count(); ++i) {
    if (i) list += ", ";
    list += items.Get(i);
  }
  return list.empty() ? "none" : list;
}

TComponent* FindByName(const TComponent& root, const std::string& name) {
  if (TComponent* found = root.FindComponent(name)) return found;
  // A control parented on the form but owned elsewhere is still on the form.
  if (auto* windowed = dynamic_cast<const TWinControl*>(&root)) {
    std::vector<const TWinControl*> pending{windowed};
    while (!pending.empty()) {
      const TWinControl* parent = pending.back();
      pending.pop_back();
      for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (SameText(child->Name(), name)) return child;
        if (auto* inner = dynamic_cast<const TWinControl*>(child)) pending.push_back(inner);
      }
    }
  }
  return nullptr;
}
} // namespace

void TFormUser::CheckOpen() const {
  if (FClosed) throw EModalDriverError(Format("form %s is closed", {FForm.Name()}));
}

void TFormUser::CheckClose() {
  if (!FClosed) FClosed = FForm.CloseIfResultSet();
}

void TFormUser::Perform(const std::function<void()>& action) {
  CheckOpen();
  FClosed = FForm.UserAction(action);
}

TComponent& TFormUser::Find(const std::string& name) const {
  TComponent* found = FindByName(FForm, name);
  if (!found) throw EModalDriverError(Format("no control named %s on form %s", {name, FForm.Name()}));
  return *found;
}

TControl& TFormUser::Usable(const std::string& name) const {
  CheckOpen();
  auto& control = Find<TControl>(name);
  CheckUsable(control, name);
  return control;
}

void TFormUser::CheckUsable(const TControl& control, const std::string& name) const {
  if (const TControl* hidden = control.FirstHidden()) {
    if (dynamic_cast<const TTabSheet*>(hidden) && hidden != &control)
      throw EModalDriverError(Format("%s is on page %s, which is not the active page", {name, hidden->Name()}));
    if (hidden == &control) throw EModalDriverError(Format("%s is not showing", {name}));
    throw EModalDriverError(Format("%s is not showing: %s is hidden", {name, hidden->Name()}));
  }
  if (const TControl* disabled = control.FirstDisabled()) {
    if (disabled == &control) throw EModalDriverError(Format("%s is disabled", {name}));
    throw EModalDriverError(Format("%s is disabled: %s is disabled", {name, disabled->Name()}));
  }
}

void TFormUser::FocusForInput(TControl& control) {
  if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && windowed->CanFocus())
    FForm.FocusControl(windowed);
}

int TFormUser::ItemIndexOf(const TComponent& list, const std::string& item) const {
  const TItemStrings* items = nullptr;
  if (auto* box = dynamic_cast<const TListBox*>(&list)) items = box->Items();
  else if (auto* combo = dynamic_cast<const TComboBox*>(&list)) items = combo->Items();
  if (!items) throw EModalDriverError(Format("%s has no items", {list.Name()}));
  int index = items->IndexOfText(item);
  if (index < 0)
    throw EModalDriverError(Format("%s has no item '%s' (items: %s)", {list.Name(), item, ItemList(*items)}));
  return index;
}

void TFormUser::Click(const std::string& name) {
  TControl& control = Usable(name);
  if (dynamic_cast<TListBox*>(&control) || dynamic_cast<TComboBox*>(&control) || dynamic_cast<TRadioGroup*>(&control))
    throw EModalDriverError(Format("%s is a %s: choose one of its items", {name, control.ClassName()}));
  if (auto* page = dynamic_cast<TTabSheet*>(&control)) {
    SwitchPage(page->Name());
    return;
  }
  Perform([&] {
    FocusForInput(control);
    if (auto* box = dynamic_cast<TCheckBox*>(&control)) box->Toggle();
    else control.Click();
  });
}

void TFormUser::DoubleClick(const std::string& name) {
  TControl& control = Usable(name);
  Perform([&] {
    FocusForInput(control);
    control.Click();
    control.DblClick();
  });
}

void TFormUser::SelectIndexes(const std::string& list, const std::vector<int>& indexes) {
  auto* listBox = dynamic_cast<TListBox*>(&Usable(list));
  if (!listBox) throw EModalDriverError(Format("%s is not a list box", {list}));
  TListBox& box = *listBox;
  if (indexes.empty()) throw EModalDriverError(Format("no item of %s given to select", {list}));
  if (!box.MultiSelect() && indexes.size() > 1)
    throw EModalDriverError(Format("%s selects one item only", {list}));
  for (int index : indexes)
    if (index < 0 || index >= box.Items()->Count())
      throw EModalDriverError(Format("%s has no item #%d (it has %d)", {list, index, box.Items()->Count()}));
  Perform([&] { FocusForInput(box); });
  std::vector<int> done;
  for (int index : indexes) {
    if (FClosed) return;
    if (std::find(done.begin(), done.end(), index) != done.end()) continue;
    bool toggle = !done.empty();
    done.push_back(index);
    if (toggle && box.Selected(index)) continue;
    Perform([&] { box.ClickItem(index, toggle); });
  }
}

void TFormUser::SelectItems(const std::string& list, const std::vector<std::string>& items) {
  auto* box = dynamic_cast<TListBox*>(&Usable(list));
  if (!box) throw EModalDriverError(Format("%s is not a list box", {list}));
  std::vector<int> indexes;
  for (const std::string& item : items) indexes.push_back(ItemIndexOf(*box, item));
  SelectIndexes(list, indexes);
}

void TFormUser::DeselectItems(const std::string& list, const std::vector<std::string>& items) {
  auto* box = dynamic_cast<TListBox*>(&Usable(list));
  if (!box) throw EModalDriverError(Format("%s is not a list box", {list}));
  if (!box->MultiSelect()) throw EModalDriverError(Format("%s selects one item only; select another item", {list}));
  Perform([&] { FocusForInput(*box); });
  for (const std::string& item : items) {
    if (FClosed) return;
    int index = ItemIndexOf(*box, item);
    if (!box->Selected(index)) throw EModalDriverError(Format("item '%s' of %s is not selected", {item, list}));
    Perform([&] { box->ClickItem(index, true); });
  }
}

void TFormUser::DoubleClickItem(const std::string& list, const std::string& item) {
  auto* box = dynamic_cast<TListBox*>(&Usable(list));
  if (!box) throw EModalDriverError(Format("%s is not a list box", {list}));
  int index = ItemIndexOf(*box, item);
  Perform([&] {
    FocusForInput(*box);
    box->ClickItem(index, false);
    box->DblClick();
  });
}

void TFormUser::PickIndex(const std::string& name, int index) {
  auto* combo = dynamic_cast<TComboBox*>(&Usable(name));
  if (!combo) throw EModalDriverError(Format("%s is not a combo box", {name}));
  if (index < 0 || index >= combo->Items()->Count())
    throw EModalDriverError(Format("%s has no entry #%d (it has %d)", {name, index, combo->Items()->Count()}));
  Perform([&] {
    FocusForInput(*combo);
    combo->PickItem(index);
  });
}

void TFormUser::Pick(const std::string& name, const std::string& item) {
  auto* combo = dynamic_cast<TComboBox*>(&Usable(name));
  if (!combo) throw EModalDriverError(Format("%s is not a combo box", {name}));
  PickIndex(name, ItemIndexOf(*combo, item));
}

void TFormUser::TypeInto(TWinControl& control, char key) {
  key = FForm.DispatchKey(control, key);
  if (key == 0) return;
  if (auto* edit = dynamic_cast<TCustomEdit*>(&control)) {
    edit->TypeChar(key);
    return;
  }
  if (auto* combo = dynamic_cast<TComboBox*>(&control)) {
    if (!combo->IsEditable()) return;
    std::string text = combo->Text();
    if (key == KeyChar::Backspace) {
      if (!text.empty()) text.pop_back();
    } else if (static_cast<unsigned char>(key) >= ' ') {
      text += key;
    } else {
      return;
    }
    combo->TypedText(text);
    return;
  }
  if (key == ' ') {
    if (auto* button = dynamic_cast<TButton*>(&control)) button->Click();
    else if (auto* box = dynamic_cast<TCheckBox*>(&control)) box->Toggle();
  }
}

void TFormUser::Type(const std::string& name, const std::string& text) {
  TControl& control = Usable(name);
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  auto* combo = dynamic_cast<TComboBox*>(&control);
  if (!dynamic_cast<TCustomEdit*>(&control) && !(combo && combo->IsEditable()))
    throw EModalDriverError(Format("%s does not take typed text", {name}));
  Perform([&] { FocusForInput(*windowed); });
  // A person types over a combo box's text: the first key replaces it.
  bool replace = combo != nullptr;
  for (char c : text) {
    if (FClosed || FForm.ModalResult() != mrNone) break;
    char key = c == '\n' ? KeyChar::Enter : c;
    Perform([&] {
      if (replace && combo && static_cast<unsigned char>(key) >= ' ') {
        char typed = combo->KeyPress(key);
        if (typed != 0) combo->TypedText(std::string(1, typed));
        replace = false;
        return;
      }
      TypeInto(*windowed, key);
    });
  }
  CheckClose();
}

void TFormUser::PlaceCaret(const std::string& name, int position) {
  auto* edit = dynamic_cast<TCustomEdit*>(&Usable(name));
  if (!edit) throw EModalDriverError(Format("%s is not an edit control", {name}));
  Perform([&] {
    FocusForInput(*edit);
    edit->SetSelStart(position < 0 ? static_cast<int>(edit->Text().size()) : position);
  });
}

void TFormUser::ClearText(const std::string& name) {
  TControl& control = Usable(name);
  if (auto* edit = dynamic_cast<TCustomEdit*>(&control)) {
    Perform([&] {
      FocusForInput(*edit);
      edit->SelectAll();
      if (edit->SelLength() > 0) edit->TypeChar(KeyChar::Backspace);
    });
    return;
  }
  auto* combo = dynamic_cast<TComboBox*>(&control);
  if (!combo || !combo->IsEditable()) throw EModalDriverError(Format("%s does not take typed text", {name}));
  Perform([&] {
    FocusForInput(*combo);
    if (!combo->Text().empty()) combo->TypedText("");
  });
}

void TFormUser::PressKey(const std::string& name, char key, TShiftState shift) {
  TControl& control = Usable(name);
  auto* windowed = dynamic_cast<TWinControl*>(&control);
  if (!windowed) throw EModalDriverError(Format("%s does not take keys", {name}));
  Perform([&] {
    FocusForInput(*windowed);
    TShiftStateOverride held(shift);
    TypeInto(*windowed, key);
  });
}

void TFormUser::Tick(const std::string& name) {
  auto* box = dynamic_cast<TCheckBox*>(&Usable(name));
  if (!box) throw EModalDriverError(Format("%s is not a check box", {name}));
  Perform([&] {
    FocusForInput(*box);
    if (!box->Checked()) box->Toggle();
  });
}

void TFormUser::Untick(const std::string& name) {
  auto* box = dynamic_cast<TCheckBox*>(&Usable(name));
  if (!box) throw EModalDriverError(Format("%s is not a check box", {name}));
  Perform([&] {
    FocusForInput(*box);
    if (box->Checked()) box->Toggle();
  });
}

void TFormUser::ClickRadioIndex(const std::string& name, int index) {
  auto* group = dynamic_cast<TRadioGroup*>(&Usable(name));
  if (!group) throw EModalDriverError(Format("%s is not a radio group", {name}));
  if (index < 0 || index >= group->Items()->Count())
    throw EModalDriverError(Format("%s has no item #%d (it has %d)", {name, index, group->Items()->Count()}));
  Perform([&] {
    FocusForInput(*group);
    group->SetItemIndex(index);
  });
}

void TFormUser::ClickRadio(const std::string& name, const std::string& item) {
  auto* group = dynamic_cast<TRadioGroup*>(&Usable(name));
  if (!group) throw EModalDriverError(Format("%s is not a radio group", {name}));
  for (int i = 0; i < group->Items()->Count(); ++i)
    if (SameText(StripHotkey(group->Items()->Get(i)), StripHotkey(item))) return ClickRadioIndex(name, i);
  throw EModalDriverError(Format("%s has no item '%s' (items: %s)", {name, item, ItemList(*group->Items())}));
}

void TFormUser::SwitchPage(const std::string& name) {
  CheckOpen();
  auto& page = Find<TTabSheet>(name);
  TPageControl* pages = page.PageControl();
  if (!pages) throw EModalDriverError(Format("page %s lies in no page control", {name}));
  CheckUsable(*pages, pages->Name().empty() ? name : pages->Name());
  if (!page.TabVisible()) throw EModalDriverError(Format("the tab of page %s is hidden", {name}));
  Perform([&] { pages->ChangePage(&page); });
}

void TFormUser::ChoosePopupItem(const std::string& name, const std::string& itemName) {
  TControl& control = Usable(name);
  TPopupMenu* menu = control.PopupMenu();
  if (!menu) throw EModalDriverError(Format("%s has no popup menu", {name}));
  TMenuItem* item = menu->Items()->Find(itemName);
  if (!item) throw EModalDriverError(Format("the popup menu of %s has no item %s", {name, itemName}));
  if (!item->Visible()) throw EModalDriverError(Format("menu item %s is hidden", {itemName}));
  if (!item->Enabled()) throw EModalDriverError(Format("menu item %s is disabled", {itemName}));
  Perform([&] {
    menu->SetPopupComponent(&control);
    menu->Popup(control.Left(), control.Top());
    item->Click();
  });
}

void TFormUser::DragSplitter(const std::string& name, int newSize) {
  auto* splitter = dynamic_cast<TSplitter*>(&Usable(name));
  if (!splitter) throw EModalDriverError(Format("%s is not a splitter", {name}));
  if (!splitter->ResizedControl()) throw EModalDriverError(Format("splitter %s has no control to resize", {name}));
  Perform([&] { splitter->DragTo(newSize); });
}

void TFormUser::Focus(const std::string& name) {
  auto* windowed = dynamic_cast<TWinControl*>(&Usable(name));
  if (!windowed || !windowed->CanFocus()) throw EModalDriverError(Format("%s cannot take the focus", {name}));
  Perform([&] { FForm.FocusControl(windowed); });
}

void TFormUser::CloseWindow() {
  Perform([&] { FForm.Close(); });
}
