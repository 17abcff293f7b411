#include "support/TestServer.h"
#include "support/ExpectRaises.h"
#include "TestBackends.h"

#include "classes/TStringList.h"
#include "db/DatabaseError.h"
#include "runtime/DBList.h"
#include "runtime/QuelmConnection.h"
#include "runtime/TQuelmDatabase.h"
#include "runtime/TQuelmMonitor.h"

#include <cstdlib>
#include <memory>

namespace {

using TestSupport::TestEnv;

std::vector<std::string> Names(const TStrings& list) { return list.ToVector(); }

std::string ErrorOf(const std::function<void()>& action) { return TestSupport::ErrorOf<EDatabaseError>(action); }

class DatabaseTest : public ::testing::TestWithParam<TBackend> {
protected:
  void SetUp() override {
    FDatabase = std::make_unique<TQuelmDatabase>(nullptr);
    FDatabase->SetName("Database1");
  }
  TQuelmDatabase& Db() { return *FDatabase; }
  std::unique_ptr<TQuelmDatabase> FDatabase;
};

// The server's own messages, with the component's name in front; the
// password never appears in them.
TEST(DatabaseServerErrors, FailedConnectionsCarryTheServersMessage) {
  if (!HasTestServer()) {
    if (InCI()) FAIL() << NoServerMessage();
    GTEST_SKIP() << NoServerMessage();
  }
  TQuelmDatabase db(nullptr);
  db.SetName("Database1");
  db.SetHost(TestEnv("QUELM_TEST_HOST"));
  db.SetPort(std::atoi(TestEnv("QUELM_TEST_PORT").c_str()));
  db.SetUserName(TestEnv("QUELM_TEST_USER"));
  db.SetUserPassword("wrong-secret-4711");
  std::string message = ErrorOf([&] { db.Open(); });
  EXPECT_EQ(message.rfind("Database1: Access denied for user 'quelm'@'127.0.0.1'", 0), 0u) << message;
  EXPECT_EQ(message.find("wrong-secret-4711"), std::string::npos);
  EXPECT_FALSE(db.Connected());

  db.SetUserPassword(TestEnv(TestEnv("QUELM_TEST_PASSWORD_ENV").c_str()));
  db.SetDatabaseName("no_such_database");
  EXPECT_EQ(ErrorOf([&] { db.Open(); }), "Database1: Unknown database 'no_such_database'");

  // A port nobody listens on: the client library's message.
  db.SetDatabaseName("quelm_test");
  db.SetPort(1);
  message = ErrorOf([&] { db.Open(); });
  EXPECT_EQ(message.rfind("Database1: Can't connect to server on '127.0.0.1'", 0), 0u) << message;
}

TEST(DatabaseServerErrors, ClientCertificateOpensAnX509Account) {
  if (!HasTestServer()) {
    if (InCI()) FAIL() << NoServerMessage();
    GTEST_SKIP() << NoServerMessage();
  }
  TQuelmDatabase db(nullptr);
  db.SetHost(TestEnv("QUELM_TEST_HOST"));
  db.SetPort(std::atoi(TestEnv("QUELM_TEST_PORT").c_str()));
  db.SetUserName(TestEnv("QUELM_TEST_X509_USER"));
  db.SetUserPassword(TestEnv(TestEnv("QUELM_TEST_PASSWORD_ENV").c_str()));
  db.SetDatabaseName("quelm_test");
  // Without a certificate the account refuses.
  std::string message = ErrorOf([&] { db.Open(); });
  EXPECT_EQ(message.rfind("Access denied for user 'quelm_x509'", 0), 0u) << message;

  db.SetSSLCA(TestEnv("QUELM_TEST_SSL_CA"));
  db.SetSSLCert(TestEnv("QUELM_TEST_SSL_CERT"));
  db.SetSSLKey(TestEnv("QUELM_TEST_SSL_KEY"));
  db.Open();
  TQuelmResult cipher = db.Connection().Query("SHOW SESSION STATUS LIKE 'Ssl_cipher'");
  ASSERT_EQ(cipher.Rows.size(), 1u);
  EXPECT_NE(cipher.Rows[0][1].value_or(""), "");
}

// Only a server has sessions that can be killed.
TEST(DatabaseServerErrors, ASessionTheServerClosedCountsAsDisconnected) {
  TQuelmDatabase db(nullptr);
  REQUIRE_BACKEND(db, TBackend::Server);
  std::string message = ErrorOf([&] { db.ExecSQL("KILL CONNECTION CONNECTION_ID()"); });
  TStringList list;
  if (db.Connected()) message = ErrorOf([&] { db.GetTableNames("", list, false); });
  EXPECT_FALSE(db.Connected()) << message;
  // The next use connects again.
  db.GetTableNames("customer", list, false);
  EXPECT_TRUE(db.Connected());
  EXPECT_EQ(list.ToVector(), std::vector<std::string>{"customer"});
}

TEST_P(DatabaseTest, SettingsCannotChangeWhileConnected) {
  REQUIRE_BACKEND(Db(), GetParam());
  EXPECT_EQ(ErrorOf([&] { Db().SetDatabaseName("other"); }),
            "Database1: Cannot perform this operation on an open database");
  Db().SetConnected(false);
  EXPECT_FALSE(Db().Connected());
  Db().SetConnected(true);
  EXPECT_TRUE(Db().Connected());
}

TEST_P(DatabaseTest, TableNamesAreTheServersSorted) {
  REQUIRE_BACKEND(Db(), GetParam());
  TStringList list;
  list.Add("left over");
  Db().GetTableNames("", list, false);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a`b", "computed", "customer", "Grüße", "item", "marks_reserved",
                                                   "no_key", "orders", "wide", "x'; drop table y; --", "y"}));
  Db().GetTableNames("", list, true);
  EXPECT_EQ(list.IndexOf("customer_view"), 3);
  EXPECT_EQ(list.Count(), 12);

  auto check = [&](const std::string& pattern, std::vector<std::string> expected) {
    Db().GetTableNames(pattern, list, true);
    EXPECT_EQ(Names(list), expected) << pattern;
  };
  check("nothing%", {});
  check("cust%", {"customer", "customer_view"});
  check("x'%", {"x'; drop table y; --"});
  check("a`%", {"a`b"});
  check("Grü%", {"Grüße"});
}

TEST_P(DatabaseTest, FieldNamesReplaceTheList) {
  REQUIRE_BACKEND(Db(), GetParam());
  auto check = [&](const std::string& table, std::vector<std::string> expected) {
    TStringList list;
    list.Add("stale");
    Db().GetFieldNames(table, list);
    EXPECT_EQ(Names(list), expected) << table;
  };
  check("customer", {"region", "id", "name", "email", "balance", "created"});
  check("a`b", {"c`d", "e'f"});
  check("x'; drop table y; --", {"x'; drop table y; --"});
  check("Grüße", {"Straße", "名前"});
  check("customer_view", {"region", "id", "name"});
  // Nothing but the listing ran: y is still there.
  check("y", {"id"});
}

TEST_P(DatabaseTest, FieldNamesOfAMissingTableRaiseTheServersError) {
  REQUIRE_BACKEND(Db(), GetParam());
  TStringList list;
  EXPECT_EQ(ErrorOf([&] { Db().GetFieldNames("nope", list); }), "Database1: Table 'quelm_test.nope' doesn't exist");
  EXPECT_EQ(ErrorOf([&] { Db().GetFieldNames("", list); }), "Empty name");
  EXPECT_EQ(ErrorOf([&] { Db().GetFieldNames(std::string("a\0b", 3), list); }),
            "Invalid name: it contains a NUL character");
}

TEST_P(DatabaseTest, CharacterSetsAndCollations) {
  REQUIRE_BACKEND(Db(), GetParam());
  TStringList sets;
  Db().GetCharacterSetList(sets);
  EXPECT_GE(sets.Count(), 30);
  EXPECT_GE(sets.IndexOf("utf8mb4"), 0);
  EXPECT_GE(sets.IndexOf("latin1"), 0);
  EXPECT_EQ(sets[0], "armscii8");

  TStringList all;
  Db().GetCollationList(all);
  EXPECT_GE(all.Count(), 200);

  Db().Close();
  Db().SetConnectionCharacterSet("latin1");
  TStringList latin;
  Db().GetCollationList(latin);
  EXPECT_GE(latin.IndexOf("latin1_swedish_ci"), 0);
  for (const std::string& name : latin.ToVector()) EXPECT_EQ(name.rfind("latin1_", 0), 0u) << name;
}

TEST_P(DatabaseTest, ConnectionCharacterSetAndCollationApplyToTheSession) {
  Db().SetConnectionCharacterSet("utf8mb4");
  Db().SetConnectionCollation("utf8mb4_bin");
  REQUIRE_BACKEND(Db(), GetParam());
  TQuelmResult r = Db().Connection().Query("SELECT @@character_set_connection, @@collation_connection");
  EXPECT_EQ(r.Rows[0][0].value_or(""), "utf8mb4");
  EXPECT_EQ(r.Rows[0][1].value_or(""), "utf8mb4_bin");
}

// Checked before any connection is tried, on either library.
TEST_P(DatabaseTest, BadCharacterSetNamesNeverReachTheServer) {
  if (GetParam() == TBackend::Server) {
    Db().SetHost("127.0.0.1");
    Db().SetPort(1);
  } else {
    Db().SetEmbeddedDir(EmbeddedTestDir());
  }
  Db().SetConnectionCharacterSet("utf8mb4; DROP TABLE y");
  EXPECT_EQ(ErrorOf([&] { Db().Open(); }), "Database1: Invalid character set name 'utf8mb4; DROP TABLE y'");
  Db().SetConnectionCharacterSet("utf8mb4");
  Db().SetConnectionCollation("x' OR 1");
  EXPECT_EQ(ErrorOf([&] { Db().Open(); }), "Database1: Invalid collation name 'x' OR 1'");
  EXPECT_FALSE(Db().Connected());
}

TEST_P(DatabaseTest, RoutineNamesByKind) {
  REQUIRE_BACKEND(Db(), GetParam());
  TStringList list;
  Db().GetRoutinesNames("", list, TQuelmInternalSelectRoutinesType::srtProcedures);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"add_numbers", "list_customers", "prüfe`n"}));
  Db().GetRoutinesNames("", list, TQuelmInternalSelectRoutinesType::srtFunctions);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"greet", "twice"}));
  Db().GetRoutinesNames("g%", list, TQuelmInternalSelectRoutinesType::srtFunctions);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"greet"}));
}

