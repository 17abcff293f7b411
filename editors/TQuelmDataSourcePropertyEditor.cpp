#include "editors/TQuelmDataSourcePropertyEditor.h"

#include "db/TDataSource.h"

QUELM_DEFINE_CLASS(TQuelmDataSourcePropertyEditor, TComponentProperty)

void TQuelmDataSourcePropertyEditor::GetValues(const TGetStrProc& proc) {
  FProc = proc;
  struct TClearProc {
    TGetStrProc& Proc;
    ~TClearProc() { Proc = nullptr; }
  } clear{FProc};
  TComponentProperty::GetValues([this](const std::string& name) { CheckComponent(name); });
}

void TQuelmDataSourcePropertyEditor::CheckComponent(const std::string& name) {
  auto* source = dynamic_cast<TDataSource*>(Designer()->GetComponent(name));
  if (source)
    for (int i = 0; i < PropCount(); ++i)
      if (auto* table = dynamic_cast<TDataSet*>(GetComponent(i)); table && table->IsLinkedTo(source)) return;
  FProc(name);
}
