#include "editor/ScoreUndo.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "QVKNTN/ItemRange.h"
#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/StaffRange.h"
#include "foundation/QXTStream.h"

namespace {

int ReadInt16(TQXTStream& s) { return static_cast<int16_t>(s.ReadUInt16()); }

// Items read from a record before the staff is touched, so a record that breaks off midway
// leaves the staff as it was.
class TParsedItems {
public:
  ~TParsedItems() {
    for (TNotatedItem* item : items_) delete item;
  }
  // The item-range form: int16 version, int16 count, the records.
  bool ReadRange(TQXTStream& s) {
    const int version = ReadInt16(s);
    const int count = ReadInt16(s);
    if (s.IsFailed() || version > kScoreFormatVersion) return false;
    return ReadItems(s, version, count);
  }
  bool ReadItems(TQXTStream& s, int version, int count) {
    if (count < 0 || count > TMusicStaff::kMaxItems - 2) return false;
    for (int i = 0; i < count; ++i) {
      TNotatedItem* item = nullptr;
      if (!LoadNotatedItem(version, s, item) || !item) {
        delete item;
        return false;
      }
      items_.push_back(item);
    }
    return !s.IsFailed();
  }
  int Count() const { return static_cast<int>(items_.size()); }
  // Hands the items to the staff from `at` on; the staff was checked to have room.
  void InsertInto(TMusicStaff& staff, int at) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (!staff.InsertItem(items_[i], at + static_cast<int>(i))) {
        for (std::size_t j = i; j < items_.size(); ++j) delete items_[j];
        break;
      }
    }
    items_.clear();
  }

private:
  std::vector<TNotatedItem*> items_;
};

void WriteStaffItems(TQXTStream& out, const TMusicStaff& staff) {
  const int count = staff.ItemCount() - 2;
  out.WriteInt16(count);
  for (int i = 1; i < staff.LastIndex(); ++i) WriteNotatedItem(out, *staff.GetItem(i));
}

void WriteLyricsSnapshot(TQXTStream& out, const TMusicStaff& staff) {
  out.WriteInt16(staff.GetLowerSize());
  out.WriteInt16(staff.GetUpperSize());
  out.WriteInt16(staff.GetLyrics() ? 1 : 0);
  if (staff.GetLyrics()) staff.GetLyrics()->Save(out);
}

bool IsItemKind(TUndoKind kind) { return kind == TUndoKind::Items || kind == TUndoKind::Internal; }

TUndoOutcome ApplyScoreInfo(TMusicScore& score, int command, TQXTStream& in, TQXTStream& out,
                            TUndoEffects& effects) {
  if (command == kUndoCmdMuteList) {
    std::vector<int> muted;
    for (int i = 0; i < score.StaffCount(); ++i) muted.push_back(in.GetByte());
    if (in.IsFailed()) return TUndoOutcome::Failed;
    for (int i = 0; i < score.StaffCount(); ++i) {
      out.PutByte(score.GetStaff(i)->IsMuted() ? 1 : 0);
      score.GetStaff(i)->SetMuted(muted[static_cast<std::size_t>(i)]);
    }
    return TUndoOutcome::Applied;
  }
  // Read into a scratch score first, so a short record leaves the information alone.
  TMusicScore scratch;
  scratch.ReadInfo(in, kScoreFormatVersion);
  if (in.IsFailed()) return TUndoOutcome::Failed;
  score.WriteInfo(out);
  const unsigned char keep = score.GetFlags();
  score.CopyInfo(scratch);
  // The information form carries the layering flag; the file-state flags are the window's.
  const unsigned char fileBits = TMusicScore::kFlagConverted | TMusicScore::kFlagCompressed | TMusicScore::kFlagModified;
  score.SetFlags(static_cast<unsigned char>((score.GetFlags() & ~fileBits) | (keep & fileBits)));
  effects.reattach = command != kUndoCmdAllowLayering;
  effects.zoom = true;
  return TUndoOutcome::Applied;
}

TUndoOutcome ApplyStaffPresence(TMusicScore& score, TEditPlace& place, int index, TQXTStream& in, TQXTStream& out,
                                TUndoEffects& effects) {
  const int stored = in.GetByte();
  if (in.IsFailed()) return TUndoOutcome::Failed;
  if (stored) {
    if (index < 0 || index > score.StaffCount()) return TUndoOutcome::Skipped;
    auto staff = std::make_unique<TMusicStaff>();
    staff->Load(in, kScoreFormatVersion, nullptr);
    if (in.IsFailed()) return TUndoOutcome::Failed;
    RunStaffAudit(staff.get(), -1, -1);
    score.InsertStaff(staff.release(), index);
    out.WriteInt16(index);
    out.PutByte(0);
    place.staff = index;
  } else {
    TMusicStaff* staff = score.GetStaff(index);
    if (!staff || score.StaffCount() < 2) return TUndoOutcome::Skipped;
    out.WriteInt16(index);
    out.PutByte(1);
    staff->Write(out);
    delete score.RemoveStaff(index);
    place.staff = std::min(index, score.StaffCount() - 1);
  }
  place.caret = place.anchor = 1;
  effects.staffSet = true;
  return TUndoOutcome::Applied;
}

