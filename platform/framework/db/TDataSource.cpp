#include "db/TDataSource.h"

#include "db/DatabaseError.h"

namespace {
const TTypeInfo& TypeInfoDataChangeEvent() {
  static const TTypeInfo info = MakeMethodType("TDataChangeEvent", "(Sender: TObject; Field: TField)");
  return info;
}
} // namespace

QUELM_DEFINE_CLASS(TDataSource, TComponent, b.ComponentFactory();
                   b.Property("AutoEdit", TypeInfoBoolean(), &TDataSource::AutoEdit, &TDataSource::SetAutoEdit)
                       .Default(1);
                   b.Property("DataSet", TDataSet::StaticClass().TypeInfo(), &TDataSource::DataSet,
                              &TDataSource::SetDataSet);
                   b.Property("Enabled", TypeInfoBoolean(), &TDataSource::Enabled, &TDataSource::SetEnabled)
                       .Default(1);
                   b.Event("OnStateChange", TypeInfoNotifyEvent(), &TDataSource::OnStateChange);
                   b.Event("OnDataChange", TypeInfoDataChangeEvent(), &TDataSource::OnDataChange);
                   b.Event("OnUpdateData", TypeInfoNotifyEvent(), &TDataSource::OnUpdateData))

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet == FDataSet.Get()) return;
  if (IsLinkedTo(dataSet)) DatabaseError(DBText::CircularDataLink, this);
  FDataSet = dataSet;
  if (dataSet) dataSet->FreeNotification(this);
}

bool TDataSource::IsLinkedTo(const TDataSet* dataSet) const {
  while (dataSet) {
    TDataSource* source = dataSet->GetDataSource();
    if (!source) break;
    if (source == this) return true;
    dataSet = source->DataSet();
  }
  return false;
}
