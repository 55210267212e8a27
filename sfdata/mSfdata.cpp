#include "sfdata/mSfdata.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iomanip>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <unistd.h>

#include "SF_DataHP3565.h"
#include "SF_DataSPC.h"
#include "SF_DataSTH.h"
#include "SF_FileText.h"
#include "SF_MeasurementReader.h"
#include "SF_MessageHandler.h"
#include "SF_PeriodLevels.h"
#include "sfdata/cProgressLine.h"

namespace mSfdata {

namespace {

namespace fs = std::filesystem;

constexpr long kMostModelRecords = 32767;  // record numbers of the model are 16-bit
constexpr int kSpcLastBand = 45;            // the fixed-column layout's last field, which holds the overall level

struct Options {
  bool help = false;
  std::vector<std::string> positional;
  std::string weighting = "A";
  std::string periods = "DEFAULT";
  std::string ln = "10,50,90";
  std::string format = "txt";
  std::string to;
  std::string bands;
  std::string converter;
};

// Options that take a value, and the commands that accept each.
const std::map<std::string, std::string Options::*> kValueOptions = {
    {"--weighting", &Options::weighting}, {"--periods", &Options::periods}, {"--ln", &Options::ln},
    {"--format", &Options::format},       {"--to", &Options::to},           {"--bands", &Options::bands},
    {"--converter", &Options::converter}};

const std::map<std::string, std::vector<std::string>> kCommandOptions = {
    {"info", {"--bands"}},
    {"levels", {"--weighting", "--periods", "--ln", "--format", "--bands"}},
    {"convert", {"--to", "--bands"}},
    {"import-analyzer", {"--bands", "--converter"}}};

const std::map<std::string, std::size_t> kCommandFiles = {
    {"info", 1}, {"levels", 1}, {"convert", 2}, {"import-analyzer", 2}};

bool parseArguments(const std::vector<std::string>& args, Options& options, std::string& error) {
  bool optionsEnded = false;
  std::vector<std::string> given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      options.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      continue;
    }
    std::string name = arg, value;
    const std::size_t eq = arg.find('=');
    const bool inlineValue = eq != std::string::npos;
    if (inlineValue) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
    }
    const auto it = kValueOptions.find(name);
    if (it == kValueOptions.end()) {
      error = "unknown option " + name;
      return false;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) {
        error = name + " needs a value";
        return false;
      }
      value = args[++i];
    }
    options.*(it->second) = value;
    given.push_back(name);
  }
  if (options.help) return true;
  if (options.positional.empty()) {
    error = "no command given";
    return false;
  }
  const std::string& command = options.positional.front();
  const auto accepted = kCommandOptions.find(command);
  if (accepted == kCommandOptions.end()) {
    error = "unknown command " + command;
    return false;
  }
  for (const auto& name : given)
    if (std::find(accepted->second.begin(), accepted->second.end(), name) == accepted->second.end()) {
      error = name + " does not apply to " + command;
      return false;
    }
  const std::size_t files = kCommandFiles.at(command);
  if (options.positional.size() != files + 1) {
    error = command + " takes " + (files == 1 ? std::string("one file") : std::string("two names")) + ", " +
            std::to_string(options.positional.size() - 1) + " given";
    return false;
  }
  return true;
}

// "LO-HI", bands of the fixed-column layout.
bool parseBands(const std::string& text, int& low, int& high, std::string& error) {
  if (text.empty()) return true;
  const std::size_t dash = text.find('-', 1);
  const auto lo = dash == std::string::npos ? std::nullopt : SF_FileText::toWhole(text.substr(0, dash));
  const auto hi = dash == std::string::npos ? std::nullopt : SF_FileText::toWhole(text.substr(dash + 1));
  if (!lo || !hi || *lo < 2 || *hi > kSpcLastBand || *lo > *hi) {
    error = "--bands must read LO-HI with bands from 2 to 45, not \"" + text + "\"";
    return false;
  }
  low = static_cast<int>(*lo);
  high = static_cast<int>(*hi);
  return true;
}

