#pragma once
// Which row of the vibration reference table an equipment description stands
// for. Built-in entries cover the shipped equipment list; the user's entries
// (saved with the case) come first and may also say that a description is no
// vibration source. Descriptions match whole, ignoring letter case and
// surrounding blanks, so "Roller, Vibratory" never catches "Roller, Static".

#include <string>
#include <vector>

class cVibrationMapping {
public:
  // A table row index, or noSource.
  static constexpr int noSource = -1;

  struct Entry {
    std::string description;
    int row = noSource;
  };

  // The row for a description, or noSource.
  int rowFor(const std::string& description) const;
  // The built-in row alone, ignoring the user's entries.
  static int defaultRowFor(const std::string& description);
  static const std::vector<Entry>& defaultEntries();

  // The user's choice for a description; choosing what the built-in entries
  // give removes the user's entry, so the case saves only real choices.
  void set(const std::string& description, int row);
  const std::vector<Entry>& userEntries() const { return user_; }
  void clear() { user_.clear(); }

  static std::string key(const std::string& description);

private:
  std::vector<Entry> user_;
};
