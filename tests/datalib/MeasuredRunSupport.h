#pragma once
// Measured runs for the tests of weighted levels and statistics over time: a
// spectral time history of 0.5 s records with one level per record in the
// 1 kHz band (where the A and C weights are 0 dB), written as a file.

#include <functional>
#include <memory>
#include <string>

#include "SF_DataSTH.h"

// records of levelOf(i) (i from 0) stamped from startSeconds on, in band 30.
inline std::shared_ptr<SF_SpectralTimeHistory> measuredRun(double startSeconds, int records,
                                                           const std::function<double(int)>& levelOf,
                                                           SF_TimeStampType stamps = SF_START) {
  auto h = std::make_shared<SF_SpectralTimeHistory>();
  for (int r = 1; r <= records; ++r) {
    auto s = std::make_shared<SF_Spectrum>();
    s->SPL(30, levelOf(r - 1));
    h->spectrum(static_cast<std::int16_t>(r), s);
  }
  SF_Time start;
  start.TODseconds(startSeconds);
  h->setTimeStamps(start, stamps, start, SF_START_REF);
  return h;
}

inline bool writeRun(const std::string& path, const SF_SpectralTimeHistory& run) {
  auto header = std::make_shared<SF_HeaderSTH>();
  header->sProjectName = "Quarry Road";
  header->sMicrophoneID = "M1";
  return SF_DataSTH().writeFile(path, header, run) == SF_DATA_OK;
}

// 21:00 to 01:00 across midnight: 55 dB until 22:00, 45 dB until midnight, 35 dB after.
inline std::shared_ptr<SF_SpectralTimeHistory> eveningIntoNight() {
  return measuredRun(21 * 3600.0, 4 * 7200, [](int i) { return i < 7200 ? 55.0 : i < 3 * 7200 ? 45.0 : 35.0; });
}
