#pragma once
// Today's date as the reports and the equipment list write it.

#include <string>

// "MM/DD/YYYY" in local time.
std::string todayDateText();
