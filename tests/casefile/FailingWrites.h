#pragma once
// Makes every file write of this process fail once it passes a few bytes, the
// way a full disk does, even for root (who ignores file permissions). While
// an object lives, writes beyond the limit fail with EFBIG instead of raising
// SIGXFSZ.

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>

class FailingWrites {
public:
  explicit FailingWrites(rlim_t bytes = 64) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FailingWrites() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FailingWrites(const FailingWrites&) = delete;
  FailingWrites& operator=(const FailingWrites&) = delete;

private:
  rlimit saved_{};
  void (*oldHandler_)(int) = SIG_DFL;
};
#endif
