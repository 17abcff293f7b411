#include "designhost/foreign/ForeignClasses.h"

#include "classes/TClassRegistry.h"
#include "rtl/TextCompare.h"

#include <map>

namespace {

enum class TSlotKind { String, Boolean, Lines, Reference, Enum };

// The store slot of each property, by class and property name.
struct TForeignProp {
  const char* Name;
  TSlotKind Kind;
  const TTypeInfo* EnumType = nullptr;  // Enum: the type
  int64_t EnumDefault = 0;
};

struct TForeignClass {
  const char* Name;
  bool IsDataSet;
  std::vector<TForeignProp> Props;
  // Whether the migrator replaces it (queries, tables and stored procedures
  // of the four access layers); the others are here to be linked to.
  bool Convertible = false;
};

// What a dbExpress or ADO dataset's command text names: a statement, a table
// or a stored procedure (ADO's also a file or a table opened directly).
const TTypeInfo& TypeInfoSQLCommandType() {
  static const TTypeInfo info = MakeEnumType("TSQLCommandType", {"ctQuery", "ctTable", "ctStoredProc"});
  return info;
}
const TTypeInfo& TypeInfoADOCommandType() {
  static const TTypeInfo info = MakeEnumType(
      "TCommandType", {"cmdUnknown", "cmdText", "cmdTable", "cmdStoredProc", "cmdFile", "cmdTableDirect"});
  return info;
}

const TForeignProp SQL{"SQL", TSlotKind::Lines};
const TForeignProp UpdateObject{"UpdateObject", TSlotKind::Reference};
const TForeignProp CachedUpdates{"CachedUpdates", TSlotKind::Boolean};
const TForeignProp CommandText{"CommandText", TSlotKind::String};
const TForeignProp TableName{"TableName", TSlotKind::String};
const TForeignProp StoredProcName{"StoredProcName", TSlotKind::String};
const TForeignProp ProcedureName{"ProcedureName", TSlotKind::String};
const TForeignProp DataSource{"DataSource", TSlotKind::Reference};
const TForeignProp DataField{"DataField", TSlotKind::String};
const TForeignProp ListSource{"ListSource", TSlotKind::Reference};
const TForeignProp ListField{"ListField", TSlotKind::String};
const TForeignProp KeyField{"KeyField", TSlotKind::String};
const TForeignProp SQLCommandType{"CommandType", TSlotKind::Enum, &TypeInfoSQLCommandType()};
const TForeignProp ADOCommandType{"CommandType", TSlotKind::Enum, &TypeInfoADOCommandType(), 1};

const std::vector<TForeignClass>& Table() {
  static const std::vector<TForeignClass> table = {
      {"TQuery", true, {CachedUpdates, SQL, UpdateObject}, true},
      {"TZQuery", true, {CachedUpdates, SQL, UpdateObject}, true},
      {"TZReadOnlyQuery", true, {SQL}},
      {"TSQLQuery", true, {SQL}, true},
      {"TSQLDataSet", true, {CommandText, SQLCommandType}, true},
      {"TADOQuery", true, {SQL}, true},
      {"TADODataSet", true, {CommandText, ADOCommandType}, true},
      {"TTable", true, {CachedUpdates, TableName, UpdateObject}, true},
      {"TZTable", true, {CachedUpdates, TableName, UpdateObject}, true},
      {"TSQLTable", true, {TableName}, true},
      {"TADOTable", true, {TableName}, true},
      {"TStoredProc", true, {CachedUpdates, StoredProcName, UpdateObject}, true},
      {"TZStoredProc", true, {CachedUpdates, StoredProcName, UpdateObject}, true},
      {"TSQLStoredProc", true, {StoredProcName}, true},
      {"TADOStoredProc", true, {ProcedureName}, true},
      // Datasets the forms link data sources and lookup fields to.
      {"TClientDataSet", true, {}},
      {"TUpdateSQL", false, {{"DeleteSQL", TSlotKind::Lines}, {"InsertSQL", TSlotKind::Lines}, {"ModifySQL", TSlotKind::Lines}}},
      {"TZUpdateSQL", false, {{"DeleteSQL", TSlotKind::Lines}, {"InsertSQL", TSlotKind::Lines}, {"ModifySQL", TSlotKind::Lines}}},
      // The framework's data-aware controls: their links to data sources are
      // references, so they follow a renamed source and are cleared with a
      // deleted one; the rest of a control stays as read.
      {"TDBGrid", false, {DataSource}},
      {"TDBNavigator", false, {DataSource}},
      {"TDBCtrlGrid", false, {DataSource}},
      {"TDBText", false, {DataField, DataSource}},
      {"TDBEdit", false, {DataField, DataSource}},
      {"TDBMemo", false, {DataField, DataSource}},
      {"TDBImage", false, {DataField, DataSource}},
      {"TDBListBox", false, {DataField, DataSource}},
      {"TDBComboBox", false, {DataField, DataSource}},
      {"TDBCheckBox", false, {DataField, DataSource}},
      {"TDBRadioGroup", false, {DataField, DataSource}},
      {"TDBRichEdit", false, {DataField, DataSource}},
      {"TDBLookupListBox", false, {DataField, DataSource, KeyField, ListField, ListSource}},
      {"TDBLookupComboBox", false, {DataField, DataSource, KeyField, ListField, ListSource}},
  };
  return table;
}

struct TMade {
  std::vector<std::unique_ptr<TClassInfo>> Infos;
  std::vector<const TClassInfo*> List;
  std::map<const TClassInfo*, std::vector<TSlotKind>> Slots;
  std::map<const TClassInfo*, std::vector<int64_t>> Defaults;
};

TMade& Made() {
  static TMade made = [] {
    TMade m;
    for (const TForeignClass& fc : Table()) {
      const TClassInfo& parent = fc.IsDataSet ? TDataSet::StaticClass() : TComponent::StaticClass();
      auto info = std::make_unique<TClassInfo>(fc.Name, &parent);
      info->SetStandIn(true);
      std::vector<TSlotKind> slots;
      std::vector<int64_t> defaults;
      for (const TForeignProp& fp : fc.Props) {
        size_t slot = slots.size();
        slots.push_back(fp.Kind);
        defaults.push_back(fp.EnumDefault);
        TPropInfo prop;
        prop.Name = fp.Name;
        switch (fp.Kind) {
        case TSlotKind::String: prop.PropType = &TypeInfoString(); break;
        case TSlotKind::Boolean:
          prop.PropType = &TypeInfoBoolean();
          prop.Default = 0;
          break;
        case TSlotKind::Lines: prop.PropType = &TStrings::StaticClass().TypeInfo(); break;
        case TSlotKind::Reference: prop.PropType = &TComponent::StaticClass().TypeInfo(); break;
        case TSlotKind::Enum:
          prop.PropType = fp.EnumType;
          prop.Default = fp.EnumDefault;
          break;
        }
        prop.Getter = [slot](const TObject& o) { return dynamic_cast<const TForeignPropertyStore&>(o).Get(slot); };
        prop.Setter = [slot](TObject& o, const TValue& v) { dynamic_cast<TForeignPropertyStore&>(o).Set(slot, v); };
        info->AddProperty(std::move(prop));
      }
      if (fc.IsDataSet)
        info->SetFactory([](const TClassInfo& cls, TObject* owner) -> TObject* {
          return new TForeignDataSet(cls, dynamic_cast<TComponent*>(owner));
        });
      else
        info->SetFactory([](const TClassInfo& cls, TObject* owner) -> TObject* {
          return new TForeignComponent(cls, dynamic_cast<TComponent*>(owner));
        });
      m.Slots[info.get()] = std::move(slots);
      m.Defaults[info.get()] = std::move(defaults);
      m.List.push_back(info.get());
      m.Infos.push_back(std::move(info));
    }
    return m;
  }();
  return made;
}

} // namespace

