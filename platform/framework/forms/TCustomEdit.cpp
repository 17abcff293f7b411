#include "forms/TCustomEdit.h"

#include <algorithm>

QUELM_DEFINE_CLASS(TCustomEdit, TWinControl)

QUELM_DEFINE_CLASS(TEdit, TCustomEdit, b.ComponentFactory();
                   b.Property("MaxLength", TypeInfoInteger(), &TEdit::MaxLength, &TEdit::SetMaxLength).Default(0);
                   b.Property("PasswordChar", TypeInfoString(), &TEdit::PasswordChar, &TEdit::SetPasswordChar);
                   b.Property("ReadOnly", TypeInfoBoolean(), &TEdit::ReadOnly, &TEdit::SetReadOnly).Default(0);
                   b.Property("Text", TypeInfoCaption(), &TEdit::Text, &TEdit::SetText);
                   b.Event("OnChange", TypeInfoNotifyEvent(), &TEdit::OnChange);
                   b.Event("OnClick", TypeInfoNotifyEvent(), &TEdit::OnClick);
                   b.Event("OnDblClick", TypeInfoNotifyEvent(), &TEdit::OnDblClick))

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) { SetBounds(0, 0, 121, 21); }

std::string NormalizeLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      result += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

void TCustomEdit::SetText(const std::string& text) {
  FSelStart = 0;
  FSelLength = 0;
  TWinControl::SetText(NormalizeLineBreaks(text));
  FModified = false;
}

void TCustomEdit::SetReadOnly(bool readOnly) {
  if (readOnly == FReadOnly) return;
  FReadOnly = readOnly;
  Changed(TControlChange::Style);
}

void TCustomEdit::TextChanged() {
  int size = static_cast<int>(GetText().size());
  FSelStart = std::min(FSelStart, size);
  FSelLength = std::min(FSelLength, size - FSelStart);
  if (!IsLoading()) OnChange(this);
}

void TCustomEdit::SetSelStart(int start) {
  int size = static_cast<int>(GetText().size());
  FSelStart = std::clamp(start, 0, size);
  FSelLength = 0;
  Changed(TControlChange::Selection);
}

void TCustomEdit::SetSelLength(int length) {
  int size = static_cast<int>(GetText().size());
  FSelLength = std::clamp(length, 0, size - FSelStart);
  Changed(TControlChange::Selection);
}

std::string TCustomEdit::SelText() const {
  return GetText().substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength));
}

void TCustomEdit::SetSelText(const std::string& text) {
  ReplaceRange(FSelStart, FSelLength, NormalizeLineBreaks(text), false);
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(GetText().size());
  Changed(TControlChange::Selection);
}

TCaretPos TCustomEdit::CaretPos() const {
  std::string text = GetText();
  TCaretPos pos;
  for (int i = 0; i < FSelStart && i < static_cast<int>(text.size()); ++i) {
    if (text[static_cast<size_t>(i)] == '\n') {
      ++pos.Y;
      pos.X = 0;
    } else {
      ++pos.X;
    }
  }
  return pos;
}

void TCustomEdit::ReplaceRange(int start, int length, const std::string& text, bool byUser) {
  std::string current = GetText();
  start = std::clamp(start, 0, static_cast<int>(current.size()));
  length = std::clamp(length, 0, static_cast<int>(current.size()) - start);
  current.replace(static_cast<size_t>(start), static_cast<size_t>(length), text);
  int caret = start + static_cast<int>(text.size());
  // The caret is placed before the change fires, so OnChange sees it.
  FSelStart = caret;
  FSelLength = 0;
  bool modified = FModified || byUser;
  FModified = modified;
  TWinControl::SetText(current);
  FModified = modified;
  FSelStart = std::min(caret, static_cast<int>(GetText().size()));
  FSelLength = 0;
  Changed(TControlChange::Selection);
}

void TCustomEdit::UserEdited(const std::string& text, int selStart) {
  std::string current = GetText();
  if (text != current) {
    // The changed range: what lies between the common start and end.
    size_t prefix = 0;
    while (prefix < current.size() && prefix < text.size() && current[prefix] == text[prefix]) ++prefix;
    size_t suffix = 0;
    while (suffix < current.size() - prefix && suffix < text.size() - prefix &&
           current[current.size() - 1 - suffix] == text[text.size() - 1 - suffix])
      ++suffix;
    ReplaceRange(static_cast<int>(prefix), static_cast<int>(current.size() - prefix - suffix),
                 text.substr(prefix, text.size() - prefix - suffix), true);
  }
  UserSelected(selStart, 0);
}

void TCustomEdit::UserSelected(int selStart, int selLength) {
  int size = static_cast<int>(GetText().size());
  FSelStart = std::clamp(selStart, 0, size);
  FSelLength = std::clamp(selLength, 0, size - FSelStart);
  Changed(TControlChange::Selection);
}

void TCustomEdit::TypeChar(char c) {
  if (FReadOnly) return;
  if (c == '\r') c = '\n';
  if (c == KeyChar::Backspace) {
    if (FSelLength > 0) ReplaceRange(FSelStart, FSelLength, "", true);
    else if (FSelStart > 0) ReplaceRange(FSelStart - 1, 1, "", true);
    return;
  }
  if (c == '\n' && !IsMultiLine()) return;
  if (static_cast<unsigned char>(c) < ' ' && c != '\n' && c != '\t') return;
  if (FMaxLength > 0 && static_cast<int>(GetText().size()) - FSelLength >= FMaxLength) return;
  ReplaceRange(FSelStart, FSelLength, std::string(1, c), true);
}
