#include "editor/ClipBlock.h"

#include <algorithm>
#include <cstring>

#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/ItemRange.h"
#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemText.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/StaffRange.h"
#include "editor/ScoreEditing.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTStream.h"

uint32_t ClipBlockSize(const TMusicStaff& staff, int first, int last) {
  const TStaffRange range(const_cast<TMusicStaff*>(&staff), first, last);
  return static_cast<uint32_t>(range.GetSavedSize()) + 4;
}

bool WriteClipBlock(const TMusicStaff& staff, int first, int last, TQXTStream& out) {
  first = std::max(first, 0);
  last = std::min(last, staff.LastIndex());
  out.WriteInt16(static_cast<int16_t>(std::max(last - first + 1, 0)));
  return WriteItemRange(staff, first, last, out) != 0 && !out.IsFailed();
}

TClipItems ReadClipBlock(TQXTStream& in) {
  TClipItems clip;
  const int leading = static_cast<int16_t>(in.ReadUInt16());
  const int version = static_cast<int16_t>(in.ReadUInt16());
  const int count = static_cast<int16_t>(in.ReadUInt16());
  // The two counts are written together: a block where they differ is not one of ours.
  if (in.IsFailed() || leading != count || count < 0 || count > TMusicStaff::kMaxItems || version < 1 ||
      version > kScoreFormatVersion)
    return clip;
  clip.items.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    TNotatedItem* item = nullptr;
    if (!LoadNotatedItem(version, in, item) || in.IsFailed()) {
      delete item;
      clip.read = TClipRead::Partial;
      return clip;
    }
    clip.items.emplace_back(item);
  }
  clip.read = TClipRead::Whole;
  return clip;
}

TPasteResult PasteClipItems(TScoreEditing& edit, TClipItems& clip, int command) {
  TMusicStaff* staff = edit.CurrentStaff();
  if (!staff || clip.read == TClipRead::Refused) return TPasteResult::Refused;
  const int count = static_cast<int>(clip.items.size());
  if (count == 0) return clip.read == TClipRead::Whole ? TPasteResult::Empty : TPasteResult::Refused;
  const int replaced = edit.HasSelection() ? edit.GetSelectionEnd() - edit.GetSelectionStart() + 1 : 0;
  if (count > staff->FreeItemSlots() + replaced) return TPasteResult::Refused;
  if (!edit.RecordUndo(TUndoKind::Items, command, count)) return TPasteResult::Refused;
  TEditPlace& place = edit.Place();
  if (replaced > 0) {
    const int first = edit.GetSelectionStart();
    staff->DeleteItems(first, edit.GetSelectionEnd());
    place.caret = place.anchor = first;
  }
  const int at = place.caret;
  int inserted = 0;
  for (auto& item : clip.items) {
    if (!staff->InsertItem(item.get(), at + inserted)) break;
    item.release();
    ++inserted;
  }
  clip.items.clear();
  staff->SetChanged(true);
  RunStaffAuditAround(staff, at, at + inserted - 1);
  return clip.read == TClipRead::Whole && inserted == count ? TPasteResult::Pasted : TPasteResult::Partial;
}

bool DeleteSelectionRecorded(TScoreEditing& edit, int command) {
  TMusicStaff* staff = edit.CurrentStaff();
  if (!staff || !edit.HasSelection()) return false;
  const int first = edit.GetSelectionStart();
  const int last = edit.GetSelectionEnd();
  if (!edit.RecordUndo(TUndoKind::Items, command, -(last - first + 1))) return false;
  staff->DeleteItems(first, last);
  edit.Place().caret = edit.Place().anchor = first;
  staff->SetChanged(true);
  RunStaffAuditAround(staff, std::min(first, staff->LastIndex()), -1);
  return true;
}

std::size_t ClipItemText(TMusicStaff& staff, int index, char* buffer, std::size_t size) {
  if (!buffer || size == 0) return 0;
  buffer[0] = 0;
  if (index < 1 || index >= staff.LastIndex()) return 0;
  // The stream writes into the buffer and stops (failing) at its end, one byte before it, so
  // the terminator always fits.
  TQXTFlatRamStream text(buffer, static_cast<uint32_t>(size - 1), 0);
  const TAuditNtnIdx at(&staff, index);
  NtnItemClipText(text, at);
  const std::size_t length = std::min<std::size_t>(text.Size(), size - 1);
  buffer[length] = 0;
  return length;
}
