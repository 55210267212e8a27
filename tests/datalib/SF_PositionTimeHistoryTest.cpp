#include <memory>

#include <gtest/gtest.h>

#include "SF_DataError.h"
#include "SF_EmtRcvTable.h"
#include "SF_GeometryTimeHistory.h"
#include "SF_Microphone.h"
#include "SF_PositionTimeHistory.h"
#include "SF_SPointTrk.h"

namespace {

std::shared_ptr<SF_Position> at(double seconds, double x) {
  auto p = std::make_shared<SF_Position>();
  p->Time()->TODseconds(seconds);
  p->X(x);
  return p;
}

// Positions at 10, 20 and 30 s, X = 1, 2, 3.
SF_PositionTimeHistory track() {
  SF_PositionTimeHistory h;
  h.Position(1, at(10.0, 1));
  h.Position(2, at(20.0, 2));
  h.Position(3, at(30.0, 3));
  return h;
}

SF_Time tod(double seconds) {
  SF_Time t;
  t.TODseconds(seconds);
  return t;
}

}  // namespace

TEST(SF_PositionTimeHistory, PositionAtGivesTheNearerStoredPosition) {
  const auto h = track();
  EXPECT_EQ(h.PositionAt(tod(14.0)), h.Position(1));
  EXPECT_EQ(h.PositionAt(tod(15.0)), h.Position(2));  // halfway: the later one
  EXPECT_EQ(h.PositionAt(tod(26.0)), h.Position(3));
  EXPECT_EQ(h.PositionAt(tod(10.0)), h.Position(1));
  EXPECT_EQ(h.PositionAt(tod(30.0)), h.Position(3));
  EXPECT_THROW(h.PositionAt(tod(9.0)), SF_DataError);
  EXPECT_THROW(h.PositionAt(tod(31.0)), SF_DataError);
  EXPECT_THROW(SF_PositionTimeHistory().PositionAt(tod(0.0)), SF_DataError);
}

TEST(SF_PositionTimeHistory, GoodTimeIsInsideTheFirstAndLastPosition) {
  const auto h = track();
  EXPECT_FALSE(h.GoodTime(tod(9.0)));
  EXPECT_TRUE(h.GoodTime(tod(10.0)));
  EXPECT_TRUE(h.GoodTime(tod(30.0)));
  EXPECT_FALSE(h.GoodTime(tod(30.5)));
  EXPECT_FALSE(SF_PositionTimeHistory().GoodTime(tod(0.0)));
}

TEST(SF_PositionTimeHistory, CopyIsDeepAndLookUpsOfMissingRecordsRaise) {
  auto h = track();
  auto c = h.Copy();
  EXPECT_EQ(c->Count(), 3);
  EXPECT_NE(c->Position(2), h.Position(2));
  EXPECT_NE(c->Position(2)->Time(), h.Position(2)->Time());
  EXPECT_EQ(c->Position(2)->Time()->TODseconds(), 20.0);
  EXPECT_EQ(c->Position(3)->X(), 3.0);
  EXPECT_THROW(h.Position(4), SF_DataError);
  EXPECT_THROW(h.Position(4, nullptr), SF_DataError);
  h.Position(5, at(50.0, 5));  // a gap at 4 inside 1..Count
  EXPECT_THROW(h.PositionAt(tod(45.0)), SF_DataError);
}

TEST(SF_GeometryTimeHistory, TimeStampsAtTheMidpointOfEachRecord) {
  SF_GeometryTimeHistory h;
  for (int i = 1; i <= 3; ++i) h.Point(i, std::make_shared<SF_Geometry>());
  SF_Time start, ref;
  start.CurrentDate(38537.0);
  start.TODseconds(100.0);
  ref.CurrentDate(38537.0);
  ref.TODseconds(100.0);
  h.setTimeStamps(start, SF_MIDPT, ref, SF_AMAX);
  EXPECT_EQ(h.Point(1)->Tm()->TODseconds(), 100.25);
  EXPECT_EQ(h.Point(2)->Tm()->TODseconds(), 100.75);
  EXPECT_EQ(h.Point(3)->Tm()->TODseconds(), 101.25);
  EXPECT_EQ(h.Point(3)->Tm()->CurrentDate(), 38537.0);
  EXPECT_EQ(h.Point(3)->Tm()->RelSeconds(), 1.25);
  EXPECT_EQ(h.TimeStampType(), SF_MIDPT);
  EXPECT_EQ(h.ReferenceType(), SF_AMAX);
  EXPECT_EQ(h.startTime()->TODseconds(), 100.0);

  auto r = std::make_shared<SF_Time>();
  r->CurrentDate(38537.0);
  r->TODseconds(101.0);
  h.setRelTimes(r, SF_OTHER);
  EXPECT_EQ(h.ReferenceTime(), r);
  EXPECT_EQ(h.Point(1)->Tm()->RelSeconds(), -0.75);
}

