// The smaller palette components: direct query, batch execute, dump, tools.
#include "support/ExpectRaises.h"
#include "TestBackends.h"

#include "classes/TStringList.h"
#include "runtime/TQuelmBatchExecute.h"
#include "runtime/TQuelmDirectQuery.h"
#include "runtime/TQuelmDump.h"
#include "runtime/TQuelmTools.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

std::string ErrorOf(const std::function<void()>& action) { return TestSupport::ErrorOf<Exception>(action); }

class PaletteTest : public ::testing::TestWithParam<TBackend> {
protected:
  void SetUp() override { FDatabase = std::make_unique<TQuelmDatabase>(nullptr); }
  bool Connect() {
    if (GetParam() == TBackend::Server && !HasTestServer()) return false;
    return ConnectTestDatabase(*FDatabase, GetParam());
  }
  std::unique_ptr<TQuelmDatabase> FDatabase;
};

#define CONNECT()                                      \
  do {                                                 \
    if (!Connect()) {                                  \
      if (InCI()) FAIL() << NoServerMessage();         \
      GTEST_SKIP() << NoServerMessage();               \
    }                                                  \
  } while (0)

TEST(PaletteWithoutServer, EachNeedsItsDatabase) {
  TQuelmDirectQuery direct(nullptr);
  direct.SetName("DirectQuery1");
  EXPECT_EQ(ErrorOf([&] { direct.Open(); }), "DirectQuery1: Database not assigned");
  TQuelmBatchExecute batch(nullptr);
  batch.SetName("Batch1");
  EXPECT_EQ(ErrorOf([&] { batch.ExecSQL(); }), "Batch1: Database not assigned");
  EXPECT_EQ(ErrorOf([&] { batch.SetDelimiter(""); }), "Batch1: Delimiter must not be empty");
  TQuelmDump dump(nullptr);
  dump.SetName("Dump1");
  TStringList script;
  EXPECT_EQ(ErrorOf([&] { dump.DumpToStrings(script); }), "Dump1: Database not assigned");
  TQuelmTools tools(nullptr);
  tools.SetName("Tools1");
  EXPECT_EQ(ErrorOf([&] { tools.Execute(TQuelmToolsOperation::toCheck, script, script); }),
            "Tools1: Database not assigned");
}

TEST_P(PaletteTest, DirectQueryKeepsTheRowsAsText) {
  CONNECT();
  TQuelmDirectQuery query(nullptr);
  query.SetDatabase(FDatabase.get());
  query.SQL()->SetText("SELECT name, email FROM customer ORDER BY name");
  query.Open();
  ASSERT_EQ(query.FieldCount(), 2);
  EXPECT_EQ(query.FieldName(1), "email");
  std::vector<std::string> rows;
  for (query.First(); !query.Eof(); query.Next())
    rows.push_back(*query.FieldValue(0) + "|" + query.FieldValue(1).value_or("NULL"));
  EXPECT_EQ(rows, (std::vector<std::string>{"Anton|anton@example.org", "Berta|berta@example.org", "Carol|NULL"}));
  EXPECT_EQ(ErrorOf([&] { query.FieldName(2); }), "List index out of bounds (2)");
  query.SQL()->SetText("SELECT 1");
  EXPECT_FALSE(query.Active());
}

TEST_P(PaletteTest, BatchRunsAScriptAndStopsAtTheFirstError) {
  CONNECT();
  TQuelmBatchExecute batch(nullptr);
  batch.SetDatabase(FDatabase.get());
  // Temporary tables: the session's own, so the shared schema stays as it is.
  batch.SQL()->SetText(
      "CREATE TEMPORARY TABLE batch_t (v VARCHAR(20));\n"
      "INSERT INTO batch_t VALUES ('a;b'), ('c');\n"
      "-- a comment; with a delimiter\n"
      "INSERT INTO batch_t VALUES ('d')");
  EXPECT_EQ(batch.ExecSQL(), 3);
  TQuelmDirectQuery count(nullptr);
  count.SetDatabase(FDatabase.get());
  count.SQL()->SetText("SELECT COUNT(*) FROM batch_t");
  count.Open();
  EXPECT_EQ(count.FieldValue(0).value_or(""), "3");

  batch.SQL()->SetText("INSERT INTO batch_t VALUES ('e'); INSERT INTO nope VALUES (1); INSERT INTO batch_t VALUES ('f')");
  EXPECT_EQ(ErrorOf([&] { batch.ExecSQL(); }), "Table 'quelm_test.nope' doesn't exist");
  count.Close();
  count.Open();
  EXPECT_EQ(count.FieldValue(0).value_or(""), "4");
}

TEST_P(PaletteTest, DumpWritesCreateAndInsertStatements) {
  CONNECT();
  TQuelmDump dump(nullptr);
  dump.SetDatabase(FDatabase.get());
  dump.Tables()->Add("a`b");
  TStringList script;
  dump.DumpToStrings(script);
  ASSERT_EQ(script.Count(), 3);
  EXPECT_EQ(script[0], "DROP TABLE IF EXISTS `a``b`;");
  EXPECT_EQ(script[1].rfind("CREATE TABLE `a``b` (\n  `c``d` int(11) NOT NULL,", 0), 0u) << script[1];
  EXPECT_EQ(script[2], "INSERT INTO `a``b` (`c``d`, `e'f`) VALUES ('1', 'it\\'s');");

  // A failing dump leaves the file that was there.
  const std::string file = EmbeddedTestDir() + "-dump.sql";
  std::filesystem::create_directories(std::filesystem::path(file).parent_path());
  { std::ofstream(file) << "previous\n"; }
  dump.Tables()->Add("nope");
  EXPECT_EQ(ErrorOf([&] { dump.DumpToFile(file); }), "Table 'quelm_test.nope' doesn't exist");
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "previous\n");
  dump.Tables()->Delete(1);
  dump.DumpToFile(file);
  std::ifstream again(file);
  std::stringstream written;
  written << again.rdbuf();
  EXPECT_EQ(written.str().rfind("DROP TABLE IF EXISTS `a``b`;\nCREATE TABLE", 0), 0u);
  std::filesystem::remove(file);
}

TEST_P(PaletteTest, ToolsReportTheServersAnswer) {
  CONNECT();
  TQuelmTools tools(nullptr);
  tools.SetDatabase(FDatabase.get());
  TStringList tables{"customer", "a`b"}, results;
  tools.Execute(TQuelmToolsOperation::toCheck, tables, results);
  EXPECT_EQ(results.ToVector(), (std::vector<std::string>{"quelm_test.customer: status: OK", "quelm_test.a`b: status: OK"}));
}

INSTANTIATE_TEST_SUITE_P(Backends, PaletteTest, ::testing::ValuesIn(BackendsToTest()), BackendName);

} // namespace
