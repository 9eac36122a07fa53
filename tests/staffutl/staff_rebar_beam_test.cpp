// Re-barring and automatic beaming over whole staves, as tables of staves before and after.
#include <gtest/gtest.h>

#include "QVKNTN/RestNote.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/TimeSignatureData.h"
#include "StaffText.h"

namespace {

struct TRow {
  const char* before;
  const char* after;
};

TEST(Rebar, TableOfStaves) {
  const TRow rows[] = {
      // Bar lines where bars fill; the last bar padded with rests.
      {"q q q q q", "q q q q | q rh."},
      {"q q q q q q q q", "q q q q | q q q q"},
      {"q q q q |", "q q q q |"},
      // A single bar line inside an unfinished bar goes; a double bar starts a new bar.
      {"q q | q q q q", "q q q q | q q rh"},
      {"q q || q q", "q q || q q rh"},
      // A note across the bar end is split into tied pieces.
      {"h. h", "h. q~ | q rh."},
      {"q q q h.~ q", "q q q q~ | h~ q rq"},
      {"ch. ch@3", "ch.@0 cq~@3 | cq@3 rh."},
      // Dotted heads of a chord lose their dots with the split: the chord takes its value from them.
      {"w cw.@4", "w | cw~@4 | ch@4 rh"},
      // Signatures set the bar length where they stand.
      {"T3/4 q q q q", "T3/4 q q q | q rh"},
      // A signature inside a bar ends that bar: the bar line comes before the next note.
      {"q q T3/4 q q q q", "q q T3/4 | q q q | q rh"},
      {"T6/8 q. q. q.", "T6/8 q. q. | q. rq."},
      // An ending at a bar's end gets the bar line before it.
      {"q q q q E q", "q q q q | E q rh."},
      // A triplet across the bar end stops the re-barring where it stands.
      {"h. 3q 3q 3q q", "h. 3q 3q 3q q"},
      {"w h. 3q 3q 3q q", "w | h. 3q 3q 3q q"},
      // Nothing to do on an empty staff.
      {"", ""},
  };
  TAuditCount audits;
  for (const TRow& row : rows)
    EXPECT_EQ(TextAfter(row.before, [](TMusicStaff& s) { s.Rebar(); }), row.after) << row.before;
}

TEST(Rebar, AuditsTheStaffOnceHoweverManyBarsItMakes) {
  TAuditCount audits;
  TMusicStaff staff;
  for (int i = 0; i < 400; ++i) FillStaff(staff, "h. h");
  const long ticks = StaffTicks(staff);
  staff.Rebar();
  EXPECT_EQ(audits.Total(), 1);
  EXPECT_EQ(staff.CountItemsOfKind(ntBarLine) - 2, ticks / 768 - 1) << "the end closes the last bar";
  EXPECT_EQ(StaffTicks(staff), ticks);
}

TEST(Rebar, PaddingStopsBelowTheShortestRest) {
  // The last bar holds 954 ticks: a dotted half rest pads it to 6 ticks short of the end, and no
  // rest is that short (a sixty-fourth would overfill the bar), so the padding stops there.
  TAuditCount audits;
  TMusicStaff staff;
  FillStaff(staff, "w |");
  auto* rest = new TRestNote(2);
  rest->SetExplicitTicks(186);
  staff.AppendItem(rest);
  staff.Rebar();
  // One rest added, none of a sixty-fourth; the audit afterwards gives the short rest back its
  // written length.
  EXPECT_EQ(StaffText(staff), "w | rq rh.");
}

TEST(Rebar, SignatureOfNoBeatsStillEndsInBarsOfFour) {
  // A signature read with 0 beats is taken as 4: bars can never have no length.
  TAuditCount audits;
  TMusicStaff staff;
  staff.AppendItem(new TTimeSignatureData(0, 2));
  FillStaff(staff, "q q q q q");
  staff.Rebar();
  EXPECT_EQ(StaffText(staff), "T4/4 q q q q | q rh.");
}

TEST(Rebar, NearlyFullStaffEndsAndStaysWithinItsLimit) {
  TAuditCount audits;
  TMusicStaff staff;
  // Whole notes without bar lines: every one would need a bar line before it.
  while (staff.ItemCount() < TMusicStaff::kNearlyFullCount - 2) FillStaff(staff, "w");
  const long ticks = StaffTicks(staff);
  staff.Rebar();
  EXPECT_LE(staff.ItemCount(), TMusicStaff::kNearlyFullCount + 1);
  EXPECT_EQ(StaffTicks(staff), ticks) << "no note lost or cut";
  EXPECT_GT(staff.CountItemsOfKind(ntBarLine), 2);
  EXPECT_EQ(audits.Total(), 1);
}

TEST(Rebar, NearlyFullStaffDoesNotPad) {
  TAuditCount audits;
  TMusicStaff staff;
  while (staff.ItemCount() < TMusicStaff::kNearlyFullCount + 1) FillStaff(staff, "x");
  const int before = staff.ItemCount();
  staff.Rebar();
  EXPECT_EQ(staff.ItemCount(), before);
}

TEST(AutoBeam, TableOfStaves) {
  const struct {
    const char* before;
    bool compound;
    const char* after;
  } rows[] = {
      {"e e e e q q", false, "e[ e] e[ e] q q"},
      {"e e q e e", false, "e[ e] q e[ e]"},
      {"q e e e e q", false, "q e[ e] e[ e] q"},
      {"e. s q q q", false, "e.[ s] q q q"},
      {"s s s s e e", false, "s[ s- s- s] e[ e]"},
      // Rests inside a beat are stepped over: the notes around them form the group.
      {"s rs s s q q q", false, "s[ rs s- s] q q q"},
      // A note running over the beat boundary belongs to no group; neither does a lone note.
      {"e q e q q", false, "e q e q q"},
      // Bar lines and signatures restart the beats; a beat left unfinished is not beamed.
      {"q q q e | e e q q q", false, "q q q e | e[ e] q q q"},
      {"T6/8 e e e e e e", true, "T6/8 e[ e- e] e[ e- e]"},
      {"T6/8 e e e e e e", false, "T6/8 e e e e e e"},
      {"T2/4 s s s s e e", false, "T2/4 s[ s- s- s] e[ e]"},
      // Quarters have no flags; beamed notes stay as they are.
      {"q q q q", false, "q q q q"},
      // Grace notes that stand together become their own group.
      {"ge ge q q q q", false, "ge[ ge] q q q q"},
      {"ge q ge ge ge q q q", false, "ge q ge[ ge- ge] q q q"},
  };
  TAuditCount audits;
  for (const auto& row : rows)
    EXPECT_EQ(TextAfter(row.before, [&](TMusicStaff& s) { s.AutoBeam(row.compound); }, true), row.after) << row.before;
}

TEST(AutoBeam, AuditsOnceForAWholeStaff) {
  TAuditCount audits;
  TMusicStaff staff;
  for (int i = 0; i < 500; ++i) FillStaff(staff, "e e s s e e e q |");
  staff.AutoBeam(false);
  EXPECT_EQ(audits.Total(), 1);
  EXPECT_EQ(StaffText(staff, true).substr(0, 36), "e[ e] s[ s- e] e[ e] q | e[ e] s[ s-");
}

// On a staff with no bar line at all, every beat is still beamed, and the cursor steps taken
// stay a small multiple of the staff's length: the look back from each note ends with the
// longest note, not at the start of the staff.
TEST(AutoBeam, StaffWithoutBarLinesCostsStepsInProportion) {
  for (const int pieces : {300, 1200}) {
    TMusicStaff staff;
    for (int i = 0; i < pieces; ++i) FillStaff(staff, "e e s s e e e q");
    const long long before = TSimpleNtnIdx::StepsTaken();
    staff.AutoBeam(false);
    const long long steps = TSimpleNtnIdx::StepsTaken() - before;
    SCOPED_TRACE(pieces);
    EXPECT_LT(steps, 40LL * staff.ItemCount());
    EXPECT_EQ(StaffText(staff, true).substr(0, 48), "e[ e] s[ s- e] e[ e] q e[ e] s[ s- e] e[ e] q e[");
  }
}

}  // namespace