TEST(SF_GeometryTimeHistory, CopyTakesThePointsOnly) {
  SF_GeometryTimeHistory h;
  auto g = std::make_shared<SF_Geometry>();
  g->SRe(1000.5);
  g->THETAe(45.1);
  g->BETAe(-3.0);
  g->Tprope(0.9);
  g->debugTime(7.0);
  g->Pe()->Z(300.0);
  g->Te()->TODseconds(99.1);
  g->Tm()->TODseconds(100.0);
  h.Point(1, g);
  h.startTime()->TODseconds(5.0);
  h.TimeStampType(SF_END);
  auto c = h.Copy();
  const auto p = c->Point(1);
  EXPECT_NE(p, g);
  EXPECT_EQ(p->SRe(), 1000.5);
  EXPECT_EQ(p->THETAe(), 45.1f);
  EXPECT_EQ(p->BETAe(), -3.0f);
  EXPECT_EQ(p->Tprope(), 0.9);
  EXPECT_EQ(p->debugTime(), 0.0);
  EXPECT_EQ(p->Pe()->Z(), 300.0);
  EXPECT_NE(p->Pe(), g->Pe());
  EXPECT_EQ(p->Te()->TODseconds(), 99.1);
  EXPECT_EQ(p->Tm()->TODseconds(), 100.0);
  EXPECT_EQ(c->startTime()->TODseconds(), 0.0);
  EXPECT_EQ(c->TimeStampType(), SF_START);
  EXPECT_THROW(c->Point(2), SF_DataError);
}

TEST(SF_EmtRcvTable, ColumnsListRecordsInOrder) {
  SF_EmtRcvTable t;
  for (int i = 1; i <= 3; ++i) {
    auto r = std::make_shared<SF_EmtRcvRecord>();
    r->T()->TODseconds(10.0 * i);
    r->Tr()->TODseconds(10.0 * i + 0.5);
    r->ACPosition()->X(i);
    r->ACPosition()->Y(-i);
    r->ACPosition()->Z(100.0 * i);
    r->SR(2.0 * i);
    t.Record(i, r);
  }
  EXPECT_EQ(t.Count(), 3);
  EXPECT_EQ(t.T(), (std::vector<double>{10, 20, 30}));
  EXPECT_EQ(t.Tr(), (std::vector<double>{10.5, 20.5, 30.5}));
  EXPECT_EQ(t.X(), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(t.Y(), (std::vector<double>{-1, -2, -3}));
  EXPECT_EQ(t.Z(), (std::vector<double>{100, 200, 300}));
  EXPECT_EQ(t.Record(2)->SR(), 4.0);
  t.Record(5, std::make_shared<SF_EmtRcvRecord>());
  EXPECT_THROW(t.X(), SF_DataError);
}

TEST(SF_SPointTrk, StoresItsParameters) {
  SF_SPointTrk p;
  p.ALT(1500.3);
  p.MAX(42);
  p.TMAX()->TODseconds(3.0);
  EXPECT_EQ(p.ALT(), 1500.3f);
  EXPECT_EQ(p.MAX(), 42);
  EXPECT_EQ(p.TMAX()->TODseconds(), 3.0);
  EXPECT_THROW(p.GSPDKTS(1e39), SF_DataError);
  SF_Microphone m;
  m.Height(1.2);
  EXPECT_EQ(m.Height(), 1.2);
}
