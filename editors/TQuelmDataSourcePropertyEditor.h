#pragma once
// A table's MasterSource drop-down: the form's data sources, less those that
// are linked to any of the selected tables, so that no circular master-detail
// link can be chosen from the list.
#include "designhost/TComponentProperty.h"

class TQuelmDataSourcePropertyEditor : public TComponentProperty {
  QUELM_CLASS(TQuelmDataSourcePropertyEditor, TComponentProperty)

public:
  using TComponentProperty::TComponentProperty;
  void GetValues(const TGetStrProc& proc) override;
  void CheckComponent(const std::string& name);

private:
  // The host's callback, kept for the duration of one GetValues call.
  TGetStrProc FProc;
};
