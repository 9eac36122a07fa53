#include "QVKNTN/ChordData.h"
#include <algorithm>
#include <cstdlib>
#include <vector>
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/StaffContext.h"

namespace {
int OtherStem(int code) { return code == stUp ? stDown : stUp; }
int SignOfCode(int code) { return code == stUp ? 1 : -1; }

// Heads are plain notes (the reader and AddNote take nothing else), so the chord reaches their
// fields without the virtual calls items need in general: loading syncs every chord twice.
int HeadPosition(const TMusicNote* head) { return head->TMusicNote::GetPosition(); }

// Articulations and slurs belong to the chord: its heads carry them only as copies.
constexpr uint16_t kChordOwnedAttributes =
    uint16_t((1u << naStaccato) | (1u << naTenuto) | (1u << naAccent) | (1u << naSlurOut) | (1u << naSlurIn));

// Everything AddNote may change on one head or on the chord itself.
struct TNoteState {
  TMusicNote* note;
  uint8_t flags, spacing, duration, group, pitch;
  uint16_t attributes;
  int position;

  static TNoteState Of(TMusicNote* n) {
    return {n, n->GetFlags(), n->GetSpacingByte(), n->GetDurationByte(), n->GetGroupByte(), n->GetPitchByte(),
            n->GetAttributeWord(), n->GetPosition()};
  }
  void Apply() const {
    note->SetFlags(flags);
    note->SetSpacingByte(spacing);
    note->SetDurationByte(duration);
    note->SetGroupByte(group);
    note->SetPitchByte(pitch);
    note->SetAttributeWord(attributes);
    note->SetPosition(position);
  }
};
}  // namespace

struct TChordData::TSnapshot {
  std::vector<TMusicNote*> order;
  std::vector<TNoteState> states;  // the chord first, then every head, then the note being added
  uint8_t arrangement;
};

TChordData::TChordData() : TMusicNote(ntChord, 0, 2, acNone) { SetPosition(0); }

TChordData::~TChordData() {
  for (TMusicNote* n : fNotes) delete n;
}

TMusicNote* TChordData::GetNote(int i) { return (i >= 0 && i < int(fNotes.size())) ? fNotes[i] : nullptr; }

TMusicNote* TChordData::FindNoteAtPosition(int position) {
  for (TMusicNote* n : fNotes) {
    if (HeadPosition(n) == position) return n;
    if (HeadPosition(n) < position) break;  // sorted downwards: the position has been passed
  }
  return nullptr;
}

int TChordData::GetLowPosition() const { return fNotes.empty() ? TMusicNote::GetPosition() : HeadPosition(fNotes.back()); }

int TChordData::GetHighPosition() const { return fNotes.empty() ? TMusicNote::GetPosition() : HeadPosition(fNotes.front()); }

int TChordData::GetPosition() const {
  if (fNotes.empty()) return TMusicNote::GetPosition();
  const int l = GetLowPosition();
  const int h = GetHighPosition();
  return h - (h - l) / 2 - (std::abs(h) < std::abs(l) ? 1 : 0);
}

bool TChordData::HasSplitStems() const {
  for (const TMusicNote* n : fNotes)
    if (n->GetStemCode() != fNotes.front()->GetStemCode()) return true;
  return false;
}

bool TChordData::HasSplitDurations() const {
  for (const TMusicNote* n : fNotes)
    if (n->GetDuration() != fNotes.front()->GetDuration()) return true;
  return false;
}

// A head goes after every head at its position or below it (lower notes first, equal ones in the
// order they came). Stored chords list their heads lowest first, so the end is tried first.
bool TChordData::InsertSorted(TMusicNote* note) {
  const int p = HeadPosition(note);
  if (fNotes.empty() || HeadPosition(fNotes.back()) >= p) return fNotes.insert(fNotes.end(), note);
  auto at = std::partition_point(fNotes.begin(), fNotes.end(), [&](const TMusicNote* n) { return HeadPosition(n) >= p; });
  return fNotes.insert(at, note);
}

