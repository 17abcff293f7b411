#include "updsqled/UpdateSQLGenerator.h"

#include "classes/TStringList.h"

#include <gtest/gtest.h>

namespace {

using G = TUpdateSQLGenerator;

const TStringList CustomerKeys{"id"};
const TStringList CustomerFields{"id", "name", "city"};

// The target of a generator is cleared first: leftovers must not survive.
TStringList Target() { return TStringList{"stale line"}; }

std::vector<size_t> LineLengths(const TStrings& sql) {
  std::vector<size_t> lengths;
  for (int i = 0; i < sql.Count(); ++i) lengths.push_back(sql[i].size());
  return lengths;
}

} // namespace

TEST(UpdateSQLGenerator, EmptyListsStillGiveWellFormedFrames) {
  TStringList none, sql = Target();
  G::GenDeleteSQL("t", "", none, sql);
  EXPECT_EQ("delete from t\nwhere\n", sql.Text());
  G::GenInsertSQL("t", "", none, sql);
  EXPECT_EQ("insert into t\n  ()\nvalues\n  ()\n", sql.Text());
  G::GenModifySQL("t", "", none, none, sql);
  EXPECT_EQ("update t\nset\nwhere\n", sql.Text());
}

TEST(UpdateSQLGenerator, GetTableRefQualifiesOnlyWhileFieldsAreQuoted) {
  EXPECT_EQ("", G::GetTableRef("customer", ""));
  EXPECT_EQ("", G::GetTableRef("\"Sales Lines\"", ""));
  EXPECT_EQ("customer.", G::GetTableRef("customer", "\""));
  EXPECT_EQ("\"Sales Lines\".", G::GetTableRef("\"Sales Lines\"", "\""));
}

TEST(UpdateSQLGenerator, QuotedTableName) {
  EXPECT_EQ("Sales Lines", G::QuotedTableName("Sales Lines", false));
  EXPECT_EQ("\"Sales Lines\"", G::QuotedTableName("Sales Lines", true));
  // Names are not escaped.
  EXPECT_EQ("\"a\"b\"", G::QuotedTableName("a\"b", true));
}

TEST(UpdateSQLGenerator, GenWhereClauseAppendsJoinedConditions) {
  TStringList keys{"a", "b"};
  TStringList sql{"select * from t"};
  G::GenWhereClause("", "", keys, sql, true);
  EXPECT_EQ("select * from t\nwhere\n  a = :OLD_a and\n  b = :OLD_b\n", sql.Text());

  sql.Clear();
  G::GenWhereClause("", "", keys, sql, false);
  EXPECT_EQ("where\n  a = :a and\n  b = :b\n", sql.Text());

  sql.Clear();
  G::GenWhereClause("t.", "\"", TStringList{"x y"}, sql, true);
  EXPECT_EQ("where\n  t.\"x y\" = :\"OLD_x y\"\n", sql.Text());
}

TEST(UpdateSQLGenerator, CustomerStatements) {
  TStringList sql = Target();
  G::GenModifySQL("customer", "", CustomerKeys, CustomerFields, sql);
  EXPECT_EQ("update customer\n"
            "set\n"
            "  id = :id,\n"
            "  name = :name,\n"
            "  city = :city\n"
            "where\n"
            "  id = :OLD_id\n",
            sql.Text());

  sql.SetText("stale line");
  G::GenInsertSQL("customer", "", CustomerFields, sql);
  EXPECT_EQ("insert into customer\n"
            "  (id, name, city)\n"
            "values\n"
            "  (:id, :name, :city)\n",
            sql.Text());

  sql.SetText("stale line");
  G::GenDeleteSQL("customer", "", CustomerKeys, sql);
  EXPECT_EQ("delete from customer\n"
            "where\n"
            "  id = :id\n",
            sql.Text());

  sql.SetText("stale line");
  G::GenRefreshRecordSQL("customer", "", CustomerKeys, CustomerFields, sql);
  EXPECT_EQ("select * from customer\n"
            "where\n"
            "  id = :id\n",
            sql.Text());
}

TEST(UpdateSQLGenerator, TwoKeyFields) {
  TStringList keys{"a", "b"}, fields{"c"};
  TStringList sql;
  G::GenModifySQL("t", "", keys, fields, sql);
  EXPECT_EQ("update t\nset\n  c = :c\nwhere\n  a = :OLD_a and\n  b = :OLD_b\n", sql.Text());
  G::GenDeleteSQL("t", "", keys, sql);
  EXPECT_EQ("delete from t\nwhere\n  a = :a and\n  b = :b\n", sql.Text());
  G::GenRefreshRecordSQL("t", "", keys, fields, sql);
  EXPECT_EQ("select * from t\nwhere\n  a = :a and\n  b = :b\n", sql.Text());
}

