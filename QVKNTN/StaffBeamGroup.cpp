// The current line's beam groups and triplet brackets: the beam line through the stem ends, moved
// out until every stem reaches its length, with as many beams between neighbours as they share.
// The earlier line has its own file of the same name.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/StaffDrawInfo.h"

namespace M = MusicDrawingMath;

void TStaffDrawInfo::DrawGroup(int kind, int cell, int lineX, int targetLeft, int targetRight) {
  TMusicPrimitives& fonts = GetFonts();
  const int h = HeadWidth();
  const int pen = fonts.GetPenThickness();
  struct Member {
    const TSongNote* note;
    int cell;
    int headX;
    int stemX;
    int extreme;  // staff position at the stem side
    int stemFrom; // head position the stem starts from
    int flags;
  };
  std::vector<Member> members;
  const auto* firstNote = NtnAsSongNote(CellItem(cell));
  if (!firstNote) return;
  const int sign = firstNote->GetStemSign();
  bool complete = false;
  int cx = lineX + GetCellX(cell);
  for (int c = cell; c < GetCellCount(); ++c) {
    const auto* note = NtnAsSongNote(CellItem(c));
    const int state = note ? (kind == kNtnGroupBeam ? note->GetBeamState() : note->GetTripletState()) : 0;
    if (note && state != kNtnGroupNone && Cell(c).IsItem()) {
      Member m{note, c, 0, 0, 0, 0, 0};
      m.headX = cx + note->GetHeadOffset(*this, c);
      m.stemX = sign > 0 ? M::UpStemX(m.headX, h, pen) : M::DownStemX(m.headX, pen);
      if (note->IsRest()) {
        m.extreme = note->GetPosition() - 6 * sign;
        m.stemFrom = m.extreme;
      } else {
        m.extreme = sign > 0 ? note->GetLowPosition() : note->GetHighPosition();
        m.stemFrom = sign > 0 ? note->GetHighPosition() : note->GetLowPosition();
        m.flags = NtnFlagCount(NtnAsNoteOrChord(note));
      }
      members.push_back(m);
      if (state == kNtnGroupLast) {
        complete = true;
        break;
      }
    }
    cx += Cell(c).width;
  }
  if (!complete || members.size() < 2) return;
  const Member& a = members.front();
  const Member& b = members.back();
  if (b.stemX < targetLeft || a.headX > targetRight) return;

  const bool grace = firstNote->IsGrace();
  int maxFlags = 0;
  int extreme = sign > 0 ? INT_MAX : INT_MIN;
  for (const Member& m : members) {
    maxFlags = std::max(maxFlags, m.flags);
    extreme = sign > 0 ? std::min(extreme, m.extreme) : std::max(extreme, m.extreme);
  }

  if (kind == kNtnGroupTriplet) {
    int position = extreme - 10 * sign;
    position = sign > 0 ? std::min(position, -5) : std::max(position, 5);
    const bool beamed = firstNote->GetBeamState() != kNtnGroupNone;
    fonts.DrawTripletBracket(a.headX, b.headX + h, fonts.PositionToY(position), sign > 0 ? -1 : 1, beamed);
    return;
  }

  // The beam line through the stem ends.
  int offset = 2 * (3 + maxFlags);
  if (grace) offset /= 2;
  int ya = fonts.PositionToY(a.extreme - sign * offset);
  int yb = fonts.PositionToY(b.extreme - sign * offset);
  int largestStep = 0, rising = 0, falling = 0;
  for (std::size_t i = 1; i < members.size(); ++i) {
    const int step = members[i].extreme - members[i - 1].extreme;
    largestStep = std::max(largestStep, std::abs(step));
    if (step > 0) ++rising;
    if (step < 0) ++falling;
  }
  const int rise = std::abs(b.extreme - a.extreme);
  const int dx = b.stemX - a.stemX;
  int dy = yb - ya;
  if ((rising && falling) || 2 * rise < largestStep || dx == 0) dy = 0;
  dy = std::clamp(dy, -std::abs(dx), std::abs(dx));
  auto lineY = [&](int x, int base) {
    return dx == 0 ? base : base + static_cast<int>(static_cast<long long>(dy) * (x - a.stemX) / dx);
  };
  // Every stem reaches at least its own length: move the line out past the furthest need.
  int base = ya;
  for (const Member& m : members) {
    const int need = fonts.PositionToY(m.extreme - sign * offset);
    const int at = lineY(m.stemX, base);
    if (sign > 0 && at > need) base -= at - need;
    if (sign < 0 && at < need) base += need - at;
  }
  // A beam never ends on the near side of the middle line.
  const int middle = fonts.PositionToY(0);
  const int endA = lineY(a.stemX, base), endB = lineY(b.stemX, base);
  if (sign > 0 && std::max(endA, endB) > middle) base -= std::max(endA, endB) - middle;
  if (sign < 0 && std::min(endA, endB) < middle) base += middle - std::min(endA, endB);

  const int old = fonts.GetColorIndex();
  for (const Member& m : members) {
    if (m.note->IsRest()) continue;
    int end = lineY(m.stemX, base);
    if (IsEditView()) fonts.SelectColor(3);
    if (sign > 0) {
      fonts.DrawStemUp(m.headX, m.stemFrom, grace, 0, &end);
    } else {
      fonts.DrawStemDown(m.headX, m.stemFrom, grace, 0, &end);
    }
    fonts.SelectColor(old);
  }
  for (std::size_t i = 1; i < members.size(); ++i) {
    const Member& p = members[i - 1];
    const Member& q = members[i];
    const int shared = std::min(std::max(p.flags, 1), std::max(q.flags, 1));
    fonts.DrawBeamLines(p.stemX, lineY(p.stemX, base), q.stemX, lineY(q.stemX, base), sign > 0 ? 1 : -1,
                        grace, shared);
  }
}
