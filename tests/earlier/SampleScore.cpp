#include "tests/earlier/SampleScore.h"

#include <cstdio>
#include <cstring>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {

TMusicNote* Note(int position, int code, int accidental, int attribute = -1) {
  auto* n = new TMusicNote(position, code, accidental);
  if (attribute >= 0) n->SetAttribute(attribute);
  return n;
}

TSongNote* Grouped(TSongNote* n, int beam, int triplet, int stem) {
  n->SetBeamState(beam);
  n->SetTripletState(triplet);
  n->SetStemDirection(stem);
  return n;
}

void Add(TMusicStaff& staff, TNotatedItem* item) { staff.AppendItem(item); }

void FillMelody(TMusicStaff& staff) {
  Add(staff, new TClefData(clTreble));
  auto* key = new TKeyData;
  key->SetMasks(0x13, 0);  // three flats
  Add(staff, key);
  Add(staff, new TTimeSignatureData(3, 2));
  auto* tempo = new TTempoData(96, TTempoData::tbDottedQuarter);
  tempo->SetPosition(-9);
  tempo->SetNameIndex(8);
  tempo->SetShown(true, true);
  tempo->SetText("Allegro");
  Add(staff, tempo);
  auto* dynamic = new TDynamicLevelData(TDynamicLevelData::dynMF);
  dynamic->SetPosition(9);
  dynamic->SetOverride(0, true);
  dynamic->SetVelocity(90);
  dynamic->SetVolume(100);
  Add(staff, dynamic);
  Add(staff, Grouped(Note(-3, 3, acFlat, naStaccato), 1, 0, 1));
  Add(staff, Grouped(Note(-2, 3, acNone, naAccent), 2, 0, 1));
  Add(staff, Grouped(Note(0, 3, acSharp, naTieOut), 3, 0, 1));
  Add(staff, Grouped(Note(0, 3, acNone, naTieIn), 0, 1, 2));
  Add(staff, Grouped(Note(1, 3, acNatural), 0, 2, 2));
  Add(staff, Grouped(Note(2, 3, acNone, naDotted), 0, 3, 2));
  Add(staff, new TBarLineData(TBarLineData::blSingle));
  auto* chord = new TChordData;
  chord->AddNote(Note(4, 2, acNone));
  chord->AddNote(Note(0, 2, acSharp));
  chord->AddNote(Note(-3, 2, acFlat));
  Add(staff, chord);
  auto* rest = new TRestNote(2);
  rest->SetVerticalOffset(-2);
  Add(staff, rest);
  auto* restChord = new TRestChord(2);
  restChord->AddNote(Note(3, 1, acNone));
  Add(staff, restChord);
  Add(staff, new TBarLineData(TBarLineData::blSingle));
  Add(staff, new TSpecialEnding(3));
  auto* text = new TTextExpression;
  text->SetText("dolce");
  text->SetFont(2);
  text->SetPosition(-11);
  Add(staff, text);
  Add(staff, new TTempoVariance(TTempoVariance::tvFermata, 2));
  Add(staff, new TPerformanceStyle(5));
  Add(staff, new TDynamicVariance(1));
  Add(staff, Note(-4, 1, acNone, naGrace));
  Add(staff, Note(-1, 0, acDoubleFlat));
  Add(staff, new TFlowDirection(TFlowDirection::fdDaCapo));

  auto* lyrics = new TStaffLyrics;
  auto* line = new TLyricText;
  line->Append("La", ' ', false);
  line->Append("la", '-', false);
  lyrics->AddLine(line);
  staff.SetLyrics(lyrics);
}

void FillBass(TMusicStaff& staff) {
  Add(staff, new TClefData(clBass));
  TStaffInstrument instrument{1, 3, 33};
  Add(staff, new TPatchData(&instrument));
  auto* pedal = new TSustainPedal(1);
  pedal->SetPosition(9);
  Add(staff, pedal);
  auto* controller = new TGenericControl;
  controller->SetController(1);
  controller->SetSetting(0, 0, 90);
  Add(staff, controller);
  Add(staff, Note(3, 1, acNone));
  Add(staff, new TBarLineData(TBarLineData::blDouble));
  Add(staff, new TSustainPedal(0));
  Add(staff, new TRestNote(0));
}

void Line(std::string& out, const char* format, int a = 0, int b = 0, int c = 0, int d = 0, int e = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b, c, d, e);
  out += text;
}

void DigestSongNote(std::string& out, const TSongNote& n) {
  // Attributes 0 to 13: the later line's two direction-given bits are not part of the content.
  Line(out, " dur=%d attr=%04x beam=%d trip=%d stem=%d", n.GetDurationCode(), n.GetAttributeWord() & 0x3FFF,
       n.GetBeamState(), n.GetTripletState(), n.GetStemCode());
  Line(out, " space=%d/%d slur=%d", n.GetExtraAccidentalSpace(), n.GetExtraNoteSpace(), n.IsSlurDown());
}

void DigestNote(std::string& out, const TMusicNote& n) {
  DigestSongNote(out, n);
  Line(out, " pos=%d acc=%d tie=%d", n.GetPosition(), n.GetAccidental(), n.IsTieDown());
}

