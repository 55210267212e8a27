#pragma once
// Starts an outside program with its arguments in a working directory and
// waits for it to end, within a time limit and for as long as the caller
// wants to go on waiting. A program still running when its launcher goes away
// is stopped, together with whatever it started itself.

#include <chrono>
#include <functional>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/types.h>
#endif

class SF_ProcessLauncher {
public:
  enum WaitResult { SF_PROCESS_EXITED, SF_PROCESS_TIMED_OUT, SF_PROCESS_CANCELLED, SF_PROCESS_NOT_STARTED };

  SF_ProcessLauncher() = default;
  ~SF_ProcessLauncher();
  SF_ProcessLauncher(const SF_ProcessLauncher&) = delete;
  SF_ProcessLauncher& operator=(const SF_ProcessLauncher&) = delete;

  // False when the program cannot be started (missing, not executable, bad directory).
  bool start(const std::string& program, const std::vector<std::string>& arguments,
             const std::string& workingDirectory);

  // Waits until the program ends or the limit runs out; keepWaiting is called
  // between polls (a host lets its pending events run there) and ends the wait
  // with SF_PROCESS_CANCELLED when it returns false. A program that did not
  // end in time or was cancelled is stopped.
  WaitResult waitForExit(std::chrono::milliseconds limit, const std::function<bool()>& keepWaiting = {});

  bool running();
  // The exit status of a program that ended normally, else -1.
  int exitCode() const { return exitCode_; }
  // Stops the program and everything it started.
  void terminate();

private:
  bool started() const;
  bool reap(bool block);

#ifdef _WIN32
  void* process_ = nullptr;  // HANDLE of the program
  void* job_ = nullptr;      // HANDLE of the job object holding it and all it starts
#else
  pid_t pid_ = -1;           // also its process group
#endif
  int exitCode_ = -1;
};
