#include "designhost/foreign/ForeignClasses.h"

#include "classes/TClassRegistry.h"
#include "rtl/TextCompare.h"

#include <map>

namespace {

enum class TSlotKind { String, Boolean, Lines, Reference };

// The store slot of each property, by class and property name.
struct TForeignProp {
  const char* Name;
  TSlotKind Kind;
};

struct TForeignClass {
  const char* Name;
  bool IsDataSet;
  std::vector<TForeignProp> Props;
};

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

const std::vector<TForeignClass>& Table() {
  static const std::vector<TForeignClass> table = {
      {"TQuery", true, {CachedUpdates, SQL, UpdateObject}},
      {"TZQuery", true, {CachedUpdates, SQL, UpdateObject}},
      {"TZReadOnlyQuery", true, {SQL}},
      {"TSQLQuery", true, {SQL}},
      {"TSQLDataSet", true, {CommandText}},
      {"TADOQuery", true, {SQL}},
      {"TADODataSet", true, {CommandText}},
      {"TTable", true, {CachedUpdates, TableName, UpdateObject}},
      {"TZTable", true, {CachedUpdates, TableName, UpdateObject}},
      {"TSQLTable", true, {TableName}},
      {"TADOTable", true, {TableName}},
      {"TStoredProc", true, {CachedUpdates, StoredProcName, UpdateObject}},
      {"TZStoredProc", true, {CachedUpdates, StoredProcName, UpdateObject}},
      {"TSQLStoredProc", true, {StoredProcName}},
      {"TADOStoredProc", true, {ProcedureName}},
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
};

TMade& Made() {
  static TMade made = [] {
    TMade m;
    for (const TForeignClass& fc : Table()) {
      const TClassInfo& parent = fc.IsDataSet ? TDataSet::StaticClass() : TComponent::StaticClass();
      auto info = std::make_unique<TClassInfo>(fc.Name, &parent);
      info->SetStandIn(true);
      std::vector<TSlotKind> slots;
      for (const TForeignProp& fp : fc.Props) {
        size_t slot = slots.size();
        slots.push_back(fp.Kind);
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
  FSlots.resize(kinds.size());
  for (size_t i = 0; i < kinds.size(); ++i) {
    switch (kinds[i]) {
    case TSlotKind::String: FSlots[i].Value = std::string(); break;
    case TSlotKind::Boolean: FSlots[i].Value = int64_t{0}; break;
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

void RegisterForeignClasses(TClassRegistry& registry) {
  for (const TClassInfo* cls : ForeignClasses()) registry.RegisterClass(*cls);
}
