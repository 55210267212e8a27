#pragma once
// A noise barrier on the site plan: a polyline in the plan's frame (case
// units) with one top height above ground for its whole length.

#include <string>
#include <vector>

struct cSitePoint {
  double x, y;
};

struct cBarrier {
  std::string name;
  std::vector<cSitePoint> points;
  double topHeight = 0;
};
