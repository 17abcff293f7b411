#pragma once
// The private test server that scripts/test-server.sh starts, found through
// the QUELM_TEST_* variables. A test that needs it and has none fails in CI
// (CI=true) and is skipped elsewhere.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace TestSupport {

inline std::string TestEnv(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The connection options that point quelm-designer at the test server, with
// a leading blank.
inline std::string TestServerOptions() {
  return " --host " + TestEnv("QUELM_TEST_HOST") + " --port " + TestEnv("QUELM_TEST_PORT") + " --user " +
         TestEnv("QUELM_TEST_USER") + " --password-env " + TestEnv("QUELM_TEST_PASSWORD_ENV");
}

inline bool HasTestServerVariables() { return !TestEnv("QUELM_TEST_HOST").empty() && !TestEnv("QUELM_TEST_PORT").empty(); }

} // namespace TestSupport

#define REQUIRE_TEST_SERVER()                                                                          \
  do {                                                                                                 \
    if (!::TestSupport::HasTestServerVariables()) {                                                    \
      if (::TestSupport::TestEnv("CI") == "true")                                                      \
        FAIL() << "no test server: QUELM_TEST_HOST and QUELM_TEST_PORT are not set (run the tests "    \
                  "through scripts/with-test-server.sh)";                                              \
      GTEST_SKIP() << "no test server (run the tests through scripts/with-test-server.sh)";            \
    }                                                                                                  \
  } while (0)