bool TChordData::AppendStoredHead(TMusicNote* note) { return fNotes.insert(fNotes.end(), note); }

// The order InsertSorted would have given one head at a time, in one sort: a stored chord may
// list tens of thousands of heads in any order.
void TChordData::OrderStoredHeads() {
  const auto lowerFirst = [](const TMusicNote* a, const TMusicNote* b) { return HeadPosition(a) > HeadPosition(b); };
  if (std::is_sorted(fNotes.begin(), fNotes.end(), lowerFirst)) return;
  std::stable_sort(fNotes.begin(), fNotes.end(), lowerFirst);
}

TChordData::TSnapshot TChordData::Save() const {
  TSnapshot s;
  s.order.assign(fNotes.begin(), fNotes.end());
  s.arrangement = fNotes.arrangement();
  s.states.push_back(TNoteState::Of(const_cast<TChordData*>(this)));
  for (TMusicNote* n : fNotes) s.states.push_back(TNoteState::Of(n));
  return s;
}

void TChordData::Restore(const TSnapshot& s) {
  fNotes.assign(s.order.data(), s.order.data() + s.order.size());
  fNotes.set_arrangement(s.arrangement);
  for (const TNoteState& st : s.states) st.Apply();
}

bool TChordData::Accept(TMusicNote* note, int stem) {
  const bool slur = note->HasAttribute(naSlurOut);
  note->SetAttribute(naChordMember);
  note->SetStemDirection(stem);
  InsertSorted(note);
  if (slur) SetAttribute(naSlurOut);
  return true;
}

bool TChordData::AddNote(TMusicNote* note) {
  if (!note || note == this || note->GetType() != ntNote || fNotes.full()) return false;
  if (std::find(fNotes.begin(), fNotes.end(), note) != fNotes.end()) return false;
  const int a = HeadPosition(note);
  if (fNotes.size() > 1 && FindNoteAtPosition(a)) return false;

  if (fNotes.empty()) {
    TMusicNote::CopyProps(*note);
    ClearAttribute(naChordMember);
    SetStemDirection(note->GetStemCode());
    SetSlurDown(note->IsSlurDown());
    SetTieDown(note->IsTieDown());
    SetMuted(note->IsMuted());
    SetNoLegerLines(note->HasNoLegerLines());
    Accept(note, note->GetStemCode());
    SyncNotes();
    return true;
  }

  TSnapshot snapshot = Save();
  snapshot.states.push_back(TNoteState::Of(note));
  auto refuse = [&] {
    Restore(snapshot);
    return false;
  };

  int b = note->GetStemCode();
  int c = GetStemCode();
  const TMusicNote* first = fNotes.front();
  const TMusicNote* last = fNotes.back();
  const int32_t f = first->GetDuration();
  const int32_t g = last->GetDuration();
  int32_t h = note->GetDuration();
  if (GetTripletState() != 0 && b == c && GetDuration() == h * 2 / 3) h = GetDuration();

  // A note of another length (or a unison) starts a second voice with the other stem.
  if ((h != f && h != g) || HeadPosition(first) == a) {
    if (HasSplitStems()) return refuse();
    if (b == stAuto) b = a <= HeadPosition(first) ? stUp : stDown;
    if (b == c) return refuse();
    if (b == stUp && HeadPosition(last) < a) return refuse();
    if (b == stDown && a < HeadPosition(first)) return refuse();
    if (c == stAuto) {
      SetStemDirection(OtherStem(b));
      SyncNotes();
    }
    c = h < f ? b : OtherStem(b);
  }

  if (!HasSplitStems()) {
    if (c != stAuto && c != b) {
      if (b == stUp && HeadPosition(last) < a) return refuse();
      if (b == stDown && a < HeadPosition(first)) return refuse();
    }
    if (c == stAuto) c = b;
    const bool wasSingle = fNotes.size() == 1;
    const int stem = b != stAuto ? b : first->GetStemCode();
    note->SetTieDown(IsTieDown());
    Accept(note, stem);
    if (wasSingle && h < f) {
      SetBeamState(note->GetBeamState());
      SetTripletState(note->GetTripletState());
      SetDuration(note->GetDurationCode());
      SetAttributeWord(uint16_t(note->GetAttributeWord() & ~(1u << naChordMember)));
    }
    SetStemDirection(c);
    SyncNotes();
    return true;
  }

  // Split stems: the down-stem heads come first in the vector.
  size_t i = 1;
  while (i < fNotes.size() && fNotes[i]->GetStemCode() == stDown) ++i;
  if (i >= fNotes.size()) return refuse();
  const int o = HeadPosition(fNotes[i - 1]);
  const int t = HeadPosition(fNotes[i]);
  if (b == stAuto) b = f == g ? (a <= o ? stUp : stDown) : (h == f ? stDown : stUp);
  if (b == first->GetStemCode() && (a < t || h != f)) return refuse();
  if (b == last->GetStemCode() && (a > o || h != g)) return refuse();
  Accept(note, b);
  SyncNotes();
  return true;
}

