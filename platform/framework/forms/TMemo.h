#pragma once
// A multi-line edit with its text as a line list. Setting the whole text
// through Lines (Text, SetText, Assign, Clear) loads it and clears the
// modified flag; adding, inserting, changing or deleting single lines edits
// the text and leaves the flag as it was. The memo keeps Escape and, with
// WantReturns, Enter for itself.
#include "classes/TStrings.h"
#include "forms/TCustomEdit.h"

#include <memory>

class TMemo;

// The lines of a memo: a view of its text, split at line feeds; a final
// line feed starts no line of its own.
class TMemoStrings : public TStrings {
  QUELM_CLASS(TMemoStrings, TStrings)

public:
  explicit TMemoStrings(TMemo& memo) : FMemo(memo) {}

  int Count() const override;
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void SetText(std::string_view text) override;
  void Assign(const TPersistent* source) override;

private:
  void SetLines(const std::vector<std::string>& lines);
  TMemo& FMemo;
};

class TMemo : public TCustomEdit {
  QUELM_CLASS(TMemo, TCustomEdit)

public:
  explicit TMemo(TComponent* owner);

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* lines) { FLines->Assign(lines); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle style) { FScrollBars = style; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool want) { FWantReturns = want; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool want) { FWantTabs = want; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wrap) { FWordWrap = wrap; }

  bool WantsDialogKey(char key) const override;

protected:
  bool IsMultiLine() const override { return true; }

private:
  friend class TMemoStrings;
  std::unique_ptr<TMemoStrings> FLines;
  TScrollStyle FScrollBars = TScrollStyle::ssNone;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
};
