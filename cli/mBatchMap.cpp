#include "cli/mBatchMap.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "casefile/cCaseFile.h"
#include "site/cGridJob.h"
#include "site/mExceedanceMap.h"
#include "site/mNoiseMap.h"
#include "study/IMessageService.h"
#include "study/cStudy.h"
#if VORN_HAVE_GDAL
#include "site/gdal/cGeoPackageSiteFile.h"
#include "site/gdal/mNoiseMapExport.h"
#endif

namespace mBatchMap {

namespace {

constexpr int exitWritten = 0, exitNothing = 1, exitFailed = 2;

void problem(IMessageService& messages, const std::string& text) {
  messages.show(text, "VORN", MessageIcon::Critical);
}

}  // namespace

bool isOption(const std::string& arg) {
  return arg == "--map" || arg == "--cell" || arg == "--metric" || arg == "--exceed";
}

bool setOption(const std::string& arg, const std::string& value, Options& options, std::string& error) {
  if (arg == "--map") {
    if (value.empty()) {
      error = "--map needs a file name";
      return false;
    }
    options.output = value;
  } else if (arg == "--cell") {
    double cell = 0;
    const auto r = std::from_chars(value.data(), value.data() + value.size(), cell);
    if (r.ec != std::errc() || r.ptr != value.data() + value.size() || !(cell > 0) || !std::isfinite(cell)) {
      error = "--cell needs a cell size above 0";
      return false;
    }
    options.cell = cell;
  } else if (arg == "--metric") {
    if (value == "lmax") options.metric = 0;
    else if (value == "leq") options.metric = 1;
    else if (value == "l10") options.metric = 2;
    else {
      error = "--metric must be lmax, leq or l10";
      return false;
    }
  } else {
    mExceedanceMap::sChoice c;
    if (!mExceedanceMap::parseChoice(value, c)) {
      error = "--exceed needs LANDUSE,PERIOD (Residential, Commercial or Industrial; day, evening or night), "
              "optionally ,impact and ,baseline=DBA";
      return false;
    }
    options.exceed = value;
  }
  return true;
}

bool check(const Options& options, std::string& error) {
  if (!options.wanted() && (options.cell > 0 || options.metric || !options.exceed.empty())) {
    error = "--cell, --metric and --exceed go with --map";
    return false;
  }
  return true;
}

void attach(const Options& options, cCaseFile& caseFile) {
#if VORN_HAVE_GDAL
  static cGeoPackageSiteFile store;
  if (options.wanted()) caseFile.attachSiteFile(&store);
#else
  (void)options;
  (void)caseFile;
#endif
}

int run(const Options& options, const cStudy& study, IMessageService& messages) {
#if !VORN_HAVE_GDAL
  (void)options;
  (void)study;
  problem(messages, "This build of VORN writes no map files: GDAL is not part of it.");
  return exitFailed;
#else
  // The metric layer the case shows unless --metric asks for another; L10
  // and Leq differ only by the adjustment, so either comes from one grid.
  const std::int32_t metric = options.metric.value_or(mNoiseMap::caseMetric(study));
  const cGridFrame frame = mNoiseMap::defaultFrame(study, options.cell);
  if (frame.empty()) {
    double x0, y0, x1, y1;
    problem(messages, mNoiseMap::planExtent(study, x0, y0, x1, y1)
                          ? "The map would have too many cells: choose a larger --cell."
                          : "The case has no site plan to map: no receptor, equipment or barrier is placed.");
    return exitNothing;
  }
  cGridInput input = mNoiseMap::gridInput(study);
  if (input.pieces.empty()) {
    problem(messages, "No active equipment is placed on the site plan: there is nothing to map.");
    return exitNothing;
  }
  auto shielding = mNoiseMap::shielding(study, input);
  cGridJob job(std::move(input), frame, metric == 2 ? 2 : 1, std::move(shielding));
  if (job.run() != cGridJob::Outcome::done) {
    problem(messages, "There is not enough memory for a map of this many cells.");
    return exitFailed;
  }
  const cNoiseGrid& grid = job.grid();
  std::vector<float> values = metric == 0 ? grid.lmax : grid.level;
  mNoiseMapExport::sMapLayer layer;
  layer.grid = &grid;
  layer.epsg = study.sitePlan.epsg;
  const char* names[] = {"Lmax", "Leq", "L10"};
  layer.description = names[metric];
  layer.name = std::string("noise_map_") + (metric == 0 ? "lmax" : metric == 1 ? "leq" : "l10");
  if (!options.exceed.empty()) {
    mExceedanceMap::sChoice choice;
    mExceedanceMap::parseChoice(options.exceed, choice);
    choice.metric = metric;
    const auto limit = mExceedanceMap::limitFor(study, choice);
    if (!limit.usable) {
      problem(messages, limit.problem);
      return exitNothing;
    }
    values = mExceedanceMap::exceedance(values, limit.limit);
    layer.bands = mNoiseMapExport::Bands::exceedance;
    layer.description = mExceedanceMap::describe(choice, limit.limit);
    layer.name += "_exceedance";
  }
  layer.values = &values;
  std::string error;
  if (!mNoiseMapExport::write(layer, options.output, error)) {
    problem(messages, error);
    return exitFailed;
  }
  return exitWritten;
#endif
}

}  // namespace mBatchMap
