// Random scores (notes, chords, rests, bars and repeats, endings, jumps, tempi, signatures,
// pedals, lyrics) performed from a random start tick, seeked, and exported as format 0 and 1:
// every walk ends, and our reader takes back every file the writer made without an error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TimeSignatureData.h"
#include "foundation/QXTSegRamStream.h"
#include "midi/MidiFileBuf.h"
#include "midi/SMFExportStream.h"
#include "midi/SMFImport.h"
#include "midi/ScoreMidiPlayer.h"

namespace {

constexpr size_t kMaxItemsPerStaff = 300;

TNotatedItem* MakeItem(uint8_t kind, uint8_t value) {
  const int code = 1 + value % 6, position = int(value % 17) - 8;
  switch (kind % 16) {
    case 0: return new TBarLineData(value % 8, 1 + value / 64);
    case 1: return new TTimeSignatureData(1 + value % 12, value % 6);
    case 2: return new TSpecialEnding(value);
    case 3: return new TSustainPedal(value & 1);
    case 4: {
      auto* key = new TKeyData;
      key->SetLetterSharp(value % 7);
      return key;
    }
    case 5: return new TTempoData(20 + value);
    case 6: return new TFlowDirection(value % 10);
    case 7: return new TTempoVariance(value % 4, value / 4);
    case 8: return new TRestNote(code);
    case 9: {
      auto* chord = new TChordData;
      for (int p : {position, position - 2 - int(kind % 3)}) {
        auto* head = new TMusicNote(p, code);
        if (!chord->AddNote(head)) delete head;
      }
      return chord;
    }
    default: {
      auto* note = new TMusicNote(position, code);
      if (kind & 0x80) note->SetAttribute(naTieOut);
      if (kind & 0x40) note->SetAttribute(naDotted);
      note->SyncNotes();
      return note;
    }
  }
}

bool ReadsBack(TQXTSegRamStream& file) {
  file.Seek(0);
  TSMFData data;
  return ImportMidiFile(data, file, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool installed = (InstallAuditPass(), true);
  (void)installed;
  if (size < 4) return 0;
  TMusicScore score;
  const int staves = 1 + data[0] % 3;
  for (int s = 0; s < staves; ++s) {
    auto* staff = new TMusicStaff;
    staff->SetChannel(s);
    staff->SetMuted(data[1] >> s & 0x10 ? 1 : 0);
    score.AppendStaff(staff);
  }
  for (size_t i = 4; i + 1 < size; i += 2) {
    TMusicStaff* staff = score.GetStaff(int(i / 2) % staves);
    if (size_t(staff->ItemCount()) < kMaxItemsPerStaff) staff->AppendItem(MakeItem(data[i], data[i + 1]));
  }
  // The input's bytes as lyrics of the first staff: syllables, hyphens and line breaks.
  if (data[1] & 8) {
    auto* lyrics = new TStaffLyrics;
    auto* verse = new TLyricText;
    std::string text;
    for (size_t i = 4; i < size && text.size() < 400; ++i) text += char(data[i] % 5 == 0 ? ' ' : data[i] % 7 == 0 ? '-' : 'a' + data[i] % 26);
    verse->ParseTextLine(text.c_str(), false, false);
    verse->ParseTextLine("la la-la", true, false);
    lyrics->AddLine(verse);
    score.GetStaff(0)->SetLyrics(lyrics);
  }
  TMidiFileBuf list(16);
  list.Allocate(4);
  TScoreMidiPlayer player;
  player.SetScore(&score);
  player.Perform(list, int32_t(data[2]) * 48);
  for (int32_t i = 1; i < list.EventCount(); ++i) {
    if (list.EventAt(i).tick < list.EventAt(i - 1).tick) std::abort();
  }
  player.SeekAll(int32_t(data[3]) * 96);
  player.SeekAll(int32_t(data[3]) * 12);
  for (int format : {0, 1}) {
    TQXTSegRamStream file(4096);
    const TSMFExportOptions options{TSMFHeaderInfo(data[1] % 3), (data[1] & 4) != 0};
    if (!WriteScoreAsMidi(file, score, format, options)) std::abort();
    if (!ReadsBack(file)) std::abort();
  }
  return 0;
}
