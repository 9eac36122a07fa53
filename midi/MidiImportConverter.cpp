#include "midi/MidiImportConverter.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnHelpers.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TimeSignatureData.h"
#include "midi/SMFData.h"

namespace {

// A staff stops growing with fewer free slots than this, so that the formatting passes (clefs,
// signatures, bar lines, ties at bar lines) always find room.
constexpr int kReserveSlots = 1500;
// An instruction's music moves on to a further staff this much earlier, between two events.
constexpr int kSwitchMargin = 64;
constexpr int kMaxSounding = 30;
// Every written duration is a multiple of the shortest note the staff can hold.
constexpr int kGrid = 12;
constexpr int kLyricKey = 71;
constexpr int kMaxSyllable = 60;
constexpr int kLyricLineWidth = 80;
constexpr int kNameChars = 24;
// The order in which key signatures take their sharps and their flats.
constexpr int kSharpOrder[7] = {ltF, ltC, ltG, ltD, ltA, ltE, ltB};
constexpr int kFlatOrder[7] = {ltB, ltE, ltA, ltD, ltG, ltC, ltF};

int BeatCodeTicks(int code) { return NtnDurationToTicks(code >= 0 && code <= 5 ? code : 2); }

// Bar starts as the conductor track's time signatures lay them out (4/4 until the first): pieces
// of notes never run over a bar line untied, whatever the quantised ticks are.
class TBarGrid {
public:
  explicit TBarGrid(const TSMFTrackData* conductor) {
    sections_.push_back({0, 4 * 192});
    if (!conductor) return;
    const TMidiFileBuf& events = conductor->Events();
    for (int32_t i = 0, n = events.EventCount(); i < n; ++i) {
      const TMidiEvent e = events.EventAt(i);
      if (MidiEventType(e) != kMidiEventTimeSig) continue;
      const int beats = e.b[0] >= 1 && e.b[0] <= 99 ? e.b[0] : 4;
      const long bar = long(beats) * BeatCodeTicks(e.b[1]);
      // A signature inside a bar starts its own bars where it stands, as the re-barring does.
      if (sections_.back().start == e.tick) sections_.back().bar = bar;
      else if (e.tick > sections_.back().start) sections_.push_back({e.tick, bar});
    }
  }
  // The first bar start after tick.
  long NextBarStart(long tick) const {
    auto it = std::upper_bound(sections_.begin(), sections_.end(), tick,
                               [](long t, const TSection& s) { return t < s.start; });
    const TSection& s = *(it - 1);
    long next = s.start + ((tick - s.start) / s.bar + 1) * s.bar;
    if (it != sections_.end() && it->start < next) next = it->start;
    return next;
  }

private:
  struct TSection {
    long start;
    long bar;
  };
  std::vector<TSection> sections_;
};

// Writes one staff from a stream of MIDI events: notes between events become notes, chords or
// rests of the longest fitting durations, tied over bar lines and between pieces.
class TImportConverter {
public:
  TImportConverter(TMusicStaff& staff, const TBarGrid& bars, int noteResolution)
      : staff_(&staff), bars_(bars),
        noteTicks_(NtnDurationToTicks(std::clamp(noteResolution, 0, TSMFImportInstructions::kFinestResolution))) {}

  // Called when the staff is full: answers a further staff that carries the music on (the
  // converter fills it with rests up to where the full one stopped), or null to stop there.
  using TOverflow = std::function<TMusicStaff*()>;
  void SetOverflow(TOverflow overflow) { overflow_ = std::move(overflow); }

  // Moves on to a further staff early, at an event, so that notes are seldom cut in two.
  bool EnsureRoom(int slots) {
    if (staff_->FreeItemSlots() >= slots) return true;
    return overflow_ ? CarryOn() : HasRoom();
  }

  long Written() const { return written_; }
  void StartAt(long tick) { written_ = tick; }
  bool HasRoom() {
    if (staff_->FreeItemSlots() >= kReserveSlots) return true;
    return overflow_ && CarryOn();
  }

  long Quantise(long tick) const {
    long t = std::max(RoundTo(tick, kGrid), written_);
    return std::max(RoundTo(t, noteTicks_), written_);
  }

  void NoteOn(long tick, int key) {
    Advance(Quantise(tick));
    for (const TSounding& s : sounding_)
      if (s.key == key) return;
    if (int(sounding_.size()) < kMaxSounding) sounding_.push_back({key, keyCount_});
  }

