#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "SF_ProcessLauncher.h"
#include "../support/TempDir.h"

// The stand-in programs below are shell scripts; Windows runs its own
// stand-in in SF_ProcessLauncherWindowsTest.cpp.
#ifdef _WIN32
#define SKIP_WITHOUT_SHELL_SCRIPTS() GTEST_SKIP() << "needs /bin/sh"
#else
#define SKIP_WITHOUT_SHELL_SCRIPTS() static_cast<void>(0)
#endif

namespace {

std::string script(const TempDir& dir, const std::string& name, const std::string& body) {
  const std::string path = dir.file(name);
  TempDir::write(path, "#!/bin/sh\n" + body);
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  return path;
}

}  // namespace

TEST(ProcessLauncher, RunsInItsWorkingDirectoryWithItsArguments) {
  SKIP_WITHOUT_SHELL_SCRIPTS();
  TempDir dir;
  const std::string prog = script(dir, "echo-args", "printf '%s|' \"$@\" > out.txt\nexit 3\n");
  SF_ProcessLauncher p;
  ASSERT_TRUE(p.start(prog, {"/A", "/O", "a b.dat"}, dir.path().string()));
  EXPECT_EQ(p.waitForExit(std::chrono::seconds(20)), SF_ProcessLauncher::SF_PROCESS_EXITED);
  EXPECT_EQ(p.exitCode(), 3);
  EXPECT_EQ(TempDir::read(dir.file("out.txt")), "/A|/O|a b.dat|");
}

TEST(ProcessLauncher, MissingProgramOrDirectoryDoesNotStart) {
  TempDir dir;
  SF_ProcessLauncher p;
  EXPECT_FALSE(p.start(dir.file("nothing"), {}, dir.path().string()));
  const std::string prog = script(dir, "ok", "exit 0\n");
  EXPECT_FALSE(p.start(prog, {}, dir.file("no-such-dir")));
  EXPECT_EQ(p.waitForExit(std::chrono::seconds(1)), SF_ProcessLauncher::SF_PROCESS_NOT_STARTED);
}

TEST(ProcessLauncher, TimeLimitAndCancelStopTheProgramAndItsChildren) {
  SKIP_WITHOUT_SHELL_SCRIPTS();
  TempDir dir;
  const std::string prog = script(dir, "hang", "sleep 30 &\necho $! > child.pid\nsleep 30\n");
  SF_ProcessLauncher p;
  ASSERT_TRUE(p.start(prog, {}, dir.path().string()));
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(p.waitForExit(std::chrono::milliseconds(300)), SF_ProcessLauncher::SF_PROCESS_TIMED_OUT);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(10));
  EXPECT_FALSE(p.running());
  const int child = std::stoi(TempDir::read(dir.file("child.pid")));
  // The background child went with its group (gone, or at most a zombie of init).
  std::string stat;
  for (int i = 0; i < 200; ++i) {
    stat = TempDir::read("/proc/" + std::to_string(child) + "/stat");
    if (stat.empty() || stat.find(") Z") != std::string::npos) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(stat.empty() || stat.find(") Z") != std::string::npos) << stat;

  ASSERT_TRUE(p.start(prog, {}, dir.path().string()));
  int polls = 0;
  EXPECT_EQ(p.waitForExit(std::chrono::seconds(20), [&] { return ++polls < 3; }),
            SF_ProcessLauncher::SF_PROCESS_CANCELLED);
  EXPECT_EQ(polls, 3);
  EXPECT_FALSE(p.running());
}