TEST_P(DatabaseTest, TwoThousandTables) {
  REQUIRE_BACKEND(Db(), GetParam(), "quelm_bulk");
  TStringList list;
  Db().GetTableNames("", list, true);
  ASSERT_EQ(list.Count(), 2000);
  EXPECT_EQ(list[0], "t0000");
  EXPECT_EQ(list[1999], "t1999");
}

TEST_P(DatabaseTest, ThousandColumns) {
  REQUIRE_BACKEND(Db(), GetParam());
  TStringList list;
  Db().GetFieldNames("wide", list);
  ASSERT_EQ(list.Count(), 1000);
  EXPECT_EQ(list[0], "c0001");
  EXPECT_EQ(list[999], "c1000");
}

TEST_P(DatabaseTest, MonitorsSeeStatementsButNoPassword) {
  TQuelmMonitor monitor(nullptr);
  std::vector<std::string> seen;
  monitor.OnSQL = TQuelmMonitorSQLEvent([&](TObject*, const std::string& sql) { seen.push_back(sql); });
  monitor.SetActive(true);
  REQUIRE_BACKEND(Db(), GetParam());
  seen.clear();
  TStringList list;
  Db().GetFieldNames("a`b", list);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "SHOW COLUMNS FROM `a``b`");
  monitor.SetActive(false);
  Db().GetFieldNames("a`b", list);
  EXPECT_EQ(seen.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Backends, DatabaseTest, ::testing::ValuesIn(BackendsToTest()),
                         BackendName);

