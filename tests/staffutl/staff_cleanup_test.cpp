// The clean-ups after reading a Standard MIDI File, each over tables of staves.
#include <gtest/gtest.h>

#include "QVKNTN/KeyData.h"
#include "StaffText.h"

namespace {

TEST(RemoveRedundantItems, KeepsTheLaterOfTwoNeighbours) {
  const struct {
    const char* before;
    const char* after;
  } rows[] = {
      {"K2 K-3 q", "K-3 q"},
      {"K2 q K-3", "K2 q K-3"},
      {"T3/4 T4/4 q", "T4/4 q"},
      {"q | | q", "q | q"},
      {"D D D q", "D q"},
      {"E E q", "E q"},
      {"P P q", "P q"},
      {"p p q", "p q"},
      {"P p P q", "P p P q"},
      {"K1 T3/4 K2 q", "K1 T3/4 K2 q"},
      // Pairs of several kinds in a row each give way in the same clean-up.
      {"K1 K2 D D P P p p q", "K2 D P p q"},
      {"P P p p P q", "P p P q"},
      {"D E E D q", "D E D q"},
      // The leading sentinel stays, so a bar line right after it does too; a bar line before
      // the trailing sentinel gives way to it.
      {"| q", "| q"},
      {"q |", "q"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(TextAfter(row.before, [](TMusicStaff& s) { s.RemoveRedundantItems(); }), row.after) << row.before;
}

TEST(RemoveRedundantItems, WorksThroughCodesInTurn) {
  // Removing the dynamic pair leaves two keys together only after the key pass is done: the
  // key pass runs first, so those two keys both stay.
  EXPECT_EQ(TextAfter("K1 D D K2 q", [](TMusicStaff& s) { s.RemoveRedundantItems(); }), "K1 D K2 q");
}

TEST(ConsolidateNotes, TableOfStaves) {
  const struct {
    const char* before;
    int limit;
    const char* after;
  } rows[] = {
      // A run tied on at one pitch becomes one note (the last one's tie kept).
      {"e~ e~ e~ e q q", 192, "h q q"},
      {"q~ e q.", 192, "q. q."},
      {"q~ q~ q", 192, "h."},
      {"e~ e~ e~ e~ q q", 192, "h. q"},
      {"ch~ ch", 192, "cw@0"},
      // Ties between different pitches are no run.
      {"e~@0 e@2 q q q", 192, "e~ e@2 q q q"},
      // Rests run together whatever ties say.
      {"re re q q q", 192, "rq q q q"},
      // A note cut short before a rest takes the rest up to the next beat, unless that is as far
      // as the limit.
      {"e re q q q", 192, "q q q q"},
      {"e re q q q", 96, "e re q q q"},
      {"s rq. q q", 192, "q re. q q"},
      {"q rh q", 192, "q rh q"},
      // A note across the bar end is cut there.
      {"h. h~ h", 192, "h. q~ h."},
      // Triplets and grace notes are left alone.
      {"3e 3e 3e q q q", 192, "3e 3e 3e q q q"},
  };
  TAuditCount audits;
  for (const auto& row : rows) {
    TMusicStaff staff;
    FillStaff(staff, row.before);
    const long ticks = StaffTicks(staff);
    staff.ConsolidateNotes(false, row.limit);
    EXPECT_EQ(StaffText(staff), row.after) << row.before;
    EXPECT_EQ(StaffTicks(staff), ticks) << row.before;
  }
  EXPECT_EQ(audits.Total(), 0);
}

TEST(ConsolidateNotes, CompoundBeatsReachFurther) {
  EXPECT_EQ(TextAfter("T6/8 e re re e e e", [](TMusicStaff& s) { s.ConsolidateNotes(false, 1000); }), "T6/8 e rq e e e")
      << "a beat of one eighth leaves no room; the rests still join";
  EXPECT_EQ(TextAfter("T6/8 e re re e e e", [](TMusicStaff& s) { s.ConsolidateNotes(true, 1000); }), "T6/8 q. e e e");
}

TEST(MergeFullBarRests, TableOfStaves) {
  const struct {
    const char* before;
    const char* after;
  } rows[] = {
      {"rq rq rq rq | q q q q", "rw=768 | q q q q"},
      {"q q q q | rh rh", "q q q q | rw=768"},
      {"T3/4 rq rq rq | q q q", "T3/4 rw=576 | q q q"},
      {"rq rq q q | q q q q", "rq rq q q | q q q q"},
      {"rq rq rq | q q q q", "rq rq rq | q q q q"},
      {"D rq rq rq rq |", "D rw=768 |"},
      {"rq rq D rq rq |", "rq rq D rq rq |"},
  };
  TAuditCount audits;
  for (const auto& row : rows)
    EXPECT_EQ(TextAfter(row.before, [](TMusicStaff& s) { s.MergeFullBarRests(); }), row.after) << row.before;
  EXPECT_EQ(audits.Total(), 7);
}

}  // namespace
