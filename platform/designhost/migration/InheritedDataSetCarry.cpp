#include "designhost/migration/InheritedDataSetCarry.h"

#include "classes/TComponent.h"
#include "classes/TStrings.h"
#include "classes/TypInfo.h"
#include "db/TDataSet.h"
#include "rtl/TextCompare.h"

namespace {

const TPropInfo* Writable(const TComponent& c, std::string_view name, TTypeKind kind) {
  const TPropInfo* p = GetPropInfo(c, name);
  return p && p->IsWritable() && p->Kind() == kind ? p : nullptr;
}

bool IsTable(const TComponent& c) { return GetPropInfo(c, "TableName") != nullptr; }

TStrings* Lines(const TComponent& c, std::string_view name) {
  const TPropInfo* p = GetPropInfo(c, name);
  return p && p->Kind() == TTypeKind::tkClass ? dynamic_cast<TStrings*>(GetObjectProp(c, name)) : nullptr;
}

void CopyString(const TComponent& old, std::string_view from, TComponent& made, std::string_view to) {
  if (GetPropInfo(old, from) && Writable(made, to, TTypeKind::tkString))
    if (std::string value = GetStrProp(old, from); !value.empty()) SetStrProp(made, to, value);
}

} // namespace

TDesignSession::TInheritedCarry InheritedDataSetCarry(TInheritedCommandTexts texts) {
  TDesignSession::TInheritedCarry carry;
  carry.Carry = [texts = std::move(texts)](TComponent& old, TComponent& made) {
    made.SetDesignInfo(old.DesignInfo());
    if (!dynamic_cast<TDataSet*>(&made)) {
      // Another component that changed class (an update object): every
      // property both classes have alike.
      for (const TPropInfo* p : made.ClassType().Properties()) {
        if (SameText(p->Name, "Name") || !p->IsWritable()) continue;
        const TPropInfo* from = GetPropInfo(old, p->Name);
        if (!from || from->Kind() != p->Kind() || from->PropType != p->PropType) continue;
        try {
          SetPropValue(made, *p, GetPropValue(old, *from));
        } catch (const std::exception&) {
        }
      }
      return;
    }
    // The texts and names.
    if (TStrings* to = Lines(made, "SQL")) {
      if (TStrings* from = Lines(old, "SQL")) to->Assign(from);
      else if (std::optional<std::string> statement = texts.StatementOf(old); statement && !statement->empty())
        to->SetText(*statement);
    }
    if (IsTable(made)) {
      CopyString(old, "TableName", made, "TableName");
      CopyString(old, "Filter", made, "Filter");
      if (GetPropInfo(old, "Filtered"))
        if (const TPropInfo* p = Writable(made, "Filtered", TTypeKind::tkEnumeration))
          SetPropValue(made, *p, GetPropValue(old, *GetPropInfo(old, "Filtered")));
    }
    CopyString(old, "StoredProcName", made, "ProcedureName");
    CopyString(old, "ProcedureName", made, "ProcedureName");
    // The events both classes have.
    for (const TPropInfo* p : made.ClassType().Properties()) {
      if (p->Kind() != TTypeKind::tkMethod || !p->IsWritable()) continue;
      const TPropInfo* from = GetPropInfo(old, p->Name);
      if (!from || from->Kind() != TTypeKind::tkMethod) continue;
      try {
        SetPropValue(made, *p, GetPropValue(old, *from));
      } catch (const std::exception&) {
        // A handler of another signature stays behind.
      }
    }
  };
  carry.Keeps = [](const TComponent& made, const std::string& property) {
    std::string name = property.substr(0, property.find('.'));
    if (SameText(name, "Left") || SameText(name, "Top")) return true;
    if (!dynamic_cast<const TDataSet*>(&made)) return GetPropInfo(made, name) != nullptr;
    if (SameText(name, "SQL")) return Lines(made, "SQL") != nullptr;
    if (SameText(name, "ProcedureName")) return GetPropInfo(made, name) != nullptr;
    if (SameText(name, "TableName") || SameText(name, "Filter") || SameText(name, "Filtered")) return IsTable(made);
    const TPropInfo* p = GetPropInfo(made, name);
    return p && p->Kind() == TTypeKind::tkMethod;
  };
  return carry;
}
