#pragma once
// What opening and closing a case changes on the main window beyond its
// sheets: the caption, the metric choice and the case comment box. The Qt
// window implements it; without one (tests, vorn-batch) nothing is shown.

#include <cstdint>
#include <string>

class ICaseFileView {
public:
  virtual ~ICaseFileView() = default;

  // The window caption for a case name; empty for no case.
  virtual void displayCaption(const std::string& caseName) = 0;
  // The metric list's choice: the L10 entry for 2, the Leq entry otherwise.
  virtual void showNoiseMetric(std::int32_t noiseMetric) = 0;
  // The case comment box.
  virtual void showCaseDescription(const std::string& text) = 0;
  // The sheets back to their empty display after a case is closed.
  virtual void showEmptyCase() = 0;
};
