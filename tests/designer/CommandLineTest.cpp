// The program's command lines, run as a user runs them: every command's
// options come from one declaration, the connection options are the same
// everywhere, "--opt=value" is "--opt value", and a bad line exits with 2.
#include "support/TestFolder.h"
#include "support/EmbeddedServer.h"

#include <gtest/gtest.h>
#include "support/RunProgram.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using TRun = TestSupport::TProgramRun;

TRun Designer(const std::string& args) { return TestSupport::RunCommandLine(std::string(QUELM_DESIGNER_FILE) + " " + args); }

std::string Line(const std::string& text, int index) {
  std::istringstream in(text);
  std::string line;
  for (int i = 0; i <= index && std::getline(in, line); ++i) {
  }
  return line;
}

const char* const BuiltinCommands[] = {"palette", "show",  "convert", "props",     "values", "set", "edit",
                                       "verbs",   "verb",  "updatesql", "sql",     "db",     "migrate"};
const char* const ConnectingCommands[] = {"values", "edit", "verbs", "verb", "updatesql", "sql", "db"};
const char* const ConnectionOptions[] = {"--host HOST",   "--port PORT",       "--socket PATH",
                                         "--user NAME",   "--password-env VAR", "--database NAME",
                                         "--ssl-cert FILE", "--ssl-key FILE",  "--ssl-ca FILE",
                                         "--embedded DIR"};
const char* const ExitCodes = "Exit status: 0 done, 1 failed, 2 bad command line.";

class CommandLineTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = FFolder.emplace("quelm-cmdline-test").Path();
    std::ofstream(FDir / "form.dfm", std::ios::binary) << "object F: TForm1\r\n"
                                                          "  object DB: TQuelmDatabase\r\n"
                                                          "  end\r\n"
                                                          "  object Q: TQuelmQuery\r\n"
                                                          "    Database = DB\r\n"
                                                          "  end\r\n"
                                                          "  object U: TQuelmUpdateSQL\r\n"
                                                          "  end\r\n"
                                                          "end\r\n";
  }
  void TearDown() override { FFolder.reset(); }
  std::string Form() const { return (FDir / "form.dfm").string(); }
  std::optional<TestSupport::TTestFolder> FFolder;
  fs::path FDir;
};

TEST_F(CommandLineTest, EveryConnectingCommandListsTheConnectionOptions) {
  for (const char* command : ConnectingCommands) {
    TRun help = Designer(std::string(command) + " --help");
    EXPECT_EQ(0, help.Code) << command;
    EXPECT_EQ(0u, help.Out.find(std::string("usage: quelm-designer ") + command + " ")) << help.Out;
    size_t section = help.Out.find("\nConnection options:\n");
    ASSERT_NE(std::string::npos, section) << command << "\n" << help.Out;
    for (const char* option : ConnectionOptions)
      EXPECT_NE(std::string::npos, help.Out.find(std::string("  ") + option + " ", section)) << command << ": " << option;
  }
  // A command that does not connect does not offer them.
  EXPECT_EQ(std::string::npos, Designer("show --help").Out.find("--host"));
}

TEST_F(CommandLineTest, EveryHelpListsJsonAndTheExitCodesOnce) {
  for (const char* command : BuiltinCommands) {
    TRun help = Designer(std::string("--help ") + command);
    EXPECT_EQ(0, help.Code) << command;
    EXPECT_NE(std::string::npos, help.Out.find("\n  --json ")) << command << "\n" << help.Out;
    size_t codes = help.Out.find(ExitCodes);
    EXPECT_NE(std::string::npos, codes) << command;
    EXPECT_EQ(std::string::npos, help.Out.find(ExitCodes, codes + 1)) << command;
  }
  TRun program = Designer("--help");
  EXPECT_EQ(0, program.Code);
  EXPECT_NE(std::string::npos, program.Out.find(ExitCodes)) << program.Out;
  for (const char* command : BuiltinCommands)
    EXPECT_NE(std::string::npos, program.Out.find(std::string("\n  ") + command + " ")) << command;
}

