#pragma once
// Number texts and field quoting shared by the sheets, the data files and the reports.
// No locale is involved: the decimal point is always ".".

#include <string>

// The text of a 32-bit value in data files: its shortest decimal form with at
// most 7 significant digits, no trailing zeros, a 0 before the point of a
// fraction (65, 62.5, 0.5, -999.999). Exponent form only beyond 1e15 or below 1e-5.
std::string numberText(float value);

// The "0.0" format: one decimal, to the nearest tenth, halves away from zero.
std::string format0_0(double value);

// The "0" format: no decimals, to the nearest whole number, halves away from zero.
std::string format0(double value);

// Formats with the given number of decimals, halves away from zero.
std::string formatFixed(double value, int decimals);

// Encloses text in double quotes when it contains a comma; inner quotes are
// left as they are.
std::string quoteField(const std::string& text);

// A text as the program's data files give it back. Their reader drops
// double quotes, reads "|" as a comma or drops it, trims surrounding spaces,
// and takes a quoted text that begins with a comma for two fields, which
// leaves the file unreadable. Descriptions are kept in this form from the
// moment they are typed, so a saved case reopens as it was: a double quote
// becomes a single one, "|" the broken bar (0xA6), and leading commas and
// surrounding spaces go.
std::string storableText(const std::string& text);
