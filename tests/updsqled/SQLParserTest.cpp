#include "updsqled/SQLParser.h"

#include "classes/TStringList.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const TLocaleFacts SingleByte = TLocaleFacts::ForCodePage(1252);
const TLocaleFacts Japanese = TLocaleFacts::ForCodePage(932);
const TLocaleFacts Chinese = TLocaleFacts::ForCodePage(936);

// One word per token: a plain symbol as its text, Q: a quoted name, A: a
// qualifier, N: a number, punctuation as itself, <other> and <end>.
std::string Describe(const TSQLParser& parser) {
  const std::string& text = parser.Token();
  switch (parser.TokenType()) {
  case stSymbol: return (parser.SymbolQuoted() ? "Q:" : "") + text;
  case stAlias: return (parser.SymbolQuoted() ? "QA:" : "A:") + text;
  case stNumber: return "N:" + text;
  case stComma: return ",";
  case stEQ: return "=";
  case stLParen: return "(";
  case stRParen: return ")";
  case stOther: return "<other>";
  case stEnd: return "<end>";
  }
  return "?";
}

std::vector<std::string> Scan(std::string_view sql, const TLocaleFacts& facts = SingleByte) {
  TSQLParser parser(sql, facts);
  std::vector<std::string> tokens{Describe(parser)};
  while (parser.TokenType() != stEnd) {
    parser.NextToken();
    tokens.push_back(Describe(parser));
  }
  return tokens;
}

// Names as the walks left them; Q: marks a name with the quoted marker.
std::vector<std::string> Names(const TStrings& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_TRUE(list.Objects(i) == nullptr || list.Objects(i) == MarkerObject(1));
    names.push_back((list.Objects(i) ? "Q:" : "") + list[i]);
  }
  return names;
}

using Walk = void (TSQLParser::*)(TStrings&);

std::vector<std::string> RunWalk(Walk walk, std::string_view sql, const TLocaleFacts& facts = SingleByte) {
  TSQLParser parser(sql, facts);
  TStringList list{"left over"};
  (parser.*walk)(list);
  EXPECT_EQ(0, list.UpdateCount()) << sql;
  return Names(list);
}

using V = std::vector<std::string>;

} // namespace

TEST(SQLParser, EndOfTextAbortsSilentlyUntilReset) {
  const std::string_view empties[] = {"", "   \r\n\t", std::string_view("\0select", 7)};
  for (std::string_view empty : empties) {
    TSQLParser parser(empty, SingleByte);
    EXPECT_EQ(stEnd, parser.TokenType());
    EXPECT_EQ("", parser.Token());
    EXPECT_THROW(parser.NextToken(), EAbort);
    EXPECT_THROW(parser.NextToken(), EAbort);
  }

  TSQLParser parser("select x", SingleByte);
  EXPECT_EQ(stSymbol, parser.NextToken());
  EXPECT_EQ(stEnd, parser.NextToken());
  EXPECT_THROW(parser.NextToken(), EAbort);
  parser.Reset();
  EXPECT_TRUE(parser.TokenSymbolIs("SELECT"));
  EXPECT_EQ("x", (parser.NextToken(), parser.Token()));

  // The text ends at its first NUL byte, wherever it lies.
  EXPECT_EQ((V{"a", "<end>"}), Scan(std::string_view("a\0b", 3)));
}

TEST(SQLParser, TokenSymbolIsComparesSymbolsIgnoringAsciiCaseOnly) {
  auto is = [](std::string_view sql, std::string_view word, const TLocaleFacts& facts = SingleByte) {
    return TSQLParser(sql, facts).TokenSymbolIs(word);
  };
  EXPECT_FALSE(is("t.", "t."));          // a qualifier never counts
  EXPECT_FALSE(is("5", "5"));
  EXPECT_FALSE(is(",", ""));
  EXPECT_FALSE(is("", ""));
  EXPECT_FALSE(is("selectx", "select"));
  EXPECT_FALSE(is("caf\xC9", "caf\xE9"));  // only A-Z and a-z fold
  EXPECT_TRUE(is("SeLeCt", "select"));
  EXPECT_TRUE(is("\"FROM\"", "from"));    // a quoted name counts
  EXPECT_TRUE(is("'where'", "WHERE"));
  EXPECT_TRUE(is("caf\xE9", "CAF\xE9"));
  EXPECT_TRUE(is("''", ""));
}

