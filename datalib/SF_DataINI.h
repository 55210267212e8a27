#pragma once
// The processing parameters of one measurement (calibration adjustment,
// averaging method, time-stamp type, pre- and post-event windows, record
// range), saved as and loaded from a "Variable Initialization File". The file
// is read by keyword, in any order and any letter case of the keywords.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SF_DataMessage.h"
#include "SF_Enums.h"
#include "SF_Time.h"

class SF_DataINI {
public:
  // NuAvg and NuTimg hold this when the file gave no value.
  static constexpr int NOT_SET = 99;

  SF_DataMessage writeFile(const std::string& sFileName);
  // Changes nothing when the read fails.
  SF_DataMessage readFile(const std::string& sFileName);

  float CalAdj() const { return calAdj_; }
  void CalAdj(float value) { calAdj_ = value; }
  SF_AverageMethod NuAvg() const { return nuAvg_; }
  void NuAvg(SF_AverageMethod value) { nuAvg_ = value; }
  // An SF_TimeStampType value, or NOT_SET.
  int NuTimg() const { return nuTimg_; }
  void NuTimg(int value) { nuTimg_ = value; }
  float PrWndo() const { return prWndo_; }
  void PrWndo(float value) { prWndo_ = value; }
  float PoWndo() const { return poWndo_; }
  void PoWndo(float value) { poWndo_ = value; }
  std::int16_t LoRec() const { return loRec_; }
  void LoRec(std::int16_t value) { loRec_ = value; }
  std::int16_t HiRec() const { return hiRec_; }
  void HiRec(std::int16_t value) { hiRec_ = value; }
  const std::string& FileName() const { return fileName_; }
  void FileName(std::string value) { fileName_ = std::move(value); }
  // Created on first read.
  std::shared_ptr<SF_Time> FileDate() const;
  std::vector<std::string>& Comments() { return comments_; }
  const std::vector<std::string>& Comments() const { return comments_; }
  void Comments(std::vector<std::string> lines) { comments_ = std::move(lines); }

private:
  float calAdj_ = 0.0f;
  SF_AverageMethod nuAvg_ = SF_NA;
  int nuTimg_ = NOT_SET;
  float prWndo_ = 0.0f;
  float poWndo_ = 0.0f;
  std::int16_t loRec_ = 0;
  std::int16_t hiRec_ = 0;
  std::string fileName_;
  mutable std::shared_ptr<SF_Time> fileDate_;
  std::vector<std::string> comments_;
};