TEST_F(CommandLineTest, AUsageErrorExitsWithTwoAndShowsTheUsage) {
  for (const char* command : BuiltinCommands) {
    TRun run = Designer(std::string(command) + " --bogus=1 " + Form());
    EXPECT_EQ(2, run.Code) << command << "\n" << run.Out;
    EXPECT_EQ(std::string(command) + ": unknown option --bogus", Line(run.Out, 0));
    EXPECT_EQ(0u, Line(run.Out, 1).find(std::string("usage: quelm-designer ") + command + " ")) << run.Out;
  }
  struct TCase {
    std::string Args, FirstLine;
  };
  const TCase cases[] = {
      {"values " + Form() + " DB Host --port", "values: --port needs a value"},
      {"verbs " + Form() + " DB --port 70000", "verbs: --port: '70000' is not a port number"},
      {"convert " + Form() + " --format=xml -o x", "convert: unknown format 'xml' (text or binary)"},
      {"palette extra", "palette: unexpected argument extra"},
      {"verb " + Form() + " DB first", "verb: the verb index is a number from 0, not first"},
      {"--bogus palette", "quelm-designer: unknown option --bogus"},
      {"--package", "quelm-designer: --package needs a value"},
  };
  for (const TCase& c : cases) {
    TRun run = Designer(c.Args);
    EXPECT_EQ(2, run.Code) << c.Args << "\n" << run.Out;
    EXPECT_EQ(c.FirstLine, Line(run.Out, 0)) << c.Args;
  }
}

TEST_F(CommandLineTest, EveryCommandTakesOptionEqualsValue) {
  // Each row gives an option as --opt=VALUE and shows, by what the command
  // did or said, that VALUE reached the option.
  const fs::path out = FDir / "out.dfm";
  const fs::path dataDir = FDir / "embedded";
  struct TCase {
    std::string Args;
    int Code;
    std::string Expected;  // found in the output
  };
  std::vector<TCase> cases = {
      {"palette --json=true", 0, "{\"pages\":["},
      {"show --codepage=no-such-page " + Form(), 1, "no-such-page"},
      {"convert " + Form() + " --output=" + out.string() + " --format=binary", 0, ""},
      {"props --json=true " + Form() + " DB", 0, "{\"component\":\"DB\""},
      {"values " + Form() + " DB Host --port=http", 2, "values: --port: 'http' is not a port number"},
      {"set " + Form() + " DB Host h --dry-run=true", 0, "h\n"},
      {"edit " + Form() + " Q SQL --script=" + (FDir / "none.txt").string(), 1, "none.txt"},
      {"verbs " + Form() + " DB --password-env=QUELM_NO_SUCH_VARIABLE", 2,
       "verbs: environment variable QUELM_NO_SUCH_VARIABLE is not set"},
      {"verb " + Form() + " DB 0 --script=" + (FDir / "none.txt").string(), 1, "none.txt"},
      {"updatesql " + Form() + " U --ssl-ca=/x --port=0", 2, "updatesql: --port: '0' is not a port number"},
      {"sql --embedded=" + dataDir.string() + " " + (FDir / "none.sql").string(), 1, "cannot open"},
      {"migrate " + Form() + " --convert=odbc", 2, "migrate: unknown access layer 'odbc'"},
      // The package's commands.
      {"parse tokens --codepage=93x a", 2, "parse: --codepage needs a number, not '93x'"},
      {"generate --table=orders --keys=id --update=qty", 0, "-- modify\n"},
  };
  // The embedded server cannot load under AddressSanitizer.
  if (TestSupport::EmbeddedServerLoadable)
    cases.push_back({"db --embedded=" + dataDir.string() + " charsets", 0, "armscii8\n"});
  for (const TCase& c : cases) {
    TRun run = Designer(c.Args);
    EXPECT_EQ(c.Code, run.Code) << c.Args << "\n" << run.Out;
    EXPECT_NE(std::string::npos, run.Out.find(c.Expected)) << c.Args << "\n" << run.Out;
  }
  // The converted file is binary: --format=binary reached the command.
  std::ifstream in(out, std::ios::binary);
  std::string head(64, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  EXPECT_NE(std::string::npos, head.find("TPF0"));
  EXPECT_NE(0u, head.rfind("object", 0));
}

} // namespace
