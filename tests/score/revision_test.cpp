// Files of every older format version, built here byte by byte from the record layouts of each
// version: each loads to the model its version describes and saves back as the current version.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"
#include "tests/score/ScoreBytes.h"

namespace {

// Visibility 1 and colour 2, as the common byte stores them (colour in bits 3-4).
constexpr int kCommonByte = 1 | (2 << 3);

// ---- the fixture, written the way a file of version v holds it ----

struct Fixture {
  int v;
  TScoreBytes b;

  void Common() {
    if (v > 9) b.Byte(kCommonByte);
  }
  void Header(int position, int placement) {
    if (v > 10) b.Byte(position).Byte(placement);
  }
  // Song-note words: duration code 3 with spaces, beam 1, triplet 2, stem 1, slur downwards,
  // lyric mode 2, and the attribute bits given.
  void SongFields(int code, int storedAttributes, int oldSlur = 0) {
    b.Int16(code | (2 << 4) | (1 << 8));
    int group = 1 | (2 << 2) | (1 << 4) | (2 << 7);
    group |= v < 4 ? (oldSlur << 6) : 0x40;
    b.Int16(group);
    b.Int16(storedAttributes);
  }
  // A note head: position, accidental, tie downwards, muted.
  void PitchWord(int position, int accidental) {
    if (v > 4)
      b.Int16((position & 0xFF) | (accidental << 8) | (1 << 11) | (1 << 12));
    else
      b.Int16((position & 0xFF) | ((accidental == acNone ? 3 : accidental) << 8) | (1 << 10));
  }
  void Note(int position, int accidental, int storedAttributes) {
    b.Int16(ntNote);
    Common();
    SongFields(2, storedAttributes);
    PitchWord(position, accidental);
    if (v < 16) b.Int16(0x7777);
  }
  void Bar(int style, bool systemBreak, int count) {
    b.Int16(ntBarLine);
    Common();
    b.Int16(style | (systemBreak ? 0x80 : 0) | (count << 8));
  }

