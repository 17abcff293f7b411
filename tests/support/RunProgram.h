#pragma once
// Runs a program as a user runs it from a shell and keeps its exit code and
// what it printed (standard output and error together, in order).
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace TestSupport {

struct TProgramRun {
  int Code = -1;    // the exit code; -1 when the program did not exit normally
  std::string Out;  // standard output and standard error
};

// Single quotes for the shell.
inline std::string ShellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Runs commandLine through the shell, in directory when one is given.
inline TProgramRun RunCommandLine(const std::string& commandLine, const std::string& directory = "") {
  std::string command = directory.empty() ? commandLine : "cd " + ShellQuote(directory) + " && " + commandLine;
  command += " 2>&1";
  TProgramRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.Out.append(buffer, n);
  int status = ::pclose(pipe);
  run.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// Runs program with each argument quoted.
inline TProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                              const std::string& directory = "") {
  std::string commandLine = ShellQuote(program);
  for (const std::string& a : args) commandLine += " " + ShellQuote(a);
  return RunCommandLine(commandLine, directory);
}

} // namespace TestSupport
