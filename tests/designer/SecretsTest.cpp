// A password stored in a form file is never printed by the program.
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
    std::string out;
    FILE* pipe = popen((std::string(QUELM_DESIGNER_FILE) + " " + args + " 2>&1").c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    EXPECT_EQ(0, pclose(pipe)) << args << "\n" << out;
    EXPECT_EQ(std::string::npos, out.find("S3cretValue")) << args;
    EXPECT_NE(std::string::npos, out.find("(set)")) << args << "\n" << out;
  }
  fs::remove(form);
}
