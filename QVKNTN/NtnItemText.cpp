#include "QVKNTN/NtnItemText.h"

#include <cstring>
#include <string>

#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/NtnHelpers.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"
#include "foundation/QXTStream.h"
#include "foundation/VocabularyLists.h"

namespace {

// Free text goes out in slices well below the stream's 256-byte printf piece.
constexpr std::size_t kTextSlice = 200;
// A five-line staff needs leger lines from this distance from the middle line on.
constexpr int kLegerLineLimit = 6;
// The ending mask bit that stands for the default ending.
constexpr int kDefaultEndingBit = 7;

char YesNo(bool on) { return on ? 'Y' : 'N'; }
const char* Entry(int list, int entry) { return GetListEntry(list, entry); }

void PutText(TQXTStream& s, const std::string& text) {
  for (std::size_t at = 0; at < text.size(); at += kTextSlice) {
    const std::string slice = text.substr(at, kTextSlice);
    s.Printf("%s", slice.c_str());
  }
}

// Slur and tie directions name the given direction: entry 1 upwards, 2 downwards.
const char* DirectionName(bool down) { return Entry(kVocabDefaultUpwardDownward, down ? 2 : 1); }

void DurationText(TQXTStream& s, const TSongNote& note) {
  s.Printf("%s", Entry(kVocabDurations, note.GetDurationCode()));
  if (note.HasAttribute(naDoubleDotted)) s.Printf(",DblDotted");
  else if (note.HasAttribute(naDotted)) s.Printf(",Dotted");
  if (note.GetTripletState() != 0) s.Printf(",Triplet");
  if (note.IsGrace()) s.Printf(",Grace");
  if (note.HasAttribute(naStaccato)) s.Printf(",Staccato");
  if (note.HasAttribute(naTenuto)) s.Printf(",Tenuto");
  if (note.HasAttribute(naSlurOut)) s.Printf(",Slur");
  if (note.HasAttribute(naAccent)) s.Printf(",Accent");
}

void PitchText(TQXTStream& s, const TMusicNote& head, const TStaffContext& context) {
  char name[kNtnMidiNoteNameSize];
  NtnMidiNoteName(name, sizeof name, head.GetPitch(context));
  s.Printf("%s", name);
  if (head.HasAttribute(naTieOut)) s.Printf("^");
  s.Printf("@%d", head.GetPosition());
}

// The heads of a note or chord, those of one stem code only when stem >= 0.
void PitchTexts(TQXTStream& s, TMusicNote& part, const TStaffContext& context, int stem) {
  bool first = true;
  for (int h = 0; h < part.GetNoteCount(); ++h) {
    const TMusicNote* head = part.GetNote(h);
    if (!head || (stem >= 0 && head->GetStemCode() != stem)) continue;
    if (!first) s.Printf(",");
    PitchText(s, *head, context);
    first = false;
  }
}

// Options are written "|Opts:" before the first and "," before the others.
class TOptions {
 public:
  explicit TOptions(TQXTStream& s) : s_(s) {}
  void Add(const char* name) { s_.Printf("%s%s", Prefix(), name); }
  void Add(const char* name, const char* value) { s_.Printf("%s%s=%s", Prefix(), name, value); }
  void Add(const char* name, int value) { s_.Printf("%s%s=%d", Prefix(), name, value); }

