// The up-down spinner: signed 16-bit positions, typed text, steps and their ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "controls/Simple.h"
#include "controls/UpDown.h"

namespace {

// RefUD and ExitUD as the window designs them.
struct Spinners {
  controls::Form form{"Form1"};
  controls::Edit memo2{"Memo2", &form};
  controls::UpDown poll{"RefUD", &form};
  controls::Edit memo3{"Memo3", &form};
  controls::UpDown exit{"ExitUD", &form};
  std::vector<int> pollEvents;
  std::vector<int> exitEvents;

  Spinners() {
    poll.min = 0;
    poll.max = 100;
    poll.InitPosition(10);
    poll.SetAssociate(&memo2);
    exit.min = 1;
    exit.max = 32767;
    exit.wrap = true;
    exit.thousands = true;
    exit.InitPosition(60);
    exit.SetAssociate(&memo3);
    poll.OnChangingEx = [this](controls::Control&, std::int16_t v) { pollEvents.push_back(v); };
    exit.OnChangingEx = [this](controls::Control&, std::int16_t v) { exitEvents.push_back(v); };
  }
};

}  // namespace

TEST(UpDown, AssignedValueKeepsItsLowSixteenBits) {
  const struct {
    std::int32_t assigned;
    int position;
    const char* shown;
  } cases[] = {
      {70000, 4464, "4,464"},
      {40000, -25536, "-25,536"},
      // Outside the range, taken as it is.
      {0, 0, "0"},
      {-1, -1, "-1"},
      {32767, 32767, "32,767"},
      {999, 999, "999"},
      {1000, 1000, "1,000"},
  };
  for (const auto& c : cases) {
    Spinners s;
    s.exit.SetPosition(c.assigned);
    EXPECT_EQ(s.exit.Position(), c.position) << c.assigned;
    EXPECT_EQ(s.exitEvents, std::vector<int>{c.position}) << c.assigned;
    EXPECT_EQ(s.memo3.Text(), c.shown);
  }
  // 65546 is 10 in 16 bits: the position it already has, so nothing is raised.
  Spinners s;
  s.poll.SetPosition(65546);
  EXPECT_EQ(s.poll.Position(), 10);
  EXPECT_TRUE(s.pollEvents.empty());
}

TEST(UpDown, ChangingIsRaisedBeforeThePositionMoves) {
  Spinners s;
  int seenPosition = 0;
  s.poll.OnChangingEx = [&](controls::Control&, std::int16_t) { seenPosition = s.poll.Position(); };
  s.poll.SetPosition(30);
  EXPECT_EQ(seenPosition, 10);
  EXPECT_EQ(s.poll.Position(), 30);
}

TEST(UpDown, TypedNumberCountsWhenValidAndInRange) {
  Spinners s;
  s.memo2.SetText("5");
  EXPECT_TRUE(s.pollEvents.empty());  // typing alone raises nothing
  EXPECT_EQ(s.poll.Position(), 5);
  for (const char* typed : {"abc", "101", "-1", "", "5x", "1e2"}) {
    s.memo2.SetText(typed);
    EXPECT_EQ(s.poll.Position(), 5) << typed;
  }
  s.memo3.SetText("1,234");
  EXPECT_EQ(s.exit.Position(), 1234);
  s.memo3.SetText("40000");
  EXPECT_EQ(s.exit.Position(), 1234);
}

TEST(UpDown, StepStopsOrWrapsAtTheEnds) {
  Spinners s;
  s.memo2.SetText("100");
  s.poll.Step(true);  // at the top of a stopping spinner: nothing
  EXPECT_TRUE(s.pollEvents.empty());
  EXPECT_EQ(s.poll.Position(), 100);
  s.poll.Step(false);
  EXPECT_EQ(s.pollEvents, std::vector<int>{99});
  EXPECT_EQ(s.memo2.Text(), "99");

  s.memo3.SetText("32767");
  s.exit.Step(true);  // a wrapping one goes round and announces where it goes
  EXPECT_EQ(s.exit.Position(), 1);
  s.exit.Step(false);
  EXPECT_EQ(s.exit.Position(), 32767);
  EXPECT_EQ(s.exitEvents, (std::vector<int>{1, 32767}));
}

TEST(UpDown, StepStartsFromTheTypedNumber) {
  Spinners s;
  s.memo2.SetText("42");
  s.poll.Step(true);
  EXPECT_EQ(s.pollEvents, std::vector<int>{43});
  EXPECT_EQ(s.poll.Position(), 43);
}
