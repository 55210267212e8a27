#pragma once
// The sections about places and time of a PDF report, as the window and the
// batch tool both put them in: the case's site plan with its noise map, and
// the programme the case is a phase of (or the one named), after the
// receptors; and where shielding comes from.

#include <string>

#include "report/mPdfReport.h"

class cStudy;

namespace mReportPlaces {

// casePath: the case file's path (the file system's bytes; empty for an
// unsaved case, which has no programme beside it). programme: the
// programme file named, or empty for the one beside the case. False, with
// problem set to the message to show, when a named programme cannot be read.
bool fill(const cStudy& study, const std::string& casePath, const std::string& programme, mPdfReport::Inputs& inputs,
          std::string& problem);

}  // namespace mReportPlaces
