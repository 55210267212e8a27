#pragma once
// The number-field parser now lives beside the formats in study/; code that
// still names it here finds it through this header.

#include "study/mParseField.h"