TUndoOutcome ApplyStaffMove(TMusicScore& score, TEditPlace& place, int now, TQXTStream& in, TQXTStream& out,
                            TUndoEffects& effects) {
  const int from = ReadInt16(in);
  if (in.IsFailed()) return TUndoOutcome::Failed;
  if (from < 0 || from >= score.StaffCount()) return TUndoOutcome::Skipped;
  out.WriteInt16(from);
  out.WriteInt16(now);
  score.InsertStaff(score.RemoveStaff(now), from);
  place.staff = from;
  place.caret = place.anchor = 1;
  effects.staffSet = true;
  return TUndoOutcome::Applied;
}

TUndoOutcome ApplyStaffContent(TMusicStaff& staff, TEditPlace& place, int index, int command, TQXTStream& in,
                               TQXTStream& out) {
  if (command == kUndoCmdLyrics) {
    const int lower = ReadInt16(in);
    const int upper = ReadInt16(in);
    const int has = ReadInt16(in);
    std::unique_ptr<TStaffLyrics> lyrics;
    if (has) {
      lyrics = std::make_unique<TStaffLyrics>();
      if (!lyrics->Load(in, kScoreFormatVersion)) return TUndoOutcome::Failed;
    }
    if (in.IsFailed()) return TUndoOutcome::Failed;
    out.WriteInt16(index);
    WriteLyricsSnapshot(out, staff);
    staff.SetExtents(upper, lower);
    staff.SetLyrics(lyrics.release());
    return TUndoOutcome::Applied;
  }
  TParsedItems items;
  const int count = ReadInt16(in);
  if (in.IsFailed() || !items.ReadItems(in, kScoreFormatVersion, count)) return TUndoOutcome::Failed;
  const int transposition = command == kUndoCmdTransposeStaff ? ReadInt16(in) : 0;
  if (in.IsFailed()) return TUndoOutcome::Failed;
  place.caret = place.anchor = 1;
  out.WriteInt16(index);
  WriteStaffItems(out, staff);
  if (command == kUndoCmdTransposeStaff) {
    out.WriteInt16(staff.GetTransposition());
    staff.SetTransposition(transposition);
  }
  staff.DeleteItems(1, staff.LastIndex() - 1);
  items.InsertInto(staff, 1);
  staff.SetChanged(true);
  RunStaffAudit(&staff, -1, -1);
  return TUndoOutcome::Applied;
}

TUndoOutcome ApplyItems(TMusicStaff& staff, TEditPlace& place, int index, TQXTStream& in, TQXTStream& out) {
  const int start = ReadInt16(in);
  const int countAfter = ReadInt16(in);
  const int stored = ReadInt16(in);
  const int caret = ReadInt16(in);
  const int anchor = ReadInt16(in);
  TParsedItems items;
  if (in.IsFailed() || !items.ReadRange(in) || items.Count() != stored) return TUndoOutcome::Failed;
  // The stretch the edit left must lie between the sentinels, and the stored items must fit.
  if (start < 1 || countAfter < 0 || start + countAfter > staff.LastIndex()) return TUndoOutcome::Failed;
  if (staff.ItemCount() - countAfter + stored > TMusicStaff::kMaxItems) return TUndoOutcome::Failed;

  out.WriteInt16(index);
  out.WriteInt16(start);
  out.WriteInt16(stored);
  out.WriteInt16(countAfter);
  out.WriteInt16(place.caret);
  out.WriteInt16(place.anchor);
  WriteItemRange(staff, start, start + countAfter - 1, out);
  if (countAfter > 0) staff.DeleteItems(start, start + countAfter - 1);
  items.InsertInto(staff, start);
  staff.SetChanged(true);
  const int lastIndex = staff.LastIndex();
  RunStaffAuditAround(&staff, std::min(start, lastIndex), std::min(start + std::max(stored, 1) - 1, lastIndex));
  place.caret = std::clamp(caret, 1, lastIndex);
  place.anchor = std::clamp(anchor, 1, lastIndex);
  return TUndoOutcome::Applied;
}

}  // namespace

