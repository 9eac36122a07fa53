// The earlier line's beam groups and triplet brackets: a group of 2 to 20 cells of one kind, its
// line laid through the extreme member with a rise the steps between members allow, every stem
// drawn to the line, and the partial beams settled member by member as stubs of one head width.
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

namespace {

constexpr int kMaxMembers = 20;
// A triplet bracket stays this many half spacings clear of the middle line.
constexpr int kTripletClearance = 5;

struct GroupMember {
  int x;
  int y;
  int flags;
};

// +1: the stems go up and the group's line lies above the notes.
int GroupSide(const TSongNote* first) {
  const int code = first->GetStemCode();
  return code == stUp || (code == stAuto && first->GetPosition() > 0) ? 1 : -1;
}

// A line through (x0, y0) with the given slope.
struct BeamLine {
  int x0;
  int y0;
  double slope;
  MusicPoint At(int x) const { return {x, y0 + static_cast<int>((x - x0) * slope)}; }
};

double Slope(int rise, int run) { return run == 0 ? 0.0 : static_cast<double>(rise) / run; }

// The beams of the group: with d the running beam count, a pending segment from p, and g the
// members in the current run, each member joins the run, starts a new one, or closes a partial
// beam as a stub of one head width.
void DrawBeams(TMusicPrimitives& fonts, const std::vector<GroupMember>& m, const BeamLine& line, int s,
               bool grace, int h) {
  const auto beams = [&](MusicPoint a, MusicPoint b, int count) {
    if (count > 0) fonts.DrawBeamLines(a.x, a.y, b.x, b.y, s, grace, count);
  };
  int d = m.front().flags;
  MusicPoint p = line.At(m.front().x);
  int g = 0;
  for (std::size_t i = 0; i < m.size(); ++i) {
    const MusicPoint stem = line.At(m[i].x);
    const int l = m[i].flags;
    const int next = i + 1 < m.size() ? m[i + 1].flags : 0;
    if (l == d) {
      if (g > 0) beams(p, stem, d);
      if (g > 0) p = stem;
      ++g;
      continue;
    }
    if (d < l && next >= l) {
      beams(p, stem, d);
      g = 1;
    } else if (l < d && g > 1) {
      beams(p, stem, l);
      g = 1;
    } else if (l < d) {
      const MusicPoint stubEnd = line.At(p.x + h);
      beams(p, stubEnd, d);
      beams(stubEnd, stem, l);
      g = 1;
    } else {
      const MusicPoint stubStart = line.At(stem.x - h);
      beams(p, stubStart, d);
      beams(stubStart, stem, l);
      g = 2;
    }
    p = stem;
    d = l;
  }
}

}  // namespace

