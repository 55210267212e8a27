#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <random>

#include "compute/mCompute.h"
#include "site/IGridShielding.h"
#include "site/cGridJob.h"
#include "site/mGridKernel.h"
#include "site/mNoiseBands.h"
#include "study/cStudy.h"
#include "tests/study/StudyFixtures.h"

namespace {

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

// A strip of 1-unit cells; cell (col, row) has its centre at (col + 0.5, 9.5 - row).
cGridFrame strip(std::int32_t columns = 200, std::int32_t rows = 10) { return cGridFrame{0, 10, 1, columns, rows}; }

sGridPiece piece(double x, double y, float lref, float usage, double height = 5) {
  sGridPiece p;
  p.x = x;
  p.y = y;
  p.height = height;
  p.lref = lref;
  p.usage = usage;
  return p;
}

cNoiseGrid compute(const cGridInput& in, const cGridFrame& f, std::int32_t metric = 1,
                   std::shared_ptr<const IGridShielding> shielding = nullptr, unsigned threads = 2) {
  cGridJob job(in, f, metric, std::move(shielding));
  EXPECT_EQ(job.run({}, threads), cGridJob::Outcome::done);
  return job.grid();
}

// Levels worked out by hand: 20 lg 2 = 6.0206, 10 lg 0.4 = -3.9794, 10 lg 2 = 3.0103.
constexpr float tol = 2e-4f;

}  // namespace

TEST(GridKernel, OnePieceAtDistanceUsageAndL10) {
  cGridInput in;
  in.pieces = {piece(0.5, 9.5, 85, 40)};
  const cGridFrame f = strip();
  const cNoiseGrid leq = compute(in, f, 1);
  const cNoiseGrid l10 = compute(in, f, 2);
  // 100 ft east: 85 - 20 lg 2 = 78.9794; with 40 % usage 85 - 6.0206 - 3.9794 = 75.0.
  EXPECT_NEAR(leq.at(leq.lmax, 100, 0), 78.97940f, tol);
  EXPECT_NEAR(leq.at(leq.level, 100, 0), 75.0f, tol);
  EXPECT_NEAR(l10.at(l10.level, 100, 0), 78.0f, tol);
  EXPECT_NEAR(l10.at(l10.lmax, 100, 0), 78.97940f, tol);
  // 50 ft away (the reference distance), south-east at (30, 40): 85.0 and 81.0206.
  const cGridFrame square{0, 50, 1, 60, 60};
  cGridInput in2;
  in2.pieces = {piece(0.5, 49.5, 85, 40)};
  const cNoiseGrid g = compute(in2, square);
  EXPECT_NEAR(g.at(g.lmax, 30, 40), 85.0f, tol);
  EXPECT_NEAR(g.at(g.level, 30, 40), 81.02060f, tol);
}

TEST(GridKernel, CellAtAPieceTakesTheLevelAtOneFootOrThirtyCentimetres) {
  cGridInput in;
  in.pieces = {piece(0.5, 9.5, 85, 40)};
  cNoiseGrid g = compute(in, strip());
  // 85 - 20 lg(1/50) = 118.9794; 40 %: 115.0.
  EXPECT_NEAR(g.at(g.lmax, 0, 0), 118.97940f, tol);
  EXPECT_NEAR(g.at(g.level, 0, 0), 115.0f, tol);
  // Half a foot away is nearer than 1 ft: the same level.
  in.pieces[0].x = 1.0;
  g = compute(in, strip());
  EXPECT_NEAR(g.at(g.lmax, 0, 0), 118.97940f, tol);
  // Meters: 0.3 m = 0.98425 ft: 85 - 20 lg(0.98425 / 50) = 119.1172.
  in.units = 1;
  in.pieces[0].x = 0.5;
  g = compute(in, strip());
  EXPECT_NEAR(g.at(g.lmax, 0, 0), 119.11728f, tol);
}

