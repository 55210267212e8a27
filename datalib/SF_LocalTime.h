#pragma once
// The calendar date and time of day of a moment in the user's time zone,
// as the operating system keeps it (POSIX and Windows side by side).

#include <ctime>

// False (and out left as it was) when the system cannot convert the moment.
bool SF_LocalTime(std::time_t moment, std::tm& out);
