#pragma once
// Where a receptor or a piece of equipment stands on the site plan: x and y
// in the plan's frame and the height above ground, all in the case's units
// (feet or meters). The ground is taken as flat.

struct cSitePosition {
  double x = 0, y = 0, height = 0;
};
