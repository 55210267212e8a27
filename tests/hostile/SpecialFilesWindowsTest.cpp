// Files that are not what they claim, the Windows way: a named pipe and a
// device given as a file name are refused at once by every reader, and so is
// a file over the size limit.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>

#include <windows.h>

#include <gtest/gtest.h>

#include "SF_DataASCII.h"
#include "base/mProgramFileLimit.h"
#include "EveryReader.h"
#include "HostileSupport.h"

namespace {

// A pipe with a server end that never writes: a reader that took it for a
// file would wait on it for ever.
class SilentPipe {
public:
  SilentPipe() : name_("\\\\.\\pipe\\vorn-test-" + std::to_string(GetCurrentProcessId())) {
    handle_ = CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES,
                               4096, 4096, 0, nullptr);
  }
  ~SilentPipe() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  SilentPipe(const SilentPipe&) = delete;
  SilentPipe& operator=(const SilentPipe&) = delete;
  bool open() const { return handle_ != INVALID_HANDLE_VALUE; }
  const std::string& name() const { return name_; }

private:
  std::string name_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

TEST(SpecialFiles, EveryReaderRefusesAPipeADeviceAndAnOversizedFileAtOnce) {
  TempDir dir;
  const std::string huge = dir.file("huge.sth");
  std::ofstream(huge, std::ios::binary).close();
  std::filesystem::resize_file(huge, SF_DataASCII::kWeekOfMeasurements + 1);
  for (const auto& [name, read] : everyReader()) {
    SilentPipe pipe;  // one instance per reader: a reader that connects takes it
    ASSERT_TRUE(pipe.open());
    auto pending = std::async(std::launch::async, [&, r = read] { return r(pipe.name()); });
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(20)), std::future_status::ready) << name << " waited on a pipe";
    EXPECT_FALSE(pending.get()) << name;
    EXPECT_FALSE(read("NUL")) << name;
    EXPECT_FALSE(read("\\\\.\\NUL")) << name;
    EXPECT_FALSE(read(huge)) << name;
  }
}

TEST(SpecialFiles, TheProgramsOwnFilesAreRefusedOverSixtyFourMebibytes) {
  TempDir dir;
  const std::string big = dir.file("big");
  std::ofstream(big, std::ios::binary).close();
  std::filesystem::resize_file(big, kProgramFileMaxBytes + 1);
  cStudy study;
  EXPECT_FALSE(cCaseFile(study).readCaseFile(big));
  EXPECT_FALSE(cCriteriaFile(study.NoiseLimits).readFile(big));
  SF_FieldTable rows;
  EXPECT_EQ(readEquipmentListFields(big, rows), SF_DATA_FILE_ERROR);
}
