#pragma once
// Reads the records of a measurement file one by one, recognising the file by
// its content whatever its name: a spectral time history file ("Spectral
// Time-History" keyword header) or a fixed-column spectral file. Records are
// handed out as they are read, so a day-long run never has to be held in
// memory as a whole, and record numbers are not bound to 16 bits as the
// model's are.
//
// Each record comes with the time of day at which it starts (from its time
// stamp and the file's time-stamp type), the day of the run it starts on
// (0 for the first day; a time of day that goes back marks a new day), and
// its duration: 0.5 s for the spectral time history file, the record length
// of the fixed-column file's header.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum SF_MEASUREMENT_FORMAT : int {
  SF_FORMAT_UNKNOWN = 0,
  SF_FORMAT_STH = 1,  // spectral time history file
  SF_FORMAT_SPC = 2   // fixed-column spectral file
};

struct SF_MeasuredRecord {
  long number = 0;
  long day = 0;
  double start = 0.0;    // time of day the record starts, seconds after midnight
  double seconds = 0.0;  // duration
  int lowBand = 0;       // band of levels[0]
  const double* levels = nullptr;  // the band levels, lowBand upwards
  std::size_t bands = 0;
};

class SF_MeasurementReader {
public:
  SF_MeasurementReader();
  ~SF_MeasurementReader();
  SF_MeasurementReader(const SF_MeasurementReader&) = delete;
  SF_MeasurementReader& operator=(const SF_MeasurementReader&) = delete;

  // Bands taken from a fixed-column file, whose layout holds bands 2 to 45
  // whatever was measured (17 to 40 unless set, as SF_DataSPC reads them).
  void SpcBands(int low, int high);

  // Opens the file and reads its header. False, with Error(), when the file
  // cannot be read or is neither of the two formats.
  bool open(const std::string& path);

  // Calls onRecord for every record in file order; progress, when given, is
  // told the fraction of the file read from time to time. Call once after
  // open. False, with Error() naming the line, when a record cannot be read
  // or the file holds fewer or more records than its header announces.
  bool forEachRecord(const std::function<void(const SF_MeasuredRecord&)>& onRecord,
                     const std::function<void(double)>& progress = {});

  const std::string& Error() const { return error_; }

  SF_MEASUREMENT_FORMAT Format() const { return format_; }
  // "Spectral Time-History" or "Fixed-Column Spectral".
  std::string FormatName() const;
  int LowBand() const { return lowBand_; }
  int HighBand() const { return highBand_; }
  double RecordLength() const { return recordLength_; }
  // Text of the header: the start time as written, and for a spectral time
  // history file its project, microphone, averaging method and time-stamp type.
  const std::string& StartTimeText() const { return startText_; }
  const std::string& ProjectName() const { return project_; }
  const std::string& MicrophoneID() const { return microphone_; }
  const std::string& AveragingMethod() const { return averaging_; }
  const std::string& TimeStampType() const { return timeStampType_; }
  // Record numbers the header announces.
  long FirstRecord() const { return firstRecord_; }
  long LastRecord() const { return lastRecord_; }

private:
  class LineSource;

  bool fail(const std::string& text);
  bool openSTH();
  bool openSPC(const std::string& line1, const std::string& line2);
  bool readSTH(const std::function<void(const SF_MeasuredRecord&)>& onRecord, const std::function<void(double)>& progress);
  bool readSPC(const std::function<void(const SF_MeasuredRecord&)>& onRecord, const std::function<void(double)>& progress);

  std::unique_ptr<LineSource> lines_;
  std::string path_;
  std::string error_;
  SF_MEASUREMENT_FORMAT format_ = SF_FORMAT_UNKNOWN;
  int spcLow_ = 17;
  int spcHigh_ = 40;
  int lowBand_ = 0;
  int highBand_ = -1;
  double recordLength_ = 0.5;
  double startSeconds_ = 0.0;
  double stampShare_ = 0.0;  // where in its record a time stamp lies, as a share of the record
  std::string startText_;
  std::string project_;
  std::string microphone_;
  std::string averaging_;
  std::string timeStampType_;
  long firstRecord_ = 0;
  long lastRecord_ = -1;
  std::vector<double> levels_;
};