bool parseLn(const std::string& text, std::vector<double>& ln, std::string& error) {
  ln.clear();
  std::string_view rest = text;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view item = SF_FileText::trim(rest.substr(0, comma));
    const auto n = SF_FileText::toDouble(item);
    if (!n || !(*n > 0) || *n > 100) {
      error = "--ln takes percentages above 0 up to 100 separated by commas, not \"" + text + "\"";
      return false;
    }
    ln.push_back(*n);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return true;
}

std::string oneDecimal(double value) { return SF_FileText::fixed(value, 1); }

// A time of day as the files write it: "hh:mm:ss", with a fraction when there is one.
std::string timeOfDay(double seconds) {
  SF_Time t;
  t.TODseconds(seconds);
  return t.TODstring();
}

std::string bandText(int band) {
  const std::string_view label = SF_FileText::bandLabel(band);
  const std::size_t slash = label.find('/');
  return slash == std::string_view::npos ? std::string() : std::string(label.substr(slash + 1));
}

// The data library's messages (the analyzer import's) as sfdata's own lines.
class cStreamMessages : public SF_MessageHandler {
public:
  explicit cStreamMessages(std::ostream& err) : err_(err) {}
  void showError(const std::string&, const std::string& text) override { err_ << "sfdata: " << text << "\n"; }

private:
  std::ostream& err_;
};

int cannotRead(std::ostream& err, const std::string& path, const std::string& why) {
  err << "sfdata: " << path << ": " << why << "\n";
  return exitCannotRun;
}

// ---- info -------------------------------------------------------------------

int runInfo(const std::string& path, int spcLow, int spcHigh, std::ostream& out, std::ostream& err) {
  SF_MeasurementReader reader;
  reader.SpcBands(spcLow, spcHigh);
  if (!reader.open(path)) return cannotRead(err, path, reader.Error());
  SF_PeriodLevels run(SF_WEIGHTING_Z, SF_Periods::WholeRun());
  {
    cProgressLine progress(err, "reading " + path);
    if (!run.compute(reader, [&](double f) { progress.update(f); })) {
      progress.finish();
      return cannotRead(err, path, run.Error());
    }
  }
  std::ostringstream text;
  text << "File: " << path << "\n";
  text << "Format: " << reader.FormatName() << "\n";
  text << "Records: " << run.Records();
  if (run.Records() > 0) text << " (numbers " << reader.FirstRecord() << " to " << reader.LastRecord() << ")";
  text << "\n";
  text << "Record length: " << SF_FileText::shortest(reader.RecordLength()) << " s\n";
  if (run.Records() > 0) {
    text << "Start: " << timeOfDay(run.RunStart()) << "\n";
    text << "End: " << timeOfDay(run.RunEnd()) << "\n";
    text << "Duration: " << oneDecimal(static_cast<double>(run.Records()) * reader.RecordLength()) << " s over "
         << run.Days() << (run.Days() == 1 ? " day" : " days") << "\n";
  } else {
    text << "Start: " << reader.StartTimeText() << "\n";
  }
  text << "Bands: " << reader.LowBand() << " to " << reader.HighBand();
  const std::string lowText = bandText(reader.LowBand()), highText = bandText(reader.HighBand());
  if (!lowText.empty() && !highText.empty()) text << " (" << lowText << " to " << highText << ")";
  text << "\n";
  // Neither file format carries metric values; levels works them out.
  text << "Metrics: none\n";
  if (!reader.AveragingMethod().empty()) text << "Averaging: " << reader.AveragingMethod() << "\n";
  if (reader.Format() == SF_FORMAT_STH) {
    text << "Time stamps: " << reader.TimeStampType() << "\n";
    text << "Project: " << reader.ProjectName() << "\n";
    text << "Microphone: " << reader.MicrophoneID() << "\n";
  }
  out << text.str() << std::flush;
  return exitDone;
}

// ---- levels -----------------------------------------------------------------

std::string lnName(double n) { return "L" + SF_FileText::shortest(n); }

