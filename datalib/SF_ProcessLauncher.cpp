#include "SF_ProcessLauncher.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
};

}  // namespace

SF_ProcessLauncher::~SF_ProcessLauncher() { terminate(); }

bool SF_ProcessLauncher::start(const std::string& program, const std::vector<std::string>& arguments,
                               const std::string& workingDirectory) {
  terminate();
  exitCode_ = -1;
  SpawnSetup setup;
  if (!workingDirectory.empty() && posix_spawn_file_actions_addchdir_np(&setup.actions, workingDirectory.c_str()) != 0)
    return false;
  // The program never reads from us: a converter waiting for input would hang.
  posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  // Its own process group, so that stopping it also stops what it started.
  posix_spawnattr_setpgroup(&setup.attributes, 0);
  posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);

  std::vector<char*> argv;
  std::vector<std::string> storage;
  storage.reserve(arguments.size() + 1);
  storage.push_back(program);
  for (const auto& a : arguments) storage.push_back(a);
  for (auto& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);

  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &setup.actions, &setup.attributes, argv.data(), environ) != 0) return false;
  pid_ = pid;
  return true;
}

bool SF_ProcessLauncher::reap(bool block) {
  if (pid_ <= 0) return true;
  int status = 0;
  pid_t r;
  do {
    r = waitpid(pid_, &status, block ? 0 : WNOHANG);
  } while (r < 0 && errno == EINTR);
  if (r == 0) return false;
  if (r == pid_) exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  pid_ = -1;
  return true;
}

bool SF_ProcessLauncher::running() { return pid_ > 0 && !reap(false); }

SF_ProcessLauncher::WaitResult SF_ProcessLauncher::waitForExit(std::chrono::milliseconds limit,
                                                               const std::function<bool()>& keepWaiting) {
  if (pid_ <= 0) return SF_PROCESS_NOT_STARTED;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (reap(false)) return SF_PROCESS_EXITED;
    if (keepWaiting && !keepWaiting()) {
      terminate();
      return SF_PROCESS_CANCELLED;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      terminate();
      return SF_PROCESS_TIMED_OUT;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

void SF_ProcessLauncher::terminate() {
  if (pid_ <= 0) return;
  const pid_t group = pid_;
  if (reap(false)) return;
  kill(-group, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  while (std::chrono::steady_clock::now() < deadline) {
    if (reap(false)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // Whatever of the group is still there, including children of a program
  // that has already ended on SIGTERM.
  kill(-group, SIGKILL);
  reap(true);
  exitCode_ = -1;
}
