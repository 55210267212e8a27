// Files that are not what they claim: pipes, devices, files of gigabytes and
// reads that run out of memory. Every reader answers at once with its failure
// and its message; nothing waits, aborts or eats the machine's memory.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "SF_DataASCII.h"
#include "SF_DataHP3565.h"
#include "SF_MessageHandler.h"
#include "base/mProgramFileLimit.h"
#include "cli/mBatch.h"
#include "EveryReader.h"
#include "HostileSupport.h"

namespace {

namespace fs = std::filesystem;

struct BatchRun {
  int status;
  std::string err;
};

BatchRun batch(const std::string& casePath) {
  std::ostringstream out, err;
  const int status = mBatch::main({casePath}, std::string(VORN_BIN_DIR) + "/", out, err);
  return {status, err.str()};
}

std::string makeFifo(const TempDir& dir, const std::string& name) {
  const std::string path = dir.file(name);
  EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
  return path;
}

// A file of the given size that takes no disk space: all of it is a hole.
std::string makeSparse(const TempDir& dir, const std::string& name, std::uintmax_t bytes) {
  const std::string path = dir.file(name);
  std::ofstream(path, std::ios::binary).close();
  fs::resize_file(path, bytes);
  return path;
}

// Runs read in a thread; a read still waiting after 20 s fails the test, and
// is then released by a writer that opens and closes the pipe.
template <class Result>
Result withoutWaiting(const std::string& fifo, std::function<Result()> read, const std::string& what) {
  auto pending = std::async(std::launch::async, std::move(read));
  if (pending.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
    ADD_FAILURE() << what << " waited on a pipe";
    const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
  }
  return pending.get();
}

bool sanitized() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#endif
#endif
  return false;
}

std::uint64_t addressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