TEST(GridKernel, MetersConvertWithTheProgramsFactor) {
  cGridInput in;
  in.units = 1;
  in.receiverHeight = 1.5;
  in.pieces = {piece(0.5, 9.5, 85, 100, 1.5)};
  // A cell 15.24 m away: 15.24 x 3.280833333 = 49.99990 ft, 85.0000171 dB.
  cGridFrame f{0, 10, 15.24, 3, 1};
  f.ymax = 9.5 + 7.62;
  in.pieces[0].x = 7.62;
  const cNoiseGrid g = compute(in, f);
  EXPECT_NEAR(g.at(g.lmax, 1, 0), 85.0000171f, tol);
  EXPECT_NEAR(g.at(g.level, 1, 0), 85.0000171f, tol);
}

TEST(GridKernel, TwoPiecesEnergySummedLmaxTheLoudest) {
  cGridInput in;
  // Cell 50 centred at x = 50.5; pieces 50 ft west and east of it.
  in.pieces = {piece(0.5, 9.5, 85, 100), piece(100.5, 9.5, 90, 100)};
  cNoiseGrid g = compute(in, strip());
  EXPECT_NEAR(g.at(g.lmax, 50, 0), 90.0f, tol);
  // 10 lg(10^8.5 + 10^9) = 91.1933
  EXPECT_NEAR(g.at(g.level, 50, 0), 91.19329f, tol);
  in.pieces = {piece(0.5, 9.5, 80, 100), piece(100.5, 9.5, 80, 100)};
  g = compute(in, strip());
  EXPECT_NEAR(g.at(g.level, 50, 0), 83.01030f, tol);
  EXPECT_NEAR(g.at(g.lmax, 50, 0), 80.0f, tol);
}

TEST(GridKernel, HeightsMakeTheDistanceSlant) {
  cGridInput in;
  in.receiverHeight = 5;
  // 30 ft across and 40 ft up: 50 ft slant.
  in.pieces = {piece(0.5, 9.5, 85, 100, 45)};
  const cNoiseGrid g = compute(in, strip());
  EXPECT_NEAR(g.at(g.lmax, 30, 0), 85.0f, tol);
}

TEST(GridKernel, PiecesThatWouldNotComputeTakeNoPartAndNoPieceMeansNoData) {
  cGridInput in;
  in.pieces = {piece(0.5, 9.5, valueNA, 40), piece(0.5, 9.5, 80, 0)};
  cNoiseGrid g = compute(in, strip(20, 2));
  for (float v : g.lmax) EXPECT_EQ(v, cNoiseGrid::noData);
  for (float v : g.level) EXPECT_EQ(v, cNoiseGrid::noData);
  in.pieces.push_back(piece(0.5, 9.5, 85, 40));
  g = compute(in, strip(20, 2));
  EXPECT_NEAR(g.at(g.lmax, 0, 0), 118.97940f, tol);
}

TEST(GridKernel, LmaxNeverBelowZeroAsAReceptorsTotal) {
  cGridInput in;
  in.pieces = {piece(0.5, 9.5, 10, 100)};
  const cNoiseGrid g = compute(in, strip(2000, 1));
  // 1999 ft: 10 - 20 lg(1999 / 50) = -22.03686: the total Lmax is 0; Leq is the level.
  EXPECT_EQ(g.at(g.lmax, 1999, 0), 0.0f);
  EXPECT_NEAR(g.at(g.level, 1999, 0), -22.03686f, tol);
}

namespace {

// Everything east of x = 150 behind a 10 dB wall; counts how often it is asked.
class cEastWall : public IGridShielding {
public:
  mutable std::atomic<int> asked{0};
  class cWallTile : public cTile {
  public:
    explicit cWallTile(const cEastWall& w) : wall(w) {}
    double attenuation(double x, double y, double h) const override { return wall.attenuation(0, x, y, h); }
    const cEastWall& wall;
  };
  std::unique_ptr<cTile> tile(std::size_t, double, double, double xmax, double) const override {
    return xmax > 150 ? std::make_unique<cWallTile>(*this) : nullptr;
  }
  double attenuation(std::size_t, double x, double, double) const override {
    ++asked;
    return x > 150 ? 10.0 : 0.0;
  }
};

}  // namespace

