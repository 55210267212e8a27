#pragma once
// The answer of every prompt: a choice was made, or there is none to read.
// The values are part of the public interface.

#include <cstdint>

enum SF_FileMessage : std::int32_t {
  SF_FILE_OK = 0,
  SF_FILE_CANCEL = 1
};
