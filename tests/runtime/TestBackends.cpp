#include "support/TestServer.h"
#include "TestBackends.h"

#include "classes/TStringList.h"
#include "runtime/TQuelmBatchExecute.h"
#include "runtime/TQuelmDatabase.h"

#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
using TestSupport::TestEnv;

// The temporary directory holding the embedded data directory; never
// destroyed, since the exit handler that removes it runs after the statics go.
std::string* TempRoot = nullptr;

void RemoveEmbeddedDir() {
  std::error_code ec;
  if (TempRoot) std::filesystem::remove_all(*TempRoot, ec);
}

void LoadSchema(TQuelmDatabase& database, const std::string& file) {
  TQuelmBatchExecute batch(nullptr);
  batch.SetDatabase(&database);
  batch.SQL()->SetText(ReadTestFile(file));
  batch.ExecSQL();
}
} // namespace

std::string BackendName(const ::testing::TestParamInfo<TBackend>& info) {
  return info.param == TBackend::Server ? "Server" : "Embedded";
}

bool InCI() { return TestEnv("CI") == "true"; }

bool HasTestServer() { return !TestEnv("QUELM_TEST_HOST").empty() && !TestEnv("QUELM_TEST_PORT").empty(); }

std::string NoServerMessage() {
  return "no test server: QUELM_TEST_HOST and QUELM_TEST_PORT are not set (run the tests through "
         "scripts/test-server.sh or ./run test)";
}

const std::string& EmbeddedTestDir() {
  static const std::string dir = [] {
    // Memory-backed when possible: creating 2,000 tables on a disk costs
    // seconds of synchronous writes, in memory a fraction of one.
    std::string base = TestEnv("TMPDIR");
    if (base.empty()) base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/quelm-embedded-test.XXXXXX";
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
    TempRoot = new std::string(pattern);
    // Registered before the embedded server starts, so it runs after the
    // server has stopped.
    std::atexit(RemoveEmbeddedDir);
    return pattern + "/data";
  }();
  return dir;
}

std::string ReadTestFile(const std::string& name) {
  std::filesystem::path path = std::filesystem::path(__FILE__).parent_path() / name;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool ConnectTestDatabase(TQuelmDatabase& database, TBackend backend, const std::string& databaseName) {
  if (backend == TBackend::Server) {
    if (!HasTestServer()) return false;
    database.SetHost(TestEnv("QUELM_TEST_HOST"));
    database.SetPort(std::atoi(TestEnv("QUELM_TEST_PORT").c_str()));
    database.SetUserName(TestEnv("QUELM_TEST_USER"));
    database.SetUserPassword(TestEnv(TestEnv("QUELM_TEST_PASSWORD_ENV").c_str()));
    database.SetDatabaseName(databaseName);
    database.Open();
    return true;
  }
  database.SetEmbeddedDir(EmbeddedTestDir());
  database.SetDatabaseName(databaseName);
  database.Open();
  // The schema goes into this process's own data directory once.
  TStringList present;
  if (databaseName == "quelm_test") {
    database.GetTableNames("customer", present, false);
    if (present.Count() == 0) LoadSchema(database, "schema.sql");
  } else if (databaseName == "quelm_bulk") {
    database.GetTableNames("t0000", present, false);
    if (present.Count() == 0) LoadSchema(database, "schema-bulk.sql");
  }
  return true;
}
