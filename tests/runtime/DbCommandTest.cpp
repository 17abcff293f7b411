// The designer's "db" command, run as a user runs it: the program beside
// this test binary, its output and exit code.
#include "support/RunProgram.h"
#include "TestBackends.h"

#include "runtime/TQuelmDatabase.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace {

using TRun = TestSupport::TProgramRun;

std::filesystem::path Designer() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "quelm-designer";
}

TRun RunDesigner(const std::vector<std::string>& args) { return TestSupport::RunProgram(Designer().string(), args); }

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::vector<std::string> ServerArgs() {
  return {"--host", std::getenv("QUELM_TEST_HOST"), "--port", std::getenv("QUELM_TEST_PORT"), "--user",
          std::getenv("QUELM_TEST_USER"), "--password-env", std::getenv("QUELM_TEST_PASSWORD_ENV"),
          "--database", "quelm_test"};
}

std::vector<std::string> With(std::vector<std::string> a, std::initializer_list<std::string> more) {
  a.insert(a.end(), more);
  return a;
}

class DbCommandTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::exists(Designer())) GTEST_FAIL() << Designer() << " is not built";
  }
};

TEST_F(DbCommandTest, BadCommandLines) {
  auto check = [](std::vector<std::string> args, int code, const std::string& firstLine) {
    args.insert(args.begin(), "db");
    TRun run = RunDesigner(args);
    EXPECT_EQ(run.Code, code) << run.Out;
    EXPECT_EQ(FirstLine(run.Out), firstLine);
  };
  check({}, 2, "db: missing what to list");
  check({"rows"}, 2, "db: unknown list 'rows'");
  check({"fields"}, 2, "db: fields needs one TABLE");
  check({"tables", "extra"}, 2, "db: unexpected argument extra");
  check({"--colour", "tables"}, 2, "db: unknown option --colour");
  check({"--port", "http", "tables"}, 2, "db: --port: 'http' is not a port number");
  check({"--password", "hunter2", "tables"}, 2,
        "db: --password is not accepted: pass --password-env VAR and put the password in VAR");
  check({"--host", "127.0.0.1", "--password-env", "QUELM_NO_SUCH_VARIABLE", "tables"}, 2,
        "db: environment variable QUELM_NO_SUCH_VARIABLE is not set");
  check({"--host", "127.0.0.1", "tables"}, 2, "db: tables needs --database");
}

TEST_F(DbCommandTest, EmbeddedDefaultOnAFreshDirectory) {
  SKIP_WITHOUT_EMBEDDED_SERVER();
  const std::string dir = EmbeddedTestDir() + "-command";
  TRun run = RunDesigner({"db", "--embedded", dir, "tables"});
  EXPECT_EQ(run.Code, 0) << run.Out;
  EXPECT_EQ(run.Out, "");
  run = RunDesigner({"db", "--embedded", dir, "--json", "procedures"});
  EXPECT_EQ(run.Code, 0) << run.Out;
  EXPECT_EQ(run.Out, "{\"procedures\":[]}\n");
  run = RunDesigner({"db", "--embedded", dir, "charsets"});
  EXPECT_EQ(FirstLine(run.Out), "armscii8");
  std::filesystem::remove_all(dir);
}

TEST_F(DbCommandTest, ADataDirectoryServesOneProcess) {
  SKIP_WITHOUT_EMBEDDED_SERVER();
  TQuelmDatabase db(nullptr);
  ASSERT_TRUE(ConnectTestDatabase(db, TBackend::Embedded));
  // This process runs the embedded server there; the program must say so at once.
  TRun run = RunDesigner({"db", "--embedded", EmbeddedTestDir(), "tables"});
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(run.Out, "db: The embedded data directory " + EmbeddedTestDir() + " is in use by another process\n");
}

TEST_F(DbCommandTest, ListsFromTheServer) {
  if (!HasTestServer()) {
    if (InCI()) FAIL() << NoServerMessage();
    GTEST_SKIP() << NoServerMessage();
  }
  auto check = [](std::initializer_list<std::string> what, const std::string& expected) {
    std::vector<std::string> args = With(ServerArgs(), what);
    args.insert(args.begin(), "db");
    TRun run = RunDesigner(args);
    EXPECT_EQ(run.Code, 0) << run.Out;
    EXPECT_EQ(run.Out, expected);
  };
  check({"tables"}, "a`b\ncomputed\ncustomer\ncustomer_view\nGrüße\nitem\nmarks_reserved\nno_key\norders\nwide\nx'; drop "
        "table y; --\ny\n");
  check({"fields", "x'; drop table y; --"}, "x'; drop table y; --\n");
  check({"--json", "fields", "a`b"}, "{\"table\":\"a`b\",\"fields\":[\"c`d\",\"e'f\"]}\n");
  check({"indexes", "customer"},
        "PRIMARY\tprimary\tunique\t-\tregion;id\nemail_unique\t-\tunique\t-\temail\nname_desc\t-\t-\tdescending\tname;id\n");
  check({"--json", "indexes", "item"},
        "{\"table\":\"item\",\"indexes\":[{\"name\":\"PRIMARY\",\"primary\":true,\"unique\":true,\"descending\":false,"
        "\"fields\":[\"id\"],\"descendingFields\":[]},{\"name\":\"sku_lower_idx\",\"primary\":false,\"unique\":false,"
        "\"descending\":false,\"fields\":[\"sku_lower\"],\"descendingFields\":[]}]}\n");
  check({"procedures"}, "add_numbers\nlist_customers\nprüfe`n\n");
  check({"functions"}, "greet\ntwice\n");

  std::vector<std::string> missing = With(ServerArgs(), {"fields", "nope"});
  missing.insert(missing.begin(), "db");
  TRun run = RunDesigner(missing);
  EXPECT_EQ(run.Code, 1);
  EXPECT_EQ(run.Out, "db: Table 'quelm_test.nope' doesn't exist\n");
}

} // namespace
