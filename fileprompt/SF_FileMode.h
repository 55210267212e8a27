#pragma once
// Whether the prompt asks for a file to read (an open dialog) or a file to
// write (a save dialog). The values are part of the public interface; a
// host may pass any 32-bit value, and every value but SF_READ means write.

#include <cstdint>

enum SF_FileMode : std::int32_t {
  SF_READ = 0,
  SF_WRITE = 1
};
