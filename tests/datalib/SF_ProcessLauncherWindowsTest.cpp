// The launcher on Windows: arguments with blanks arrive whole, and a program
// stopped on time or on cancel takes the programs it started along (its job
// object). The stand-in program is vorn_test_child.exe.

#include <chrono>
#include <string>
#include <thread>

#include <windows.h>

#include <gtest/gtest.h>

#include "SF_ProcessLauncher.h"
#include "../support/TempDir.h"

namespace {

const std::string kChild = VORN_TEST_CHILD;

bool processEnds(DWORD id) {
  HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!h) return true;
  const bool ended = WaitForSingleObject(h, 5000) == WAIT_OBJECT_0;
  CloseHandle(h);
  return ended;
}

}  // namespace

TEST(ProcessLauncherWindows, RunsInItsWorkingDirectoryWithItsArguments) {
  TempDir dir;
  SF_ProcessLauncher p;
  ASSERT_TRUE(p.start(kChild, {"args", "3", "/A", "/O", "a b.dat", "say \"hi\"\\"}, dir.path().string()));
  EXPECT_EQ(p.waitForExit(std::chrono::seconds(60)), SF_ProcessLauncher::SF_PROCESS_EXITED);
  EXPECT_EQ(p.exitCode(), 3);
  EXPECT_EQ(TempDir::read(dir.file("out.txt")), "/A|/O|a b.dat|say \"hi\"\\|");
}

TEST(ProcessLauncherWindows, TimeLimitAndCancelStopTheProgramAndItsChildren) {
  TempDir dir;
  SF_ProcessLauncher p;
  ASSERT_TRUE(p.start(kChild, {"hang"}, dir.path().string()));
  std::string pid;
  for (int i = 0; i < 500 && pid.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    pid = TempDir::read(dir.file("child.pid"));
  }
  ASSERT_FALSE(pid.empty());
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(p.waitForExit(std::chrono::milliseconds(300)), SF_ProcessLauncher::SF_PROCESS_TIMED_OUT);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(10));
  EXPECT_FALSE(p.running());
  EXPECT_TRUE(processEnds(static_cast<DWORD>(std::stoul(pid))));

  ASSERT_TRUE(p.start(kChild, {"sleep"}, dir.path().string()));
  int polls = 0;
  EXPECT_EQ(p.waitForExit(std::chrono::seconds(20), [&] { return ++polls < 3; }),
            SF_ProcessLauncher::SF_PROCESS_CANCELLED);
  EXPECT_EQ(polls, 3);
  EXPECT_FALSE(p.running());
}
