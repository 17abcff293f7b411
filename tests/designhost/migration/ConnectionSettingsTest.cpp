#include "designhost/migration/ConnectionSettings.h"

#include "streaming/FormParser.h"
#include "streaming/FormTree.h"

#include <gtest/gtest.h>

namespace {

TConnectionSettings Read(const std::string& object) {
  auto doc = ParseFormText("object F: TF\r\n" + object + "end\r\n", "f.dfm");
  TConnectionSettings s;
  EXPECT_TRUE(ReadConnectionSettings(*doc->Root->Children.at(0), s)) << object;
  return s;
}

std::string Row(const TConnectionSettings& s) { return s.Host + "|" + s.Port + "|" + s.Database + "|" + s.User; }

TEST(ConnectionSettingsTest, EachLayersConnectionGivesHostPortDatabaseAndUserButNoPassword) {
  EXPECT_EQ(Row(Read("object C: TZConnection\r\n HostName = 'h'\r\n Port = 3307\r\n Database = 'd'\r\n User = 'u'\r\n"
                     " Password = 'secret'\r\nend\r\n")),
            "h|3307|d|u");
  EXPECT_EQ(Row(Read("object C: TSQLConnection\r\n Params.Strings = (\r\n 'HostName=h'\r\n 'Database=d'\r\n"
                     " 'User_Name=u'\r\n 'Password=secret')\r\nend\r\n")),
            "h||d|u");
  EXPECT_EQ(Row(Read("object C: TADOConnection\r\n ConnectionString = 'Provider=SQLOLEDB.1;Password=secret;"
                     "User ID=u;Initial Catalog=d;Data Source=h'\r\nend\r\n")),
            "h||d|u");
  EXPECT_EQ(Row(Read("object C: TDatabase\r\n DatabaseName = 'ALIAS'\r\n Params.Strings = (\r\n 'SERVER NAME=h'\r\n"
                     " 'USER NAME=u'\r\n 'PASSWORD=secret')\r\nend\r\n")),
            "h|||u");
  // A Zeos port of 0 is no port.
  EXPECT_EQ(Row(Read("object C: TZConnection\r\n Port = 0\r\nend\r\n")), "|||");
}

TEST(ConnectionSettingsTest, OtherClassesAreNoConnection) {
  auto doc = ParseFormText("object F: TF\r\nobject Q: TQuery\r\nend\r\nend\r\n", "f.dfm");
  TConnectionSettings s;
  EXPECT_FALSE(ReadConnectionSettings(*doc->Root->Children.at(0), s));
}

} // namespace
