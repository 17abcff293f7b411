#include "runtime/TQuelmMonitor.h"

#include "runtime/QuelmTypes.h"
#include "runtime/TQuelmDatabase.h"

#include <algorithm>
#include <vector>

namespace {
const TTypeInfo& TypeInfoQuelmMonitorSQLEvent() {
  static const TTypeInfo info = MakeMethodType("TQuelmMonitorSQLEvent", "(Sender: TObject; const SQL: string)");
  return info;
}

// Destroyed with this library, like the database list: every monitor has
// left it by then.
std::vector<TQuelmMonitor*>& Monitors() {
  static std::vector<TQuelmMonitor*> monitors;
  return monitors;
}
} // namespace

QUELM_DEFINE_CLASS(TQuelmMonitor, TComponent, b.ComponentFactory();
                   b.Property("About", TypeInfoQuelmDorvikAbout(), &TQuelmMonitor::About, &TQuelmMonitor::SetAbout);
                   b.Property("Active", TypeInfoBoolean(), &TQuelmMonitor::Active, &TQuelmMonitor::SetActive)
                       .Default(0);
                   b.Event("OnSQL", TypeInfoQuelmMonitorSQLEvent(), &TQuelmMonitor::OnSQL))

TQuelmMonitor::TQuelmMonitor(TComponent* owner) : TComponent(owner) { Monitors().push_back(this); }

TQuelmMonitor::~TQuelmMonitor() {
  auto& monitors = Monitors();
  monitors.erase(std::remove(monitors.begin(), monitors.end(), this), monitors.end());
}

void MonitorSQL(const TQuelmDatabase& database, const std::string& sql) {
  // A handler may create or free monitors; walk a copy.
  std::vector<TQuelmMonitor*> monitors = Monitors();
  for (TQuelmMonitor* monitor : monitors) {
    auto& live = Monitors();
    if (std::find(live.begin(), live.end(), monitor) == live.end()) continue;
    if (monitor->Active()) monitor->OnSQL(const_cast<TQuelmDatabase*>(&database), sql);
  }
}
