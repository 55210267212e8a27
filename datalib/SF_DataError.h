#pragma once
// The one error the measurement classes raise to their caller. Reading a record,
// band, cell or item that was never stored, a gap inside a range being walked,
// a time-of-day text that cannot be read and a count or number that does not
// fit its 16-bit field all throw SF_DataError; the file readers catch it and
// report SF_DATA_FILE_ERROR instead.

#include <cstdint>
#include <stdexcept>
#include <string>

class SF_DataError : public std::runtime_error {
public:
  enum Kind {
    MissingEntry,  // no value, object or cell is stored under the key asked for
    Overflow,      // a number does not fit the 16-bit field that must hold it
    BadTimeText,   // a time-of-day text without hours, minutes and seconds
    NoObject       // a null object where an object must be given
  };

  SF_DataError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}

  Kind kind() const noexcept { return kind_; }

private:
  Kind kind_;
};

// A number as a 16-bit integer the way the data files hold record and band
// numbers: rounded to the nearest whole number, halves to even. Throws
// SF_DataError (Overflow) when it does not fit or is not a number.
std::int16_t SF_ToInt16(double value);

// The same for a whole number; throws SF_DataError (Overflow) outside -32768..32767.
std::int16_t SF_ToInt16(long long value);

// A number in single precision, as the single-precision fields hold it.
// Throws SF_DataError (Overflow) when it lies beyond the single range.
float SF_ToSingle(double value);
