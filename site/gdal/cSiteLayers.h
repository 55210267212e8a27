#pragma once
// What a vector file holds for the site plan, before it is matched to a
// case: receptor and equipment points (with the number and description they
// carry) and barrier lines, plus the settings table of our own site file.
//
// Read from a GeoPackage of ours (layers "receptors", "equipment",
// "barriers", "settings") or from any GeoJSON, Shapefile, GeoPackage, DXF or
// CSV layer: a layer's kind comes from its name, from a "kind" field, or
// from a DXF entity's layer name; points of polygons become their centroid.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "site/cBarrier.h"
#include "site/cSitePosition.h"

struct cSiteFeature {
  std::optional<std::int32_t> number;
  std::string description;
  cSitePosition position;
};

enum class SiteLayerKind { Receptors, Equipment, Barriers };

class cSiteLayers {
public:
  std::vector<cSiteFeature> receptors;
  std::vector<cSiteFeature> equipment;
  std::vector<cBarrier> barriers;
  std::map<std::string, std::string> settings;
  std::int32_t epsg = 0;

  // Every layer of the file, each by its own kind. `only` forces one kind
  // for every feature (an import "as receptors"). False with the problem
  // when the file cannot be read or holds something unusable; the layers
  // are then empty.
  bool read(const std::string& path, std::string& problem, std::optional<SiteLayerKind> only = std::nullopt);

  // Limits that keep a hostile file from taking the machine.
  static constexpr std::size_t kMaxFeatures = 100000;
  static constexpr std::size_t kMaxBarrierPoints = 100000;
};
