#pragma once
// The designer that the fields editor attaches to a dataset; it says which
// kinds of field the fields editor offers.
#include "classes/TClassInfo.h"

#include <functional>
#include <memory>

class TDataSet;
class TDSDesigner;

struct TDSDesignerClass {
  const TClassInfo* Class = nullptr;
  std::function<std::unique_ptr<TDSDesigner>(TDataSet*)> Create;

  const std::string& ClassName() const { return Class->ClassName(); }
  template <class D>
  static TDSDesignerClass Of() {
    return {&D::StaticClass(), [](TDataSet* dataSet) -> std::unique_ptr<TDSDesigner> {
              return std::make_unique<D>(dataSet);
            }};
  }
};

class TDSDesigner : public TObject {
  QUELM_CLASS(TDSDesigner, TObject)

public:
  explicit TDSDesigner(TDataSet* dataSet) : FDataSet(dataSet) {}
  TDataSet* DataSet() const { return FDataSet; }
  virtual bool SupportsAggregates();
  virtual bool SupportsInternalCalc();

private:
  TDataSet* FDataSet;
};