 private:
  const char* Prefix() {
    const char* prefix = any_ ? "," : "|Opts:";
    any_ = true;
    return prefix;
  }
  TQXTStream& s_;
  bool any_ = false;
};

bool BeyondLegerLimit(TMusicNote& part) {
  for (int h = 0; h < part.GetNoteCount(); ++h) {
    const TMusicNote* head = part.GetNote(h);
    if (head && (head->GetPosition() >= kLegerLineLimit || head->GetPosition() <= -kLegerLineLimit)) return true;
  }
  return false;
}

void SlurOption(TOptions& opts, const TSongNote& note) {
  if (note.HasAttribute(naSlurOut) && note.HasAttribute(naSlurDirGiven))
    opts.Add("Slur", DirectionName(note.IsSlurDown()));
}

void LyricOption(TOptions& opts, const TSongNote& note) {
  if (note.GetLyricMode() != TSongNote::lyrDefault) opts.Add("Lyric", Entry(kVocabDefaultAlwaysNever, note.GetLyricMode()));
}

void NoteOptions(TQXTStream& s, TMusicNote& part) {
  TOptions opts(s);
  if (part.GetStemCode() != stAuto) opts.Add("Stem", part.GetStemSign() > 0 ? "Up" : "Down");
  if (part.GetBeamState() != 0) opts.Add("Beam", Entry(kVocabGroupPositions, part.GetBeamState()));
  if (part.GetExtraAccidentalSpace() != 0) opts.Add("XAccSpace", part.GetExtraAccidentalSpace());
  if (part.GetExtraNoteSpace() != 0) opts.Add("XNoteSpace", part.GetExtraNoteSpace());
  if (part.HasNoLegerLines() && BeyondLegerLimit(part)) opts.Add("NoLegerLines");
  SlurOption(opts, part);
  if (part.HasAttribute(naTieOut) && part.HasAttribute(naTieDirGiven)) opts.Add("Tie", DirectionName(part.IsTieDown()));
  LyricOption(opts, part);
  if (part.IsMuted()) opts.Add("Muted");
}

void RestOptions(TQXTStream& s, const TRestNote& rest) {
  TOptions opts(s);
  if (rest.GetVerticalOffset() != 0) opts.Add("VertOffset", rest.GetVerticalOffset());
  SlurOption(opts, rest);
  LyricOption(opts, rest);
}

void KeyRecord(TQXTStream& s, const TKeyData& key) {
  s.Printf("|Key|Signature:");
  for (int letter = ltA; letter <= ltG; ++letter) {
    const int bit = 1 << letter;
    const int accidental = (key.GetSharpMask() & bit) ? acSharp : (key.GetFlatMask() & bit) ? acFlat : acNatural;
    s.Printf("%s%s%s", letter == ltA ? "" : ",", Entry(kVocabNoteLetters, letter), Entry(kVocabAccidentals, accidental));
  }
}

void EndingRecord(TQXTStream& s, const TSpecialEnding& ending) {
  s.Printf("|Ending|Endings:");
  for (int bit = 0; bit <= kDefaultEndingBit; ++bit) {
    if (!(ending.GetMask() & (1u << bit))) continue;
    if (bit == kDefaultEndingBit) s.Printf("D");
    else s.Printf("%d", bit + 1);
  }
}

void ControllerRecord(TQXTStream& s, const TGenericControl& mpc) {
  s.Printf("|MPC|Controller:%s", Entry(kVocabControllers, mpc.GetController()));
  s.Printf("|Style:%s", Entry(kVocabControlShapes, mpc.GetSweepMode()));
  s.Printf("|TimeResolution:%s", Entry(kVocabDurations, mpc.GetTimeResolution()));
  s.Printf("|SweepResolution:%d", mpc.GetSweepResolution());
  for (int i = 0; i < TGenericControl::kSettings; ++i) {
    const TGenericControl::TSetting& setting = mpc.GetSetting(i);
    if (!setting.present) break;
    s.Printf("|Setting%d:", i + 1);
    s.Printf("%d,%d", setting.offset, setting.value);
  }
}

void ChordRecord(TQXTStream& s, TChordData& chord, const TStaffContext& context) {
  s.Printf("|Chord|Duration:");
  DurationText(s, chord);
  s.Printf("|PitchPos:");
  const bool split = chord.HasSplitStems();
  PitchTexts(s, chord, context, split ? chord.GetStemCode() : -1);
  NoteOptions(s, chord);
  if (!split) return;
  for (int h = 0; h < chord.GetNoteCount(); ++h) {
    const TMusicNote* other = chord.GetNote(h);
    if (!other || other->GetStemCode() == chord.GetStemCode()) continue;
    s.Printf("|Duration2:");
    DurationText(s, *other);
    s.Printf("|PitchPos2:");
    PitchTexts(s, chord, context, other->GetStemCode());
    return;
  }
}

void RestChordRecord(TQXTStream& s, TRestChord& rest, const TStaffContext& context) {
  s.Printf("|RestChord|Duration:");
  DurationText(s, rest);
  TMusicNote* part = rest.GetChordPart();
  if (!part) return;
  NoteOptions(s, *part);
  s.Printf("|Duration2:");
  DurationText(s, *part);
  s.Printf("|PitchPos2:");
  PitchTexts(s, *part, context, -1);
}

void ExpressionFields(TQXTStream& s, const TNtnGeneralExpression& e) {
  s.Printf("|StaffPos:%d", e.GetPosition());
  s.Printf("|Wide:%c", YesNo(e.IsWide()));
  s.Printf("|Justify:%s", Entry(kVocabAlignments, e.GetJustify()));
  s.Printf("|Placement:%s", Entry(kVocabBottomTop, e.GetPlacement()));
}

void KindRecord(TQXTStream& s, TNotatedItem* item, const TStaffContext& context) {
  switch (item->GetType()) {
    case ntClef: {
      const auto& clef = *static_cast<const TClefData*>(item);
      s.Printf("|Clef|Type:%s", Entry(kVocabClefs, clef.GetClef()));
      s.Printf("|OctaveShift:%s", Entry(kVocabOctaveShifts, clef.GetOctaveShift()));
      return;
    }
    case ntKey: KeyRecord(s, *static_cast<const TKeyData*>(item)); return;
    case ntBarLine: {
      const auto& bar = *static_cast<const TBarLineData*>(item);
      s.Printf("|Bar|Style:%s", Entry(kVocabBarLines, bar.GetStyle()));
      if (bar.GetStyle() == TBarLineData::blLocalRepeatClose) s.Printf("|Repeat:%d", bar.GetRepeatCount());
      s.Printf("|SysBreak:%c", YesNo(bar.HasSystemBreak()));
      return;
    }
    case ntSpecialEnding: EndingRecord(s, *static_cast<const TSpecialEnding*>(item)); return;
    case ntPatch: {
      const TStaffInstrument& patch = static_cast<const TPatchData*>(item)->GetPatch();
      s.Printf("|Instrument|Patch:%d", patch.patch);
      s.Printf("|BankSelect:%c", YesNo(patch.bankSelect != 0));
      if (patch.bankSelect) s.Printf("|Bank:%d", patch.bank);
      return;
    }
    case ntTimeSignature: {
      const auto& sig = *static_cast<const TTimeSignatureData*>(item);
      s.Printf("|TimeSig|Signature:%d/%d", sig.GetBeats(), 1 << sig.GetBeatCode());
      s.Printf("|Style:%s", Entry(kVocabTimeSignatureStyles, sig.GetStyle()));
      return;
    }
    case ntTempo: {
      const auto& tempo = *static_cast<const TTempoData*>(item);
      s.Printf("|Tempo|Base:%s", Entry(kVocabBeatUnits, tempo.GetBase()));
      s.Printf("|Tempo:%d", tempo.GetTempo(tempo.GetBase()));
      if (!tempo.GetText().empty()) {
        s.Printf("|Text:");
        PutText(s, tempo.GetText());
      }
      return;
    }
    case ntDynamicLevel: {
      const auto& dyn = *static_cast<const TDynamicLevelData*>(item);
      s.Printf("|Dynamic|Style:%s", Entry(kVocabDynamicLevels, dyn.GetDynamic()));
      s.Printf("|OverrideVelocity:%c", YesNo(dyn.GetOverride(0)));
      if (dyn.GetOverride(0)) s.Printf("|Velocity:%d", dyn.GetVelocity());
      s.Printf("|OverrideVolume:%c", YesNo(dyn.GetOverride(1)));
      if (dyn.GetOverride(1)) s.Printf("|Volume:%d", dyn.GetVolume());
      return;
    }
    case ntNote: {
      auto& note = *static_cast<TMusicNote*>(item);
      s.Printf("|Note|Duration:");
      DurationText(s, note);
      s.Printf("|PitchPos:");
      PitchText(s, note, context);
      NoteOptions(s, note);
      return;
    }
    case ntRest: {
      const auto& rest = *static_cast<const TRestNote*>(item);
      s.Printf("|Rest|Duration:");
      DurationText(s, rest);
      RestOptions(s, rest);
      return;
    }
    case ntChord: ChordRecord(s, *static_cast<TChordData*>(item), context); return;
    case ntSustainPedal:
      s.Printf("|SustainPedal|Style:%s", Entry(kVocabPedalMarks, static_cast<const TSustainPedal*>(item)->GetState() ? 0 : 1));
      return;
    case ntFlowDirection:
      s.Printf("|Flow|Style:%s", Entry(kVocabFlowDirections, static_cast<const TFlowDirection*>(item)->GetStyle()));
      return;
    case ntGenericControl: ControllerRecord(s, *static_cast<const TGenericControl*>(item)); return;
    case ntTempoVariance: {
      const auto& tv = *static_cast<const TTempoVariance*>(item);
      s.Printf("|TempoVariance|Style:%s", Entry(kVocabTempoVariances, tv.GetStyle()));
      if (tv.HasPause()) s.Printf("|Pause:%d", tv.GetPause());
      return;
    }
    case ntDynamicVariance:
      s.Printf("|DynamicVariance|Style:%s", Entry(kVocabDynamicVariances, static_cast<const TDynamicVariance*>(item)->GetStyle()));
      return;
    case ntPerformanceStyle:
      s.Printf("|Performance|Style:%s", Entry(kVocabPerformanceStyles, static_cast<const TPerformanceStyle*>(item)->GetStyle()));
      return;
    case ntTextExpression: {
      const auto& text = *static_cast<const TTextExpression*>(item);
      s.Printf("|Text|Text:");
      PutText(s, text.GetText());
      s.Printf("|Font:%s", Entry(kVocabTextFonts, text.GetFont()));
      return;
    }
    case ntRestChord: RestChordRecord(s, *static_cast<TRestChord*>(item), context); return;
    default: s.Printf("|Unknown|Type:%d", item->GetType()); return;
  }
}

// The flow name in its two parts: the word before the first blank and what follows it.
void FlowBrief(TQXTStream& s, int style) {
  const char* name = Entry(kVocabFlowDirections, style);
  const char* blank = std::strchr(name, ' ');
  const std::string head = blank ? std::string(name, std::size_t(blank - name)) : std::string(name);
  s.Printf("%s %s", head.c_str(), blank ? blank + 1 : "");
}

}  // namespace

