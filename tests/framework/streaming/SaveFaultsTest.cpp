// A save that fails at any step leaves the original file byte for byte as it
// was and no temporary file beside it, and says why.
#include "streaming/TFormFile.h"
#include "support/ExpectRaises.h"

#include "FormTestSupport.h"
#include "classes/TClassRegistry.h"
#include "classes/TComponent.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using namespace FormTest;
namespace fs = std::filesystem;

namespace {

enum class TStep { MakeTemporary, ShortWrite, StalledWrite, Sync, Close, Rename };

// The system calls, with one step failing as a full disk, a failing device or
// a refused directory makes it fail.
class TFaultyCalls : public TFileSystemCalls {
public:
  explicit TFaultyCalls(TStep step) : FStep(step) {}
  mutable bool Reached = false;

  int MakeTemporary(char* nameTemplate) const override {
    if (FStep == TStep::MakeTemporary) return Fail(EACCES);
    return TFileSystemCalls::MakeTemporary(nameTemplate);
  }
  ssize_t Write(int fd, const void* data, size_t size) const override {
    if (FStep == TStep::StalledWrite) {
      Reached = true;
      return 0;
    }
    if (FStep != TStep::ShortWrite) return TFileSystemCalls::Write(fd, data, size);
    // The first call writes half, as a file system that has just filled up does; the next finds no room.
    if (FWritten) return Fail(ENOSPC);
    FWritten = true;
    return TFileSystemCalls::Write(fd, data, size / 2);
  }
  int Sync(int fd) const override { return FStep == TStep::Sync ? Fail(EIO) : TFileSystemCalls::Sync(fd); }
  int Close(int fd) const override {
    if (FStep != TStep::Close) return TFileSystemCalls::Close(fd);
    TFileSystemCalls::Close(fd);  // the descriptor is gone even when close reports an error
    return Fail(EIO);
  }
  int Rename(const char* from, const char* to) const override {
    return FStep == TStep::Rename ? Fail(EXDEV) : TFileSystemCalls::Rename(from, to);
  }

private:
  int Fail(int error) const {
    Reached = true;
    errno = error;
    return -1;
  }
  TStep FStep;
  mutable bool FWritten = false;
};

const char* const Form = "object Form1: TForm1\r\n  Caption = 'Main'\r\n  object Table1: TTable\r\n  end\r\nend\r\n";

struct TSaveFaults : ::testing::Test {
  fs::path Dir = fs::temp_directory_path() / ("quelm-faults-" + std::to_string(::getpid()));
  std::string Target = (Dir / "form.dfm").string();
  TClassRegistry Registry;

  TSaveFaults() {
    fs::create_directories(Dir);
    std::ofstream(Target, std::ios::binary) << Form;
  }
  ~TSaveFaults() override {
    fs::permissions(Dir, fs::perms::owner_all);
    fs::remove_all(Dir);
  }
  // The form loaded from the target and changed, so a save has something to write.
  std::unique_ptr<TFormFile> OpenChanged() {
    auto file = TFormFile::LoadFromFile(Target, Registry);
    file->ResolveReferences({});
    file->FinishLoading();
    file->Root()->Components(0)->SetName("Customers");
    return file;
  }
  std::vector<std::string> DirectoryListing() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(Dir)) names.push_back(e.path().filename().string());
    return names;
  }
  std::string MessageOfFailedSave(TFormFile& file, const TFileSystemCalls& calls) {
    return TestSupport::ErrorOf<EInOutError>([&] { file.SaveToFile(Target, std::nullopt, calls); });
  }
};

} // namespace

TEST_F(TSaveFaults, EveryFailingStepLeavesTheOriginalAndNoTemporaryFile) {
  struct TRow {
    TStep Step;
    const char* Name;
    int Error;
  };
  for (const TRow& row : {TRow{TStep::MakeTemporary, "temporary file creation", EACCES},
                          TRow{TStep::ShortWrite, "short write on a full file system", ENOSPC},
                          TRow{TStep::StalledWrite, "write that makes no progress", ENOSPC},
                          TRow{TStep::Sync, "sync", EIO}, TRow{TStep::Close, "close", EIO},
                          TRow{TStep::Rename, "rename", EXDEV}}) {
    SCOPED_TRACE(row.Name);
    auto file = OpenChanged();
    TFaultyCalls calls(row.Step);
    EXPECT_EQ(MessageOfFailedSave(*file, calls), "cannot write '" + Target + "': " + std::strerror(row.Error));
    EXPECT_TRUE(calls.Reached);
    EXPECT_EQ(ReadBytes(Target), Form);
    EXPECT_EQ(DirectoryListing(), std::vector<std::string>{"form.dfm"});
  }
  // The same save with working calls does write, so each failure above was the step's.
  auto file = OpenChanged();
  file->SaveToFile(Target);
  EXPECT_NE(ReadBytes(Target).find("object Customers: TTable"), std::string::npos);
  EXPECT_EQ(DirectoryListing(), std::vector<std::string>{"form.dfm"});
}

TEST_F(TSaveFaults, ADirectoryThatIsNotWritableLeavesTheOriginal) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes into any directory; the refused creation is covered above";
  auto file = OpenChanged();
  fs::permissions(Dir, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(MessageOfFailedSave(*file, TFileSystemCalls()), "cannot write '" + Target + "': " + std::strerror(EACCES));
  EXPECT_EQ(ReadBytes(Target), Form);
  EXPECT_EQ(DirectoryListing(), std::vector<std::string>{"form.dfm"});
}
