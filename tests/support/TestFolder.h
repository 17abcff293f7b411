#pragma once
// A folder of the running test's own under the system's temporary folder,
// named by a prefix, the process and the test, so that tests running in
// parallel never share one; it goes, with everything in it, when the object
// goes. A parameterised test's name ("Name/row") stays one folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace TestSupport {

class TTestFolder {
public:
  explicit TTestFolder(const std::string& prefix) {
    std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : test)
      if (c == '/') c = '-';
    FPath = std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(::getpid()) + "-" + test);
    std::filesystem::create_directories(FPath);
  }
  ~TTestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  TTestFolder(const TTestFolder&) = delete;
  TTestFolder& operator=(const TTestFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }

private:
  std::filesystem::path FPath;
};

} // namespace TestSupport