int runLevels(const std::string& path, const Options& options, int spcLow, int spcHigh, std::ostream& out,
              std::ostream& err) {
  SF_WEIGHTING weighting = SF_WEIGHTING_A;
  SF_Periods periods;
  std::vector<double> ln;
  std::string error;
  if (!SF_Weighting::FromName(options.weighting, weighting)) error = "--weighting takes A, C or Z";
  else if (!SF_Periods::Parse(options.periods, periods, error)) error = "--periods: " + error;
  else if (!parseLn(options.ln, ln, error)) {
  } else if (options.format != "txt" && options.format != "csv") error = "--format takes txt or csv";
  if (!error.empty()) {
    err << "sfdata: " << error << "\n" << usage();
    return exitCannotRun;
  }

  SF_MeasurementReader reader;
  reader.SpcBands(spcLow, spcHigh);
  if (!reader.open(path)) return cannotRead(err, path, reader.Error());
  SF_PeriodLevels levels(weighting, periods);
  {
    cProgressLine progress(err, "reading " + path);
    if (!levels.compute(reader, [&](double f) { progress.update(f); })) {
      progress.finish();
      return cannotRead(err, path, levels.Error());
    }
  }
  if (levels.RecordsWithoutLevel() > 0)
    err << "sfdata: " << path << ": " << levels.RecordsWithoutLevel()
        << " records hold no valid band level and are left out\n";

  // One row per period: name, start, end, seconds, then the levels.
  std::vector<std::string> titles = {"Period", "Start", "End", "Seconds", "Leq", "Lmax", "Lmin"};
  for (double n : ln) titles.push_back(lnName(n));
  titles.push_back("SEL");
  std::vector<std::vector<std::string>> rows;
  bool anyEmpty = false;
  for (std::size_t i = 0; i < periods.Count(); ++i) {
    const SF_Period& p = periods.Period(i);
    const SF_LevelStatistics& s = levels.Statistics(i);
    std::vector<std::string> row = {p.name};
    if (p.wholeRun) {
      row.push_back(levels.Records() > 0 ? timeOfDay(levels.RunStart()) : "");
      row.push_back(levels.Records() > 0 ? timeOfDay(levels.RunEnd()) : "");
    } else {
      row.push_back(SF_Periods::ClockText(p.start));
      row.push_back(SF_Periods::ClockText(p.end == 0.0 && p.start != 0.0 ? 86400.0 : p.end));
    }
    row.push_back(oneDecimal(s.Seconds()));
    if (s.Empty()) {
      anyEmpty = true;
      err << "sfdata: " << path << ": no record falls in the period " << p.name << "\n";
      row.resize(titles.size());
    } else {
      row.push_back(oneDecimal(s.Leq()));
      row.push_back(oneDecimal(s.Lmax()));
      row.push_back(oneDecimal(s.Lmin()));
      for (double n : ln) row.push_back(oneDecimal(s.Ln(n)));
      row.push_back(oneDecimal(s.SEL()));
    }
    rows.push_back(std::move(row));
  }

  std::ostringstream text;
  if (options.format == "csv") {
    for (std::size_t c = 0; c < titles.size(); ++c) text << (c ? "," : "") << titles[c];
    text << "\n";
    for (const auto& row : rows) {
      for (std::size_t c = 0; c < row.size(); ++c) text << (c ? "," : "") << row[c];
      text << "\n";
    }
  } else {
    text << "File: " << path << "\n";
    text << "Weighting: " << SF_Weighting::Name(weighting) << "\n\n";
    std::vector<std::size_t> widths(titles.size());
    for (std::size_t c = 0; c < titles.size(); ++c) {
      widths[c] = titles[c].size();
      for (const auto& row : rows) widths[c] = std::max(widths[c], row[c].size());
    }
    auto line = [&](const std::vector<std::string>& cells) {
      std::string l;
      for (std::size_t c = 0; c < cells.size(); ++c) {
        const std::size_t pad = widths[c] - cells[c].size();
        if (c == 0) l += cells[c] + std::string(pad, ' ');
        else l += "  " + std::string(pad, ' ') + cells[c];
      }
      while (!l.empty() && l.back() == ' ') l.pop_back();
      text << l << "\n";
    };
    line(titles);
    for (const auto& row : rows) line(row);
  }
  out << text.str() << std::flush;
  return levels.Records() == levels.RecordsWithoutLevel() || anyEmpty ? exitNothingToReport : exitDone;
}

