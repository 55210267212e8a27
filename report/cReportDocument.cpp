#include "report/cReportDocument.h"

#include <utility>

namespace {

cReportBlock textBlock(cReportBlock::Kind kind, const std::string& text) {
  cReportBlock block;
  block.kind = kind;
  block.text = text;
  return block;
}

void appendRow(std::string& out, const cReportRow& row) {
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i > 0) out += " | ";
    out += row[i].text;
  }
  out += '\n';
}

}  // namespace

void cReportDocument::heading(const std::string& text) { blocks.push_back(textBlock(cReportBlock::Kind::heading, text)); }

void cReportDocument::subheading(const std::string& text) {
  blocks.push_back(textBlock(cReportBlock::Kind::subheading, text));
}

void cReportDocument::minorHeading(const std::string& text) {
  blocks.push_back(textBlock(cReportBlock::Kind::minorHeading, text));
}

void cReportDocument::paragraph(const std::string& text) {
  blocks.push_back(textBlock(cReportBlock::Kind::paragraph, text));
}

void cReportDocument::table(cReportTable table) {
  cReportBlock block;
  block.kind = cReportBlock::Kind::table;
  block.table = std::move(table);
  blocks.push_back(std::move(block));
}

void cReportDocument::chart(cReportChart chart) {
  cReportBlock block;
  block.kind = cReportBlock::Kind::chart;
  block.chart = std::move(chart);
  blocks.push_back(std::move(block));
}

void cReportDocument::plan(cReportPlan plan) {
  cReportBlock block;
  block.kind = cReportBlock::Kind::plan;
  block.plan = std::move(plan);
  blocks.push_back(std::move(block));
}

void cReportDocument::timeline(cReportTimeline timeline) {
  cReportBlock block;
  block.kind = cReportBlock::Kind::timeline;
  block.timeline = std::move(timeline);
  blocks.push_back(std::move(block));
}

void cReportDocument::pageBreak() { blocks.push_back(textBlock(cReportBlock::Kind::pageBreak, {})); }

std::string cReportDocument::plainText() const {
  std::string out = title + '\n';
  for (const cReportBlock& block : blocks) {
    switch (block.kind) {
      case cReportBlock::Kind::table:
        for (const cReportRow& row : block.table.header) appendRow(out, row);
        for (const cReportRow& row : block.table.body) appendRow(out, row);
        break;
      case cReportBlock::Kind::chart:
        for (const cReportChart::Bar& bar : block.chart.bars) out += bar.label + '\n';
        break;
      case cReportBlock::Kind::plan:
        for (const cReportPlan::Symbol& s : block.plan.receptors) out += s.label + '\n';
        for (const cReportPlan::Symbol& s : block.plan.equipment) out += s.label + '\n';
        out += block.plan.legendTitle + '\n';
        for (auto b = block.plan.bands.rbegin(); b != block.plan.bands.rend(); ++b) out += b->label + '\n';
        if (!block.plan.legendNote.empty()) out += block.plan.legendNote + '\n';
        break;
      case cReportBlock::Kind::timeline:
        for (const cReportTimeline::Phase& p : block.timeline.phases) out += p.name + '\n';
        break;
      case cReportBlock::Kind::pageBreak: break;
      default: out += block.text + '\n';
    }
  }
  return out;
}
