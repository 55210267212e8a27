#pragma once
// vorn-batch --map OUT: the noise map of the opened case written instead of
// a report. OUT.tif is the grid as a GeoTIFF; OUT.geojson, OUT.shp and
// OUT.gpkg hold its 5 dB bands as polygons (a GeoPackage that exists, such
// as the case's own site file, keeps its other layers). --cell sets the
// cell size in the case's units (default: the plan's extent over 500 cells
// on its longer side), --metric the layer (lmax, leq or l10; default the
// case's metric), and --exceed LANDUSE,PERIOD[,impact][,baseline=B] writes
// the level over that limit instead.

#include <cstdint>
#include <optional>
#include <string>

class cCaseFile;
class cStudy;
class IMessageService;

namespace mBatchMap {

struct Options {
  std::string output;                 // --map OUT
  double cell = 0;                    // --cell SIZE; 0: the default
  std::optional<std::int32_t> metric; // --metric: 0 Lmax, 1 Leq, 2 L10
  std::string exceed;                 // --exceed LANDUSE,PERIOD[,impact][,baseline=B]
  bool wanted() const { return !output.empty(); }
};

// Whether arg is one of the map's options (each takes a value).
bool isOption(const std::string& arg);
// Stores one option's value; false with a one-line reason when it is wrong.
bool setOption(const std::string& arg, const std::string& value, Options& options, std::string& error);
// False with a reason when the options do not go together.
bool check(const Options& options, std::string& error);

// Before the case is opened: lets it read its site file.
void attach(const Options& options, cCaseFile& caseFile);
// Computes and writes the map. Returns the batch exit status: 0 written,
// 1 nothing to map (no placed active equipment), 2 it could not be written.
int run(const Options& options, const cStudy& study, IMessageService& messages);

}  // namespace mBatchMap
