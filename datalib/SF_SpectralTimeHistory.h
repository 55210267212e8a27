#pragma once
// A run of spectra, one per 0.5 s record, with its start and reference times,
// time-stamp and reference types, averaging method and metric summary.
// Histories and their parts are shared by reference (std::shared_ptr):
// setting a property stores the reference; Copy is deep; Resize shares the
// spectra of the records it keeps.
//
// Spectra are held densely by record number (see SF_KeyedStore). Walking the
// records LoRec to HiRec (Copy, Band, setTimeStamps, setRelTimes) throws
// SF_DataError on a record never stored, as does a look-up of one.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "SF_Band.h"
#include "SF_Enums.h"
#include "SF_KeyedStore.h"
#include "SF_MetricSummary.h"
#include "SF_Spectrum.h"
#include "SF_Time.h"

class SF_MaskMap;

class SF_SpectralTimeHistory {
public:
  // A new history (this one is not changed) with a spectrum for every record
  // LoRec..HiRec, each holding bands loBand..hiBand at level 0.
  std::shared_ptr<SF_SpectralTimeHistory> Init(std::int16_t LoRec, std::int16_t HiRec, std::int16_t loBand,
                                               std::int16_t hiBand) const;

  // A new history over records LoRec..HiRec sharing this one's spectra, with
  // copies of the start and reference day and time of day, the same types and
  // averaging method and a new metric summary. Null when the range is not
  // inside this one's.
  std::shared_ptr<SF_SpectralTimeHistory> Resize(std::int16_t LoRec, std::int16_t HiRec) const;

  // Text names of AverageMethod, ReferenceType and TimeStampType; empty for
  // a value outside the tables. A let with a text that is not exactly one of
  // the names (case counts) leaves the value as it was.
  std::string sAveragingMethod() const;
  void sAveragingMethod(std::string_view name);
  std::string sReferenceTimeType() const;
  void sReferenceTimeType(std::string_view name);
  std::string sTimeStampType() const;
  void sTimeStampType(std::string_view name);

  // Number of stored spectra; throws SF_DataError (Overflow) past 32767.
  std::int16_t Count() const;

  // True when Count equals the map's Count and the spectrum of every record
  // 1..Count covers the band range of the map's row of that number.
  bool EncompassesMask(const SF_MaskMap& MapMask) const;
  // Sets the LGB metric of the spectrum of records 1..map Count from the
  // map's rows: 9999 when bands 28 and 29 are both masked, else the band
  // before the first masked band from 29 up, else 0.
  void setLGB(const SF_MaskMap& MapMask);

  SF_TimeStampType TimeStampType() const { return timeStampType_; }
  void TimeStampType(SF_TimeStampType value) { timeStampType_ = value; }

  // Copies the day and time of day of startTime and RefTime into this
  // history's startTime and ReferenceTime, stores the types, stamps every
  // record and sets its relative time to RefTime.
  void setTimeStamps(const SF_Time& startTime, SF_TimeStampType StartTimeType, const SF_Time& RefTime,
                     SF_RefTimeType RefType);

  // Throws SF_DataError (MissingEntry) for a record never stored.
  std::shared_ptr<SF_Spectrum> spectrum(std::int16_t nRecord) const;
  // Stores the reference, replacing any spectrum of that record, and widens
  // LoRec/HiRec. Throws SF_DataError (NoObject) for a null spectrum.
  void spectrum(std::int16_t nRecord, std::shared_ptr<SF_Spectrum> value);

  std::shared_ptr<SF_Time> ReferenceTime() const;
  void ReferenceTime(std::shared_ptr<SF_Time> value) { referenceTime_ = std::move(value); }

  std::shared_ptr<SF_SpectralTimeHistory> Copy() const;

  // One band across records LoRec..HiRec, under the record numbers; null
  // when no spectrum is stored.
  std::shared_ptr<SF_Band> Band(std::int16_t nBand) const;
  // Sets band nBand of every record LoRec..HiRec from the band's values.
  void Band(std::int16_t nBand, const SF_Band& band);

  // Stores ReferenceTime by reference and the type, then sets the relative
  // time of every record to it.
  void setRelTimes(std::shared_ptr<SF_Time> ReferenceTime, SF_RefTimeType RefType);

  std::shared_ptr<SF_Time> startTime() const;
  void startTime(std::shared_ptr<SF_Time> value) { startTime_ = std::move(value); }

  SF_AverageMethod AverageMethod() const { return averageMethod_; }
  void AverageMethod(SF_AverageMethod value) { averageMethod_ = value; }
  SF_RefTimeType ReferenceType() const { return referenceType_; }
  void ReferenceType(SF_RefTimeType value) { referenceType_ = value; }

  std::shared_ptr<SF_MetricSummary> Metrics() const;
  void Metrics(std::shared_ptr<SF_MetricSummary> value) { metrics_ = std::move(value); }

  // Lowest and highest record stored (9999 and -1 while empty). A stored 0
  // reads as 1 for LoRec and as Count for HiRec, and is replaced by it.
  std::int16_t HiRec() const;
  void HiRec(std::int16_t value) { hiRec_ = value; }
  std::int16_t LoRec() const;
  void LoRec(std::int16_t value) { loRec_ = value; }

private:
  mutable std::shared_ptr<SF_Time> startTime_;
  SF_TimeStampType timeStampType_ = SF_START;
  SF_KeyedStore<std::shared_ptr<SF_Spectrum>> spectra_;
  mutable std::shared_ptr<SF_Time> referenceTime_;
  SF_RefTimeType referenceType_ = SF_START_REF;
  SF_AverageMethod averageMethod_ = SF_LINEAR;
  mutable std::shared_ptr<SF_MetricSummary> metrics_;
  mutable std::int16_t loRec_ = 9999;
  mutable std::int16_t hiRec_ = -1;
};