  void Items() {
    b.Int16(ntClef);
    Common();
    b.Int16(1);
    if (v > 3) b.Int16(2);

    b.Int16(ntKey);
    Common();
    b.Int16(0x12).Int16(0).Int16(2);
    if (v > 2) b.Int16(0x40).Int16(0x01);

    Bar(5, true, 3);

    b.Int16(ntSpecialEnding);
    Common();
    b.Int16(0x8003);

    b.Int16(ntPatch);
    Common();
    Header(-9, 2 << 3);
    b.Int16(1).Int16(300).Int16(20);

    b.Int16(ntTimeSignature);
    Common();
    b.Int16(3).Int16(3);
    if (v >= 3) b.Int16(0);

    b.Int16(ntTempo);
    Common();
    if (v > 10) {
      Header(-11, 1);
      b.Int16(135).Byte(3).Str("Gently");
    } else {
      b.Int16(-11).Int16(135);
      if (v > 2) b.Int16(3);
      if (v > 3) b.Int16(0x20 | 0x40 | 5);  // shown, wide, name 5
    }

    b.Int16(ntDynamicLevel);
    Common();
    if (v > 10) {
      Header(9, 0);
      b.Byte(5 | 0x20).Int16(100).Int16(-56);
    } else if (v >= 4) {
      b.Int16((9 << 8) | 0x10 | 0x80 | 5 | 0x20);
      b.Int16(100).Int16(-56);
    } else {
      b.Int16(9).Int16(0x35);
    }

    b.Int16(ntNote);
    Common();
    // double dotted, staccato, accent, slur out, grace, tie direction given
    SongFields(3, (1 << 0) | (1 << 1) | (1 << 5) | (1 << 8) | (1 << 13) | (1 << 14), 2);
    PitchWord(-3, acFlat);
    if (v < 16) b.Int16(0x7777);

    b.Int16(ntRest);
    Common();
    SongFields(1, 0);
    if (v > 8) b.Int16(0x0FFE);

    b.Int16(ntChord);
    Common();
    SongFields(2, 1 << 6);
    PitchWord(0, acNone);
    // Before version 16 the chord's note payload carries its unused word, and the chord one more.
    if (v < 16) b.Int16(0x7777).Int16(0x7777);
    b.Int16(2);
    Note(-1, acNone, 1 << 6);
    Note(2, acSharp, 1 << 6);

    b.Int16(ntSustainPedal);
    Common();
    if (v > 10) {
      Header(10, 0);
      b.Byte(1);
    } else {
      b.Int16(10).Int16(1);
    }

    b.Int16(ntFlowDirection);
    Common();
    Header(-12, 0);
    b.Int16(4);

    b.Int16(ntGenericControl);
    Common();
    Header(-8, 1);
    b.Int16(25).Int16(1).Int16(3).Int16(5);
    for (int i = 0; i < 4; ++i) b.Int16(i == 2).Int16(i == 2 ? 4 : 0).Int16(90);

    b.Int16(ntTempoVariance);
    Common();
    if (v > 10) {
      Header(-8, 0);
      b.Byte(1).Byte(4);
    } else {
      b.Int16((static_cast<uint8_t>(-8) << 8) | 1).Int16(4);
    }

    b.Int16(ntDynamicVariance);
    Common();
    if (v > 10) {
      Header(8, 1);
      b.Byte(2);
    } else {
      b.Int16((8 << 8) | 0x80 | 2);
    }

    b.Int16(ntPerformanceStyle);
    Common();
    if (v > 10) {
      Header(8, 0);
      b.Byte(7);
    } else {
      b.Int16((8 << 8) | 7);
    }

    b.Int16(ntTextExpression);
    Common();
    if (v > 10) {
      Header(-6, 0);
      b.Byte(3).Str("Hello");
    } else {
      b.Int16((static_cast<uint8_t>(-6) << 8) | 0x10 | 3).Str("Hello");
    }

    b.Int16(ntTextExpression);
    Common();
    if (v > 10) {
      Header(5, 0);
      b.Byte(4).Str("");
    } else {
      b.Int16((5 << 8) | 4).Str("");
    }

    b.Int16(ntRestChord);
    Common();
    SongFields(1, 0);
    if (v > 8) b.Int16(3);
    b.Int16(1);
    Note(4, acNatural, 1 << 7);
  }
  static constexpr int kItemCount = 20;

  void Staff(const char* name, const char* group, bool withItems, bool withLyrics) {
    b.Str(name).Str(group);
    if (v >= 9) b.Byte(3);
    b.Int16(1).Int16(2).Int16(1);
    b.Int16(1).Int16(200).Int16(41);
    b.Int16(1).Int16(-2).Int16(20);
    if (v >= 16) b.Byte(6);
    if (v >= 8) b.Int16(1);
    b.Int16(-12).Int16(100).Int16(30);
    if (v >= 10) b.Byte(2);
    if (v >= 4) {
      b.Int16(withLyrics ? 1 : 0);
      if (withLyrics) {
        b.Int16(1);
        if (v > 7) b.Int16(v == 15 ? -1 : 3).Int16(-3);
        b.Int16(16).Int16(10).Raw({0, 1, 'l', 'a', 0, '-', 'l', 'a', 0, 0, 0, 0, 0, 0, 0, 0});
      }
    }
    b.Int16(0).Int16(0);
    const int count = withItems ? kItemCount : 0;
    b.Int16(count + 2);
    if (v <= 8) Bar(0, false, 1);
    if (withItems) Items();
    if (v <= 8) Bar(3, false, 1);
  }