  void NoteOff(long tick, int key) {
    if (std::none_of(sounding_.begin(), sounding_.end(), [key](const TSounding& s) { return s.key == key; })) return;
    long end = Quantise(tick);
    // Sounding notes are never written yet (a span ends every chord): a note that ends in the
    // quantum it started in still lasts at least the shortest duration.
    if (end <= written_) end = written_ + std::max<long>(kGrid, RoundTo(tick, kGrid) - written_);
    Advance(end);
  }

  void Pedal(long tick, bool down) {
    if (down == pedalDown_) return;
    pedalDown_ = down;
    if (sounding_.empty() || !down) Advance(Quantise(tick));
    Append(new TSustainPedal(down ? 1 : 0));
  }

  void Program(long tick, int program, bool notate) {
    TStaffInstrument instrument = staff_->GetInstrument();
    if (instrument.patch == 0) {
      instrument.patch = program + 1;
      staff_->SetInstrument(instrument);
    }
    if (!notate) return;
    Advance(Quantise(tick));
    TStaffInstrument change{};
    change.patch = program + 1;
    Append(new TPatchData(&change));
  }

  void KeySignature(long tick, int count) {
    if (count == 0 && tick == 0) return;
    Advance(Quantise(tick));
    if (count > 7 || count < -7) count = (count < 0 ? -1 : 1) * (std::abs(count) % 7);
    AppendKeySignature(count);
    keyCount_ = count;
  }

  void TimeSignature(long tick, int numerator, int code) {
    Advance(Quantise(tick));
    Append(new TTimeSignatureData(numerator, code));
  }

  void Tempo(long tick, int bpm) {
    Advance(Quantise(tick));
    Append(new TTempoData(bpm, TTempoData::tbQuarter));
  }

  // Writes what sounds up to t and ends it there.
  void Advance(long t) {
    if (written_ >= t) return;
    const std::vector<THead> heads = SpellChord();
    TNotatedItem* last = nullptr;
    const TMusicStaff* lastStaff = staff_;
    while (written_ < t && HasRoom()) {
      if (staff_ != lastStaff) {
        // A tie cannot reach from one staff to the next.
        if (last) SetTieOut(last, false);
        lastStaff = staff_;
      }
      const long span = std::min(t, bars_.NextBarStart(written_)) - written_;
      TNotatedItem* piece = MakePiece(heads);
      const int ticks = NtnSetDurationFromTicks(piece, int(std::min<long>(span, 1 << 30)));
      if (ticks <= 0) {
        delete piece;
        break;
      }
      SetTieOut(piece, true);
      staff_->AppendItem(piece);
      written_ += ticks;
      last = piece;
    }
    if (!last) return;
    SetTieOut(last, false);
    sounding_.clear();
  }

private:
  // A full staff leaves the rest of the music to a new one, which starts with rests up to here and
  // the key signature in force.
  bool CarryOn() {
    TMusicStaff* next = overflow_();
    if (!next) return false;
    staff_ = next;
    const long until = written_;
    std::vector<TSounding> sounding;
    sounding.swap(sounding_);
    written_ = 0;
    if (keyCount_ != 0) AppendKeySignature(keyCount_);
    Advance(until);
    sounding_.swap(sounding);
    return staff_->FreeItemSlots() >= kReserveSlots;
  }

  void AppendKeySignature(int count) {
    auto* key = new TKeyData;
    for (int k = 0; k < std::abs(count); ++k) {
      if (count > 0) key->SetLetterSharp(kSharpOrder[k]);
      else key->SetLetterFlat(kFlatOrder[k]);
    }
    Append(key);
  }

  struct TSounding {
    int key;
    int keyCount;  // the key signature when it started: flats (negative) spell with flats
  };
  struct THead {
    int position;
    int accidental;
  };

  static long RoundTo(long tick, long step) { return (tick + step / 2) / step * step; }

  void Append(TNotatedItem* item) {
    if (!HasRoom() || !staff_->AppendItem(item)) delete item;
  }

  static void Spell(int key, int keyCount, THead& head) {
    NtnPitchToStaffPosition(clTreble, keyCount, key, head.position, head.accidental);
  }