TUndoItemRange ChooseUndoItemRange(const TMusicStaff& staff, const TEditPlace& place, int count, TUndoKind kind,
                                   int command) {
  const int lastIndex = staff.LastIndex();
  const int caret = std::clamp(place.caret, 1, lastIndex);
  const int anchor = std::clamp(place.anchor, 1, lastIndex);
  const bool internal = kind == TUndoKind::Internal;
  int first, last, removed, inserted;
  if (caret != anchor) {
    first = std::min(caret, anchor);
    last = std::max(caret, anchor) - 1;
    removed = count > 0 ? last - first + 1 : -count;
    inserted = std::max(count, 0);
  } else if (internal && command == static_cast<int>(TUndoInternal::Delete)) {
    first = last = caret - 1;
    removed = 1;
    inserted = 0;
  } else if (internal && command == static_cast<int>(TUndoInternal::RemoveChordNote)) {
    first = last = caret - 1;
    removed = count < 0 ? -count : 0;
    inserted = std::max(count, 0);
  } else {
    first = caret - 1;
    last = caret;
    removed = count < 0 ? -count : 0;
    inserted = std::max(count, 0);
  }
  TStaffRange range(const_cast<TMusicStaff*>(&staff), std::max(first, 0), std::min(last, lastIndex));
  range.ExpandToBars();
  TUndoItemRange r;
  r.start = std::max(range.GetFirst(), 1);
  const int end = std::min(range.GetLast(), lastIndex - 1);
  r.stored = std::max(end - r.start + 1, 0);
  r.countAfter = std::max(inserted + r.stored - removed, 0);
  return r;
}

bool WriteUndoSnapshot(TQXTStream& out, TMusicScore& score, const TEditPlace& place, TUndoKind kind, int command,
                       int count) {
  if (kind == TUndoKind::ScoreInfo) {
    if (command == kUndoCmdMuteList) {
      for (int i = 0; i < score.StaffCount(); ++i) out.PutByte(score.GetStaff(i)->IsMuted() ? 1 : 0);
    } else {
      score.WriteInfo(out);
    }
    return !out.IsFailed();
  }
  TMusicStaff* staff = score.GetStaff(place.staff);
  if (!staff) return false;
  staff->SetChanged(true);
  switch (kind) {
    case TUndoKind::Items:
    case TUndoKind::Internal: {
      const TUndoItemRange r = ChooseUndoItemRange(*staff, place, count, kind, command);
      // The edit rewrites nothing before the bars it records, in place or otherwise.
      staff->TouchItems(r.start);
      out.WriteInt16(place.staff);
      out.WriteInt16(r.start);
      out.WriteInt16(r.countAfter);
      out.WriteInt16(r.stored);
      out.WriteInt16(place.caret);
      out.WriteInt16(place.anchor);
      WriteItemRange(*staff, r.start, r.start + r.stored - 1, out);
      break;
    }
    case TUndoKind::StaffContent:
      out.WriteInt16(place.staff);
      if (command == kUndoCmdLyrics) {
        WriteLyricsSnapshot(out, *staff);
      } else {
        // Transposing, audits and beaming rewrite any item of the staff.
        staff->TouchItems(0);
        WriteStaffItems(out, *staff);
        if (command == kUndoCmdTransposeStaff) out.WriteInt16(staff->GetTransposition());
      }
      break;
    case TUndoKind::StaffInfo:
      out.WriteInt16(place.staff);
      staff->WriteInfo(out);
      break;
    case TUndoKind::StaffPresence:
      return WriteStaffPresenceUndo(out, score, place.staff, command != 217);
    case TUndoKind::StaffMove:
      return WriteStaffMoveUndo(out, place.staff, count);
    default:
      return false;
  }
  return !out.IsFailed();
}

bool WriteStaffPresenceUndo(TQXTStream& out, TMusicScore& score, int staff, bool deleted) {
  TMusicStaff* s = score.GetStaff(staff);
  if (!s) return false;
  out.WriteInt16(staff);
  out.PutByte(deleted ? 1 : 0);
  if (deleted) s->Write(out);
  return !out.IsFailed();
}

bool WriteStaffMoveUndo(TQXTStream& out, int now, int from) {
  out.WriteInt16(now);
  out.WriteInt16(from);
  return !out.IsFailed();
}

TUndoOutcome ApplyUndoRecord(TMusicScore& score, TEditPlace& place, TUndoKind kind, int command, TQXTStream& in,
                             TQXTStream& out, TUndoEffects& effects) {
  effects = TUndoEffects{};
  if (kind == TUndoKind::ScoreInfo) return ApplyScoreInfo(score, command, in, out, effects);
  const int index = ReadInt16(in);
  if (in.IsFailed()) return TUndoOutcome::Failed;
  if (kind == TUndoKind::StaffPresence) return ApplyStaffPresence(score, place, index, in, out, effects);
  TMusicStaff* staff = score.GetStaff(index);
  if (!staff) return TUndoOutcome::Skipped;
  if (kind == TUndoKind::StaffMove) return ApplyStaffMove(score, place, index, in, out, effects);
  place.staff = index;
  switch (kind) {
    case TUndoKind::StaffInfo: {
      TMusicStaff scratch;
      scratch.ReadInfo(in, kScoreFormatVersion);
      if (in.IsFailed()) return TUndoOutcome::Failed;
      out.WriteInt16(index);
      staff->WriteInfo(out);
      staff->CopyInfo(scratch);
      return TUndoOutcome::Applied;
    }
    case TUndoKind::StaffContent:
      return ApplyStaffContent(*staff, place, index, command, in, out);
    default:
      if (IsItemKind(kind)) return ApplyItems(*staff, place, index, in, out);
      return TUndoOutcome::Failed;
  }
}