void NtnItemClipText(TQXTStream& stream, const TAuditNtnIdx& at) {
  TNotatedItem* item = at.Current();
  if (!item) return;
  KindRecord(stream, item, at.Context());
  if (item->IsExpression()) ExpressionFields(stream, *static_cast<const TNtnGeneralExpression*>(item));
  stream.Printf("|Visibility:%s", Entry(kVocabDefaultAlwaysOnTopNever, item->GetVisibility()));
}

void NtnItemBriefText(TQXTStream& stream, const TAuditNtnIdx& at) {
  TNotatedItem* item = at.Current();
  if (!item) return;
  switch (item->GetType()) {
    case ntPatch: stream.Printf("{#%d}", static_cast<const TPatchData*>(item)->GetPatch().patch); return;
    case ntTimeSignature: {
      const auto& sig = *static_cast<const TTimeSignatureData*>(item);
      if (sig.GetStyle() == TTimeSignatureData::tsStandard) stream.Printf("%d/%d", sig.GetBeats(), 1 << sig.GetBeatCode());
      return;
    }
    case ntTempo: PutText(stream, static_cast<const TTempoData*>(item)->GetText()); return;
    case ntDynamicLevel:
      stream.Printf("%s", Entry(kVocabDynamicLevelMarks, static_cast<const TDynamicLevelData*>(item)->GetDynamic()));
      return;
    case ntFlowDirection: FlowBrief(stream, static_cast<const TFlowDirection*>(item)->GetStyle()); return;
    case ntTempoVariance: {
      const auto& tv = *static_cast<const TTempoVariance*>(item);
      if (!tv.HasPause()) stream.Printf("%s", tv.GetStyleName());
      return;
    }
    case ntDynamicVariance: stream.Printf("%s", static_cast<const TDynamicVariance*>(item)->GetStyleName()); return;
    case ntPerformanceStyle: stream.Printf("%s", static_cast<const TPerformanceStyle*>(item)->GetStyleName()); return;
    case ntTextExpression: PutText(stream, static_cast<const TTextExpression*>(item)->GetText()); return;
    default: return;
  }
}
