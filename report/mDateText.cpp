#include "report/mDateText.h"

#include <cstdio>
#include <ctime>

#include "SF_LocalTime.h"

std::string todayDateText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  SF_LocalTime(now, local);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
  return buf;
}
