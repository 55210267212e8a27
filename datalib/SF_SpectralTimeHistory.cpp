#include "SF_SpectralTimeHistory.h"

#include "SF_DataError.h"
#include "SF_MaskMap.h"
#include "SF_MaskRow.h"

namespace {

std::shared_ptr<SF_Time> dayAndTimeOf(const SF_Time& t) {
  auto c = std::make_shared<SF_Time>();
  c->CurrentDate(t.CurrentDate());
  c->TODseconds(t.TODseconds());
  return c;
}

}  // namespace

std::shared_ptr<SF_SpectralTimeHistory> SF_SpectralTimeHistory::Init(std::int16_t LoRec, std::int16_t HiRec,
                                                                     std::int16_t loBand, std::int16_t hiBand) const {
  auto h = std::make_shared<SF_SpectralTimeHistory>();
  h->spectra_.reserve(LoRec, HiRec);
  for (int r = LoRec; r <= HiRec; ++r) {
    auto s = std::make_shared<SF_Spectrum>();
    s->reserveBands(loBand, hiBand);
    for (int b = loBand; b <= hiBand; ++b) s->SPL(static_cast<std::int16_t>(b), 0.0);
    h->spectrum(static_cast<std::int16_t>(r), std::move(s));
  }
  return h;
}

std::shared_ptr<SF_SpectralTimeHistory> SF_SpectralTimeHistory::Resize(std::int16_t LoRec, std::int16_t HiRec) const {
  if (LoRec < this->LoRec() || HiRec > this->HiRec()) return nullptr;
  auto h = std::make_shared<SF_SpectralTimeHistory>();
  h->averageMethod_ = averageMethod_;
  h->startTime_ = dayAndTimeOf(*startTime());
  h->referenceTime_ = dayAndTimeOf(*ReferenceTime());
  h->timeStampType_ = timeStampType_;
  h->referenceType_ = referenceType_;
  h->spectra_.reserve(LoRec, HiRec);
  for (int r = LoRec; r <= HiRec; ++r)
    h->spectrum(static_cast<std::int16_t>(r), spectrum(static_cast<std::int16_t>(r)));
  return h;
}

std::string SF_SpectralTimeHistory::sAveragingMethod() const { return std::string(SF_AverageMethodName(averageMethod_)); }
void SF_SpectralTimeHistory::sAveragingMethod(std::string_view name) { SF_AverageMethodFromName(name, averageMethod_); }
std::string SF_SpectralTimeHistory::sReferenceTimeType() const { return std::string(SF_RefTimeTypeName(referenceType_)); }
void SF_SpectralTimeHistory::sReferenceTimeType(std::string_view name) { SF_RefTimeTypeFromName(name, referenceType_); }
std::string SF_SpectralTimeHistory::sTimeStampType() const { return std::string(SF_TimeStampTypeName(timeStampType_)); }
void SF_SpectralTimeHistory::sTimeStampType(std::string_view name) { SF_TimeStampTypeFromName(name, timeStampType_); }

std::int16_t SF_SpectralTimeHistory::Count() const { return SF_ToInt16(static_cast<long long>(spectra_.count())); }

bool SF_SpectralTimeHistory::EncompassesMask(const SF_MaskMap& MapMask) const {
  const long n = Count();
  if (n != MapMask.Count()) return false;
  for (long i = 1; i <= n; ++i)
    if (!spectrum(static_cast<std::int16_t>(i))->Encompasses(*MapMask.Row(static_cast<std::int16_t>(i)))) return false;
  return true;
}

void SF_SpectralTimeHistory::setLGB(const SF_MaskMap& MapMask) {
  const long n = MapMask.Count();
  for (long i = 1; i <= n; ++i) {
    const auto row = MapMask.Row(SF_ToInt16(static_cast<long long>(i)));
    const auto metric = spectrum(static_cast<std::int16_t>(i))->Metric();
    metric->LGB(0);
    metric->LGB(row->LastGoodBand());
  }
}