TEST(GridKernel, ShieldingLowersOnlyTheCellsBehindIt) {
  cGridInput in;
  in.pieces = {piece(0.5, 9.5, 85, 40)};
  const cNoiseGrid open = compute(in, strip(300, 40));
  auto wall = std::make_shared<cEastWall>();
  const cNoiseGrid shielded = compute(in, strip(300, 40), 1, wall);
  for (std::int32_t row : {0, 17, 39})
    for (std::int32_t col : {0, 100, 149, 150, 151, 299}) {
      const bool behind = col + 0.5 > 150;
      const float drop = behind ? 10.0f : 0.0f;
      EXPECT_NEAR(shielded.at(shielded.lmax, col, row), open.at(open.lmax, col, row) - drop, tol) << col;
      EXPECT_NEAR(shielded.at(shielded.level, col, row), open.at(open.level, col, row) - drop, tol) << col;
    }
  // Only tiles reaching past x = 150 were asked: columns 128 to 299 of 40 rows.
  EXPECT_EQ(wall->asked.load(), (300 - 128) * 40);
}

TEST(GridKernel, OneThreadAndTwoGiveTheSameBits) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> pos(-50, 350);
  cGridInput in;
  for (int i = 0; i < 20; ++i) in.pieces.push_back(piece(pos(rng), pos(rng) / 3, 70.0f + static_cast<float>(i), 10.0f + 4 * i));
  const cNoiseGrid a = compute(in, strip(301, 97), 2, nullptr, 1);
  const cNoiseGrid b = compute(in, strip(301, 97), 2, nullptr, 2);
  ASSERT_EQ(a.lmax.size(), b.lmax.size());
  for (std::size_t i = 0; i < a.lmax.size(); ++i) {
    ASSERT_EQ(bits(a.lmax[i]), bits(b.lmax[i]));
    ASSERT_EQ(bits(a.level[i]), bits(b.level[i]));
  }
}

// The cells agree with the receiver's exact arithmetic (one logarithm per
// piece, every rounding of the stored results) to well under the 0.1 dB
// the program shows.
TEST(GridKernel, CellsAgreeWithTheExactLevelsAtTheirCentres) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> pos(0, 200);
  for (std::int32_t units : {0, 1}) {
    cGridInput in;
    in.units = units;
    in.adjustmentFactor = 2.5f;
    for (int i = 0; i < 20; ++i) in.pieces.push_back(piece(pos(rng), pos(rng) - 190, 60.0f + 2 * i, 5.0f * (i + 1), 3));
    const cGridFrame f{0, 10, 1, 200, 200};
    const cNoiseGrid g = compute(in, f, 2);
    for (std::int32_t row = 0; row < 200; row += 13)
      for (std::int32_t col = 0; col < 200; col += 7) {
        const auto exact = mGridKernel::levelsAt(in, f.centreX(col), f.centreY(row), in.receiverHeight, nullptr);
        EXPECT_NEAR(g.at(g.lmax, col, row), exact.lmax, 1e-3f);
        EXPECT_NEAR(g.at(g.level, col, row), exact.l10, 1e-3f);
      }
  }
}

TEST(GridJob, CancelStopsItAndSaysSo) {
  cGridInput in;
  for (int i = 0; i < 20; ++i) in.pieces.push_back(piece(i * 10.0, -i * 10.0, 80, 50));
  cGridJob before(in, cGridFrame{0, 0, 1, 300, 300}, 1);
  before.cancel();
  EXPECT_EQ(before.run(), cGridJob::Outcome::cancelled);
  // Cancelled from its own progress report, after the first band of rows.
  cGridJob during(in, cGridFrame{0, 0, 1, 300, 300}, 1);
  int reports = 0;
  EXPECT_EQ(during.run(
                [&](double) {
                  ++reports;
                  during.cancel();
                },
                1),
            cGridJob::Outcome::cancelled);
  EXPECT_EQ(reports, 1);
  // Rows past the cancelled band were never computed.
  EXPECT_EQ(during.grid().level.back(), cNoiseGrid::noData);
  cGridJob empty(in, cGridFrame{}, 1);
  EXPECT_EQ(empty.run(), cGridJob::Outcome::failed);
  double last = 0;
  cGridJob whole(in, cGridFrame{0, 0, 1, 50, 100}, 1);
  EXPECT_EQ(whole.run([&](double p) {
              EXPECT_GE(p, last);
              last = p;
            }),
            cGridJob::Outcome::done);
  EXPECT_EQ(last, 1.0);
}

