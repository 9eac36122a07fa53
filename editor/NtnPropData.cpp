#include "editor/NtnPropData.h"

#include <algorithm>
#include <vector>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnGeneralExpression.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SongNote.h"
#include "editor/ScoreEditing.h"

namespace {

// The first contribution sets the value; a later different one makes it mixed.
void Merge(int& value, int item, int n, int mixed) {
  if (n == 0)
    value = item;
  else if (value != item)
    value = mixed;
}

// Slur direction as the list shows it: not given, up, down.
int SlurChoice(const TSongNote& note) {
  if (!note.HasAttribute(naSlurDirGiven)) return 0;
  return note.IsSlurDown() ? 2 : 1;
}

int TieChoice(const TMusicNote& note) {
  if (!note.HasAttribute(naTieDirGiven)) return 0;
  return note.IsTieDown() ? 2 : 1;
}

void SetSlurChoice(TSongNote& note, int choice) {
  if (choice == 0) {
    note.ClearAttribute(naSlurDirGiven);
    return;
  }
  note.SetAttribute(naSlurDirGiven);
  note.SetSlurDown(choice == 2);
}

void SetTieChoice(TMusicNote& note, int choice) {
  if (choice == 0) {
    note.ClearAttribute(naTieDirGiven);
    return;
  }
  note.SetAttribute(naTieDirGiven);
  note.SetTieDown(choice == 2);
}

// The note or chord whose settings the Notes group covers: the item itself, or a rest chord's
// chord part.
TMusicNote* NotesPart(TNotatedItem* item) {
  if (item->IsNoteOrChord()) return static_cast<TMusicNote*>(item);
  if (item->GetType() == ntRestChord) return static_cast<TRestChord*>(item)->GetChordPart();
  return nullptr;
}

void GatherNotes(TMusicNote& n, TNtnPropData::TNotes& g) {
  const int k = g.count;
  Merge(g.accidentalSpace, n.GetExtraAccidentalSpace(), k, kNtnPropMixed);
  Merge(g.noteSpace, n.GetExtraNoteSpace(), k, kNtnPropMixed);
  Merge(g.muted, n.IsMuted() ? 1 : 0, k, kNtnPropMixedFlag);
  Merge(g.noLegers, n.HasNoLegerLines() ? 1 : 0, k, kNtnPropMixedFlag);
  Merge(g.slur, SlurChoice(n), k, kNtnPropMixed);
  Merge(g.tie, TieChoice(n), k, kNtnPropMixed);
  Merge(g.syllable, n.GetLyricMode(), k, kNtnPropMixed);
  ++g.count;
}

void ApplyNotes(TMusicNote& n, const TNtnPropData::TNotes& g) {
  if (g.accidentalSpace != kNtnPropMixed) n.SetExtraAccidentalSpace(g.accidentalSpace);
  if (g.noteSpace != kNtnPropMixed) n.SetExtraNoteSpace(g.noteSpace);
  if (g.muted != kNtnPropMixedFlag) n.SetMuted(g.muted != 0);
  if (g.noLegers != kNtnPropMixedFlag) n.SetNoLegerLines(g.noLegers != 0);
  if (g.slur != kNtnPropMixed) SetSlurChoice(n, g.slur);
  if (g.tie != kNtnPropMixed) SetTieChoice(n, g.tie);
  if (g.syllable != kNtnPropMixed) n.SetLyricMode(g.syllable);
  // A chord hands its settings on to its heads.
  n.SyncNotes();
}

// The items from first to last (inclusive), inside the staff's begin and end items.
std::vector<TNotatedItem*> StaffItems(TMusicStaff& staff, int first, int last) {
  std::vector<TNotatedItem*> items;
  first = std::max(first, 1);
  last = std::min(last, staff.LastIndex() - 1);
  for (int i = first; i <= last; ++i) items.push_back(staff.GetItem(i));
  return items;
}

}  // namespace

bool TNtnPropData::ShowsSingle(int type) const {
  if (type < 0 || type >= kTypeCount) return false;
  return type == ntKey ? count[type] >= 1 : count[type] == 1;
}

void GatherNtnProps(TMusicStaff& staff, int first, int last, bool smartTemplate, TNtnPropData& data) {
  GatherNtnProps(StaffItems(staff, first, last), smartTemplate, data);
}

void ApplyNtnProps(TMusicStaff& staff, int first, int last, bool smartTemplate, const TNtnPropData& data) {
  ApplyNtnProps(StaffItems(staff, first, last), smartTemplate, data);
}

