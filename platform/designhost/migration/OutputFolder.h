#pragma once
// Files written under a migration's output folder. Each file is written
// beside its place and renamed there, so a reader sees the old file or the
// whole new one; the output folder's disk is synced once when the run ends
// rather than once per file, since these are new copies and the inputs they
// come from stay untouched (a form changed in place is written and synced
// file by file as the module saves it).
#include <string>

class TOutputFolder {
public:
  explicit TOutputFolder(std::string dir) : FDir(std::move(dir)) {}
  ~TOutputFolder();
  TOutputFolder(const TOutputFolder&) = delete;
  TOutputFolder& operator=(const TOutputFolder&) = delete;

  // Makes the folders on the way; raises EInOutError with the path.
  void Write(const std::string& path, const std::string& bytes);
  // Syncs what was written to disk; raises EInOutError.
  void Sync();

private:
  std::string FDir;
  bool FWritten = false;
};