TEST(GridFrame, CoversTheRectangleWithWholeCells) {
  const cGridFrame d = cGridFrame::covering(0, 0, 1000, 400, 0);
  EXPECT_EQ(d.cell, 2.0);
  EXPECT_EQ(d.columns, 500);
  EXPECT_EQ(d.rows, 200);
  const cGridFrame f = cGridFrame::covering(0, 0, 10, 5, 3);
  EXPECT_EQ(f.columns, 4);
  EXPECT_EQ(f.rows, 2);
  EXPECT_DOUBLE_EQ(f.xmin, -1.0);
  EXPECT_DOUBLE_EQ(f.ymax, 5.5);
  EXPECT_TRUE(cGridFrame::covering(0, 0, 1e9, 1e9, 1).empty());
  cNoiseGrid g;
  g.reset(f, 1);
  std::int32_t c = -1, r = -1;
  ASSERT_TRUE(g.cellAt(-1.0, 5.5, c, r));
  EXPECT_EQ(c, 0);
  EXPECT_EQ(r, 0);
  ASSERT_TRUE(g.cellAt(10.99, -0.49, c, r));
  EXPECT_EQ(c, 3);
  EXPECT_EQ(r, 1);
  EXPECT_FALSE(g.cellAt(11.0, 0, c, r));
}

TEST(NoiseBands, EachBandHoldsItsLowerEdge) {
  const struct {
    float level;
    int band;
  } cases[] = {{34.999f, -1}, {35.0f, 0}, {39.999f, 0}, {40.0f, 1}, {74.99f, 7}, {75.0f, 8},
               {79.999f, 8},  {80.0f, 9}, {140.0f, 9},  {cNoiseGrid::noData, -1}, {NAN, -1}};
  for (const auto& c : cases) EXPECT_EQ(mNoiseBands::bandOf(c.level), c.band) << c.level;
  EXPECT_EQ(mNoiseBands::label(0), "35 - 40 dB");
  EXPECT_EQ(mNoiseBands::label(8), "75 - 80 dB");
  EXPECT_EQ(mNoiseBands::label(9), "80 dB and above");
  EXPECT_EQ(mNoiseBands::exceedBandOf(0.0f), -1);
  EXPECT_EQ(mNoiseBands::exceedBandOf(0.01f), 0);
  EXPECT_EQ(mNoiseBands::exceedBandOf(5.0f), 1);
  EXPECT_EQ(mNoiseBands::exceedBandOf(25.0f), 4);
  EXPECT_EQ(mNoiseBands::exceedLabel(0), "over by up to 5 dB");
}

