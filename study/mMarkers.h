#pragma once
// The three reserved levels that stand in place of a value. They are told
// apart by their exact 32-bit pattern, never with a tolerance.

#include <bit>
#include <cstdint>
#include <string>

inline constexpr float valueNA = -999.999f;      // shown "N/A"
inline constexpr float valueExempt = -10000.0f;  // shown "Exempt"
inline constexpr float valueNone = -8888.889f;   // shown "None": an exceedance of 0 or less

inline constexpr std::uint32_t valueNABits = 0xC479FFF0u;
inline constexpr std::uint32_t valueExemptBits = 0xC61C4000u;
inline constexpr std::uint32_t valueNoneBits = 0xC60AE38Eu;

inline bool isValueNA(float v) { return std::bit_cast<std::uint32_t>(v) == valueNABits; }
inline bool isValueExempt(float v) { return std::bit_cast<std::uint32_t>(v) == valueExemptBits; }
inline bool isValueNone(float v) { return std::bit_cast<std::uint32_t>(v) == valueNoneBits; }
inline bool isMarker(float v) { return isValueNA(v) || isValueExempt(v) || isValueNone(v); }

// "N/A", "Exempt", "None" for a marker, "Value" for anything else.
std::string markerWord(float v);