TEST(SQLParser, PunctuationAndNumbers) {
  auto check = [](std::string_view sql, V expected) { EXPECT_EQ(expected, Scan(sql)) << sql; };
  check("+5", {"<other>", "N:5", "<end>"});
  check(".5", {"<other>", "N:5", "<end>"});
  check("-", {"N:-", "<end>"});
  check("--", {"N:--", "<end>"});
  check("-5", {"N:-5", "<end>"});
  check("1.5e-3", {"N:1.5e-3", "<end>"});
  check("12abc", {"N:12", "abc", "<end>"});
  check("1E+10+2", {"N:1E+10+2", "<end>"});
  check("a-b", {"a", "N:-", "b", "<end>"});
  check("(a,b)=:c;", {"(", "a", ",", "b", ")", "=", "<other>", "c", "<other>", "<end>"});
  check("* < > [ ` . + ; :", {"<other>", "<other>", "<other>", "<other>", "<other>", "<other>", "<other>",
                              "<other>", "<other>", "<end>"});
  // Every byte from 0x01 to 0x20 is a blank.
  check("\x01x\x1f\x20y\x0b", {"x", "y", "<end>"});
}

TEST(SQLParser, SymbolRuns) {
  auto check = [](std::string_view sql, V expected) { EXPECT_EQ(expected, Scan(sql)) << sql; };
  check("t.", {"A:t.", "<end>"});
  check("t.'a'", {"A:t.", "Q:a", "<end>"});
  check("t. a", {"A:t.", "a", "<end>"});
  check("t.a", {"t.a", "<end>"});
  check("db.t.c", {"db.t.c", "<end>"});
  check("t.\"a\"", {"t.\"a\"", "<end>"});
  check("a\"b c", {"a\"b", "c", "<end>"});
  check("$x _y z9$", {"$x", "_y", "z9$", "<end>"});
  check("9z", {"N:9", "z", "<end>"});
  check("a'b'", {"a", "Q:b", "<end>"});
}

TEST(SQLParser, QuotedNames) {
  auto check = [](std::string_view sql, V expected) { EXPECT_EQ(expected, Scan(sql)) << sql; };
  // Unterminated: the name runs to the end of the text.
  check("\"abc", {"Q:abc", "<end>"});
  check("'", {"Q:", "<end>"});
  check("\":", {"Q:", "<end>"});
  // No escapes: a doubled quote ends one name and opens the next.
  check("'it''s'", {"Q:it", "Q:s", "<end>"});
  check("\"\"", {"Q:", "<end>"});
  check("''x", {"Q:", "x", "<end>"});
  check("\":x\"", {"Q:x", "<end>"});
  check("':x'", {"Q:x", "<end>"});
  check("\"a::b\"", {"Q:a::b", "<end>"});
  check("\"it's\" 'say \"hi\"'", {"Q:it's", "Q:say \"hi\"", "<end>"});
  check("\" Sales\n Lines \"", {"Q: Sales\n Lines ", "<end>"});
  // A quoted name that ends in a dot is a qualifier too.
  check("\"t.\"a", {"QA:t.", "a", "<end>"});
  check("\"Sales Lines\".qty", {"Q:Sales Lines", "<other>", "qty", "<end>"});
}

TEST(SQLParser, ScansTheQuotedTableStatement) {
  EXPECT_EQ((V{"select", "c.name", ",", "Q:Sales Lines", "<other>", "qty", "from", "Q:Sales Lines", "od", ",",
               "customer", "c", "where", "c.id", "=", "N:-5", "<end>"}),
            Scan("select c.name, \"Sales Lines\".qty from \"Sales Lines\" od, customer c where c.id = -5"));
}

TEST(SQLParser, SingleByteLocaleContinuesSymbolsWithEveryHighByte) {
  auto check = [](std::string_view sql, V expected) { EXPECT_EQ(expected, Scan(sql, SingleByte)) << sql; };
  check("caf\xE9 x", {"caf\xE9", "x", "<end>"});
  check("\x7F\x80\xFF", {"\x7F\x80\xFF", "<end>"});
  check("\xE9t\xE9,", {"\xE9t\xE9", ",", "<end>"});
  // Lead bytes of the double-byte code pages mean nothing here.
  check("ab\x81,", {"ab\x81", ",", "<end>"});
  check("\xB1\xB2", {"\xB1\xB2", "<end>"});
  // UTF-8 text is scanned in the single-byte regime too.
  const TLocaleFacts utf8 = TLocaleFacts::ForCodePage(65001);
  EXPECT_EQ((V{"\xC3\xA9t\xC3\xA9", "=", "<end>"}), Scan("\xC3\xA9t\xC3\xA9=", utf8));
}