bool TChordData::RemoveNote(TMusicNote* note) {
  auto it = std::find(fNotes.begin(), fNotes.end(), note);
  if (it == fNotes.end()) return false;
  const bool wasSplit = HasSplitStems();
  fNotes.erase(it);
  note->ClearAttribute(naChordMember);
  note->SetHeadFlipped(false);
  if (GetStemCode() == stAuto) note->SetStemDirection(stAuto);
  if (fNotes.empty()) return true;
  if (wasSplit && !HasSplitStems()) SetStemSign(fNotes.front()->GetStemSign());
  SyncNotes();
  return true;
}

// The head whose stem the chord draws: with split stems the part matching the chord's stem
// code, otherwise the whole chord; up stems hang from the part's lowest head, down stems from its
// highest, and an automatic stem from the outer head farther from the middle line.
TMusicNote* TChordData::StemPart() const {
  const int c = GetStemCode();
  if (c == stAuto || !HasSplitStems()) {
    if (c == stUp) return fNotes.front();
    if (c == stDown) return fNotes.back();
    return std::abs(HeadPosition(fNotes.front())) > std::abs(HeadPosition(fNotes.back())) ? fNotes.front()
                                                                                           : fNotes.back();
  }
  TMusicNote* part = nullptr;
  for (TMusicNote* n : fNotes) {
    if (n->GetStemCode() != c) continue;
    if (!part || c == stDown) part = n;  // up: first match (lowest); down: last match (highest)
  }
  return part ? part : fNotes.front();
}