// The receiver's exact levels are those the receptor's computation stores,
// to the bit, for typed distances and shieldings in either unit.
TEST(GridExactLevels, EqualTheReceptorsComputationBitForBit) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<float> dist(3, 900), level(60, 110), use(1, 100), shield(0, 15);
  for (std::int32_t units : {0, 1})
    for (std::int32_t metric : {1, 2})
      for (int trial = 0; trial < 20; ++trial) {
        cStudy study;
        setAllCriteriaValue(study, 70);
        study.units = units;
        study.NoiseMetric = metric;
        study.adjustmentFactor = trial % 2 ? 3.0f : 2.7f;
        auto R = addValidReceptor(study, "Home");
        const int n = 1 + trial % 7;
        for (int i = 0; i < n; ++i) addValidEquipment(study, "E", level(rng), use(rng));
        study.updateLinks();
        std::vector<mGridKernel::sLevels> links;
        for (int i = 0; i < n; ++i) {
          auto& l = R->colLinks[i];
          l->distance = dist(rng);
          l->sheilding = i % 2 ? shield(rng) : 0.0f;
          if (i == 2) study.colEquipment[i]->active = false;
        }
        mCompute::computeReceptorLinks(study, *R, false);
        mCompute::computeReceptorTotals(study, R->rowID);
        for (int i = 0; i < n; ++i) {
          const auto& e = *study.colEquipment[i];
          const auto& l = *R->colLinks[i];
          const auto mine =
              mGridKernel::linkLevels(e.spec_lmax, e.usage, l.distance, l.sheilding, units, study.adjustmentFactor);
          ASSERT_TRUE(mine);
          EXPECT_EQ(bits(mine->lmax), bits(l.results.calculated.Lmax()));
          EXPECT_EQ(bits(mine->leq), bits(l.results.calculated.Leq()));
          EXPECT_EQ(bits(mine->l10), bits(l.results.calculated.L10()));
          if (e.active) links.push_back(*mine);
        }
        const auto t = mGridKernel::totals(links);
        EXPECT_EQ(bits(t.lmax), bits(R->calculated_totals.Lmax()));
        EXPECT_EQ(bits(t.leq), bits(R->calculated_totals.Leq()));
        EXPECT_EQ(bits(t.l10), bits(R->calculated_totals.L10()));
      }
}

// A map redrawn into the storage of the one before gives the same bits as
// one computed afresh; one cancelled in its storage leaves noData, not the
// earlier map's levels, where it did not reach.
TEST(GridJob, RecycledStorageGivesTheSameMapAndNoStaleCells) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<double> pos(0, 250);
  cGridInput in;
  for (int i = 0; i < 12; ++i) in.pieces.push_back(piece(pos(rng), -pos(rng), 70.0f + static_cast<float>(i), 30));
  const cGridFrame f{0, 0, 1, 257, 190};
  const cNoiseGrid fresh = compute(in, f, 2);
  cGridInput other = in;
  for (auto& p : other.pieces) p.lref += 9;
  cGridJob first(other, f, 2);
  ASSERT_EQ(first.run(), cGridJob::Outcome::done);
  cGridJob again(in, f, 2);
  again.recycle(first.takeGrid());
  ASSERT_EQ(again.run(), cGridJob::Outcome::done);
  for (std::size_t i = 0; i < fresh.level.size(); ++i) {
    ASSERT_EQ(bits(again.grid().lmax[i]), bits(fresh.lmax[i]));
    ASSERT_EQ(bits(again.grid().level[i]), bits(fresh.level[i]));
  }
  cGridJob cancelled(other, f, 2);
  cancelled.recycle(again.takeGrid());
  EXPECT_EQ(cancelled.run([&](double) { cancelled.cancel(); }, 1), cGridJob::Outcome::cancelled);
  const cNoiseGrid& g = cancelled.grid();
  // The first band of rows was computed from the louder pieces; the rest is noData.
  EXPECT_NEAR(g.at(g.level, 5, 5), fresh.at(fresh.level, 5, 5) + 9, 1e-3f);
  for (std::int32_t row = mGridKernel::tileSize; row < f.rows; row += 17)
    for (std::int32_t col = 0; col < f.columns; col += 31) {
      ASSERT_EQ(g.at(g.level, col, row), cNoiseGrid::noData);
      ASSERT_EQ(g.at(g.lmax, col, row), cNoiseGrid::noData);
    }
  // Storage of another size is not taken as it is.
  cGridJob smaller(in, cGridFrame{0, 0, 1, 40, 30}, 2);
  smaller.recycle(cancelled.takeGrid());
  ASSERT_EQ(smaller.run(), cGridJob::Outcome::done);
  EXPECT_EQ(smaller.grid().level.size(), 1200u);
  // ... nor kept when it is far larger than the grid needs.
  EXPECT_LT(smaller.grid().level.capacity(), 10000u);
  EXPECT_EQ(bits(smaller.grid().level[0]), bits(compute(in, cGridFrame{0, 0, 1, 40, 30}, 2).level[0]));
}
