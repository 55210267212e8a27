#pragma once
// The largest case, criteria or equipment list file the program reads. Real
// ones are a few kilobytes; anything this large was picked by mistake (a video,
// a disk image) and is refused before it is read whole.

#include <cstdint>

inline constexpr std::uint64_t kProgramFileMaxBytes = std::uint64_t{64} << 20;
