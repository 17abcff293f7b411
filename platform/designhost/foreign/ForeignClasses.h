#pragma once
// Class descriptors for the datasets and update objects of other access
// layers (BDE, ADO, dbExpress, Zeos), so that forms holding them open as
// datasets with their SQL, table and procedure names, events and persistent
// fields. None of those layers is linked: each class is a name and a list of
// published properties, made at run time from a table; instances keep the
// property values in a store of their own.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "classes/TStringList.h"
#include "db/TDataSet.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TClassRegistry;

// The values of one instance's published properties, by slot.
class TForeignPropertyStore {
public:
  virtual ~TForeignPropertyStore() = default;
  TValue Get(size_t slot) const;
  void Set(size_t slot, const TValue& value);

protected:
  void InitStore(const TClassInfo& cls);

private:
  struct TSlot {
    TValue Value;
    std::unique_ptr<TStringList> Lines;
    std::unique_ptr<TComponentRef<TComponent>> Ref;
  };
  std::vector<TSlot> FSlots;
};

class TForeignDataSet : public TDataSet, public TForeignPropertyStore {
public:
  TForeignDataSet(const TClassInfo& cls, TComponent* owner);
  const TClassInfo& ClassType() const override { return *FClass; }

private:
  const TClassInfo* FClass;
};

class TForeignComponent : public TComponent, public TForeignPropertyStore {
public:
  TForeignComponent(const TClassInfo& cls, TComponent* owner);
  const TClassInfo& ClassType() const override { return *FClass; }

private:
  const TClassInfo* FClass;
};

// Every foreign class, made on first use and kept for the process's life.
const std::vector<const TClassInfo*>& ForeignClasses();
void RegisterForeignClasses(TClassRegistry& registry);
// Whether the migrator replaces datasets of the class (its own name, letter
// case ignored): the queries, tables and stored procedures of the four layers.
bool IsConvertibleForeignClass(std::string_view className);