void TStaffDrawInfo::DrawGroup(int kind, int cell, int lineX, int targetLeft, int targetRight) {
  const auto* first = NtnAsSongNote(CellItem(cell));
  if (!first) return;
  TMusicPrimitives& fonts = GetFonts();
  const int spacing = fonts.GetSpacing();
  const int h = HeadWidth();
  const int pen = fonts.GetPenThickness();
  const bool triplet = kind == kNtnGroupTriplet;
  const int s = GroupSide(first);
  const TCellKind memberKind = Cell(cell).Kind();
  const bool grace = memberKind == TCellKind::Grace;
  const int x = lineX + GetCellX(cell);

  // The members: cells of the first one's kind while their state says they belong.
  std::vector<int> cells;
  bool coincides = true;
  for (int c = cell; c < GetCellCount() && Cell(c).Kind() == memberKind; ++c) {
    const auto* note = NtnAsSongNote(CellItem(c));
    const int state = note ? NtnGroupState(note, kind) : kNtnGroupNone;
    if (state == kNtnGroupNone) break;
    cells.push_back(c);
    coincides = coincides && note->GetBeamState() == note->GetTripletState();
    if (state == kNtnGroupLast) break;
  }
  const int count = static_cast<int>(cells.size());
  if (count < 2 || count > kMaxMembers || (triplet && coincides)) return;
  if (x > targetRight || x + SumWidths(cell, cells.back() - cell + 1) < targetLeft) return;

  std::vector<GroupMember> m;
  int smallestStep = INT_MAX, largestStep = INT_MIN;
  int maxFlags = 0, lowest = 0, highest = 0;
  bool outside = false;
  int previous = 0;
  for (int i = 0; i < count; ++i) {
    const int c = cells[static_cast<std::size_t>(i)];
    const TNotatedItem* item = CellItem(c);
    const auto* note = NtnAsSongNote(item);
    const int cx = lineX + GetCellX(c);
    int p = s > 0 ? item->GetLowPosition() : item->GetHighPosition();
    if (i > 0) {
      smallestStep = std::min(smallestStep, previous - p);
      largestStep = std::max(largestStep, previous - p);
    }
    GroupMember member{cx, 0, 0};
    if (item->IsNoteOrChord()) {
      const int headX = cx + note->GetHeadOffset(*this, c);
      if (!triplet) {
        member.x = s > 0 ? M::UpStemX(headX, h, pen) : M::DownStemX(headX, pen);
      } else {
        member.x = i == 0 ? headX : cx + item->GetWidth(*this, c);
      }
      member.flags = NtnFlagCount(NtnAsNoteOrChord(item));
      if (!note->HasAttribute(naChordMember) && std::abs(item->GetPosition()) > 5) outside = true;
    } else if (item->GetType() == ntRest) {
      p += 2 * s;
    }
    previous = p;
    member.y = fonts.PositionToY(p);
    maxFlags = std::max(maxFlags, member.flags);
    m.push_back(member);
    if (member.y < m[static_cast<std::size_t>(highest)].y) highest = i;
    if (member.y > m[static_cast<std::size_t>(lowest)].y) lowest = i;
  }
  const GroupMember& a = m.front();
  const GroupMember& b = m.back();

  // The rise, made level when the steps change direction or are small against it.
  int rise = a.y - b.y;
  const double slope = Slope(rise, a.x - b.x);
  if (smallestStep == 0) smallestStep = largestStep < 0 ? -1 : 1;
  if (largestStep == 0) largestStep = smallestStep < 0 ? -1 : 1;
  const int halfSpacing = std::max(1, spacing / 2);
  const int steps = std::max(std::abs(smallestStep), std::abs(largestStep)) * (count - 1);
  if ((smallestStep < 0) != (largestStep < 0) || std::abs(rise / halfSpacing * 4 / 3) < steps ||
      (triplet && outside)) {
    rise = 0;
  }
  // The rise never exceeds the run.
  if (slope > 1) rise = static_cast<int>(rise / slope);
  if (slope < -1) rise = static_cast<int>(-rise / slope);

  int distance = ((triplet ? 5 : 3) + maxFlags) * spacing;
  if (grace) distance /= 2;
  const int extreme = s < 0 ? m[static_cast<std::size_t>(lowest)].y : m[static_cast<std::size_t>(highest)].y;
  int reference = extreme - s * distance;
  const int middle = fonts.PositionToY(0);
  if (triplet) {
    const int clear = kTripletClearance * spacing / 2;
    reference = s < 0 ? std::max(reference, middle + clear) : std::min(reference, middle - clear);
  }
  int firstEnd = reference, lastEnd = reference;
  if (s < 0) {
    if (rise >= 1) lastEnd = reference - rise; else firstEnd = reference + rise;
  } else {
    if (rise >= 0) firstEnd = reference + rise; else lastEnd = reference - rise;
  }
  if (!triplet) {
    // A beam's middle never lies on the notes' side of the middle line.
    const int mid = (firstEnd + lastEnd) / 2;
    if ((s > 0 && mid > middle) || (s < 0 && mid < middle)) {
      firstEnd += middle - mid;
      lastEnd += middle - mid;
    }
  }
  const BeamLine line{a.x, firstEnd, Slope(lastEnd - firstEnd, b.x - a.x)};

  if (triplet) {
    fonts.DrawTripletBracket(a.x, firstEnd, b.x, lastEnd, -s, false);
    return;
  }
  if (coincides) {
    const int out = -s * 3 * spacing / 2;
    fonts.DrawTripletBracket(a.x, firstEnd + out, b.x, lastEnd + out, -s, true);
  }
  for (const GroupMember& member : m) fonts.DrawLine(member.x, member.y, member.x, line.At(member.x).y);
  DrawBeams(fonts, m, line, s, grace, h);
}