  // A head whose position is taken is tried once with the other spelling (kept for that key
  // from then on), and left out when that position is taken too.
  std::vector<THead> SpellChord() {
    std::vector<THead> heads;
    for (TSounding& s : sounding_) {
      THead head{};
      Spell(s.key, s.keyCount, head);
      auto taken = [&heads](const THead& h) {
        return std::any_of(heads.begin(), heads.end(), [&h](const THead& o) { return o.position == h.position; });
      };
      if (taken(head)) {
        const int other = s.keyCount < 0 ? 1 : -1;
        Spell(s.key, other, head);
        if (taken(head)) continue;
        s.keyCount = other;
      }
      heads.push_back(head);
    }
    return heads;
  }

  static TNotatedItem* MakePiece(const std::vector<THead>& heads) {
    if (heads.empty()) return new TRestNote;
    if (heads.size() == 1) return new TMusicNote(heads[0].position, 2, heads[0].accidental);
    auto* chord = new TChordData;
    for (const THead& h : heads) {
      auto* note = new TMusicNote(h.position, 2, h.accidental);
      if (!chord->AddNote(note)) delete note;
    }
    return chord;
  }

  static void SetTieOut(TNotatedItem* item, bool on) {
    for (int h = 0; h < NtnHeadCount(item); ++h) NtnSetAttr(NtnHead(item, h), naTieOut, on);
  }

