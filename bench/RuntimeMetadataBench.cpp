// Metadata lists of the runtime library against a real server: the table
// names of a 10,000-table database and the field names of a 1,000-column
// table, each one statement to the server. Runs on the test server when
// QUELM_TEST_* is set (scripts/test-server.sh), and always on the embedded
// server in a temporary data directory.
#include "classes/TStringList.h"
#include "runtime/QuelmConnection.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmMonitor.h"
#include "runtime/TQuelmTable.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr int TableCount = 10000;
constexpr int ColumnCount = 1000;
const char* const BenchDatabase = "quelm_bench";

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// Never destroyed: the exit handler that removes the directory runs after
// the static objects have gone.
std::string* TempDir = nullptr;

void RemoveEmbeddedDir() {
  std::error_code ec;
  if (TempDir) std::filesystem::remove_all(*TempDir, ec);
}

const std::string& EmbeddedDir() {
  if (!TempDir) {
    std::string base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/quelm-bench.XXXXXX";
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
    TempDir = new std::string(pattern);
    std::atexit(RemoveEmbeddedDir);
  }
  return *TempDir;
}

// The bench database with its 10,000 tables and the wide table, made once.
void Populate(TQuelmDatabase& db) {
  TQuelmConnection& c = db.Connection();
  TStringList present;
  db.GetTableNames("t09999", present, false);
  if (present.Count() == 1) return;
  c.Execute("DROP PROCEDURE IF EXISTS quelm_bench_make");
  c.Execute(
      "CREATE PROCEDURE quelm_bench_make(IN n INT, IN cols INT) BEGIN "
      "DECLARE i INT DEFAULT 0; DECLARE list LONGTEXT DEFAULT ''; "
      "WHILE i < n DO SET @s = CONCAT('CREATE TABLE IF NOT EXISTS t', LPAD(i, 5, '0'), "
      "' (id INT NOT NULL PRIMARY KEY) ENGINE=MyISAM'); PREPARE st FROM @s; EXECUTE st; DEALLOCATE PREPARE st; "
      "SET i = i + 1; END WHILE; "
      "SET i = 1; WHILE i <= cols DO SET list = CONCAT(list, IF(i = 1, '', ', '), 'c', LPAD(i, 4, '0'), ' INT'); "
      "SET i = i + 1; END WHILE; "
      "SET @s = CONCAT('CREATE TABLE IF NOT EXISTS wide (', list, ') ENGINE=MyISAM'); PREPARE st FROM @s; "
      "EXECUTE st; DEALLOCATE PREPARE st; END");
  c.Execute("CALL quelm_bench_make(" + std::to_string(TableCount - 1) + ", " + std::to_string(ColumnCount) + ")");
  c.Execute("DROP PROCEDURE quelm_bench_make");
}

std::unique_ptr<TQuelmDatabase> Connect(bool server) {
  auto db = std::make_unique<TQuelmDatabase>(nullptr);
  if (server) {
    db->SetHost(Env("QUELM_TEST_HOST"));
    db->SetPort(std::atoi(Env("QUELM_TEST_PORT").c_str()));
    db->SetUserName(Env("QUELM_TEST_USER"));
    db->SetUserPassword(Env(Env("QUELM_TEST_PASSWORD_ENV").c_str()));
    db->Open();
    db->ExecSQL(std::string("CREATE DATABASE IF NOT EXISTS ") + BenchDatabase);
    db->Close();
  } else {
    db->SetEmbeddedDir(EmbeddedDir());
  }
  db->SetDatabaseName(BenchDatabase);
  db->Open();
  Populate(*db);
  return db;
}

TQuelmDatabase& Database(bool server) {
  static std::unique_ptr<TQuelmDatabase> servers[2];
  auto& slot = servers[server ? 1 : 0];
  if (!slot) slot = Connect(server);
  return *slot;
}

// Counts the statements each list sends.
struct TStatementCounter {
  TQuelmMonitor Monitor{nullptr};
  int64_t Count = 0;
  TStatementCounter() {
    Monitor.OnSQL = TQuelmMonitorSQLEvent([this](TObject*, const std::string&) { ++Count; });
    Monitor.SetActive(true);
  }
};

void BM_TableNames(benchmark::State& state, bool server) {
  TQuelmDatabase& db = Database(server);
  TStringList list;
  TStatementCounter counter;
  for (auto _ : state) {
    db.GetTableNames("", list, true);
    benchmark::DoNotOptimize(list.Count());
  }
  if (list.Count() != TableCount) state.SkipWithError("wrong table count");
  state.counters["names"] = list.Count();
  state.counters["statements/list"] = static_cast<double>(counter.Count) / static_cast<double>(state.iterations());
}

void BM_FieldNames(benchmark::State& state, bool server) {
  TQuelmDatabase& db = Database(server);
  TStringList list;
  TStatementCounter counter;
  for (auto _ : state) {
    db.GetFieldNames("wide", list);
    benchmark::DoNotOptimize(list.Count());
  }
  if (list.Count() != ColumnCount) state.SkipWithError("wrong field count");
  state.counters["names"] = list.Count();
  state.counters["statements/list"] = static_cast<double>(counter.Count) / static_cast<double>(state.iterations());
}

void BM_FieldDefs(benchmark::State& state, bool server) {
  TQuelmDatabase& db = Database(server);
  TQuelmTable table(nullptr);
  table.SetDatabase(&db);
  table.SetTableName("wide");
  TStatementCounter counter;
  for (auto _ : state) {
    table.FieldDefs().SetUpdated(false);
    table.FieldDefs().Update();
  }
  if (table.FieldDefs().Count() != ColumnCount) state.SkipWithError("wrong field definition count");
  state.counters["statements/list"] = static_cast<double>(counter.Count) / static_cast<double>(state.iterations());
}

int Register() {
  const bool server = !Env("QUELM_TEST_HOST").empty();
  for (bool s : {false, true}) {
    if (s && !server) continue;
    const std::string backend = s ? "Server" : "Embedded";
    benchmark::RegisterBenchmark(("TableNames10000/" + backend).c_str(), BM_TableNames, s)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("FieldNames1000/" + backend).c_str(), BM_FieldNames, s)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("FieldDefs1000/" + backend).c_str(), BM_FieldDefs, s)->Unit(benchmark::kMillisecond);
  }
  return 0;
}
const int registered = Register();

} // namespace
