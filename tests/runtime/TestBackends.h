#pragma once
// The two backends the database tests run on: the private test server that
// scripts/test-server.sh starts (found through QUELM_TEST_*), and the
// embedded server on a data directory of this test process.
#include "support/EmbeddedServer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class TQuelmDatabase;

enum class TBackend { Server, Embedded };

std::string BackendName(const ::testing::TestParamInfo<TBackend>& info);

// The backends the parameterised database tests run on: both, except in the
// sanitizer build, which cannot load the embedded server (see
// support/EmbeddedServer.h).
inline std::vector<TBackend> BackendsToTest() {
  if (::TestSupport::EmbeddedServerLoadable) return {TBackend::Server, TBackend::Embedded};
  return {TBackend::Server};
}

// True when the test server's variables are set.
bool HasTestServer();
// The message for a test that needs the server and has none; the test fails
// with it in CI and skips elsewhere.
std::string NoServerMessage();
bool InCI();

// Sets database up for backend and the given test database ("quelm_test" or
// "quelm_bulk"), connects it and, on the embedded server, loads the schema on
// first use. Returns false when the backend is unavailable (the caller then
// skips or fails, see REQUIRE_BACKEND).
bool ConnectTestDatabase(TQuelmDatabase& database, TBackend backend, const std::string& databaseName = "quelm_test");

// The embedded data directory of this process, made on first use and removed
// at exit.
const std::string& EmbeddedTestDir();

// Reads a file beside the tests.
std::string ReadTestFile(const std::string& name);

#define REQUIRE_BACKEND(database, backend, ...)                                      \
  do {                                                                               \
    if ((backend) == TBackend::Embedded) SKIP_WITHOUT_EMBEDDED_SERVER();             \
    if (!ConnectTestDatabase(database, backend, ##__VA_ARGS__)) {                    \
      if (InCI()) FAIL() << NoServerMessage();                                       \
      GTEST_SKIP() << NoServerMessage();                                             \
    }                                                                                \
  } while (0)