void SF_SpectralTimeHistory::setTimeStamps(const SF_Time& startTime, SF_TimeStampType StartTimeType,
                                           const SF_Time& RefTime, SF_RefTimeType RefType) {
  // Taken before anything changes: either argument may be one of this
  // history's own time objects.
  const double startDate = startTime.CurrentDate();
  const double startSeconds = startTime.TODseconds();
  const SF_Time refBefore = RefTime;
  const auto start = this->startTime();
  start->CurrentDate(startDate);
  start->TODseconds(startSeconds);
  const auto ref = ReferenceTime();
  ref->CurrentDate(refBefore.CurrentDate());
  ref->TODseconds(refBefore.TODseconds());
  timeStampType_ = StartTimeType;
  referenceType_ = RefType;

  const double base = SF_ToSingle(startSeconds - SF_TimeStampOffset(StartTimeType));
  const int lo = LoRec(), hi = HiRec();
  for (int r = lo; r <= hi; ++r) {
    const auto t = spectrum(static_cast<std::int16_t>(r))->Time();
    t->CurrentDate(startDate);
    t->TODseconds(base + 0.5 * r);
  }
  for (int r = lo; r <= hi; ++r) spectrum(static_cast<std::int16_t>(r))->Time()->setRelTime(refBefore);
}

std::shared_ptr<SF_Spectrum> SF_SpectralTimeHistory::spectrum(std::int16_t nRecord) const {
  return spectra_.at(nRecord);
}

void SF_SpectralTimeHistory::spectrum(std::int16_t nRecord, std::shared_ptr<SF_Spectrum> value) {
  if (!value) throw SF_DataError(SF_DataError::NoObject, "no spectrum given for record " + std::to_string(nRecord));
  if (nRecord < loRec_) loRec_ = nRecord;
  if (nRecord > hiRec_) hiRec_ = nRecord;
  spectra_.put(nRecord, std::move(value));
}

std::shared_ptr<SF_Time> SF_SpectralTimeHistory::ReferenceTime() const {
  if (!referenceTime_) referenceTime_ = std::make_shared<SF_Time>();
  return referenceTime_;
}

std::shared_ptr<SF_SpectralTimeHistory> SF_SpectralTimeHistory::Copy() const {
  auto h = std::make_shared<SF_SpectralTimeHistory>();
  const int lo = LoRec(), hi = HiRec();
  h->spectra_.reserve(lo, hi);
  for (int r = lo; r <= hi; ++r)
    h->spectrum(static_cast<std::int16_t>(r), spectrum(static_cast<std::int16_t>(r))->Copy());
  h->averageMethod_ = averageMethod_;
  h->startTime_ = dayAndTimeOf(*startTime());
  h->timeStampType_ = timeStampType_;
  h->referenceTime_ = dayAndTimeOf(*ReferenceTime());
  h->referenceType_ = referenceType_;
  h->metrics_ = Metrics()->Copy();
  return h;
}

std::shared_ptr<SF_Band> SF_SpectralTimeHistory::Band(std::int16_t nBand) const {
  if (spectra_.count() == 0) return nullptr;
  auto band = std::make_shared<SF_Band>();
  const int lo = LoRec(), hi = HiRec();
  band->reserveRecords(static_cast<std::int16_t>(lo), static_cast<std::int16_t>(hi));
  for (int r = lo; r <= hi; ++r) {
    const auto rec = static_cast<std::int16_t>(r);
    band->SPL(rec, spectra_.at(rec)->SPL(nBand));
  }
  return band;
}

void SF_SpectralTimeHistory::Band(std::int16_t nBand, const SF_Band& band) {
  const int lo = LoRec(), hi = HiRec();
  for (int r = lo; r <= hi; ++r) {
    const auto rec = static_cast<std::int16_t>(r);
    spectra_.at(rec)->SPL(nBand, band.SPL(rec));
  }
}

void SF_SpectralTimeHistory::setRelTimes(std::shared_ptr<SF_Time> ReferenceTime, SF_RefTimeType RefType) {
  if (!ReferenceTime) throw SF_DataError(SF_DataError::NoObject, "no reference time given");
  referenceTime_ = std::move(ReferenceTime);
  referenceType_ = RefType;
  const SF_Time& ref = *referenceTime_;
  const int lo = LoRec(), hi = HiRec();
  for (int r = lo; r <= hi; ++r) spectrum(static_cast<std::int16_t>(r))->Time()->setRelTime(ref);
}

std::shared_ptr<SF_Time> SF_SpectralTimeHistory::startTime() const {
  if (!startTime_) startTime_ = std::make_shared<SF_Time>();
  return startTime_;
}

std::shared_ptr<SF_MetricSummary> SF_SpectralTimeHistory::Metrics() const {
  if (!metrics_) metrics_ = std::make_shared<SF_MetricSummary>();
  return metrics_;
}

std::int16_t SF_SpectralTimeHistory::HiRec() const {
  if (hiRec_ == 0) hiRec_ = Count();
  return hiRec_;
}

std::int16_t SF_SpectralTimeHistory::LoRec() const {
  if (loRec_ == 0) loRec_ = 1;
  return loRec_;
}