void TChordData::SyncNotes() {
  if (fNotes.empty()) return;
  const bool split = HasSplitStems();
  const TMusicNote* part = StemPart();
  const int sign = GetStemCode() != stAuto ? SignOfCode(GetStemCode()) : (HeadPosition(part) > 0 ? 1 : -1);

  // What every head takes from the chord, byte by byte: visibility and colour, the note space,
  // the tie, mute and leger-line bits, the slur direction; the chord's own articulations and
  // slurs replace the head's copies, and only heads of the stem part join its beam and triplet.
  constexpr uint8_t kChordPitchBits = 0x08 | 0x20 | 0x40;  // tie down, muted, no leger lines
  constexpr uint8_t kSlurDownBit = 0x10;
  uint16_t articulations = uint16_t(GetAttributeWord() & kChordOwnedAttributes);
  // Staccato and tenuto exclude each other; set in that order, tenuto is the one a head keeps.
  if ((articulations >> naStaccato & 1) && (articulations >> naTenuto & 1))
    articulations = uint16_t(articulations & ~(1u << naStaccato));
  const uint8_t flags = GetFlags();
  const uint8_t noteSpace = uint8_t(GetSpacingByte() & 0xF0);
  const uint8_t pitchBits = uint8_t(GetPitchByte() & kChordPitchBits);
  const uint8_t slurDown = uint8_t(GetGroupByte() & kSlurDownBit);
  const uint8_t beam = uint8_t(GetBeamState() << 6);
  const uint8_t triplet = uint8_t(GetTripletState());
  const uint8_t stemBits = uint8_t(TSongNote::StemCodeForSign(sign) << 4);
  const int chordStem = GetStemCode();
  for (TMusicNote* n : fNotes) {
    const bool member = !split || n->GetStemCode() == chordStem;
    uint16_t attributes = uint16_t((n->GetAttributeWord() | (1u << naChordMember)) & ~kChordOwnedAttributes);
    uint8_t duration = uint8_t(n->GetDurationByte() & 0x3F);
    uint8_t group = uint8_t((n->GetGroupByte() & ~(kSlurDownBit | 3)) | slurDown);
    if (!split) duration = uint8_t((duration & ~0x30) | stemBits);
    if (member) {
      attributes = uint16_t(attributes | articulations);
      duration = uint8_t(duration | beam);
      group = uint8_t(group | triplet);
    }
    n->SetFlags(flags);
    n->SetAttributeWord(attributes);
    n->SetSpacingByte(uint8_t((n->GetSpacingByte() & 0x0F) | noteSpace));
    n->SetPitchByte(uint8_t((n->GetPitchByte() & ~kChordPitchBits) | pitchBits));
    n->SetDurationByte(duration);
    n->SetGroupByte(group);
  }

  // The chord takes its value from the stem part (a double dot wins over a dot, as set last) and
  // is tied on or tied into where any head is.
  constexpr uint16_t kDot = 1u << naDotted, kDoubleDot = 1u << naDoubleDotted;
  constexpr uint16_t kTies = (1u << naTieOut) | (1u << naTieIn);
  SetPosition(HeadPosition(part));
  SetDuration(part->GetDurationCode());
  uint16_t own = uint16_t(GetAttributeWord() & ~(kDot | kDoubleDot | kTies));
  const uint16_t dots = uint16_t(part->GetAttributeWord() & (kDot | kDoubleDot));
  own = uint16_t(own | ((dots & kDoubleDot) ? kDoubleDot : dots));
  const bool tieDirectionGiven = HasAttribute(naTieDirGiven);
  const bool highestAbove = HeadPosition(fNotes.back()) < 0;
  for (TMusicNote* n : fNotes) {
    own = uint16_t(own | (n->GetAttributeWord() & kTies));
    if (!n->HasAttribute(naTieOut) || tieDirectionGiven) continue;
    if (!split)
      n->SetTieDown(!(highestAbove && n == fNotes.front()));
    else
      n->SetTieDown(n->GetStemCode() == stUp);  // opposite to its stem
  }
  SetAttributeWord(own);
  ArrangeHeads();
}

// Heads a second apart alternate sides of the stem: up-stem heads are walked upwards from the
// lowest, down-stem heads downwards from the highest.
void TChordData::ArrangeHeads() {
  const int chordSign = GetStemSign();
  auto signOf = [&](const TMusicNote* n) { return n->GetStemCode() == stAuto ? chordSign : SignOfCode(n->GetStemCode()); };
  bool seconds = false;
  for (TMusicNote* n : fNotes) n->SetHeadFlipped(false);
  const TMusicNote* prev = nullptr;
  for (TMusicNote* n : fNotes) {
    if (signOf(n) < 0) continue;
    if (prev && HeadPosition(prev) - HeadPosition(n) == 1) {
      seconds = true;
      if (!prev->IsHeadFlipped()) n->SetHeadFlipped(true);
    }
    prev = n;
  }
  prev = nullptr;
  for (auto it = fNotes.rbegin(); it != fNotes.rend(); ++it) {
    TMusicNote* n = *it;
    if (signOf(n) > 0) continue;
    if (prev && HeadPosition(n) - HeadPosition(prev) == 1) {
      seconds = true;
      if (!prev->IsHeadFlipped()) n->SetHeadFlipped(true);
    }
    prev = n;
  }
  fNotes.set_arrangement(uint8_t((fNotes.arrangement() & 0xF0) | (seconds ? arSeconds : arPlain)));
}

