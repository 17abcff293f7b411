#pragma once
// The string properties that offer a drop-down of names from the server:
// table, index, index field list, stored routine, character set and
// collation. They differ only in how they fill the list; choosing or typing a
// value stores the text unchanged.
#include "designhost/TStringProperty.h"

class TStrings;

// value list, multi-select and sorted list
inline constexpr TPropertyAttributes NameListAttributes{
    TPropertyAttribute::paValueList, TPropertyAttribute::paMultiSelect, TPropertyAttribute::paSortList};

class TQuelmTableNamePropertyEditor : public TStringProperty {
  QUELM_CLASS(TQuelmTableNamePropertyEditor, TStringProperty)

public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& proc) override;
  void GetValueList(TStrings& list);
};

class TQuelmIndexNamePropertyEditor : public TStringProperty {
  QUELM_CLASS(TQuelmIndexNamePropertyEditor, TStringProperty)

public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& proc) override;
  void GetValueList(TStrings& list);
};

class TQuelmIndexFieldNamesPropertyEditor : public TStringProperty {
  QUELM_CLASS(TQuelmIndexFieldNamesPropertyEditor, TStringProperty)

public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& proc) override;
  void GetValueList(TStrings& list);
};

class TQuelmStoredProcNamePropertyEditor : public TStringProperty {
  QUELM_CLASS(TQuelmStoredProcNamePropertyEditor, TStringProperty)

public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& proc) override;
  void GetValueList(TStrings& list);
};

class TQuelmDatabaseCharsetPropertyEditor : public TStringProperty {
  QUELM_CLASS(TQuelmDatabaseCharsetPropertyEditor, TStringProperty)

public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& proc) override;
};

class TQuelmDatabaseCollationPropertyEditor : public TStringProperty {
  QUELM_CLASS(TQuelmDatabaseCollationPropertyEditor, TStringProperty)

public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& proc) override;
};