TEST(UpdateSQLGenerator, QuotedSalesLinesStatements) {
  const std::string table = G::QuotedTableName("Sales Lines", true);
  TStringList keys{"id"}, fields{"id", "qty"};
  TStringList sql = Target();
  G::GenModifySQL(table, "\"", keys, fields, sql);
  EXPECT_EQ("update \"Sales Lines\"\n"
            "set\n"
            "  \"Sales Lines\".\"id\" = :\"id\",\n"
            "  \"Sales Lines\".\"qty\" = :\"qty\"\n"
            "where\n"
            "  \"Sales Lines\".\"id\" = :\"OLD_id\"\n",
            sql.Text());

  G::GenInsertSQL(table, "\"", fields, sql);
  EXPECT_EQ("insert into \"Sales Lines\"\n"
            "  (\"Sales Lines\".\"id\", \"Sales Lines\".\"qty\")\n"
            "values\n"
            "  (:\"id\", :\"qty\")\n",
            sql.Text());

  G::GenDeleteSQL(table, "\"", keys, sql);
  EXPECT_EQ("delete from \"Sales Lines\"\nwhere\n  \"Sales Lines\".\"id\" = :\"id\"\n", sql.Text());
  G::GenRefreshRecordSQL(table, "\"", keys, fields, sql);
  EXPECT_EQ("select * from \"Sales Lines\"\nwhere\n  \"Sales Lines\".\"id\" = :\"id\"\n", sql.Text());
}

TEST(UpdateSQLGenerator, QuotingOffNeitherQualifiesNorQuotes) {
  TStringList sql;
  G::GenModifySQL("Sales Lines", "", TStringList{"id"}, TStringList{"qty"}, sql);
  EXPECT_EQ("update Sales Lines\nset\n  qty = :qty\nwhere\n  id = :OLD_id\n", sql.Text());
  // Quoting on with a table that carries no marker: quoted fields, plain table.
  G::GenModifySQL("customer", "\"", TStringList{"id"}, TStringList{"id"}, sql);
  EXPECT_EQ("update customer\nset\n  customer.\"id\" = :\"id\"\nwhere\n  customer.\"id\" = :\"OLD_id\"\n",
            sql.Text());
}

TEST(UpdateSQLGenerator, InsertListsWrapAfterSeventyCharacters) {
  TStringList fields{"id",   "first_name",   "last_name",    "street_address", "postal_code",
                     "city", "country_code", "phone_number", "email"};
  TStringList sql;
  G::GenInsertSQL("customer", "", fields, sql);
  EXPECT_EQ("insert into customer\n"
            "  (id, first_name, last_name, street_address, postal_code, city, country_code, \n"
            "   phone_number, email)\n"
            "values\n"
            "  (:id, :first_name, :last_name, :street_address, :postal_code, :city, \n"
            "   :country_code, :phone_number, :email)\n",
            sql.Text());
  EXPECT_EQ((std::vector<size_t>{20, 79, 23, 6, 71, 40}), LineLengths(sql));
}

TEST(UpdateSQLGenerator, InsertWrapBoundaries) {
  // "  (" and a 66-byte field with ", " make 71 bytes: wrapped. One byte less
  // makes exactly 70: not wrapped.
  std::string f66(66, 'f'), f65(65, 'f');
  TStringList sql;
  G::GenInsertSQL("t", "", TStringList{f66, "x"}, sql);
  EXPECT_EQ("  (" + f66 + ", ", sql[1]);
  EXPECT_EQ("   x)", sql[2]);
  G::GenInsertSQL("t", "", TStringList{f65, "x"}, sql);
  EXPECT_EQ("  (" + f65 + ", x)", sql[1]);
  // Never a wrap after the last field, however long the line.
  std::string f100(100, 'g');
  G::GenInsertSQL("t", "", TStringList{f100}, sql);
  EXPECT_EQ((std::vector<size_t>{13, 104, 6, 105}), LineLengths(sql));
  // Every wrapped line starts with three blanks and can wrap again.
  G::GenInsertSQL("t", "", TStringList{f100, f100, "z"}, sql);
  EXPECT_EQ("  (" + f100 + ", ", sql[1]);
  EXPECT_EQ("   " + f100 + ", ", sql[2]);
  EXPECT_EQ("   z)", sql[3]);
}

TEST(UpdateSQLGenerator, KeyFieldThatIsAlsoUpdated) {
  TStringList sql;
  G::GenModifySQL("t", "", TStringList{"code"}, TStringList{"code", "name"}, sql);
  EXPECT_EQ("update t\nset\n  code = :code,\n  name = :name\nwhere\n  code = :OLD_code\n", sql.Text());
}
