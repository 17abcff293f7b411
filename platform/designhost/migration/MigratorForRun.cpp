#include "designhost/migration/MigratorForRun.h"

#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "classes/TypInfo.h"
#include "rtl/Exceptions.h"

#include <stdexcept>

namespace {

constexpr const char* MigratorClassName = "TBDE2QuelmDorvik";

// The name the form designer gives a component it drops: the class name
// without its T and the lowest number that is free on the form.
std::string DroppedName(const TComponent& root) {
  std::string base = std::string(MigratorClassName).substr(1);
  for (int n = 1;; ++n) {
    std::string name = base + std::to_string(n);
    if (!root.FindComponent(name)) return name;
  }
}

// The set value of the migrator's ConvertComponents for the layer words
// ("bde" stands for the member convBDE), read from the property's type.
int64_t ConvertBits(const TComponent& migrator, const std::vector<std::string>& words) {
  const TPropInfo& prop = GetPropInfoOrRaise(migrator, "ConvertComponents");
  const TTypeInfo* members = prop.PropType ? prop.PropType->CompType : nullptr;
  if (!members) throw Exception("ConvertComponents of " + migrator.Name() + " is not a set");
  int64_t bits = 0;
  for (const std::string& word : words) {
    int value = GetEnumValue(*members, "conv" + word);
    if (value < 0) throw std::invalid_argument("unknown access layer '" + word + "' (give bde, ado, dbx or zeos)");
    bits |= int64_t{1} << value;
  }
  return bits;
}

} // namespace

TMigratorForRun::TMigratorForRun(TComponent& root) {
  const TClassInfo* cls = TClassRegistry::Global().FindClass(MigratorClassName);
  if (!cls || !cls->CanCreate())
    throw std::invalid_argument(std::string("the loaded package has no ") + MigratorClassName);
  for (int i = 0; i < root.ComponentCount() && !FMigrator; ++i)
    if (root.Components(i)->InheritsFrom(*cls)) FMigrator = root.Components(i);
  if (!FMigrator) {
    TComponent* made = cls->CreateComponent(&root);
    FMigrator = made;
    FDropped = true;
    made->SetName(DroppedName(root));
  }
  TComponent& m = *FMigrator.Get();
  FDatabase = dynamic_cast<TComponent*>(GetObjectProp(m, "Database"));
  FConvert = GetOrdProp(m, "ConvertComponents");
  FDeleteSources = GetOrdProp(m, "DeleteSourceComponents");
}

TMigratorForRun::~TMigratorForRun() { Restore(); }

void TMigratorForRun::Configure(TComponent* database, const std::optional<std::vector<std::string>>& convert,
                                bool keepSources) {
  TComponent& m = *FMigrator.Get();
  if (database) SetObjectProp(m, "Database", database);
  if (convert) SetOrdProp(m, "ConvertComponents", ConvertBits(m, *convert));
  if (keepSources) SetOrdProp(m, "DeleteSourceComponents", 0);
}

TComponent* TMigratorForRun::Database() const {
  TComponent* m = FMigrator.Get();
  return m ? dynamic_cast<TComponent*>(GetObjectProp(*m, "Database")) : nullptr;
}

void TMigratorForRun::Restore() {
  if (FRestored) return;
  FRestored = true;
  TComponent* m = FMigrator.Get();
  if (!m) return;
  if (FDropped) {
    FMigrator = nullptr;
    delete m;
    return;
  }
  try {
    SetObjectProp(*m, "Database", FDatabase.Get());
    SetOrdProp(*m, "ConvertComponents", FConvert);
    SetOrdProp(*m, "DeleteSourceComponents", FDeleteSources);
  } catch (const Exception&) {
    // The migrator's own setters do not raise for the values it had.
  }
}
