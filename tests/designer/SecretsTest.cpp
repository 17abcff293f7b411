// A password stored in a form file is never printed by the program.
#include "support/RunProgram.h"
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

TEST(DesignerSecrets, PasswordsAreNeverShown) {
  namespace fs = std::filesystem;
  fs::path form = fs::temp_directory_path() / ("quelm-secret-" + std::to_string(getpid()) + ".dfm");
  std::ofstream(form, std::ios::binary) << "object F: TForm1\r\n  object DB: TQuelmDatabase\r\n"
                                           "    UserName = 'bob'\r\n    UserPassword = 'S3cretValue'\r\n  end\r\nend\r\n";
  for (const std::string& args : {std::string("show ") + form.string(), std::string("--json show ") + form.string(),
                                  std::string("props ") + form.string() + " DB",
                                  std::string("--json props ") + form.string() + " DB"}) {
    TestSupport::TProgramRun run = TestSupport::RunCommandLine(std::string(QUELM_DESIGNER_FILE) + " " + args);
    const std::string& out = run.Out;
    EXPECT_EQ(0, run.Code) << args << "\n" << out;
    EXPECT_EQ(std::string::npos, out.find("S3cretValue")) << args;
    EXPECT_NE(std::string::npos, out.find("(set)")) << args << "\n" << out;
  }
  fs::remove(form);
}