void TForeignPropertyStore::InitStore(const TClassInfo& cls) {
  // Slots are those of the class itself; a foreign class has no foreign parent.
  const auto& kinds = Made().Slots.at(&cls);
  const auto& defaults = Made().Defaults.at(&cls);
  FSlots.resize(kinds.size());
  for (size_t i = 0; i < kinds.size(); ++i) {
    switch (kinds[i]) {
    case TSlotKind::String: FSlots[i].Value = std::string(); break;
    case TSlotKind::Boolean:
    case TSlotKind::Enum: FSlots[i].Value = defaults[i]; break;
    case TSlotKind::Lines: FSlots[i].Lines = std::make_unique<TStringList>(); break;
    case TSlotKind::Reference: FSlots[i].Ref = std::make_unique<TComponentRef<TComponent>>(); break;
    }
  }
}

TValue TForeignPropertyStore::Get(size_t slot) const {
  const TSlot& s = FSlots.at(slot);
  if (s.Lines) return TValue(static_cast<TObject*>(s.Lines.get()));
  if (s.Ref) return TValue(static_cast<TObject*>(s.Ref->Get()));
  return s.Value;
}

void TForeignPropertyStore::Set(size_t slot, const TValue& value) {
  TSlot& s = FSlots.at(slot);
  if (s.Lines) {
    // As the host's string-list properties do: the lines are copied in.
    auto* source = dynamic_cast<TStrings*>(PropValue::From<TObject*>(value));
    if (source) s.Lines->Assign(source);
    else s.Lines->Clear();
    return;
  }
  if (s.Ref) {
    *s.Ref = PropValue::From<TComponent*>(value);
    return;
  }
  if (std::holds_alternative<std::string>(s.Value)) s.Value = PropValue::From<std::string>(value);
  else s.Value = PropValue::From<int64_t>(value);
}

TForeignDataSet::TForeignDataSet(const TClassInfo& cls, TComponent* owner) : TDataSet(owner), FClass(&cls) {
  InitStore(cls);
}

TForeignComponent::TForeignComponent(const TClassInfo& cls, TComponent* owner) : TComponent(owner), FClass(&cls) {
  InitStore(cls);
}

const std::vector<const TClassInfo*>& ForeignClasses() { return Made().List; }

bool IsConvertibleForeignClass(std::string_view className) {
  for (const TForeignClass& fc : Table())
    if (fc.Convertible && SameText(fc.Name, className)) return true;
  return false;
}

void RegisterForeignClasses(TClassRegistry& registry) {
  for (const TClassInfo* cls : ForeignClasses()) registry.RegisterClass(*cls);
}
