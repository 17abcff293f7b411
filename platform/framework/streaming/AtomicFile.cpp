#include "streaming/AtomicFile.h"

#include "rtl/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

int TFileSystemCalls::MakeTemporary(char* nameTemplate) const { return ::mkstemp(nameTemplate); }
ssize_t TFileSystemCalls::Write(int fd, const void* data, size_t size) const { return ::write(fd, data, size); }
int TFileSystemCalls::Sync(int fd) const { return ::fsync(fd); }
int TFileSystemCalls::Close(int fd) const { return ::close(fd); }
int TFileSystemCalls::Rename(const char* from, const char* to) const { return std::rename(from, to); }
int TFileSystemCalls::Remove(const char* path) const { return std::remove(path); }

TTemporaryFile::TTemporaryFile(const std::string& beside, std::string shownPath, const TFileSystemCalls& calls)
    : FCalls(calls), FShownPath(std::move(shownPath)) {
  std::string tmpl = beside + ".tmp-XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  FFd = FCalls.MakeTemporary(name.data());
  if (FFd < 0) Fail(errno);
  FPath = name.data();
}

TTemporaryFile::~TTemporaryFile() {
  if (FCommitted) return;
  if (FFd >= 0) FCalls.Close(FFd);
  FCalls.Remove(FPath.c_str());
}

void TTemporaryFile::Fail(int error) const {
  throw EInOutError("cannot write '" + FShownPath + "': " + std::strerror(error));
}

void TTemporaryFile::Close() {
  if (FFd < 0) return;
  int fd = FFd;
  FFd = -1;
  if (FCalls.Close(fd) != 0) Fail(errno);
}

void TTemporaryFile::Write(std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = FCalls.Write(FFd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno);
    if (n == 0) Fail(ENOSPC);  // a write that makes no progress would loop for ever
    done += static_cast<size_t>(n);
  }
}

void TTemporaryFile::Sync() {
  if (FCalls.Sync(FFd) != 0) Fail(errno);
}

void TTemporaryFile::Commit(const std::string& target) {
  Close();
  // The new file gets the permissions of the one it replaces.
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) ::chmod(FPath.c_str(), st.st_mode & 07777);
  else ::chmod(FPath.c_str(), 0644);
  if (FCalls.Rename(FPath.c_str(), target.c_str()) != 0) Fail(errno);
  FCommitted = true;
  // The rename itself reaches the disk with the directory.
  std::string dir = std::filesystem::path(target).parent_path().string();
  int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
}

void WriteFileAtomically(const std::string& given, std::string_view bytes, const TFileSystemCalls& calls) {
  std::string path = given;
  std::error_code ec;
  if (std::filesystem::is_symlink(given, ec)) {
    auto target = std::filesystem::weakly_canonical(given, ec);
    if (!ec) path = target.string();
  }
  TTemporaryFile file(path, given, calls);
  file.Write(bytes);
  file.Sync();
  file.Commit(path);
}