// ---- convert ----------------------------------------------------------------

// The history with its records renumbered 1 to Count (the fixed-column file
// numbers them so), sharing the spectra.
std::shared_ptr<SF_SpectralTimeHistory> numberedFromOne(const SF_SpectralTimeHistory& h) {
  if (h.LoRec() == 1) return nullptr;
  auto out = std::make_shared<SF_SpectralTimeHistory>();
  out->AverageMethod(h.AverageMethod());
  out->TimeStampType(h.TimeStampType());
  out->ReferenceType(h.ReferenceType());
  out->startTime(h.startTime());
  out->ReferenceTime(h.ReferenceTime());
  int n = 0;
  for (int r = h.LoRec(); r <= h.HiRec(); ++r)
    out->spectrum(static_cast<std::int16_t>(++n), h.spectrum(static_cast<std::int16_t>(r)));
  return out;
}

// Why the library's reader refused a file the streaming reader can tell.
std::string whyUnreadable(const std::string& path, int spcLow, int spcHigh) {
  SF_MeasurementReader reader;
  reader.SpcBands(spcLow, spcHigh);
  if (!reader.open(path)) return reader.Error();
  long records = 0, highest = 0;
  if (!reader.forEachRecord([&](const SF_MeasuredRecord& r) {
        ++records;
        highest = std::max(highest, std::labs(r.number));
      }))
    return reader.Error();
  if (records > kMostModelRecords || highest > kMostModelRecords)
    return "holds " + std::to_string(records) + " records; convert takes files of up to 32767 records";
  return "cannot be read as a measurement file";
}

int runConvert(const std::string& in, const std::string& outPath, const Options& options, int spcLow, int spcHigh,
               std::ostream& err) {
  std::string to = SF_FileText::upper(options.to);
  if (to.empty()) {
    std::string ext = SF_FileText::upper(fs::path(outPath).extension().string());
    if (!ext.empty()) to = ext.substr(1);
  }
  if (to != "STH" && to != "SPC") {
    err << "sfdata: give --to sth or --to spc, or an output name ending in .sth or .spc\n" << usage();
    return exitCannotRun;
  }

  SF_MeasurementReader probe;
  probe.SpcBands(spcLow, spcHigh);
  if (!probe.open(in)) return cannotRead(err, in, probe.Error());

  std::shared_ptr<SF_SpectralTimeHistory> history;
  std::shared_ptr<SF_HeaderSTH> header;
  SF_DataSPC spcIn;
  if (probe.Format() == SF_FORMAT_STH) {
    if (SF_DataSTH().readFile(in, header, history) != SF_DATA_OK)
      return cannotRead(err, in, whyUnreadable(in, spcLow, spcHigh));
  } else {
    spcIn.BandLow(static_cast<std::int16_t>(spcLow));
    spcIn.BandHigh(static_cast<std::int16_t>(spcHigh));
    if (spcIn.readFile(in, history) != SF_DATA_OK) return cannotRead(err, in, whyUnreadable(in, spcLow, spcHigh));
  }
  if (history->Count() == 0) {
    err << "sfdata: " << in << ": holds no record to convert\n";
    return exitNothingToReport;
  }

  SF_DataMessage written = SF_DATA_FILE_ERROR;
  if (to == "STH") {
    if (!header) {
      header = std::make_shared<SF_HeaderSTH>();
      header->sGeneratedBy = "sfdata";
      header->sGenerationFile = in;
    }
    written = SF_DataSTH().writeFile(outPath, header, *history);
  } else {
    const auto first = history->spectrum(history->LoRec());
    if (first->LowBand() < 2) {
      err << "sfdata: " << in << ": holds bands below 2, which the fixed-column layout has no place for\n";
      return exitCannotRun;
    }
    if (first->HighBand() >= kSpcLastBand)
      err << "sfdata: " << outPath
          << ": bands 45 and above are left out; the fixed-column layout holds bands 2 to 44 and the overall level\n";
    SF_DataSPC spc;
    if (probe.Format() == SF_FORMAT_SPC)
      spc.setHeader(spcIn.AveragingCode(), spcIn.RecordLength(), *spcIn.startTime(), 1, history->Count());
    const auto renumbered = numberedFromOne(*history);
    written = spc.writeFile(outPath, renumbered ? *renumbered : *history);
  }
  if (written != SF_DATA_OK) {
    err << "sfdata: " << outPath << ": cannot be written\n";
    return exitCannotRun;
  }
  return exitDone;
}

