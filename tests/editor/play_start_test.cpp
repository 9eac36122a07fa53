// Where Play starts at the caret, in each editor line (this source is built into both lines'
// tests): the tick is the one playback reaches, repeats followed, and the two lines differ only
// on a caret that stands on an item other than a note, rest or chord.
#include <gtest/gtest.h>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "editor/PlayStart.h"
#include "tests/staffutl/StaffText.h"

TEST(PlayStart, TickPlaybackReachesAtTheCaret) {
  InstallAuditPass();
  // q q |: q q :| q -- the two quarters between the repeat bars play twice.
  TMusicStaff staff;
  FillStaff(staff, "q q | q q | q");
  RunStaffAudit(&staff, -1, -1);
  static_cast<TBarLineData*>(staff.GetItem(3))->SetStyle(TBarLineData::blLocalRepeatOpen);
  static_cast<TBarLineData*>(staff.GetItem(6))->SetStyle(TBarLineData::blLocalRepeatClose);
  const struct {
    int caret, leadIn;
    long current, earlier;
  } cases[] = {
      {7, 0, 1152, 1152},  // after the repeat: both passes lie before it
      {6, 0, 1152, 768},   // on the closing bar: the current line steps on to the note after it
      {5, 0, 576, 576},    // on a note inside the repeat: its first pass
      {1, 0, 0, 0},
      {7, 1, 1152, 1152},  // from the bar holding the caret
      {5, 1, 384, 384},
      {2, 1, 0, 0},        // no bar line before the caret: from the first item
      {7, 2, 384, 384},    // one bar of 4/4 more
      {5, 2, 0, 0},        // never before the start
      {99, 0, 1344, 1344}, // a caret past the end stands after the last note
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlayStartTick(staff, c.caret, c.leadIn), kEarlierLine ? c.earlier : c.current)
        << "caret " << c.caret << ", lead-in " << c.leadIn;
  }
}
