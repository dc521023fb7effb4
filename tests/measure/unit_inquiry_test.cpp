#include "measure/unit_inquiry.h"

#include <gtest/gtest.h>

namespace vestrix::measure {
namespace {

TEST(ForceUnit, PositionsSymbolsAndCaptions) {
  const struct {
    int position;
    ForceUnit unit;
    const char* symbol;
  } cases[] = {{0, ForceUnit::Gram, "g"},        {1, ForceUnit::Kilogram, "kg"}, {2, ForceUnit::Newton, "N"},
               {3, ForceUnit::Kilonewton, "kN"}, {4, ForceUnit::Pound, "lbf"},   {5, ForceUnit::Unknown, ""},
               {-1, ForceUnit::Unknown, ""},     {255, ForceUnit::Unknown, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(ForceUnitAt(c.position), c.unit) << c.position;
    EXPECT_EQ(UnitSymbol(c.unit), QString::fromLatin1(c.symbol)) << c.position;
  }
  EXPECT_EQ(WithUnit("Tensometric", ForceUnit::Newton, "unit unknown"), "Tensometric [N]");
  EXPECT_EQ(WithUnit("Tensometric", ForceUnit::Unknown, "unit unknown"), "Tensometric (unit unknown)");
}

TEST(UnitInquiry, AsksOnceHeardRetriesAFewTimesThenGivesUp) {
  UnitInquiry inquiry;
  EXPECT_FALSE(inquiry.askNow(0));  // not connected
  inquiry.connectionStarted();
  int asked = 0;
  for (std::int64_t now = 0; now < 20 * UnitInquiry::kRetryMs; now += 15) asked += inquiry.askNow(now) ? 1 : 0;
  EXPECT_EQ(asked, UnitInquiry::kTries);
  EXPECT_EQ(inquiry.unit(), ForceUnit::Unknown);
}

TEST(UnitInquiry, AnAnswerEndsTheAskingAndTellsItsOwnFromTheUsers) {
  UnitInquiry inquiry;
  inquiry.connectionStarted();
  ASSERT_TRUE(inquiry.askNow(100));
  EXPECT_TRUE(inquiry.replied(2, 110));  // the answer to its own question
  EXPECT_EQ(inquiry.unit(), ForceUnit::Newton);
  EXPECT_FALSE(inquiry.askNow(5000));
  EXPECT_FALSE(inquiry.replied(3, 5010));  // a read the user asked for: still taken
  EXPECT_EQ(inquiry.unit(), ForceUnit::Kilonewton);
  // A write: asked again, at once.
  inquiry.unitWritten();
  ASSERT_TRUE(inquiry.askNow(5020));
  EXPECT_TRUE(inquiry.replied(0, 5030));
  EXPECT_EQ(inquiry.unit(), ForceUnit::Gram);
  // A late answer to a question long given up is no longer taken as its own.
  inquiry.unitWritten();
  ASSERT_TRUE(inquiry.askNow(6000));
  EXPECT_FALSE(inquiry.replied(1, 6000 + UnitInquiry::kRetryMs));
}

TEST(UnitInquiry, AConnectionThatEndsForgetsTheUnit) {
  UnitInquiry inquiry;
  inquiry.connectionStarted();
  ASSERT_TRUE(inquiry.askNow(0));
  inquiry.replied(4, 1);
  inquiry.connectionEnded();
  EXPECT_EQ(inquiry.unit(), ForceUnit::Unknown);
  inquiry.unitWritten();
  EXPECT_FALSE(inquiry.askNow(10));
  inquiry.connectionStarted();
  EXPECT_TRUE(inquiry.askNow(20));
}

}  // namespace
}  // namespace vestrix::measure
