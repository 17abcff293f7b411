#include "editors/TQuelmDataSourcePropertyEditor.h"

#include "db/TDataSource.h"
#include "rtl/ScopeGuard.h"

QUELM_DEFINE_CLASS(TQuelmDataSourcePropertyEditor, TComponentProperty)

void TQuelmDataSourcePropertyEditor::GetValues(const TGetStrProc& proc) {
  FProc = proc;
  TScopeGuard clear([this] { FProc = nullptr; });
  TComponentProperty::GetValues([this](const std::string& name) { CheckComponent(name); });
}

void TQuelmDataSourcePropertyEditor::CheckComponent(const std::string& name) {
  auto* source = dynamic_cast<TDataSource*>(Designer()->GetComponent(name));
  if (source)
    for (int i = 0; i < PropCount(); ++i)
      if (auto* table = dynamic_cast<TDataSet*>(GetComponent(i)); table && table->IsLinkedTo(source)) return;
  FProc(name);
}
