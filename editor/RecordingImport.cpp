#include "editor/RecordingImport.h"

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"

namespace {
constexpr int kMaxStaves = 255;
}

int AppendRecordedStaff(TMusicScore& score, TMusicStaff* staff, const char* name, const char* group) {
  if (!staff) return -1;
  if (score.StaffCount() >= kMaxStaves) {
    delete staff;
    return -1;
  }
  staff->SetName(name);
  staff->SetGroupName(group);
  // Port and channel are read before the staff joins: it must not count as the last staff.
  const int port = score.GetLastStaffPort();
  const int channel = score.NextFreeChannel(port);
  staff->SetPort(port);
  staff->SetChannel(channel);
  score.AppendStaff(staff);
  score.MakeStaffNameUnique(staff);
  const int index = score.StaffCount() - 1;
  if (index < TMusicScore::kSelectionSize) score.Selection().SetBit(index, true);
  return index;
}

int MoveRecordedStaves(TMusicScore& score, TMusicScore& recorded) {
  int first = -1;
  // The conversion puts its tempo staff last: every staff before it is a recorded part.
  while (recorded.StaffCount() > 1) {
    const int index = AppendRecordedStaff(score, recorded.RemoveStaff(0), "Import", "Record");
    if (index < 0) break;
    if (first < 0) first = index;
  }
  return first;
}