// Runs body in a child process whose address space may grow by at most
// extraBytes; the child's exit status, or 128 + the signal that ended it. An
// exception out of body ends the child as it would end the program (abort).
int inChildWithMemoryLimit(std::uint64_t extraBytes, const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const rlimit limit{addressSpaceInUse() + extraBytes, RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(100);
    _exit([&]() noexcept { return body(); }());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

TEST(SpecialFiles, EveryReaderRefusesAPipeADeviceAndAnOversizedFileAtOnce) {
  TempDir dir;
  const std::string fifo = makeFifo(dir, "pipe.sth");
  // Refused by its size alone: the default limits never let the reader start.
  const std::string huge = makeSparse(dir, "huge.sth", SF_DataASCII::kWeekOfMeasurements + 1);
  for (const auto& [name, read] : everyReader()) {
    EXPECT_FALSE(withoutWaiting<bool>(fifo, [&, r = read] { return r(fifo); }, name)) << name;
    EXPECT_FALSE(read("/dev/zero")) << name;
    EXPECT_FALSE(read(huge)) << name;
  }
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

TEST(SpecialFiles, TheProgramsOwnFilesAreRefusedOverSixtyFourMebibytes) {
  TempDir dir;
  const std::string big = makeSparse(dir, "big", kProgramFileMaxBytes + 1);
  cStudy study;
  EXPECT_FALSE(cCaseFile(study).readCaseFile(big));
  EXPECT_FALSE(cCriteriaFile(study.NoiseLimits).readFile(big));
  SF_FieldTable rows;
  EXPECT_EQ(readEquipmentListFields(big, rows), SF_DATA_FILE_ERROR);
  // The data library's own readers take it: 64 MiB is far below a week of measurements.
  SF_DataASCII ascii;
  EXPECT_EQ(ascii.readLines(big), SF_DATA_OK);
  EXPECT_EQ(ascii.Lines().size(), 1u);
}

TEST(SpecialFiles, TheCallerSetsTheLimitOfARead) {
  TempDir dir;
  const std::string path = dir.file("ten.txt");
  TempDir::write(path, "123456789\n");
  struct Case {
    std::uint64_t limit;
    SF_DataMessage expected;
  };
  for (const Case c : {Case{10, SF_DATA_OK}, Case{9, SF_DATA_FILE_ERROR}, Case{0, SF_DATA_FILE_ERROR}}) {
    SF_DataASCII ascii;
    ascii.MaxFileBytes(c.limit);
    EXPECT_EQ(ascii.readLines(path), c.expected) << c.limit;
    EXPECT_EQ(ascii.readFields(path), c.expected) << c.limit;
  }
  // Files of /proc tell no size in advance: the limit holds while reading.
  SF_DataASCII proc;
  proc.MaxFileBytes(16);
  EXPECT_EQ(proc.readLines("/proc/self/status"), SF_DATA_FILE_ERROR);
  proc.MaxFileBytes(SF_DataASCII::kWeekOfMeasurements);
  EXPECT_EQ(proc.readLines("/proc/self/status"), SF_DATA_OK);

  // The library-wide default reaches every reader built on it.
  const std::string ini = dir.file("full.ini");
  TempDir::write(ini, goldenFile("ini_full.ini"));
  const std::uint64_t before = SF_DataASCII::DefaultMaxFileBytes();
  EXPECT_EQ(before, SF_DataASCII::kWeekOfMeasurements);
  SF_DataASCII::DefaultMaxFileBytes(64);
  const SF_DataMessage limited = SF_DataINI().readFile(ini);
  SF_DataASCII::DefaultMaxFileBytes(before);
  EXPECT_EQ(limited, SF_DATA_FILE_ERROR);
  EXPECT_EQ(SF_DataINI().readFile(ini), SF_DATA_OK);
}

TEST(SpecialFiles, AnalyzerListingsThatArePipesAreProblemsReadingThem) {
  TempDir dir;
  makeFifo(dir, "INDEX");
  struct Recording : SF_MessageHandler {
    void showError(const std::string&, const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
  } handler;
  SF_DataHP3565 hp;
  hp.MessageHandler(&handler);
  std::vector<std::string> events;
  std::map<std::string, std::shared_ptr<SF_Time>> starts;
  double rate = 0;
  const bool read = withoutWaiting<bool>(
      dir.file("INDEX"), [&] { return hp.readDirectory(dir.path().string() + "/", {"INDEX", "A.DAT"}, events, starts, rate); },
      "readDirectory");
  EXPECT_FALSE(read);
  EXPECT_EQ(handler.texts, std::vector<std::string>{"Problem reading INDEX file."});
}

TEST(SpecialFiles, SavingOverAPipeFailsAndLeavesThePipe) {
  TempDir dir;
  const std::string fifo = makeFifo(dir, "out.cas");
  SF_DataASCII ascii;
  ascii.Lines({"one"});
  EXPECT_EQ(ascii.writeLines(fifo), SF_DATA_FILE_ERROR);
  EXPECT_EQ(ascii.appendLines(fifo), SF_DATA_FILE_ERROR);
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// The rows of the batch tool's table: each ends with the case file's message
// and exit status 2, at once.
TEST(SpecialFiles, BatchRunsOnDevicesPipesAndHugeFilesEndWithStatusTwo) {
  TempDir dir;
  const std::string fifo = makeFifo(dir, "p");
  const BatchRun onPipe = withoutWaiting<BatchRun>(fifo, [&] { return batch(fifo); }, "vorn-batch");
  EXPECT_EQ(onPipe.status, mBatch::exitCannotRun);
  EXPECT_EQ(onPipe.err, "Problem reading case file.\n");

  const BatchRun onProc = batch("/proc/self/status");
  EXPECT_EQ(onProc.status, mBatch::exitCannotRun);
  EXPECT_EQ(onProc.err, "Problem reading case file.\n");

  if (sanitized()) GTEST_SKIP() << "the sanitizers reserve more address space than a limit allows";
  EXPECT_EQ(inChildWithMemoryLimit(std::uint64_t{2} << 30, [] { return batch("/dev/zero").status; }),
            mBatch::exitCannotRun);
  const std::string big = makeSparse(dir, "big.cas", std::uint64_t{3} << 30);
  EXPECT_EQ(inChildWithMemoryLimit(std::uint64_t{4} << 30, [&] { return batch(big).status; }), mBatch::exitCannotRun);
}

// A case file under the bound that still does not fit the memory left: the
// read fails with the case file's message instead of ending the program.
TEST(SpecialFiles, RunningOutOfMemoryWhileReadingIsAReadFailure) {
  if (sanitized()) GTEST_SKIP() << "the sanitizers reserve more address space than a limit allows";
  TempDir dir;
  const std::string path = makeSparse(dir, "zeros.cas", kProgramFileMaxBytes - 1);
  const int viaBatch = inChildWithMemoryLimit(std::uint64_t{64} << 20, [&] {
    const BatchRun run = batch(path);
    return run.err == "Problem reading case file.\n" ? run.status : 99;
  });
  EXPECT_EQ(viaBatch, mBatch::exitCannotRun);
  const int viaLibrary = inChildWithMemoryLimit(std::uint64_t{64} << 20, [&] {
    SF_DataASCII ascii;
    ascii.Lines({"kept"});
    const bool failed = ascii.readLines(path) == SF_DATA_FILE_ERROR && ascii.readFields(path) == SF_DATA_FILE_ERROR;
    return failed && ascii.Lines() == std::vector<std::string>{"kept"} ? 0 : 1;
  });
  EXPECT_EQ(viaLibrary, 0);
}