TEST(DBList, LiveDatabasesInCreationOrder) {
  const int before = DBList().Count();
  auto first = std::make_unique<TQuelmDatabase>(nullptr);
  {
    TComponent owner(nullptr);
    auto* second = new TQuelmDatabase(&owner);
    ASSERT_EQ(DBList().Count(), before + 2);
    EXPECT_EQ(DBList()[before], first.get());
    EXPECT_EQ(DBList()[before + 1], second);
    EXPECT_EQ(DBList()[before + 1]->Owner(), &owner);
  }
  ASSERT_EQ(DBList().Count(), before + 1);
  EXPECT_EQ(DBList().Last(), first.get());
  first.reset();
  EXPECT_EQ(DBList().Count(), before);
}

TEST(EmbeddedChoice, HostOrSocketSwitchToTheClientLibrary) {
  TQuelmDatabase db(nullptr);
  auto check = [&](const std::string& host, const std::string& socket, const std::string& dir, bool expected) {
    db.SetHost(host);
    db.SetSocket(socket);
    db.SetEmbeddedDir(dir);
    EXPECT_EQ(db.UsesEmbedded(), expected) << host << "|" << socket << "|" << dir;
  };
  check("127.0.0.1", "", "/tmp/x", false);
  check("", "/run/mysqld.sock", "/tmp/x", false);
  check("", "", "/tmp/x", true);
  ::setenv("QUELM_EMBEDDED_DIR", "/tmp/from-env", 1);
  check("", "", "", true);
  EXPECT_EQ(db.EffectiveEmbeddedDir(), "/tmp/from-env");
  db.SetEmbeddedDir("/tmp/own");
  EXPECT_EQ(db.EffectiveEmbeddedDir(), "/tmp/own");
  ::unsetenv("QUELM_EMBEDDED_DIR");
  check("", "", "", false);
}

TEST(EmbeddedChoice, OneEmbeddedServerPerProcess) {
  SKIP_WITHOUT_EMBEDDED_SERVER();
  TQuelmDatabase db(nullptr);
  db.SetName("Database1");
  ASSERT_TRUE(ConnectTestDatabase(db, TBackend::Embedded));
  TQuelmDatabase other(nullptr);
  other.SetName("Database2");
  other.SetEmbeddedDir(EmbeddedTestDir() + "-other");
  EXPECT_EQ(ErrorOf([&] { other.Open(); }),
            "The embedded server already runs on " + EmbeddedTestDir() + "; it cannot also run on " +
                EmbeddedTestDir() + "-other");
}

} // namespace
