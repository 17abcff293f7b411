#include "designhost/migration/OutputFolder.h"

#include "rtl/Exceptions.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

TOutputFolder::~TOutputFolder() {
  try {
    Sync();
  } catch (const Exception&) {
    // A destructor has nobody to tell; Sync is called on the normal path.
  }
}

void TOutputFolder::Write(const std::string& path, const std::string& bytes) {
  auto fail = [&](int error) { throw EInOutError("cannot write '" + path + "': " + std::strerror(error)); };
  std::error_code ec;
  fs::path parent = fs::path(path).parent_path();
  if (!parent.empty()) fs::create_directories(parent, ec);
  if (ec) fail(ec.value());
  std::string tmpl = path + ".tmp-XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) fail(errno);
  size_t done = 0;
  int error = 0;
  while (!error && done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno != EINTR) error = errno;
    else if (n > 0) done += static_cast<size_t>(n);
  }
  if (::close(fd) != 0 && !error) error = errno;
  if (!error) ::chmod(name.data(), 0644);
  if (!error && std::rename(name.data(), path.c_str()) != 0) error = errno;
  if (error) {
    std::remove(name.data());
    fail(error);
  }
  FWritten = true;
}

void TOutputFolder::Sync() {
  if (!FWritten) return;
  FWritten = false;
  int fd = ::open(FDir.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) throw EInOutError("cannot sync '" + FDir + "': " + std::strerror(errno));
  int result = ::syncfs(fd);
  int error = errno;
  ::close(fd);
  if (result != 0) throw EInOutError("cannot sync '" + FDir + "': " + std::strerror(error));
}
