#include "forms/TMemo.h"

#include "rtl/TList.h"

namespace {
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += '\n';
    text += lines[i];
  }
  return text;
}
} // namespace

QUELM_DEFINE_CLASS(TMemoStrings, TStrings)

int TMemoStrings::Count() const { return static_cast<int>(SplitLines(FMemo.GetText()).size()); }

std::string TMemoStrings::Get(int index) const {
  auto lines = SplitLines(FMemo.GetText());
  if (index < 0 || index >= static_cast<int>(lines.size())) RaiseListIndexError(index);
  return lines[static_cast<size_t>(index)];
}

void TMemoStrings::SetLines(const std::vector<std::string>& lines) {
  // A line edit keeps the modified flag and the caret where they were.
  bool modified = FMemo.Modified();
  int selStart = FMemo.SelStart();
  FMemo.TWinControl::SetText(JoinLines(lines));
  FMemo.SetModified(modified);
  FMemo.SetSelStart(selStart);
}

void TMemoStrings::Put(int index, const std::string& s) {
  auto lines = SplitLines(FMemo.GetText());
  if (index < 0 || index >= static_cast<int>(lines.size())) RaiseListIndexError(index);
  lines[static_cast<size_t>(index)] = NormalizeLineBreaks(s);
  SetLines(lines);
}

void TMemoStrings::Insert(int index, const std::string& s) {
  auto lines = SplitLines(FMemo.GetText());
  if (index < 0 || index > static_cast<int>(lines.size())) RaiseListIndexError(index);
  lines.insert(lines.begin() + index, NormalizeLineBreaks(s));
  SetLines(lines);
}

void TMemoStrings::Delete(int index) {
  auto lines = SplitLines(FMemo.GetText());
  if (index < 0 || index >= static_cast<int>(lines.size())) RaiseListIndexError(index);
  lines.erase(lines.begin() + index);
  SetLines(lines);
}

void TMemoStrings::Clear() { FMemo.SetText(""); }

void TMemoStrings::SetText(std::string_view text) { FMemo.SetText(std::string(text)); }

void TMemoStrings::Assign(const TPersistent* source) {
  if (auto* strings = dynamic_cast<const TStrings*>(source)) {
    if (strings == this) return;
    FMemo.SetText(JoinLines(strings->ToVector()));
    return;
  }
  TStrings::Assign(source);
}

QUELM_DEFINE_CLASS(TMemo, TCustomEdit, b.ComponentFactory();
                   b.Property("Lines", TStrings::StaticClass().TypeInfo(), &TMemo::Lines, &TMemo::SetLines);
                   b.Property("MaxLength", TypeInfoInteger(), &TMemo::MaxLength, &TMemo::SetMaxLength).Default(0);
                   b.Property("ReadOnly", TypeInfoBoolean(), &TMemo::ReadOnly, &TMemo::SetReadOnly).Default(0);
                   b.Property("ScrollBars", TypeInfoScrollStyle(), &TMemo::ScrollBars, &TMemo::SetScrollBars)
                       .Default(0);
                   b.Property("WantReturns", TypeInfoBoolean(), &TMemo::WantReturns, &TMemo::SetWantReturns)
                       .Default(1);
                   b.Property("WantTabs", TypeInfoBoolean(), &TMemo::WantTabs, &TMemo::SetWantTabs).Default(0);
                   b.Property("WordWrap", TypeInfoBoolean(), &TMemo::WordWrap, &TMemo::SetWordWrap).Default(1);
                   b.Event("OnChange", TypeInfoNotifyEvent(), &TMemo::OnChange);
                   b.Event("OnClick", TypeInfoNotifyEvent(), &TMemo::OnClick);
                   b.Event("OnDblClick", TypeInfoNotifyEvent(), &TMemo::OnDblClick))

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), FLines(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(0, 0, 185, 89);
}

bool TMemo::WantsDialogKey(char key) const {
  if (key == KeyChar::Enter) return FWantReturns;
  if (key == KeyChar::Tab) return FWantTabs;
  return key == KeyChar::Escape;
}
