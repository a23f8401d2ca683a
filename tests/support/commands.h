#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace frost::testing {

struct CommandResult {
  int status = -1;     // the exit code; -1 when the command did not exit normally
  std::string output;  // what it wrote to stdout, byte for byte
};

inline int ExitCode(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs a shell command and keeps its standard output.
inline CommandResult RunCapturing(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return result;
  char buffer[65536];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.output.append(buffer, got);
  }
  result.status = ExitCode(pclose(pipe));
  return result;
}

// Runs a shell command, its output discarded; returns the exit code.
inline int RunCommand(const std::string& command) {
  return ExitCode(std::system((command + " >/dev/null 2>&1").c_str()));
}

}  // namespace frost::testing
