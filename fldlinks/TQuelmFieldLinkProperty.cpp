#include "fldlinks/TQuelmFieldLinkProperty.h"

#include "classes/TStrings.h"
#include "db/TDataSet.h"
#include "db/TIndexDefs.h"
#include "fldlinks/EditMasterFields.h"
#include "fldlinks/QuelmFldLinksStrings.h"
#include "package/PackageModule.h"

QUELM_DEFINE_CLASS(TQuelmFieldLinkProperty, TStringProperty)

TQuelmFieldLinkProperty::TQuelmFieldLinkProperty(IFormDesigner* designer, int propCount)
    : TStringProperty(designer, propCount) {}

TQuelmFieldLinkProperty::TQuelmFieldLinkProperty(TDataSet* dataSet) : TStringProperty(nullptr, 0), FDataSet(dataSet) {}

void TQuelmFieldLinkProperty::Edit() {
  FAccepted = EditMasterFields(GetDataSet(), *this);
  if (FAccepted) Modified();
}

TPropertyAttributes TQuelmFieldLinkProperty::GetAttributes() { return {TPropertyAttribute::paDialog}; }

TDataSet* TQuelmFieldLinkProperty::GetDataSet() {
  if (!FDataSet) FDataSet = dynamic_cast<TDataSet*>(GetComponent(0));
  return FDataSet;
}

void TQuelmFieldLinkProperty::GetIndexNames(TStrings& list) {
  TIndexDefs* defs = GetIndexDefs();
  if (!defs) return;
  for (int i = 0; i < defs->Count(); ++i) {
    const TIndexDef* def = defs->Items(i);
    if (def->Options().Contains(TIndexOption::ixPrimary) && def->Name().empty()) list.Add(PackageResString(SPrimary));
    else list.Add(def->Name());
  }
}

void TQuelmFieldLinkProperty::GetFieldNamesForIndex(TStrings&) {}

bool TQuelmFieldLinkProperty::GetIndexBased() { return false; }

TIndexDefs* TQuelmFieldLinkProperty::GetIndexDefs() { return nullptr; }

std::string TQuelmFieldLinkProperty::GetIndexFieldNames() { return {}; }

std::string TQuelmFieldLinkProperty::GetIndexName() { return {}; }

std::string TQuelmFieldLinkProperty::GetMasterFields() { throw EAbstractError(HostText::AbstractError); }

void TQuelmFieldLinkProperty::SetIndexFieldNames(const std::string&) {}

void TQuelmFieldLinkProperty::SetIndexName(const std::string&) {}

void TQuelmFieldLinkProperty::SetMasterFields(const std::string&) { throw EAbstractError(HostText::AbstractError); }
