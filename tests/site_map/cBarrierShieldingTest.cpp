#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "site/cBarrierShielding.h"
#include "site/cGridJob.h"
#include "site/mBarrierFactor.h"
#include "site/mSiteGeometry.h"

namespace {

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

// The plan's own shielding asked of every barrier for every cell: what the
// barrier shielding of the map must give, to the bit, however it gets there.
class cEveryBarrier : public IGridShielding {
public:
  cEveryBarrier(std::vector<cBarrier> b, std::vector<cSitePosition> p, std::int32_t u)
      : barriers(std::move(b)), pieces(std::move(p)), units(u) {}
  class cAll : public cTile {
  public:
    cAll(const cEveryBarrier& o, std::size_t p) : owner(o), piece(p) {}
    double attenuation(double x, double y, double h) const override { return owner.attenuation(piece, x, y, h); }
    const cEveryBarrier& owner;
    std::size_t piece;
  };
  std::unique_ptr<cTile> tile(std::size_t piece, double, double, double, double) const override {
    return std::make_unique<cAll>(*this, piece);
  }
  double attenuation(std::size_t piece, double x, double y, double h) const override {
    return mSiteGeometry::barrierShielding(barriers, pieces[piece], {x, y, h}, units).attenuation;
  }
  std::vector<cBarrier> barriers;
  std::vector<cSitePosition> pieces;
  std::int32_t units;
};

struct sCase {
  cGridInput input;
  std::vector<cBarrier> barriers;
  std::vector<cSitePosition> placed;
};

// Pieces, barriers and cells at random, with the awkward cases a plan can
// hold: a piece on a barrier's corner or at a cell's centre, a barrier along
// a row or a column of cell centres or through a piece, a segment of no
// length, tall barriers near a piece (the 20 dB cap), pieces above the tops.
sCase randomCase(std::uint32_t seed, std::int32_t units) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> pos(0, 200), len(-60, 60), height(0, 12);
  sCase c;
  c.input.units = units;
  c.input.adjustmentFactor = 2.5f;
  c.input.receiverHeight = seed % 2 ? 5 : 1.5;
  for (int i = 0; i < 8; ++i) {
    sGridPiece p{pos(rng), -pos(rng), height(rng), 70.0f + static_cast<float>(3 * i), 5.0f + 12.0f * i};
    if (i == 1) p.x = 50.5, p.y = -50.5;  // at a cell's centre
    c.input.pieces.push_back(p);
  }
  for (int i = 0; i < 9; ++i) {
    cBarrier b{"B", {}, 1 + height(rng) * (i == 0 ? 4 : 1)};
    double x = pos(rng), y = -pos(rng);
    const int points = 2 + static_cast<int>(rng() % 4);
    for (int k = 0; k < points; ++k) {
      b.points.push_back({x, y});
      x += len(rng);
      y += len(rng);
    }
    c.barriers.push_back(b);
  }
  c.input.pieces[2].x = c.barriers[3].points[1].x;
  c.input.pieces[2].y = c.barriers[3].points[1].y;
  c.barriers[4].points = {{20.5, -30.5}, {180.5, -30.5}};  // along a row of centres
  c.barriers[5].points = {{120.5, -10}, {120.5, -10}, {120.5, -150}};  // a column, a segment of no length
  const auto& p3 = c.input.pieces[3];
  c.barriers[6].points = {{p3.x - 30, p3.y - 20}, {p3.x + 30, p3.y + 20}};  // through a piece
  c.barriers[0].points = {{c.input.pieces[0].x + 2, c.input.pieces[0].y - 40},
                          {c.input.pieces[0].x + 2, c.input.pieces[0].y + 40}};
  c.input.pieces[7].height = 40;  // above every top
  for (const auto& p : c.input.pieces) c.placed.push_back({p.x, p.y, p.height});
  return c;
}

cNoiseGrid run(const sCase& c, std::shared_ptr<const IGridShielding> shielding, const cGridFrame& f, unsigned threads) {
  cGridJob job(c.input, f, 2, std::move(shielding));
  EXPECT_EQ(job.run({}, threads), cGridJob::Outcome::done);
  return job.takeGrid();
}

}  // namespace

// The barriers' shielding of the map, however it narrows the barriers down
// and however it works the attenuation into the energies, leaves every cell
// exactly as the plan's attenuation of every barrier at every cell would:
// in feet and in meters, on cells of different sizes, on one thread and two.
TEST(BarrierShielding, GridEqualsThePlansShieldingOfEveryCellToTheBit) {
  int cells = 0, shieldedCells = 0;
  for (std::uint32_t seed = 1; seed <= 6; ++seed)
    for (std::int32_t units : {0, 1}) {
      const sCase c = randomCase(seed, units);
      // An odd number of columns: the last tile of a row ends with a single cell.
      const cGridFrame f{-10, 10, seed % 3 ? 1.0 : 2.5, 191, 170};
      const auto fast = std::make_shared<cBarrierShielding>(c.barriers, c.placed, units);
      const auto every = std::make_shared<cEveryBarrier>(c.barriers, c.placed, units);
      const cNoiseGrid a = run(c, fast, f, seed % 2 + 1);
      const cNoiseGrid b = run(c, every, f, 1);
      const cNoiseGrid open = run(c, nullptr, f, 1);
      ASSERT_EQ(a.level.size(), b.level.size());
      for (std::size_t i = 0; i < a.level.size(); ++i) {
        ASSERT_EQ(bits(a.lmax[i]), bits(b.lmax[i])) << "seed " << seed << " units " << units << " cell " << i;
        ASSERT_EQ(bits(a.level[i]), bits(b.level[i])) << "seed " << seed << " units " << units << " cell " << i;
        ++cells;
        shieldedCells += a.level[i] < open.level[i];
      }
    }
  // The cases do shield: a good part of the cells, not all.
  EXPECT_GT(shieldedCells, cells / 5);
  EXPECT_LT(shieldedCells, cells);
}

