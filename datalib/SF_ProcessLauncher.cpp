#include "SF_ProcessLauncher.h"

#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

}  // namespace

SF_ProcessLauncher::~SF_ProcessLauncher() { terminate(); }

bool SF_ProcessLauncher::running() { return started() && !reap(false); }

SF_ProcessLauncher::WaitResult SF_ProcessLauncher::waitForExit(std::chrono::milliseconds limit,
                                                               const std::function<bool()>& keepWaiting) {
  if (!started()) return SF_PROCESS_NOT_STARTED;
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

#ifdef _WIN32

namespace {

std::wstring wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

// One argument as the C runtime of the started program splits it back:
// quoted when it holds blanks or quotes, backslashes before a quote doubled.
void appendQuoted(std::wstring& line, const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += arg;
    return;
  }
  line += L'"';
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

}  // namespace

bool SF_ProcessLauncher::started() const { return process_ != nullptr; }

bool SF_ProcessLauncher::start(const std::string& program, const std::vector<std::string>& arguments,
                               const std::string& workingDirectory) {
  terminate();
  exitCode_ = -1;
  const std::wstring programName = wide(program);
  std::wstring commandLine;
  appendQuoted(commandLine, programName);
  for (const auto& a : arguments) {
    commandLine += L' ';
    appendQuoted(commandLine, wide(a));
  }
  const std::wstring directory = wide(workingDirectory);

  // A job object that ends everything in it when its last handle closes: a
  // converter stopped on time or on cancel takes whatever it started along.
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (!job) return false;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);

  // The program never reads from us: a converter waiting for input would hang.
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  const BOOL created = CreateProcessW(programName.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr,
                                      directory.empty() ? nullptr : directory.c_str(), &startup, &info);
  if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
  if (!created) {
    CloseHandle(job);
    return false;
  }
  // In the job before its first instruction, so nothing it starts escapes.
  if (!AssignProcessToJobObject(job, info.hProcess)) {
    TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    CloseHandle(job);
    return false;
  }
  ResumeThread(info.hThread);
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  job_ = job;
  return true;
}

bool SF_ProcessLauncher::reap(bool block) {
  if (!process_) return true;
  if (WaitForSingleObject(static_cast<HANDLE>(process_), block ? INFINITE : 0) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  exitCode_ = GetExitCodeProcess(static_cast<HANDLE>(process_), &code) ? static_cast<int>(code) : -1;
  CloseHandle(static_cast<HANDLE>(process_));
  process_ = nullptr;
  CloseHandle(static_cast<HANDLE>(job_));  // ends what the program left running
  job_ = nullptr;
  return true;
}

void SF_ProcessLauncher::terminate() {
  if (!process_) return;
  if (reap(false)) return;
  TerminateJobObject(static_cast<HANDLE>(job_), 1);
  // The program itself too, should the system have kept it out of the job;
  // and no endless wait for one that does not go.
  TerminateProcess(static_cast<HANDLE>(process_), 1);
  WaitForSingleObject(static_cast<HANDLE>(process_), 5000);
  CloseHandle(static_cast<HANDLE>(process_));
  process_ = nullptr;
  CloseHandle(static_cast<HANDLE>(job_));
  job_ = nullptr;
  exitCode_ = -1;
}

#else

namespace {

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

bool SF_ProcessLauncher::started() const { return pid_ > 0; }

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

#endif