void GatherNtnProps(std::span<TNotatedItem* const> items, bool smartTemplate, TNtnPropData& data) {
  data = TNtnPropData{};
  for (TNotatedItem* item : items) {
    const int type = item->GetType();
    if (type >= 0 && type < TNtnPropData::kTypeCount) {
      ++data.count[type];
      data.last[type] = item;
    }
    if (!smartTemplate) {
      auto& v = data.visibility;
      Merge(v.visibility, item->GetVisibility(), v.count, kNtnPropMixed);
      Merge(v.color, item->GetColor(), v.count, kNtnPropMixed);
      ++v.count;
    }
    if (type == ntBarLine) {
      const auto* bar = static_cast<const TBarLineData*>(item);
      auto& g = data.bar;
      Merge(g.style, bar->GetStyle(), g.count, kNtnPropMixed);
      Merge(g.repeatCount, bar->GetRepeatCount(), g.count, kNtnPropMixed);
      Merge(g.systemBreak, bar->HasSystemBreak() ? 1 : 0, g.count, kNtnPropMixedFlag);
      ++g.count;
    }
    if (item->IsExpression() && !smartTemplate) {
      const auto* e = static_cast<const TNtnGeneralExpression*>(item);
      auto& g = data.expression;
      Merge(g.position, e->GetPosition(), g.count, kNtnPropMixedSigned);
      Merge(g.wide, e->IsWide() ? 1 : 0, g.count, kNtnPropMixedFlag);
      Merge(g.justify, e->GetJustify(), g.count, kNtnPropMixed);
      Merge(g.placement, e->GetPlacement(), g.count, kNtnPropMixed);
      ++g.count;
    }
    if (TMusicNote* part = NotesPart(item)) GatherNotes(*part, data.notes);
    GatherClef(*item, data.clef);
    GatherKey(*item, data.key);
    GatherTimeSig(*item, data.timeSig);
    GatherEnding(*item, data.ending);
    GatherTempo(*item, data.tempo);
    GatherTempoVariance(*item, data.tempoVariance);
    GatherPerformanceStyle(*item, data.performanceStyle);
    GatherFlowDirection(*item, data.flow);
    GatherDynamic(*item, data.dynamic);
    GatherDynamicVariance(*item, data.dynamicVariance);
    GatherPedal(*item, data.pedal);
    GatherPatch(*item, data.patch);
    GatherController(*item, data.controller);
    GatherText(*item, data.text);
    if (item->IsRest()) {
      const auto* rest = static_cast<const TRestNote*>(item);
      auto& g = data.rests;
      Merge(g.offset, rest->GetVerticalOffset(), g.count, kNtnPropMixedSigned);
      Merge(g.slur, SlurChoice(*rest), g.count, kNtnPropMixed);
      Merge(g.syllable, rest->GetLyricMode(), g.count, kNtnPropMixed);
      ++g.count;
    }
  }
}

void ApplyNtnProps(std::span<TNotatedItem* const> items, bool smartTemplate, const TNtnPropData& data) {
  for (TNotatedItem* item : items) {
    if (!smartTemplate) {
      if (data.visibility.visibility != kNtnPropMixed) item->SetVisibility(data.visibility.visibility);
      if (data.visibility.color != kNtnPropMixed) item->SetColor(data.visibility.color);
    }
    if (item->GetType() == ntBarLine) {
      auto* bar = static_cast<TBarLineData*>(item);
      const auto& g = data.bar;
      if (g.style != kNtnPropMixed) bar->SetStyleByte(static_cast<uint8_t>((bar->GetStyleByte() & 0xC0) | (g.style & 0x3F)));
      if (g.repeatCount != kNtnPropMixed) bar->SetRepeatCount(std::clamp(g.repeatCount, 0, 250));
      if (g.systemBreak != kNtnPropMixedFlag) bar->SetSystemBreak(g.systemBreak != 0);
    }
    if (item->IsExpression() && !smartTemplate) {
      auto* e = static_cast<TNtnGeneralExpression*>(item);
      const auto& g = data.expression;
      if (g.position != kNtnPropMixedSigned) e->SetPosition(std::clamp(g.position, -100, 100));
      if (g.wide != kNtnPropMixedFlag) e->SetWide(g.wide != 0);
      if (g.justify != kNtnPropMixed) e->SetJustify(g.justify);
      if (g.placement != kNtnPropMixed) e->SetPlacement(g.placement);
    }
    if (TMusicNote* part = NotesPart(item)) ApplyNotes(*part, data.notes);
    ApplyClef(data.clef, *item);
    ApplyKey(data.key, *item);
    ApplyTimeSig(data.timeSig, *item);
    ApplyEnding(data.ending, *item);
    ApplyTempo(data.tempo, *item);
    ApplyTempoVariance(data.tempoVariance, *item);
    ApplyPerformanceStyle(data.performanceStyle, *item);
    ApplyFlowDirection(data.flow, *item);
    ApplyDynamic(data.dynamic, *item);
    ApplyDynamicVariance(data.dynamicVariance, *item);
    ApplyPedal(data.pedal, *item);
    ApplyPatch(data.patch, *item);
    ApplyController(data.controller, *item);
    ApplyText(data.text, *item);
    if (item->IsRest()) {
      auto* rest = static_cast<TRestNote*>(item);
      const auto& g = data.rests;
      if (g.offset != kNtnPropMixedSigned) rest->SetVerticalOffset(std::clamp(g.offset, -15, 15));
      if (g.slur != kNtnPropMixed) SetSlurChoice(*rest, g.slur);
      if (g.syllable != kNtnPropMixed) rest->SetLyricMode(g.syllable);
    }
  }
}

bool ChangeSelectionProps(TScoreEditing& edit, const TNtnPropData& data) {
  TMusicStaff* staff = edit.CurrentStaff();
  if (!staff || !edit.HasSelection()) return false;
  const int first = edit.GetSelectionStart();
  const int last = edit.GetSelectionEnd();
  if (!edit.RecordUndo(TUndoKind::Internal, static_cast<int>(TUndoInternal::ChangeSelection), 0)) return false;
  ApplyNtnProps(*staff, first, last, false, data);
  staff->SetChanged(true);
  RunStaffAuditAround(staff, first, last);
  return true;
}