// One receiver anywhere, as the receptors' levels ask it: the plan's own
// attenuation, also where a tile of the grid would narrow it down.
TEST(BarrierShielding, OneReceiverTakesThePlansAttenuation) {
  for (std::uint32_t seed = 11; seed <= 13; ++seed) {
    const sCase c = randomCase(seed, 0);
    const cBarrierShielding s(c.barriers, c.placed, 0);
    for (std::size_t p = 0; p < c.placed.size(); ++p)
      for (double x = -10; x < 200; x += 7.25)
        for (double y = -190; y < 10; y += 9.5) {
          const double want = mSiteGeometry::barrierShielding(c.barriers, c.placed[p], {x, y, 5}, 0).attenuation;
          ASSERT_EQ(s.attenuation(p, x, y, 5), want);
          const auto tile = s.tile(p, x - 3, y - 3, x + 3, y + 3);
          if (want > 0) {
            ASSERT_TRUE(tile);
          }
          if (tile) {
            ASSERT_EQ(tile->attenuation(x, y, 5), want) << p << " " << x << " " << y;
          }
        }
  }
}

// The factor from one division equals the one from the logarithm and the
// exponential for every argument: at random over the whole range, near the
// 20 dB cap, where 1 / a falls halfway between two floats, and for several
// crossings of one line, some of them within rounding of each other.
TEST(BarrierFactor, OneDivisionGivesTheFactorOfTheLogarithmToTheBit) {
  auto exact = [](std::vector<double> args) {
    double best = 0;
    for (double a : args) {
      const double dz = std::min(20.0, 10.0 * std::log10(a));
      if (dz > best) best = dz;
    }
    return best > 0 ? static_cast<float>(std::exp(best * -0.23025850929940458)) : 1.0f;
  };
  std::mt19937_64 rng(3);
  std::uniform_real_distribution<double> any(3.0, 250.0), nearCap(99.999999, 100.000001);
  std::vector<std::vector<double>> cases;
  for (int i = 0; i < 300000; ++i) cases.push_back({any(rng)});
  for (int i = 0; i < 20000; ++i) cases.push_back({nearCap(rng)});
  cases.push_back({100.0});
  cases.push_back({std::nextafter(100.0, 0.0)});
  // 1 / a just beside halfway between two floats.
  for (int i = 0; i < 20000; ++i) {
    const float f = static_cast<float>(1.0 / any(rng));
    const double half = (static_cast<double>(f) + static_cast<double>(std::nextafter(f, 1.0f))) / 2;
    double a = 1.0 / half;
    for (int k = 0; k < static_cast<int>(rng() % 40); ++k) a = std::nextafter(a, rng() % 2 ? 0.0 : 1e9);
    cases.push_back({a});
  }
  for (int i = 0; i < 50000; ++i) {
    const double a = any(rng);
    cases.push_back({any(rng), a, any(rng)});
    cases.push_back({a, std::nextafter(a, 0.0), std::nextafter(a, 1e9)});
  }
  for (const auto& c : cases)
    ASSERT_EQ(bits(mBarrierFactor::factorOfLargest(c.data(), c.size())), bits(exact(c))) << c.front();
  EXPECT_EQ(bits(mBarrierFactor::energyFactor(0)), bits(1.0f));
  EXPECT_EQ(mBarrierFactor::attenuation(1000.0), 20.0);
}

// Arguments known within an error: a factor is given only where every
// argument within the error has the same one, and then it is that one;
// near halfway between floats, near the cap or with a large error, the
// exact arguments decide.
TEST(BarrierFactor, ArgumentsWithinAnErrorGiveTheExactFactorOrNone) {
  auto exact = [](double a) {
    const double dz = std::min(20.0, 10.0 * std::log10(a));
    return static_cast<float>(std::exp(dz * -0.23025850929940458));
  };
  std::mt19937_64 rng(9);
  std::uniform_real_distribution<double> any(3.0, 250.0), unit(-1.0, 1.0), scale(-16.0, -6.0);
  int given = 0, declined = 0;
  for (int i = 0; i < 400000; ++i) {
    double a = any(rng);
    if (i % 4 == 1) {  // 1 / a beside halfway between two floats
      const float f = static_cast<float>(1.0 / a);
      a = 2.0 / (static_cast<double>(f) + static_cast<double>(std::nextafter(f, 1.0f)));
    }
    if (i % 4 == 2) a = 100.0 * (1 + unit(rng) * 1e-8);  // at the cap
    const double error = a * std::pow(10.0, scale(rng));
    // What the fast arithmetic has: the exact argument off by up to error,
    // another crossing somewhat below it.
    const double approx[2] = {a + unit(rng) * error, a * 0.7 + unit(rng) * error};
    const auto f = mBarrierFactor::factorOfLargestWithin(approx, 2, error);
    if (!f) {
      ++declined;
      continue;
    }
    ++given;
    ASSERT_EQ(bits(*f), bits(exact(a))) << a << " " << error;
  }
  EXPECT_GT(given, 200000);
  EXPECT_GT(declined, 20000);
  const double tooLoose[1] = {50.0};
  EXPECT_FALSE(mBarrierFactor::factorOfLargestWithin(tooLoose, 1, 0.1));
}