TEST(SQLParser, JapaneseLocaleKeepsKatakanaAndDoubleByteCharactersInOneSymbol) {
  auto check = [](std::string_view sql, V expected, const TLocaleFacts& facts = Japanese) {
    EXPECT_EQ(expected, Scan(sql, facts)) << sql;
  };
  // Bytes that are no character of the code page never join a symbol and
  // never stop the scanner.
  check("\x80", {"<other>", "<end>"});
  check("\x7F" "abc", {"<other>", "abc", "<end>"});
  check("ab\x80" "cd", {"ab", "<other>", "cd", "<end>"});
  check("ab\xFD", {"ab", "<other>", "<end>"});
  // Half-width katakana, alone and inside ASCII symbols.
  check("\xB1\xB2\xB3", {"\xB1\xB2\xB3", "<end>"});
  check("a\xA1\xDF" "b c", {"a\xA1\xDF" "b", "c", "<end>"});
  // Double-byte characters: the trail byte is taken whatever it is, even an
  // ASCII byte such as '\', '[' or ','.
  check("\x95\x5C\x8E\xA6", {"\x95\x5C\x8E\xA6", "<end>"});
  check("t\x83\x5B,x", {"t\x83\x5B", ",", "x", "<end>"});
  check("ab\x81,", {"ab\x81,", "<end>"});
  check("\xE0\x40\xFC\xFC", {"\xE0\x40\xFC\xFC", "<end>"});
  // A lead byte at the end of the text is taken alone.
  check("ab\x81", {"ab\x81", "<end>"});
  check(std::string_view("ab\x81\0z", 5), {"ab\x81", "<end>"});
  // Qualifiers and quoted names work as in the single-byte regime.
  check("\x83\x65.\"\x83\x65\"", {"\x83\x65.\"\x83\x65\"", "<end>"});
  check("\x83\x65. x", {"A:\x83\x65.", "x", "<end>"});
  check("\"\x81\x81 \xB1\"", {"Q:\x81\x81 \xB1", "<end>"});

  // Without Japanese as the primary language 0xA1-0xDF are no letters of 932.
  TLocaleFacts notJapanese = Japanese;
  notJapanese.SetPrimaryLanguageJapanese(false);
  check("a\xB1" "b", {"a", "<other>", "b", "<end>"}, notJapanese);
}

TEST(SQLParser, OtherFarEastCodePagesPairEveryLeadByte) {
  auto check = [](std::string_view sql, V expected) { EXPECT_EQ(expected, Scan(sql, Chinese)) << sql; };
  check("\xFF", {"<other>", "<end>"});
  check("\xB1" "a\xB2", {"\xB1" "a\xB2", "<end>"});
  check("\xB1\xB2\xB3", {"\xB1\xB2\xB3", "<end>"});
  check("x\xFE\x22 y", {"x\xFE\x22", "y", "<end>"});
  for (int codePage : {949, 950})
    EXPECT_EQ((V{"\xA4\xA4" "1", "<end>"}), Scan("\xA4\xA4" "1", TLocaleFacts::ForCodePage(codePage)));
}

TEST(SQLParser, IsKatakanaOnlyInAJapaneseLocale) {
  EXPECT_FALSE(IsKatakana(0xA0, Japanese));
  EXPECT_FALSE(IsKatakana(0xE0, Japanese));
  EXPECT_FALSE(IsKatakana('A', Japanese));
  EXPECT_FALSE(IsKatakana(0xB1, Chinese));
  EXPECT_FALSE(IsKatakana(0xB1, SingleByte));
  EXPECT_TRUE(IsKatakana(0xA1, Japanese));
  EXPECT_TRUE(IsKatakana(0xDF, Japanese));
  EXPECT_TRUE(IsKatakana(0xB1, TLocaleFacts::FromLocaleName("ja_JP.UTF-8")));
}

TEST(SQLParser, GetSelectTableNames) {
  auto check = [](std::string_view sql, V expected) {
    EXPECT_EQ(expected, RunWalk(&TSQLParser::GetSelectTableNames, sql)) << sql;
  };
  check("", {});
  check("update t set a = 1", {});
  check("selec * from t", {});
  check("from t", {});
  check("t.select * from t", {});
  check("select * where x = 1", {});  // no FROM: the end of the text ends the walk
  check("select * from", {});
  check("select * from (select a from b)", {});
  check("select * from t. x", {});
  check("select * from 5", {});
  check("select * from a join b on a.id = b.id", {"a"});
  check("select * from a as x, b", {"a"});
  check("select * from a,, b", {"a"});
  check("select * from a, b, c", {"a", "b", "c"});
  check("select * from a x, b y where x.id = y.id", {"a", "b"});
  check("\r\n   SeLeCt * FrOm db.t", {"db.t"});
  check("\"select\" 1 'from' t", {"t"});
  check("select a from 'q', \"Sales Lines\" s", {"Q:q", "Q:Sales Lines"});
  check("select c.name, \"Sales Lines\".qty from \"Sales Lines\" od, customer c where c.id = -5",
        {"Q:Sales Lines", "customer"});
  check("select * from \"\"", {"Q:"});
}

TEST(SQLParser, GetSelectTableNamesKeepsNamesWhenTheListRaises) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(TDuplicates::dupError);
  TSQLParser parser("select * from b, a, a, c", SingleByte);
  parser.GetSelectTableNames(list);
  EXPECT_EQ((V{"a", "b"}), Names(list));
  EXPECT_EQ(0, list.UpdateCount());
}