// ---- import-analyzer --------------------------------------------------------

std::string withSeparator(std::string dir) {
  if (!dir.empty() && dir.back() != '/' && dir.back() != fs::path::preferred_separator) dir += '/';
  return dir;
}

bool hasFile(const std::vector<std::string>& names, const std::string& wanted) {
  const std::string up = SF_FileText::upper(wanted);
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return SF_FileText::upper(n) == up; });
}

int runImport(const std::string& dirArg, const std::string& outPath, const Options& options, int bandLow,
              int bandHigh, std::ostream& err) {
  std::error_code ec;
  if (!fs::is_directory(dirArg, ec)) {
    err << "sfdata: " << dirArg << ": is not a directory\n";
    return exitCannotRun;
  }
  const std::string dir = withSeparator(dirArg);
  std::vector<std::string> names;
  for (fs::directory_iterator it(dirArg, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());

  cStreamMessages messages(err);
  SF_DataHP3565 hp;
  hp.MessageHandler(&messages);
  hp.BandLow(static_cast<std::int16_t>(bandLow));
  hp.BandHigh(static_cast<std::int16_t>(bandHigh));
  std::vector<std::string> events;
  std::map<std::string, std::shared_ptr<SF_Time>> starts;
  double timePerSpectrum = 0;
  if (!hp.readDirectory(dir, names, events, starts, timePerSpectrum)) return exitCannotRun;
  if (events.empty()) {
    err << "sfdata: " << dirArg << ": holds no event to import\n";
    return exitNothingToReport;
  }

  std::vector<std::string> unconverted;
  for (const auto& e : events)
    if (!hasFile(names, e + ".ASC")) unconverted.push_back(e);
  if (!unconverted.empty()) {
    if (options.converter.empty()) {
      err << "sfdata: " << dirArg << ": event " << unconverted.front()
          << " has no .ASC file; give --converter DIR, the directory of sdfprint.exe, to convert the .DAT files\n";
      return exitCannotRun;
    }
    const fs::path temp = fs::temp_directory_path(ec) / ("sfdata-" + std::to_string(::getpid()));
    const bool converted = hp.DAT_to_ASC(dir, withSeparator(temp.string()), options.converter, unconverted);
    fs::remove_all(temp, ec);
    if (!converted) {
      err << "sfdata: " << dirArg << ": the .DAT files could not be converted\n";
      return exitCannotRun;
    }
  }

  // Events in the order they started, one run of records.
  std::stable_sort(events.begin(), events.end(), [&](const std::string& a, const std::string& b) {
    return starts.at(a)->TODseconds() < starts.at(b)->TODseconds();
  });
  auto merged = std::make_shared<SF_SpectralTimeHistory>();
  auto header = std::make_shared<SF_HeaderSTH>();
  header->sGeneratedBy = "sfdata import-analyzer";
  header->sGenerationFile = dir + "INDEX";
  const SF_Time& first = *starts.at(events.front());
  long record = 0;
  for (const auto& e : events) {
    SF_SpectralTimeHistory one;
    if (!hp.ParseASC(dir, e, starts.at(e), one)) {
      err << "sfdata: " << dir << e << ".ASC: cannot be read\n";
      return exitCannotRun;
    }
    if (record + one.Count() > kMostModelRecords) {
      err << "sfdata: " << dirArg << ": holds more than 32767 spectra, more than one file can number\n";
      return exitCannotRun;
    }
    if (record == 0) merged->AverageMethod(one.AverageMethod());
    const long firstOfEvent = record + 1;
    for (int r = 1; r <= one.Count(); ++r) {
      const auto s = one.spectrum(static_cast<std::int16_t>(r));
      const auto t = s->Time();
      t->CurrentDate(starts.at(e)->CurrentDate());
      t->TODseconds(starts.at(e)->TODseconds() + (r - 1) * timePerSpectrum);
      t->setRelTime(first);
      merged->spectrum(static_cast<std::int16_t>(++record), s);
    }
    header->cCommentLines.push_back("Event " + e + " from " + starts.at(e)->TODstring() + ", records " +
                                    std::to_string(firstOfEvent) + " to " + std::to_string(record));
  }
  if (record == 0) {
    err << "sfdata: " << dirArg << ": its events hold no spectra\n";
    return exitNothingToReport;
  }
  merged->startTime(first.Copy());
  merged->ReferenceTime(first.Copy());
  merged->TimeStampType(SF_START);
  merged->ReferenceType(SF_START_REF);
  if (std::fabs(timePerSpectrum - 0.5) > 1e-9)
    err << "sfdata: the analyzer took " << SF_FileText::shortest(timePerSpectrum)
        << " s per spectrum; records are stamped so, but a spectral time history file counts each as 0.5 s\n";
  if (SF_DataSTH().writeFile(outPath, header, *merged) != SF_DATA_OK) {
    err << "sfdata: " << outPath << ": cannot be written\n";
    return exitCannotRun;
  }
  return exitDone;
}

}  // namespace

