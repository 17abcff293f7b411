#pragma once
// Watches the statements every database component of the process sends: an
// active monitor receives each one through OnSQL. Connection settings and
// passwords are never part of what it sees.
#include "classes/TComponent.h"
#include "classes/TMethod.h"

#include <string>

class TQuelmDatabase;

using TQuelmMonitorSQLEvent = TEvent<TObject*, const std::string&>;

class TQuelmMonitor : public TComponent {
  QUELM_CLASS(TQuelmMonitor, TComponent)

public:
  explicit TQuelmMonitor(TComponent* owner);
  ~TQuelmMonitor() override;

  bool Active() const { return FActive; }
  void SetActive(bool active) { FActive = active; }
  const std::string& About() const { return FAbout; }
  void SetAbout(const std::string& v) { FAbout = v; }

  TQuelmMonitorSQLEvent OnSQL;

private:
  bool FActive = false;
  std::string FAbout;
};

// Hands sql to every active monitor; the database components call it.
void MonitorSQL(const TQuelmDatabase& database, const std::string& sql);
