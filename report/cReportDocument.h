#pragma once
// A report as a document: headings, paragraphs, tables, charts and pictures
// in reading order, with every word and number already decided. A writer
// lays it out on pages; nothing here knows about pages, fonts or colours of
// a screen. Texts are Windows-1252 bytes, as everywhere in the core.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct cReportCell {
  static constexpr std::uint32_t noShade = 0xFFFFFFFFu;
  std::string text;               // "\n" starts a new line within the cell
  bool bold = false;
  bool number = false;            // set flush right
  std::uint32_t shade = noShade;  // background as 0xRRGGBB
  int span = 1;                   // columns the cell covers
};

// The cells a report's tables are made of: plain text, a number set flush
// right, bold text.
namespace mReportCells {
inline cReportCell cell(std::string text) { return cReportCell{std::move(text)}; }
inline cReportCell numberCell(std::string text) {
  cReportCell c{std::move(text)};
  c.number = true;
  return c;
}
inline cReportCell boldCell(std::string text) {
  cReportCell c{std::move(text)};
  c.bold = true;
  return c;
}
}  // namespace mReportCells

using cReportRow = std::vector<cReportCell>;

struct cReportTable {
  // Repeated at the top of every page the table runs onto.
  std::vector<cReportRow> header;
  std::vector<cReportRow> body;
  // Relative column widths; as many as the table has columns.
  std::vector<int> widths;
  // The table's text size relative to the body text (wide tables are smaller).
  double textScale = 1.0;
};

// One receptor's levels as bars: the Total and each active piece, Lmax and
// the case's metric, with each bar's limits by period.
struct cReportChart {
  struct Bar {
    std::string label;
    float lmax = 0.0f;
    float metric = 0.0f;
    bool lmaxOver = false;    // over at least one of its limits
    bool metricOver = false;
    bool hasLmaxLimit[3] = {false, false, false};  // false: N/A or Exempt
    float lmaxLimit[3] = {0.0f, 0.0f, 0.0f};
    bool hasMetricLimit[3] = {false, false, false};
    float metricLimit[3] = {0.0f, 0.0f, 0.0f};
  };
  std::string metricName;  // "Leq" or "L10"
  std::vector<Bar> bars;
};

// A site plan seen from above, north up: the noise map's cells in their
// bands under the barriers, the receptors and the equipment, with the map's
// legend beside it. Coordinates in the case's units.
struct cReportPlan {
  struct Point {
    double x = 0, y = 0;
  };
  struct Symbol {
    std::string label;   // "R1", "E3": the number of its sheet's row
    Point at;
    bool active = true;  // equipment that is not active is drawn pale
  };
  struct Band {
    std::string label;    // as the legend of the window's noise map says it
    std::uint32_t colour = 0;  // 0xRRGGBB
  };
  std::string unit;    // "ft" or "m"
  // The mapped rectangle and its cells, row by row from the north: the band
  // of each cell, -1 where it has none.
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  std::int32_t columns = 0, rows = 0;
  std::vector<std::int8_t> cells;
  std::vector<Band> bands;      // the legend, the lowest band first
  std::string legendTitle;      // "Leq (dBA)"
  std::string legendNote;       // under the legend
  std::vector<std::vector<Point>> barriers;
  std::vector<Symbol> receptors;
  std::vector<Symbol> equipment;
};

// A programme's phases as bars over its weeks, one row each, in three bands
// (day, evening, night) filled where the phase works in that period.
struct cReportTimeline {
  struct Phase {
    std::string name;
    std::int32_t firstWeek = 1, lastWeek = 1;
    bool periods[3] = {false, false, false};
  };
  std::int32_t weeks = 0;
  std::vector<Phase> phases;
};

struct cReportBlock {
  enum class Kind { heading, subheading, minorHeading, paragraph, table, chart, picture, plan, timeline, pageBreak };
  Kind kind = Kind::paragraph;
  std::string text;                  // heading, paragraph or picture caption
  cReportTable table;
  cReportChart chart;
  cReportPlan plan;
  cReportTimeline timeline;
  std::vector<unsigned char> image;  // a picture as PNG bytes (a plan, a timeline)
};

class cReportDocument {
public:
  std::string title;   // the document's title, also its metadata
  std::string footer;  // beside the page number on every page: the case name
  std::vector<cReportBlock> blocks;

  void heading(const std::string& text);
  void subheading(const std::string& text);
  void minorHeading(const std::string& text);
  void paragraph(const std::string& text);
  void table(cReportTable table);
  void chart(cReportChart chart);
  void plan(cReportPlan plan);
  void timeline(cReportTimeline timeline);
  void pageBreak();

  // Every text of the document in reading order, a paragraph or a table row
  // a line, cells separated by " | ": what a reader of the pages finds.
  std::string plainText() const;
};
