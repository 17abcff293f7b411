#pragma once
// Table maintenance on the connected database: check, analyze, optimize and
// repair, with the server's messages as result lines.
#include "classes/TComponent.h"
#include "classes/TComponentRef.h"
#include "runtime/TQuelmDatabase.h"

#include <string>

class TStrings;

enum class TQuelmToolsOperation { toCheck, toAnalyze, toOptimize, toRepair };

class TQuelmTools : public TComponent {
  QUELM_CLASS(TQuelmTools, TComponent)

public:
  explicit TQuelmTools(TComponent* owner);
  ~TQuelmTools() override;

  TQuelmDatabase* Database() const { return FDatabase.Get(); }
  void SetDatabase(TQuelmDatabase* database) { FDatabase = database; }
  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& v) { FAbout = v; }

  // Runs the operation over tables in one statement; results receives one
  // line "table: type: message" per line of the server's answer.
  void Execute(TQuelmToolsOperation operation, const TStrings& tables, TStrings& results);

private:
  TComponentRef<TQuelmDatabase> FDatabase;
  std::string FAbout;
};