  std::vector<unsigned char> Build() {
    b.Header(v);
    b.Str("T").Str("A").Str("C1").Str("C2").Str("Cm");
    b.Str("NN_").Str("F2");
    if (v > 3) b.Int16(2).Int16(5);
    if (v >= 6) {
      b.Str("1.25 0.75 0.5 2").Byte(1).Int16(7);
      if (v > 7) {
        b.Byte(0x03);
        for (int i = 1; i < 32; ++i) b.Byte(0);
        b.Byte(0xFF);
      }
      if (v < 7) {
        b.Int16(20);
      } else {
        b.Int16(18);
        const int fonts = v < 15 ? 10 : 12;
        for (int i = 0; i < fonts; ++i) b.Str("F" + std::to_string(i)).Byte(i & 3).Int16(10 + i).Byte(i);
      }
      b.Byte(0x00).Byte(1).Int16(3);
    }
    b.Int16(3);
    Staff("Violin", "Str", true, false);
    Staff("Voice", "Voc", false, true);
    Staff("Viola", "Str", false, false);
    return b.bytes;
  }
};

// ---- what each version must load to ----

void ExpectInformation(const TMusicScore& s, int v) {
  EXPECT_STREQ(s.Info().title, "T");
  EXPECT_STREQ(s.Info().comments, "Cm");
  EXPECT_EQ(s.GetExtendLastSystem(), v <= 5);
  EXPECT_EQ(s.GetDurationSpacing(), v <= 5);
  EXPECT_EQ(s.GetMeasureNumberStyle(), v > 3 ? 2 : 0);
  EXPECT_EQ(s.GetMeasureStart(), v > 3 ? 5 : 1);
  const TMusicFontsData& fonts = *s.GetFonts();
  if (v < 6) {
    EXPECT_FLOAT_EQ(s.GetMargin(0), 0.5f);
    EXPECT_EQ(s.GetZoomIndex(), 8);
    EXPECT_EQ(fonts.GetStaffSize(), 16);
    EXPECT_TRUE(s.GetTitlePageInfo());
    EXPECT_EQ(s.GetPageNumberingFrom(), 0);
    return;
  }
  EXPECT_FLOAT_EQ(s.GetMargin(0), 1.25f);
  EXPECT_FLOAT_EQ(s.GetMargin(1), 0.75f);
  EXPECT_FLOAT_EQ(s.GetMargin(3), 2.0f);
  EXPECT_EQ(s.GetMirrorMargins(), 1);
  EXPECT_EQ(s.GetZoomIndex(), v < 15 ? 6 : 7);
  EXPECT_EQ(s.GetAllowLayering(), v > 7);
  if (v < 7) {
    EXPECT_EQ(fonts.GetStaffSize(), 32);  // 20 x 8 / 5
    EXPECT_STREQ(fonts.GetFont(0).face, "Times New Roman");
    EXPECT_EQ(fonts.GetFont(0).size, 20);  // 32 x 5 / 8
  } else {
    EXPECT_EQ(fonts.GetStaffSize(), 18);
    EXPECT_STREQ(fonts.GetFont(9).face, "F9");
    EXPECT_EQ(fonts.GetFont(9).size, 19);
    EXPECT_EQ(fonts.GetFont(9).charset, 9);
    // Files before version 15 hold ten fonts; the last two keep their defaults.
    EXPECT_STREQ(fonts.GetFont(11).face, v < 15 ? "Times New Roman" : "F11");
  }
  EXPECT_FALSE(s.GetTitlePageInfo());
  EXPECT_EQ(s.GetStaffLabels(), 1);
  EXPECT_EQ(s.GetPageNumberingFrom(), 3);
}

void ExpectSelection(const TMusicScore& s, int v) {
  // From version 8 the selection is stored (staves 0 and 1); before it, the staves of the first
  // staff's group (0 and 2).
  EXPECT_TRUE(s.Selection().GetBit(0));
  EXPECT_EQ(s.Selection().GetBit(1), v >= 8);
  EXPECT_EQ(s.Selection().GetBit(2), v < 8);
  EXPECT_EQ(s.Selection().CountBits(true), 2);
}

void ExpectStaffSettings(const TMusicStaff& staff, int v) {
  EXPECT_STREQ(staff.GetName(), "Violin");
  EXPECT_STREQ(staff.GetGroupName(), "Str");
  EXPECT_EQ(staff.GetEndBarStyle(), v >= 9 ? 3 : 0);
  const auto* tail = static_cast<const TBarLineData*>(staff.GetItem(staff.LastIndex()));
  EXPECT_EQ(tail->GetStyle(), v >= 9 ? TBarLineData::blDouble : TBarLineData::blSectionClose);
  EXPECT_EQ(staff.IsMuted(), 1);
  EXPECT_EQ(staff.GetChannel(), 2);
  EXPECT_EQ(staff.GetPort(), 1);
  EXPECT_TRUE((staff.GetInstrument() == TStaffInstrument{1, 200, 41}));
  EXPECT_EQ(staff.GetLineCount(), v >= 16 ? 6 : 5);
  EXPECT_EQ(staff.GetUpperSize(), v >= 16 ? -6 : -5);  // -2 is clamped to the line count
  EXPECT_EQ(staff.GetLowerSize(), 20);
  EXPECT_EQ(staff.GetLayerWithNext(), v >= 8 ? 1 : 0);
  EXPECT_EQ(staff.GetTransposition(), -12);
  EXPECT_EQ(staff.GetVolume(), 100);
  EXPECT_EQ(staff.GetPan(), 30);
  EXPECT_EQ(staff.GetColor(), v >= 10 ? 2 : 0);
}

void ExpectLyrics(const TMusicStaff& voice, int v) {
  if (v < 4) {
    EXPECT_EQ(voice.GetLyrics(), nullptr);
    return;
  }
  ASSERT_NE(voice.GetLyrics(), nullptr);
  const TStaffLyrics& lyrics = *voice.GetLyrics();
  ASSERT_EQ(lyrics.GetLineCount(), 1);
  TLyric second(lyrics.GetLine(0), 1);
  EXPECT_STREQ(second.Syllable(), "la");
  EXPECT_EQ(second.Separator(), '-');
  EXPECT_EQ(lyrics.GetFirstSetting(), v > 7 && v != 15 ? 1 : 0);
  EXPECT_EQ(lyrics.GetSecondSetting(), v > 15 ? 1 : 0);
  EXPECT_EQ(lyrics.GetOffset(), v > 7 ? -3 : 0);
}

template <class T>
const T& At(const TMusicStaff& staff, int i) {
  return *static_cast<const T*>(staff.GetItem(i));
}

void ExpectItems(const TMusicStaff& staff, int v) {
  ASSERT_EQ(staff.ItemCount(), Fixture::kItemCount + 2);
  const int vis = v > 9 ? 1 : 0;
  const int color = v > 9 ? 2 : 0;
  for (int i = 1; i < staff.LastIndex(); ++i) {
    EXPECT_EQ(staff.GetItem(i)->GetColor(), color) << i;
    const int type = staff.GetItem(i)->GetType();
    // Older forms hide some marks themselves; those are checked below.
    if (type != ntTempo && type != ntDynamicLevel && !(type == ntTextExpression && i == 19)) {
      EXPECT_EQ(staff.GetItem(i)->GetVisibility(), vis) << i;
    }
  }
  const auto& clef = At<TClefData>(staff, 1);
  EXPECT_EQ(clef.GetClef(), clBass);
  EXPECT_EQ(clef.GetOctaveShift(), v > 3 ? 2 : 0);

  const auto& key = At<TKeyData>(staff, 2);
  EXPECT_EQ(key.GetFlatMask(), 0x12);
  EXPECT_EQ(key.GetCancelStyle(), 2);
  EXPECT_EQ(key.GetCancelledFlats(), v > 2 ? 0x40 : 0);

  const auto& bar = At<TBarLineData>(staff, 3);
  EXPECT_EQ(bar.GetStyle(), 5);
  EXPECT_EQ(bar.GetRepeatCount(), 3);
  EXPECT_EQ(bar.HasSystemBreak(), v > 11);

  EXPECT_EQ(At<TSpecialEnding>(staff, 4).GetMask(), 0x8003u);  // zero-extended

  const auto& patch = At<TPatchData>(staff, 5);
  EXPECT_TRUE((patch.GetPatch() == TStaffInstrument{1, 300, 20}));
  EXPECT_EQ(patch.GetPosition(), v > 10 ? -9 : -8);
  EXPECT_EQ(patch.GetPlacement(), v > 10 ? 2 : 1);
  EXPECT_EQ(patch.IsWide(), v <= 10);

  const auto& time = At<TTimeSignatureData>(staff, 6);
  EXPECT_EQ(time.GetBeats(), 3);
  EXPECT_EQ(time.GetBeatCode(), 3);

  const auto& tempo = At<TTempoData>(staff, 7);
  EXPECT_EQ(tempo.GetPosition(), -11);
  EXPECT_EQ(tempo.GetQuarterTempo(), 135);
  EXPECT_EQ(tempo.GetBase(), v > 2 ? 3 : 2);
  EXPECT_EQ(tempo.GetText(), v > 10 ? "Gently" : (v > 3 ? "Andante" : ""));
  EXPECT_TRUE(tempo.IsWide());
  EXPECT_EQ(tempo.GetVisibility(), vis);

  const auto& dynamic = At<TDynamicLevelData>(staff, 8);
  EXPECT_EQ(dynamic.GetPosition(), 9);
  EXPECT_EQ(dynamic.GetDynamic(), 5);
  EXPECT_EQ(dynamic.GetOverride(0), v >= 4);
  if (v < 4) {
    EXPECT_EQ(dynamic.GetVelocity(), 255);
    EXPECT_EQ(dynamic.GetVolume(), 255);
    EXPECT_EQ(dynamic.GetVisibility(), 0);
  } else {
    EXPECT_EQ(dynamic.GetVelocity(), 100);
    EXPECT_EQ(dynamic.GetVolume(), 200);  // the low 8 bits of the stored word
    EXPECT_EQ(dynamic.GetVisibility(), v < 10 ? 3 : vis);
    EXPECT_EQ(dynamic.IsWide(), v <= 10);
  }

  const auto& note = At<TMusicNote>(staff, 9);
  EXPECT_EQ(note.GetPosition(), -3);
  EXPECT_EQ(note.GetAccidental(), acFlat);
  EXPECT_TRUE(note.IsTieDown());
  EXPECT_EQ(note.IsMuted(), v > 15);
  EXPECT_EQ(note.GetDurationCode(), 3);
  EXPECT_EQ(note.GetExtraAccidentalSpace(), v > 8 ? 2 : 0);
  EXPECT_EQ(note.GetExtraNoteSpace(), v > 8 ? 1 : 0);
  EXPECT_EQ(note.GetBeamState(), 1);
  EXPECT_EQ(note.GetTripletState(), 2);
  EXPECT_EQ(note.GetStemCode(), 1);
  EXPECT_EQ(note.IsSlurDown(), v >= 4);
  EXPECT_EQ(note.GetLyricMode(), v >= 13 ? 2 : 0);
  EXPECT_EQ(note.HasAttribute(naDoubleDotted), v >= 5);
  EXPECT_TRUE(note.HasAttribute(naStaccato));
  EXPECT_TRUE(note.HasAttribute(naAccent));
  // Before version 4 the slur came from the group word (2: both ways); later from bit 8.
  EXPECT_TRUE(note.HasAttribute(naSlurOut));
  EXPECT_EQ(note.HasAttribute(naSlurIn), v < 4);
  EXPECT_EQ(note.HasAttribute(naGrace), v > 6);
  EXPECT_EQ(note.HasAttribute(naTieDirGiven), v > 9);

  const auto& rest = At<TRestNote>(staff, 10);
  EXPECT_EQ(rest.GetDurationCode(), 1);
  EXPECT_EQ(rest.GetVerticalOffset(), v > 8 ? -2 : 0);
  EXPECT_FALSE(rest.HasExplicitLength());

  const auto& chord = At<TChordData>(staff, 11);
  ASSERT_EQ(chord.GetNoteCount(), 2);
  const TNotatedItem& chordItem = chord;
  EXPECT_EQ(chordItem.GetNote(0)->GetPosition(), 2);  // sorted lowest note first
  EXPECT_EQ(chordItem.GetNote(1)->GetPosition(), -1);
  EXPECT_EQ(chordItem.GetNote(0)->GetAccidental(), acSharp);
  EXPECT_EQ(chordItem.GetNote(1)->GetAccidental(), acNone);

  const auto& pedal = At<TSustainPedal>(staff, 12);
  EXPECT_EQ(pedal.GetState(), 1);
  EXPECT_EQ(pedal.GetPosition(), 10);
  EXPECT_EQ(pedal.IsWide(), v < 10);

  const auto& flow = At<TFlowDirection>(staff, 13);
  EXPECT_EQ(flow.GetStyle(), TFlowDirection::fdDaCapo);
  EXPECT_EQ(flow.GetPosition(), v > 10 ? -12 : -10);

  const auto& control = At<TGenericControl>(staff, 14);
  EXPECT_EQ(control.GetController(), 0);  // 25 is out of range
  EXPECT_EQ(control.GetSweepMode(), 1);
  EXPECT_EQ(control.GetTimeResolution(), 3);
  EXPECT_EQ(control.GetSetting(2).present, 1);
  EXPECT_EQ(control.GetSetting(2).offset, 4);
  EXPECT_EQ(control.GetSetting(2).value, 90);

  const auto& variance = At<TTempoVariance>(staff, 15);
  EXPECT_EQ(variance.GetStyle(), TTempoVariance::tvFermata);
  EXPECT_EQ(variance.GetPause(), 4);
  EXPECT_EQ(variance.GetPosition(), -8);
  // A fermata that is not wide moves under the staff's top, centred, before version 12.
  EXPECT_EQ(variance.GetPlacement(), v <= 11 ? 3 : 0);
  EXPECT_EQ(variance.GetJustify(), v <= 11 ? 1 : 0);

  const auto& dynVariance = At<TDynamicVariance>(staff, 16);
  EXPECT_EQ(dynVariance.GetStyle(), 2);
  EXPECT_EQ(dynVariance.IsWide(), true);
  EXPECT_EQ(dynVariance.GetPosition(), 8);

  const auto& style = At<TPerformanceStyle>(staff, 17);
  EXPECT_EQ(style.GetStyle(), 7);
  EXPECT_FALSE(style.IsWide());

  const auto& text = At<TTextExpression>(staff, 18);
  EXPECT_EQ(text.GetText(), "Hello");
  EXPECT_EQ(text.GetFont(), 3);
  EXPECT_EQ(text.IsWide(), v <= 10);
  EXPECT_EQ(text.GetPosition(), -6);

  const auto& empty = At<TTextExpression>(staff, 19);
  EXPECT_EQ(empty.GetText(), "<Text Expression>");
  EXPECT_TRUE(empty.IsWide());
  EXPECT_EQ(empty.GetVisibility(), 3);
  EXPECT_EQ(empty.GetFont(), 0);
  EXPECT_EQ(empty.GetPosition(), -8);

  const auto& restChord = At<TRestChord>(staff, 20);
  EXPECT_EQ(restChord.GetVerticalOffset(), v > 8 ? 3 : 0);
  ASSERT_NE(restChord.GetChordPart(), nullptr);
  EXPECT_EQ(restChord.GetChordPart()->GetPosition(), 4);
  EXPECT_EQ(restChord.GetChordPart()->HasAttribute(naRestChordStem), v >= 4);
}

class EveryRevision : public ::testing::TestWithParam<int> {};

TEST_P(EveryRevision, LoadsToItsModelAndSavesAsTheCurrentVersion) {
  const int v = GetParam();
  Fixture fixture{v, {}};
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score = LoadScoreBytes(fixture.Build(), info);
  ASSERT_TRUE(score);
  ASSERT_EQ(info.status, v == 16 ? slRead : slConverted);
  EXPECT_EQ(info.version, v);
  EXPECT_EQ(score->IsConverted(), v < 16);
  ASSERT_EQ(score->StaffCount(), 3);
  ExpectInformation(*score, v);
  ExpectSelection(*score, v);
  ExpectStaffSettings(*score->GetStaff(0), v);
  ExpectLyrics(*score->GetStaff(1), v);
  ExpectItems(*score->GetStaff(0), v);
  EXPECT_EQ(score->GetStaff(2)->ItemCount(), 2);

  // Saved, it is a current file that reads back as the same model, and the flags of conversion
  // are gone.
  const std::vector<unsigned char> saved = SaveScoreBytes(*score);
  EXPECT_FALSE(score->IsConverted());
  const size_t versionAt = TScoreBytes().Header(16).bytes.size() - 2;
  ASSERT_GT(saved.size(), versionAt + 1);
  EXPECT_EQ(saved[versionAt] | (saved[versionAt + 1] << 8), 16);
  TScoreLoadInfo again;
  std::unique_ptr<TMusicScore> reread = LoadScoreBytes(saved, again);
  ASSERT_TRUE(reread);
  EXPECT_EQ(again.status, slRead);
  EXPECT_EQ(SaveScoreBytes(*reread), saved);
}

INSTANTIATE_TEST_SUITE_P(Versions, EveryRevision, ::testing::Range(0, 17));

// The attribute word of a note record reads as its stored bits setting their attributes one by
// one in order 0 to 15 (so that of two excluding attributes the later bit wins), each bit only
// from the version that stores it; every stored word of each version that changes the layout.
constexpr int kStoredBitAttribute[16] = {naDoubleDotted, naStaccato, naDotted,      naTieIn,       naTieOut,  naAccent,
                                         naChordMember,  naRestChordStem, naSlurOut, naSlurIn,      naTenuto,  naAttribute10,
                                         naAttribute11,  naGrace,    naTieDirGiven, naSlurDirGiven};
constexpr int kStoredBitSince[16] = {5, 0, 0, 0, 0, 0, 0, 4, 4, 4, 5, 5, 5, 7, 10, 10};

TEST(StoredAttributes, EveryWordReadsAsItsBitsSetInOrder) {
  for (int v : {0, 3, 4, 5, 6, 7, 9, 10, 16}) {
    // Before version 4 the group word's slur bits set attributes before the stored word.
    for (int oldSlur : v < 4 ? std::vector<int>{0, 1, 2, 3} : std::vector<int>{0}) {
      int mismatches = 0;
      for (int stored = 0; stored < 0x10000; ++stored) {
        Fixture f{v, {}};
        f.b.Int16(ntNote);
        f.Common();
        f.SongFields(2, stored, oldSlur);
        f.PitchWord(0, acNone);
        if (v < 16) f.b.Int16(0);
        TQXTFlatRamStream s = ViewOf(f.b.bytes);
        TNotatedItem* item = nullptr;
        ASSERT_EQ(LoadNotatedItem(v, s, item), 1);
        std::unique_ptr<TNotatedItem> owned(item);
        TMusicNote expected;
        expected.SetAttributeWord(0);
        if (oldSlur == 1 || oldSlur == 2) expected.SetAttribute(naSlurOut);
        if (oldSlur == 2 || oldSlur == 3) expected.SetAttribute(naSlurIn);
        for (int bit = 0; bit < 16; ++bit)
          if ((stored >> bit) & 1 && v >= kStoredBitSince[bit]) expected.SetAttribute(kStoredBitAttribute[bit]);
        const uint16_t got = static_cast<TMusicNote*>(item)->GetAttributeWord();
        if (got != expected.GetAttributeWord() && ++mismatches <= 3)
          ADD_FAILURE() << "version " << v << " slur " << oldSlur << " stored 0x" << std::hex << stored << ": got 0x"
                        << got << ", expected 0x" << expected.GetAttributeWord();
      }
      EXPECT_EQ(mismatches, 0) << "version " << v;
    }
  }
}

}  // namespace
