#include "SF_LocalTime.h"

bool SF_LocalTime(std::time_t moment, std::tm& out) {
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &moment) != 0) return false;
#else
  if (localtime_r(&moment, &local) == nullptr) return false;
#endif
  out = local;
  return true;
}
