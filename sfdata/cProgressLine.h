#pragma once
// A progress line on standard error for work that takes longer than a second:
// nothing is written for shorter work, then one line rewritten in place
// ("sfdata: reading run.sth 45%"), ended when the work ends.

#include <chrono>
#include <functional>
#include <ostream>
#include <string>

class cProgressLine {
public:
  // clock gives seconds since any fixed instant; the steady clock when empty.
  cProgressLine(std::ostream& err, std::string label, std::function<double()> clock = {});
  ~cProgressLine();
  cProgressLine(const cProgressLine&) = delete;
  cProgressLine& operator=(const cProgressLine&) = delete;

  // fraction of the work done, 0 to 1.
  void update(double fraction);
  // Ends the line if one was written.
  void finish();

private:
  double now() const;

  std::ostream& err_;
  std::string label_;
  std::function<double()> clock_;
  double started_ = 0.0;
  int shownPercent_ = -1;
};