  TMusicStaff* staff_;
  const TBarGrid& bars_;
  const long noteTicks_;
  long written_ = 0;
  std::vector<TSounding> sounding_;
  TOverflow overflow_;
  bool pedalDown_ = false;
  int keyCount_ = 0;
};

TMusicStaff* NewStaff(const char* name, const char* group) {
  auto* staff = new TMusicStaff;
  staff->SetName(name);
  if (group) staff->SetGroupName(group);
  return staff;
}

// A track's name, else its instrument, cut to the staff's name length and trimmed.
std::string TrackStaffName(const TSMFTrackData& track) {
  std::string name = track.Name(TSMFTrackData::kTrackName);
  if (name.empty()) name = track.Name(TSMFTrackData::kInstrumentName);
  if (name.size() > size_t(kNameChars)) name.resize(size_t(kNameChars));
  const size_t first = name.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = name.find_last_not_of(" \t");
  return name.substr(first, last - first + 1);
}

int16_t KeySigCount(const TMidiEvent& e) { return int16_t(uint16_t(e.b[0] | e.b[1] << 8)); }

TMusicStaff* ConductorStaff(TSMFData& data, const TBarGrid& bars, TImportCancelCheck cancel) {
  TMusicStaff* staff = NewStaff("Tempo Track", "Conductor");
  const TSMFTrackData* track = data.Track(0);
  if (!track) return staff;
  TImportConverter converter(*staff, bars, 5);
  const TMidiFileBuf& events = track->Events();
  for (int32_t i = 0, n = events.EventCount(); i < n && converter.HasRoom(); ++i) {
    if (cancel && cancel()) break;
    const TMidiEvent e = events.EventAt(i);
    switch (MidiEventType(e)) {
      case kMidiEventTempo: converter.Tempo(e.tick, MidiEventTempoBpm(e)); break;
      case kMidiEventTimeSig: converter.TimeSignature(e.tick, e.b[0], e.b[1]); break;
      case kMidiEventKeySig: converter.KeySignature(e.tick, KeySigCount(e)); break;
      default: break;
    }
  }
  return staff;
}

int LowestChannel(uint16_t mask) {
  for (int c = 0; c < 16; ++c)
    if (mask >> c & 1) return c;
  return 0;
}

// The staves of one instruction: one, and further ones that carry the music on when a staff fills.
std::vector<TMusicStaff*> InstructionStaves(TSMFData& data, const TSMFImportInstructions& instruction,
                                            const TBarGrid& bars, TImportCancelCheck cancel) {
  std::vector<TMusicStaff*> staves = {NewStaff("", nullptr)};
  TMusicStaff* staff = staves.front();
  staff->SetChannel(LowestChannel(instruction.channelMask));
  const TSMFTrackData* track = data.Track(instruction.track);
  if (!track) return staves;
  staff->SetName(TrackStaffName(*track).c_str());
  staff->SetPort(track->Port());
  TImportConverter converter(*staff, bars, instruction.noteResolution);
  converter.SetOverflow([&staves] {
    TMusicStaff* next = NewStaff(staves.front()->GetName(), nullptr);
    next->SetChannel(staves.front()->GetChannel());
    next->SetPort(staves.front()->GetPort());
    next->SetInstrument(staves.front()->GetInstrument());
    staves.push_back(next);
    return next;
  });
  const TMidiFileBuf& events = track->Events();
  for (int32_t i = 0, n = events.EventCount(); i < n && converter.EnsureRoom(kReserveSlots + kSwitchMargin); ++i) {
    if ((i & 255) == 0 && cancel && cancel()) break;
    const TMidiEvent e = events.EventAt(i);
    if (MidiEventType(e) == kMidiEventKeySig) {
      converter.KeySignature(e.tick, KeySigCount(e));
      continue;
    }
    if (!IsMidiShortEvent(e) || !(instruction.channelMask >> MidiEventChannel(e) & 1)) continue;
    const int key = e.b[1] & 0x7F;
    const bool inRange = key >= instruction.lowestPitch && key <= instruction.highestPitch;
    if (IsMidiNoteStart(e)) {
      if (inRange) converter.NoteOn(e.tick, key);
    } else if (IsMidiNoteEnd(e)) {
      if (inRange) converter.NoteOff(e.tick, key);
    } else if (MidiEventClass(e) == kMidiControl && e.b[1] == 64) {
      if (instruction.Has(TSMFImportInstructions::kPedalMarks)) converter.Pedal(e.tick, e.b[2] >= 64);
    } else if (MidiEventClass(e) == kMidiProgram) {
      converter.Program(e.tick, e.b[1] & 0x7F, instruction.Has(TSMFImportInstructions::kPatchChanges));
    }
  }
  return staves;
}

// --- Lyric staves ---

struct TSyllable {
  long tick;
  std::string text;
};

std::vector<TSyllable> ReadSyllables(TSMFTrackData& track, TLyricMode mode) {
  std::vector<TSyllable> syllables;
  const int wanted = mode == TLyricMode::kKaraokeText ? 1 : 5;
  TQXTSegRamStream& texts = track.Texts();
  const uint32_t end = texts.Tell();
  texts.Seek(0);
  for (int i = 0; i < track.TextCount() && !texts.IsFailed(); ++i) {
    const long tick = texts.ReadInt32();
    const int type = texts.GetByte();
    std::string text;
    for (char c = char(texts.GetByte()); c != '\0' && !texts.IsFailed(); c = char(texts.GetByte())) text += c;
    if (type != wanted || text.size() < 2) continue;
    if (mode == TLyricMode::kKaraokeText && text[0] == '@') continue;
    if (text.size() > size_t(kMaxSyllable)) text.resize(size_t(kMaxSyllable));
    syllables.push_back({tick, text});
  }
  texts.Seek(end);
  return syllables;
}

bool TrackHasLyrics(TSMFTrackData& track, TLyricMode mode) {
  switch (mode) {
    case TLyricMode::kLyricEvents: return track.HasLyrics();
    case TLyricMode::kKaraokeText: return track.HasText();
    default: return false;
  }
}

bool IsSeparator(char c) { return std::strchr("- \r\n\\/", c) != nullptr && c != '\0'; }
bool IsTrailingSeparator(char c) { return std::strchr("- \r\n", c) != nullptr && c != '\0'; }
bool IsLineBreakOnly(const std::string& s) { return s.find_first_not_of("\r\n") == std::string::npos; }

// The syllables as lyric text lines: separators lead or trail the syllables (whichever the track
// uses more), and a syllable without one takes the track's usual separator.
std::vector<std::string> BuildLyricLines(const std::vector<TSyllable>& syllables) {
  int leading = 0, trailing = 0, blanks = 0, hyphens = 0;
  for (const TSyllable& s : syllables) {
    const char first = s.text.front(), last = s.text.back();
    if (IsSeparator(first)) ++leading;
    if (IsSeparator(last)) ++trailing;
    for (char c : {first, last}) {
      if (c == ' ') ++blanks;
      if (c == '-') ++hyphens;
    }
  }
  const bool trails = trailing >= leading;
  const char fallback = blanks >= hyphens ? ' ' : '-';
  std::vector<std::string> lines(1);
  auto newLine = [&lines] { lines.emplace_back(); };
  char pending = 0;
  for (const TSyllable& s : syllables) {
    if (IsLineBreakOnly(s.text)) {
      newLine();
      pending = 0;
      continue;
    }
    std::string text = s.text;
    char separator = fallback;
    if (trails) {
      if (IsTrailingSeparator(text.back())) {
        separator = text.back();
        text.pop_back();
      }
    } else if (IsSeparator(text.front())) {
      const char lead = text.front();
      text.erase(0, 1);
      if (lead == '\\' || lead == '/') {
        newLine();
        if (lead == '\\') newLine();
        pending = 0;
      } else if (lead == '\r' || lead == '\n') {
        newLine();
        pending = 0;
      } else {
        pending = lead;
      }
    }
    for (char& c : text)
      if (c == ' ' || c == '-' || c == '\t' || c == '\r' || c == '\n') c = '_';
    if (text.empty()) continue;
    std::string& line = lines.back();
    if (pending == ' ' && line.size() + 1 + text.size() > size_t(kLyricLineWidth)) {
      newLine();
      pending = 0;
    }
    if (pending && !lines.back().empty()) lines.back() += pending;
    lines.back() += text;
    pending = 0;
    if (!trails) continue;
    if (separator == '\r' || separator == '\n' || separator == '/') newLine();
    else if (separator == '\\') {
      newLine();
      newLine();
    } else pending = separator;
  }
  return lines;
}

TMusicStaff* BuildLyricStaff(TSMFTrackData& track, TLyricMode mode, const TBarGrid& bars) {
  const std::vector<TSyllable> syllables = ReadSyllables(track, mode);
  TMusicStaff* staff = NewStaff(TrackStaffName(track).c_str(), "Lyrics");
  staff->SetLineCount(1);
  if (syllables.empty()) return staff;
  TImportConverter converter(*staff, bars, 4);
  std::vector<long> starts;
  for (const TSyllable& s : syllables)
    if (!IsLineBreakOnly(s.text) && (starts.empty() || s.tick > starts.back())) starts.push_back(s.tick);
  for (size_t k = 0; k < starts.size() && converter.HasRoom(); ++k) {
    converter.NoteOn(starts[k], kLyricKey);
    const long end = k + 1 < starts.size() ? std::min(starts[k + 1], starts[k] + 384) : starts[k] + 192;
    converter.NoteOff(end, kLyricKey);
  }
  auto* verse = new TLyricText;
  bool previousEmpty = false;
  for (const std::string& line : BuildLyricLines(syllables)) {
    const bool empty = verse->ParseTextLine(line.c_str(), previousEmpty, true) == 0;
    previousEmpty = empty;
  }
  auto* lyrics = new TStaffLyrics;
  lyrics->AddLine(verse);
  staff->SetLyrics(lyrics);
  return staff;
}

// --- Finishing ---

struct TStaffPlan {
  TMusicStaff* staff;
  TSMFImportInstructions instruction;
  bool lyric;
  bool lyricBelow;
};

long StaffLength(const TMusicStaff& staff) { return staff.GetTicksBetween(0, staff.LastIndex()); }

bool Cancelled(TImportCancelCheck cancel) { return cancel && cancel(); }

// Clones of the conductor's items of one kind with their ticks.
std::vector<std::pair<long, TNotatedItem*>> SignaturesOf(const TMusicStaff& conductor, int type) {
  std::vector<std::pair<long, TNotatedItem*>> found;
  long tick = 0;
  for (int i = 1; i < conductor.LastIndex(); ++i) {
    TNotatedItem* item = conductor.GetItem(i);
    if (item->GetType() == type) found.push_back({tick, item});
    tick += item->GetDuration();
  }
  return found;
}

TNotatedItem* CopySignature(const TNotatedItem* item) {
  if (item->GetType() == ntTimeSignature) {
    auto* t = static_cast<const TTimeSignatureData*>(item);
    return new TTimeSignatureData(t->GetBeats(), t->GetBeatCode(), t->GetStyle());
  }
  auto* k = static_cast<const TKeyData*>(item);
  auto* copy = new TKeyData;
  copy->SetMasks(k->GetFlatMask(), k->GetSharpMask());
  return copy;
}

void CopySignaturesIn(TMusicStaff& staff, const TMusicStaff& conductor, int type) {
  for (const auto& [tick, item] : SignaturesOf(conductor, type)) {
    TNotatedItem* copy = CopySignature(item);
    if (!staff.InsertAtTick(copy, tick)) delete copy;
  }
}

void FormatStaff(TMusicStaff& staff, const TSMFImportInstructions& instruction, const TMusicStaff& conductor,
                 bool isConductor, bool isLyric, TImportCancelCheck cancel) {
  staff.RemoveRedundantItems();
  const bool conductorHasTime = staff.CountItemsOfKind(ntTimeSignature) > 0 || conductor.CountItemsOfKind(ntTimeSignature) > 0;
  if (!isConductor && conductor.CountItemsOfKind(ntTimeSignature) > 0) CopySignaturesIn(staff, conductor, ntTimeSignature);
  if (!conductorHasTime) staff.InsertItem(new TTimeSignatureData(4, 2), 1);
  if (!isConductor && staff.CountItemsOfKind(ntKey) == 0) CopySignaturesIn(staff, conductor, ntKey);
  // Positions grow downwards: a staff whose notes "lie high" in positions sounds low.
  const int clef = staff.LiesHigh() ? clBass : clTreble;
  staff.InsertItem(new TClefData(clef), 1);
  if (clef != clTreble) TStaffRange(&staff, 1, staff.LastIndex() - 1).ShiftPositions(-12);
  if (Cancelled(cancel)) return;
  staff.Rebar();
  staff.ResolveAccidentals(true);
  AuditStaff(&staff, -1, -1);
  if (Cancelled(cancel)) return;
  const bool compound = instruction.Has(TSMFImportInstructions::kCompoundTime);
  staff.ConsolidateNotes(compound, NtnDurationToTicks(std::clamp<int>(instruction.restResolution, 0, 6)));
  staff.MergeFullBarRests();
  staff.RemoveRedundantItems();
  AuditStaff(&staff, -1, -1);
  if (Cancelled(cancel)) return;
  if (instruction.Has(TSMFImportInstructions::kAutoBeam) && !isLyric) staff.AutoBeam(compound);
  staff.Transpose(0, 0);
  staff.ResolveAccidentals(true);
}

void PadWithRests(TMusicStaff& staff, long length, const TBarGrid& bars) {
  TImportConverter converter(staff, bars, TSMFImportInstructions::kFinestResolution);
  converter.StartAt(StaffLength(staff));
  converter.Advance(length);
}

bool FinishImportedScore(TMusicScore& score, std::vector<TStaffPlan>& plans, const TBarGrid& bars,
                         TImportCancelCheck cancel) {
  std::unique_ptr<TMusicStaff> conductor(score.RemoveStaff(0));
  conductor->RemoveRedundantItems();
  long longest = StaffLength(*conductor);
  for (const TStaffPlan& plan : plans) longest = std::max(longest, StaffLength(*plan.staff));
  for (const TStaffPlan& plan : plans) PadWithRests(*plan.staff, longest, bars);
  conductor->TruncateAtTick(longest);

  const TMusicStaff* previous = nullptr;
  bool previousHasLyricStaff = false;
  for (size_t k = 0; k < plans.size(); ++k) {
    if (Cancelled(cancel)) return false;
    TStaffPlan& plan = plans[k];
    TMusicStaff& staff = *plan.staff;
    if (plan.lyric) {
      TSMFImportInstructions lyricInstruction;
      lyricInstruction.noteResolution = 4;
      lyricInstruction.restResolution = 2;
      FormatStaff(staff, lyricInstruction, *conductor, false, true, cancel);
      TStaffRange all(&staff, 1, staff.LastIndex() - 1);
      all.HideItems();
      all.MuteNotes();
      const int upper = previous && previousHasLyricStaff ? previous->GetUpperSize() + 5 : 15;
      staff.SetVerticalSize(-3, upper);
    } else {
      FormatStaff(staff, plan.instruction, *conductor, false, false, cancel);
      int high = 0, low = 0;
      TStaffRange(&staff, 1, staff.LastIndex() - 1).GetPositionExtent(high, low);
      const int highest = k == 0 ? -14 : -10;
      staff.SetVerticalSize(std::min(high, highest), std::max(low, 10));
    }
    previous = &staff;
    previousHasLyricStaff = plan.lyricBelow;
  }
  if (Cancelled(cancel)) return false;
  FormatStaff(*conductor, TSMFImportInstructions{}, *conductor, true, false, cancel);
  conductor->SetVerticalSize(-14, 12);
  score.AppendStaff(conductor.release());
  return !Cancelled(cancel);
}

void CopySongTexts(TMusicScore& score, const TSMFData& data) {
  TScoreInfoBlock& info = score.Info();
  auto copy = [](char* to, size_t size, const char* from) {
    std::strncpy(to, from, size - 1);
    to[size - 1] = '\0';
  };
  copy(info.title, sizeof info.title, data.Text(TSMFData::kTitle));
  copy(info.author, sizeof info.author, data.Text(TSMFData::kAuthor));
  copy(info.copyright1, sizeof info.copyright1, data.Text(TSMFData::kCopyright1));
  copy(info.copyright2, sizeof info.copyright2, data.Text(TSMFData::kCopyright2));
}

}  // namespace