void TChordData::UpdateContext(TStaffContext& context) const {
  for (const TMusicNote* n : fNotes) n->UpdateHeadContext(context);
  UpdateSongContext(context);
}

void TChordData::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  for (const TMusicNote* n : fNotes) n->AddHeadEvents(context, sink);
}

void TChordData::ResolveAccidental(const TStaffContext& context, bool resolve) {
  for (TMusicNote* n : fNotes) n->ResolveAccidental(context, true);
  if (resolve) return;
  // A head may drop its accidental only when no other head spells the same letter differently.
  std::vector<TMusicNote*> clear;
  for (TMusicNote* n : fNotes) {
    const int letter = n->GetLetter(context);
    bool clash = false;
    for (const TMusicNote* m : fNotes)
      if (m != n && m->GetLetter(context) == letter && m->GetAccidental() != n->GetAccidental()) clash = true;
    if (!clash) clear.push_back(n);
  }
  for (TMusicNote* n : clear) n->ResolveAccidental(context, false);
}

namespace {
// The earlier line's accidental columns fit a 4-bit field.
constexpr int kMostEarlierColumns = 15;
constexpr int kEarlierColumnReach = 4;
}  // namespace

// Accidentals of heads close to each other stand in columns side by side; a head far enough
// from the one that started the run starts a new run in the first column.
int TChordData::GetEarlierAccidentalColumns() const {
  int sum = 0, largest = 0;
  const TMusicNote* reference = nullptr;
  for (const TMusicNote* n : fNotes) {
    const int e = n->GetAccidentalSpace() - n->GetExtraAccidentalSpace();
    if (e <= 0) continue;
    const int distance = reference ? std::abs(n->GetPosition() - reference->GetPosition()) : kEarlierColumnReach + 1;
    if (distance == 0) {
      sum = std::max(sum, e);
    } else if (distance <= kEarlierColumnReach) {
      sum += e;
      if (sum > kMostEarlierColumns) {
        sum = kMostEarlierColumns;
        reference = n;
      }
    } else {
      sum = e;
      reference = n;
    }
    largest = std::max(largest, sum);
  }
  return std::min(GetExtraAccidentalSpace() + largest, kMostEarlierColumns);
}

int TChordData::GetAccidentalSpace() const {
  if (kEarlierLine) return GetEarlierAccidentalColumns();
  int space = 0;
  for (const TMusicNote* n : fNotes) space = std::max(space, n->GetAccidentalSpace());
  return space;
}

bool TChordData::TransposeBy(const TStaffContext& context, int semitones, int steps, bool test) {
  bool ok = true;
  for (TMusicNote* n : fNotes) {
    if (n->TransposeBy(context, semitones, steps, test)) continue;
    ok = false;
    if (test) return false;
  }
  if (test) return ok;
  if (!ok) {
    RespellForKey(context);
    return false;
  }
  std::stable_sort(fNotes.begin(), fNotes.end(),
                   [](const TMusicNote* x, const TMusicNote* y) { return HeadPosition(x) > HeadPosition(y); });
  SyncNotes();
  return true;
}

void TChordData::RespellForKey(const TStaffContext& context) {
  for (TMusicNote* n : fNotes) n->RespellForKey(context);
  std::stable_sort(fNotes.begin(), fNotes.end(),
                   [](const TMusicNote* x, const TMusicNote* y) { return HeadPosition(x) > HeadPosition(y); });
  SyncNotes();
}

TMusicNote* TChordData::ReleaseSoleNote() {
  if (fNotes.size() != 1) return nullptr;
  TMusicNote* sole = fNotes.front();
  RemoveNote(sole);
  return sole;
}
