#pragma once
// Writing a file atomically: the bytes go to a temporary file beside the
// target, reach the disk, and the temporary file is renamed over the target,
// so the target is always either the old file or the complete new one. The
// system calls go through TFileSystemCalls, which tests replace to make each
// step fail.
#include <string>
#include <string_view>
#include <sys/types.h>

// The system calls an atomic write makes; each answers as the call does
// (-1 and errno on failure).
class TFileSystemCalls {
public:
  virtual ~TFileSystemCalls() = default;
  virtual int MakeTemporary(char* nameTemplate) const;  // mkstemp
  virtual ssize_t Write(int fd, const void* data, size_t size) const;
  virtual int Sync(int fd) const;
  virtual int Close(int fd) const;
  virtual int Rename(const char* from, const char* to) const;
  virtual int Remove(const char* path) const;
};

// A temporary file beside a target path, removed when it goes out of scope
// unless it was renamed over the target.
class TTemporaryFile {
public:
  // Raises EInOutError (naming shownPath) when the file cannot be made.
  TTemporaryFile(const std::string& beside, std::string shownPath, const TFileSystemCalls& calls);
  ~TTemporaryFile();
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  const std::string& Path() const { return FPath; }
  // Each raises EInOutError and leaves the temporary file to the destructor.
  void Write(std::string_view bytes);
  void Sync();
  // Closes the file, gives it the target's permissions (0644 for a new
  // target) and renames it over target; the file is then the target's.
  void Commit(const std::string& target);

private:
  [[noreturn]] void Fail(int error) const;
  void Close();

  const TFileSystemCalls& FCalls;
  std::string FShownPath;
  std::string FPath;
  int FFd = -1;
  bool FCommitted = false;
};

// Writes bytes to path through a temporary file beside it and a rename;
// raises EInOutError "cannot write 'path': reason". A symbolic link stays a
// link: the file it points to is the one replaced.
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         const TFileSystemCalls& calls = TFileSystemCalls());