void DigestItem(std::string& out, const TNotatedItem& item) {
  Line(out, "type %d:", item.GetType());
  switch (item.GetType()) {
    case ntClef: Line(out, " clef=%d", static_cast<const TClefData&>(item).GetClef()); break;
    case ntKey: {
      const auto& k = static_cast<const TKeyData&>(item);
      Line(out, " flats=%x sharps=%x", k.GetFlatMask(), k.GetSharpMask());
      break;
    }
    case ntTimeSignature: {
      const auto& t = static_cast<const TTimeSignatureData&>(item);
      Line(out, " beats=%d code=%d", t.GetBeats(), t.GetBeatCode());
      break;
    }
    case ntBarLine: {
      const auto& b = static_cast<const TBarLineData&>(item);
      Line(out, " style=%d repeat=%d", b.GetStyle(), b.GetRepeatCount());
      break;
    }
    case ntSpecialEnding: Line(out, " mask=%x", static_cast<int>(static_cast<const TSpecialEnding&>(item).GetMask())); break;
    case ntPatch: {
      const TStaffInstrument& p = static_cast<const TPatchData&>(item).GetPatch();
      Line(out, " bank=%d/%d patch=%d", p.bankSelect, p.bank, p.patch);
      break;
    }
    case ntTempo: {
      const auto& t = static_cast<const TTempoData&>(item);
      Line(out, " pos=%d tempo=%d base=%d", t.GetPosition(), t.GetQuarterTempo(), t.GetBase());
      out += " name=" + t.GetText();
      break;
    }
    case ntDynamicLevel: {
      const auto& d = static_cast<const TDynamicLevelData&>(item);
      Line(out, " pos=%d dyn=%d given=%d%d", d.GetPosition(), d.GetDynamic(), d.GetOverride(0), d.GetOverride(1));
      Line(out, " vel=%d vol=%d", d.GetVelocity(), d.GetVolume());
      break;
    }
    case ntNote: DigestNote(out, static_cast<const TMusicNote&>(item)); break;
    case ntChord: {
      DigestNote(out, static_cast<const TMusicNote&>(item));
      for (int i = 0; i < item.GetNoteCount(); ++i) {
        out += " |";
        DigestNote(out, *item.GetNote(i));
      }
      break;
    }
    case ntRest:
    case ntRestChord: {
      const auto& r = static_cast<const TRestNote&>(item);
      DigestSongNote(out, r);
      Line(out, " offset=%d", r.GetVerticalOffset());
      if (item.GetType() == ntRestChord && static_cast<const TRestChord&>(item).GetChordPart()) {
        out += " part";
        DigestNote(out, *static_cast<const TRestChord&>(item).GetChordPart());
      }
      break;
    }
    case ntSustainPedal: {
      const auto& p = static_cast<const TSustainPedal&>(item);
      Line(out, " pos=%d state=%d", p.GetPosition(), p.GetState());
      break;
    }
    case ntFlowDirection: Line(out, " style=%d", static_cast<const TFlowDirection&>(item).GetStyle()); break;
    case ntGenericControl: {
      const auto& c = static_cast<const TGenericControl&>(item);
      Line(out, " kind=%d mode=%d res=%d/%d", c.GetController(), c.GetSweepMode(), c.GetTimeResolution(),
           c.GetSweepResolution());
      for (int i = 0; i < TGenericControl::kSettings; ++i)
        Line(out, " [%d %d %d]", c.GetSetting(i).present, c.GetSetting(i).offset, c.GetSetting(i).value);
      break;
    }
    case ntTempoVariance: {
      const auto& t = static_cast<const TTempoVariance&>(item);
      Line(out, " pos=%d style=%d pause=%d wide=%d", t.GetPosition(), t.GetStyle(), t.GetPause(), t.IsWide());
      break;
    }
    case ntDynamicVariance: {
      const auto& d = static_cast<const TDynamicVariance&>(item);
      Line(out, " pos=%d style=%d wide=%d", d.GetPosition(), d.GetStyle(), d.IsWide());
      break;
    }
    case ntPerformanceStyle: {
      const auto& p = static_cast<const TPerformanceStyle&>(item);
      Line(out, " pos=%d style=%d wide=%d", p.GetPosition(), p.GetStyle(), p.IsWide());
      break;
    }
    case ntTextExpression: {
      const auto& t = static_cast<const TTextExpression&>(item);
      Line(out, " pos=%d font=%d wide=%d ", t.GetPosition(), t.GetFont(), t.IsWide());
      out += t.GetText();
      break;
    }
    default: break;
  }
  out += "\n";
}

}  // namespace

std::unique_ptr<TMusicScore> BuildSampleScore() {
  auto score = std::make_unique<TMusicScore>();
  std::strcpy(score->Info().title, "Sample");
  auto* melody = new TMusicStaff;
  FillMelody(*melody);
  score->AppendStaff(melody);
  auto* bass = new TMusicStaff;
  FillBass(*bass);
  bass->SetChannel(1);
  score->AppendStaff(bass);
  return score;
}

std::string DigestItems(const TMusicStaff& staff, int first, int last) {
  std::string out;
  for (int i = first; i <= last; ++i) DigestItem(out, *staff.GetItem(i));
  return out;
}

std::string DigestStaff(const TMusicStaff& staff) {
  std::string out = std::string("staff ") + staff.GetName() + "\n";
  Line(out, "channel=%d port=%d muted=%d sizes=%d/%d\n", staff.GetChannel(), staff.GetPort(), staff.IsMuted(),
       staff.GetUpperSize(), staff.GetLowerSize());
  if (const TStaffLyrics* lyrics = staff.GetLyrics()) {
    for (int i = 0; i < lyrics->GetLineCount(); ++i) {
      char text[256];
      lyrics->GetLine(i)->FormatForEdit(text, sizeof text);
      out += std::string("lyrics ") + text + "\n";
    }
  }
  return out + DigestItems(staff, 1, staff.LastIndex() - 1);
}

std::string DigestScore(const TMusicScore& score) {
  std::string out = std::string("title ") + score.Info().title + "\n";
  for (int i = 0; i < score.StaffCount(); ++i) out += DigestStaff(*score.GetStaff(i));
  return out;
}