std::string usage() {
  return "Usage: sfdata COMMAND [options] FILE...\n"
         "Measurement files: spectral time history and fixed-column spectral files,\n"
         "recognised by their content whatever their names.\n"
         "  sfdata info FILE                  format, records, record length, times, bands\n"
         "  sfdata levels FILE [--weighting A|C|Z] [--periods DEFAULT|whole|NAME=HH:MM-HH:MM,...]\n"
         "                     [--ln 10,50,90] [--format txt|csv]\n"
         "                                    Leq, Lmax, Lmin, Ln and SEL per period; DEFAULT is\n"
         "                                    Day 07:00-19:00, Evening 19:00-22:00, Night 22:00-07:00\n"
         "  sfdata convert IN OUT [--to sth|spc]\n"
         "                                    rewrite IN in the other format (from OUT's extension)\n"
         "  sfdata import-analyzer DIR OUT [--converter DIR]\n"
         "                                    an analyzer recording directory into one spectral\n"
         "                                    time history file\n"
         "  --bands LO-HI       bands taken from fixed-column files and analyzer events (17-40)\n"
         "  --help              show this text\n"
         "Exit status: 0 done; 1 nothing to report (no record, or no record in a period);\n"
         "2 a file cannot be read or written, or the arguments are wrong.\n";
}

int main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  std::string error;
  if (!parseArguments(args, options, error)) {
    err << "sfdata: " << error << "\n" << usage();
    return exitCannotRun;
  }
  if (options.help) {
    out << usage() << std::flush;
    return exitDone;
  }
  int low = 17, high = 40;
  if (!parseBands(options.bands, low, high, error)) {
    err << "sfdata: " << error << "\n" << usage();
    return exitCannotRun;
  }
  const std::string& command = options.positional[0];
  const std::string& file = options.positional[1];
  if (command == "info") return runInfo(file, low, high, out, err);
  if (command == "levels") return runLevels(file, options, low, high, out, err);
  if (command == "convert") return runConvert(file, options.positional[2], options, low, high, err);
  return runImport(file, options.positional[2], options, low, high, err);
}

}  // namespace mSfdata