std::vector<TMusicStaff*> BuildStavesFromInstruction(TSMFData& data, const TSMFImportInstructions& instruction,
                                                     TImportCancelCheck cancel) {
  return InstructionStaves(data, instruction, TBarGrid(data.Track(0)), cancel);
}

TMusicStaff* BuildConductorStaff(TSMFData& data, TImportCancelCheck cancel) {
  return ConductorStaff(data, TBarGrid(data.Track(0)), cancel);
}

std::unique_ptr<TMusicScore> ConvertMidiToScore(TSMFData& data, const TSMFImportInstructionList& instructions,
                                                TLyricMode lyrics, TImportCancelCheck cancel,
                                                TImportProgress* progress) {
  // The earlier line's scores keep no lyric staves of an imported file: its text and lyric events
  // stay out.
  if constexpr (kEarlierLine) lyrics = TLyricMode::kNone;
  auto score = std::make_unique<TMusicScore>();
  CopySongTexts(*score, data);
  const TBarGrid bars(data.Track(0));
  score->AppendStaff(ConductorStaff(data, bars, cancel));

  std::vector<bool> hasLyrics(size_t(std::max(data.TrackCount(), 1)), false);
  long steps = long(instructions.size());
  for (int t = 0; t < data.TrackCount(); ++t) {
    TSMFTrackData* track = data.Track(t);
    hasLyrics[size_t(t)] = track && TrackHasLyrics(*track, lyrics);
    if (hasLyrics[size_t(t)]) ++steps;
  }
  auto advance = [&] {
    if (progress) progress->Advance(kImportStepsPerStaff);
  };
  if (progress) progress->Start(int(std::min(steps * kImportStepsPerStaff, long(INT_MAX))), kImportProgressMessage);

  std::vector<TStaffPlan> plans;
  std::vector<bool> lyricBuilt(hasLyrics.size(), false);
  auto add = [&](TMusicStaff* staff, const TSMFImportInstructions& instruction, bool lyric) {
    score->MakeStaffNameUnique(staff);
    score->AppendStaff(staff);
    plans.push_back({staff, instruction, lyric, false});
  };
  auto tryLyricStaff = [&](int t) -> TMusicStaff* {
    if (t < 0 || t >= data.TrackCount() || lyricBuilt[size_t(t)] || !hasLyrics[size_t(t)]) return nullptr;
    lyricBuilt[size_t(t)] = true;
    TMusicStaff* staff = BuildLyricStaff(*data.Track(t), lyrics, bars);
    advance();
    if (staff->GetLyrics() && staff->HasNoteOrChord()) return staff;
    delete staff;
    return nullptr;
  };

  for (const TSMFImportInstructions& instruction : instructions) {
    if (Cancelled(cancel)) return nullptr;
    for (TMusicStaff* staff : InstructionStaves(data, instruction, bars, cancel)) add(staff, instruction, false);
    advance();
    if (TMusicStaff* lyricStaff = tryLyricStaff(instruction.track)) {
      plans.back().lyricBelow = true;
      add(lyricStaff, TSMFImportInstructions{}, true);
    }
  }
  for (int t = 0; t < data.TrackCount(); ++t) {
    if (Cancelled(cancel)) return nullptr;
    if (TMusicStaff* lyricStaff = tryLyricStaff(t)) add(lyricStaff, TSMFImportInstructions{}, true);
  }
  if (Cancelled(cancel) || !FinishImportedScore(*score, plans, bars, cancel)) return nullptr;
  return score;
}