TEST(SQLParser, GetUpdateTableName) {
  auto check = [](std::string_view sql, const std::string& expected) {
    TSQLParser parser(sql, SingleByte);
    std::string table = "left over";
    parser.GetUpdateTableName(table);
    EXPECT_EQ(expected, table) << sql;
  };
  check("", "");
  check("update", "");
  check("select * from t", "");
  check("insert into t", "");
  check("update ,", "");
  check("update t. set", "");
  check("update 5", "");
  check("  UPDATE customer set a = 1", "customer");
  check("update \"Sales Lines\" set", "Sales Lines");
  check("update db.t", "db.t");

  // It reads one token only: the table name stays current.
  TSQLParser parser("update t set a = 1", SingleByte);
  std::string table;
  parser.GetUpdateTableName(table);
  EXPECT_EQ("t", parser.Token());
}

TEST(SQLParser, GetUpdateFields) {
  auto check = [](std::string_view sql, V expected) {
    EXPECT_EQ(expected, RunWalk(&TSQLParser::GetUpdateFields, sql)) << sql;
  };
  check("", {});
  check("select a from t", {});
  check("update t", {});
  check("update t set", {});
  check("update t set 5 = 1", {});
  check("update t set (a) = 1", {});
  check("update t set a", {"a"});
  check("update t set a b = 1", {"a"});
  check("update t set a = 1 where b = 2", {"a"});
  check("update t set a = :a, b = :b where a = :OLD_a and b = :OLD_b", {"a", "b"});
  check("update t set a = 1, b = 2", {"a", "b"});  // the end of the text ends the value
  check("update t set t.'a' = 1", {"a"});
  check("update t set \"a\" = :\"a\"", {"a"});
  check("update t set t.\"a\" = :\"a\"", {"t.\"a\""});
  check("update t set t.a = 1, t. b = 2", {"t.a", "b"});
  // A comma inside a value ends the assignment.
  check("update t set a = f(x, y), b = 2", {"a", "y"});
  check("UPDATE t SET a = 1 WHERE x = 1, b = 2", {"a"});
}

TEST(SQLParser, GetWhereFields) {
  auto check = [](std::string_view sql, V expected) {
    EXPECT_EQ(expected, RunWalk(&TSQLParser::GetWhereFields, sql)) << sql;
  };
  check("", {});
  check("select * from t where a = 1", {});
  check("update t set a = 1", {});
  check("update t set a = 1 where", {});
  check("update t set a = 1 where 1 = a", {});
  check("update t set a = 1 where a", {"a"});
  check("update t set a = 1 where a < 1 and b = 2", {"a"});
  check("update t set a = :a, b = :b where a = :OLD_a and b = :OLD_b", {"a", "b"});
  check("update t set a = 1 where (b = 2) and c > 3", {"b", "c"});
  check("update t set a = 1 where b = 2 or c = 3", {"b"});
  check("update t set a = 1 where ((t.'b' = 2)) and t. (c = 1)", {"b", "c"});
  check("update t set a = 1 where \"Sales Lines\".\"id\" = :\"OLD_id\"", {"Sales Lines"});
  check("update t set a = 1 where b = 2 and", {"b"});
  check("update t set a = 1 where b = 2 AnD c = 3 and d = 4", {"b", "c", "d"});
}

TEST(SQLParser, OneParserReadsAModifyStatementAsTheEditorDoes) {
  TSQLParser parser("update \"Sales Lines\"\nset\n  \"Sales Lines\".\"id\" = :\"id\",\n  \"Sales Lines\".\"qty\" = "
                    ":\"qty\"\nwhere\n  \"Sales Lines\".\"id\" = :\"OLD_id\"",
                    Japanese);
  std::string table;
  TStringList updateFields, whereFields;
  parser.GetUpdateTableName(table);
  parser.Reset();
  parser.GetUpdateFields(updateFields);
  parser.Reset();
  parser.GetWhereFields(whereFields);
  EXPECT_EQ("Sales Lines", table);
  // The quoted qualifier is a quoted name, then the dot an stOther token.
  EXPECT_EQ((V{"Sales Lines"}), Names(updateFields));
  EXPECT_EQ((V{"Sales Lines"}), Names(whereFields));

  TSQLParser plain("update customer\nset\n  id = :id,\n  name = :name\nwhere\n  id = :OLD_id", Japanese);
  plain.GetUpdateTableName(table);
  plain.Reset();
  plain.GetUpdateFields(updateFields);
  plain.Reset();
  plain.GetWhereFields(whereFields);
  EXPECT_EQ("customer", table);
  EXPECT_EQ((V{"id", "name"}), Names(updateFields));
  EXPECT_EQ((V{"id"}), Names(whereFields));
}
