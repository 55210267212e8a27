#pragma once
// Statistics over time of one run of levels, each held for a duration:
// the energy-equivalent level Leq = 10·log10(Σ tᵢ·10^(Lᵢ/10) / Σ tᵢ), Lmax,
// Lmin, the exposure level SEL = Leq + 10·log10(T / 1 s), and any Ln: the
// level of the record at which, taking records from loudest to quietest, the
// running total of durations first reaches n % of the total duration.

#include <cstddef>
#include <vector>

class SF_LevelStatistics {
public:
  // Adds a level held for a duration in seconds; a duration of 0 or less, or
  // a level or duration that is not a number, is left out.
  void add(double level, double seconds);

  std::size_t Count() const { return records_.size(); }
  bool Empty() const { return records_.empty(); }
  double Seconds() const { return seconds_; }

  // Every statistic of an empty run is SF_INVALID_LEVEL.
  double Leq() const;
  double Lmax() const;
  double Lmin() const;
  double SEL() const;
  // n from above 0 to 100; SF_INVALID_LEVEL outside that range.
  double Ln(double n) const;

private:
  struct Record {
    double level;
    double seconds;
  };

  void sortLoudestFirst() const;

  mutable std::vector<Record> records_;
  mutable bool sorted_ = true;
  double seconds_ = 0.0;
  double energy_ = 0.0;  // Σ tᵢ·10^(Lᵢ/10)
  double max_ = 0.0;
  double min_ = 0.0;
};
