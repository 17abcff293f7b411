#pragma once
// The migrator a run uses: the one on the first form, or else one dropped
// there for the run, as the form designer drops it (its own rule then picks
// its database), and taken away again. The run's options change its
// settings for the run only, so a saved form keeps its migrator as it was.
#include "classes/TComponentRef.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TComponent;

class TMigratorForRun {
public:
  // Raises std::invalid_argument when no migrator class is registered.
  explicit TMigratorForRun(TComponent& root);
  // Takes a dropped migrator away and puts the settings back, however the run ends.
  ~TMigratorForRun();
  TMigratorForRun(const TMigratorForRun&) = delete;
  TMigratorForRun& operator=(const TMigratorForRun&) = delete;

  TComponent& Component() const { return *FMigrator.Get(); }
  bool Dropped() const { return FDropped; }
  // The database (when one is given), the access layers by word (bde, ado,
  // dbx, zeos) and whether sources stay; raises std::invalid_argument for
  // an unknown word.
  void Configure(TComponent* database, const std::optional<std::vector<std::string>>& convert, bool keepSources);
  // The migrator's database now.
  TComponent* Database() const;
  // The form as it is saved: without the dropped migrator, with a migrator
  // of the form as it was.
  void Restore();

private:
  TComponentRef<TComponent> FMigrator;
  bool FDropped = false;
  bool FRestored = false;
  TComponentRef<TComponent> FDatabase;
  int64_t FConvert = 0;
  int64_t FDeleteSources = 0;
};
