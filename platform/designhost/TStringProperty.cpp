#include "designhost/TStringProperty.h"

QUELM_DEFINE_CLASS(TStringProperty, TPropertyEditor)

bool TStringProperty::AllEqual() {
  std::string first = GetStrValue();
  for (int i = 1; i < PropCount(); ++i)
    if (GetStrValueAt(i) != first) return false;
  return true;
}

int TStringProperty::GetEditLimit() { return 32767; }

std::string TStringProperty::GetValue() { return GetStrValue(); }

void TStringProperty::SetValue(const std::string& value) { SetStrValue(value); }
