#pragma once
// The directory that holds the running program, where the default equipment
// list and the default criteria are installed beside it.

#include <string>

// The directory of the executable, ending with a path separator; the current
// directory ("./") when it cannot be found.
std::string programDirectory();

// Names of the files that ship beside the program.
inline constexpr const char* kDefaultEquipmentListName = "VORN Equipment List.equ";
inline constexpr const char* kDefaultCriteriaName = "default criteria.cri";
