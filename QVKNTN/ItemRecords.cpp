// The payload of every item type in every format version. Older versions packed several fields
// into one word; the reader unpacks them into the current fields, the writer writes only the
// current form.
#include "QVKNTN/ItemRecords.h"

#include <cstdint>
#include <memory>
#include <string>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/NotatedItemFactory.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/ReadAheadStream.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"
#include "foundation/QXTSegRamStream.h"

namespace {

constexpr int kTextSize = 80;
constexpr uint16_t kCloneSegment = 1024;
// Expressions of files before version 11 carry no header: they stand above the staff, wide,
// with placement 1.
constexpr int kOldExpressionPosition = -8;
constexpr uint8_t kOldExpressionPlacement = 9;
constexpr const char* kDefaultText = "<Text Expression>";

// The earlier line's readers move marks that stood on or in the staff clear of it, and keep
// stored tempos within bounds.
constexpr int kEarlierFarthest = 30;
constexpr int kEarlierAbove = -7;
constexpr int kEarlierInside = 5;
constexpr int kEarlierOutside = 7;
constexpr int kEarlierOldDynamicFarthest = 25;
constexpr int kEarlierSlowestTempo = 5;

int EarlierOldDynamicPosition(int position) {
  const bool inside = position >= -kEarlierInside && position <= kEarlierInside;
  const bool far = position > kEarlierOldDynamicFarthest || position < -kEarlierOldDynamicFarthest;
  if (!inside && !far) return position;
  return position < 0 ? -kEarlierOutside : kEarlierOutside;
}

// Tempo names that files before version 11 referred to by index.
constexpr const char* kTempoNames[] = {"Largo",   "Larghetto",  "Adagio",  "Lento",  "Moderato", "Andante",
                                       "Andantino", "Allegretto", "Allegro", "Vivace", "Presto",   "Prestissimo"};
constexpr int kTempoNameCount = sizeof kTempoNames / sizeof kTempoNames[0];

// Stored attribute bits: which attribute each bit sets, and the first version that stores it.
struct TAttributeBit {
  int attribute;
  int sinceVersion;
};
constexpr TAttributeBit kAttributeBits[16] = {
    {naDoubleDotted, 5}, {naStaccato, 0},    {naDotted, 0},      {naTieIn, 0},
    {naTieOut, 0},       {naAccent, 0},      {naChordMember, 0}, {naRestChordStem, 4},
    {naSlurOut, 4},      {naSlurIn, 4},      {naTenuto, 5},      {naAttribute10, 5},
    {naAttribute11, 5},  {naGrace, 7},       {naTieDirGiven, 10}, {naSlurDirGiven, 10},
};

// Attributes that exclude each other: setting one clears the other.
constexpr int kExclusions[][2] = {{naDotted, naDoubleDotted}, {naStaccato, naTenuto}, {naAttribute10, naAttribute11}};

// The stored word decodes as if its bits set their attributes one by one, in order 0 to 15. A
// note record is read for almost every item of a score, so that walk is done once, here, by
// tables: the attributes of each byte of the word, the stored bits each version knows, and for
// each excluding pair the bit of each partner.
struct TAttributeTables {
  uint16_t low[256] = {};
  uint16_t high[256] = {};
  uint16_t knownBits[17] = {};
  int storedBit[16] = {};
};

constexpr TAttributeTables MakeAttributeTables() {
  TAttributeTables t;
  for (int byte = 0; byte < 256; ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      if (!(byte & (1 << bit))) continue;
      t.low[byte] = static_cast<uint16_t>(t.low[byte] | (1u << kAttributeBits[bit].attribute));
      t.high[byte] = static_cast<uint16_t>(t.high[byte] | (1u << kAttributeBits[bit + 8].attribute));
    }
  }
  for (int version = 0; version <= 16; ++version)
    for (int bit = 0; bit < 16; ++bit)
      if (version >= kAttributeBits[bit].sinceVersion)
        t.knownBits[version] = static_cast<uint16_t>(t.knownBits[version] | (1u << bit));
  for (int bit = 0; bit < 16; ++bit) t.storedBit[kAttributeBits[bit].attribute] = bit;
  return t;
}
constexpr TAttributeTables kAttributeTables = MakeAttributeTables();

constexpr uint16_t MakeExclusionPairBits() {
  uint16_t bits = 0;
  for (const auto& pair : kExclusions) bits = static_cast<uint16_t>(bits | (1u << pair[0]) | (1u << pair[1]));
  return bits;
}
constexpr uint16_t kExclusionPairBits = MakeExclusionPairBits();

// Adds the attributes of a stored word to `word`. Of two excluding attributes the one set last
// stays: the later stored bit when both are stored, else the stored one over what `word` held.
uint16_t DecodeStoredAttributes(uint16_t word, uint16_t stored, int version) {
  if (version < 0) return word;
  stored = static_cast<uint16_t>(stored & kAttributeTables.knownBits[version < 16 ? version : 16]);
  const uint16_t set = static_cast<uint16_t>(kAttributeTables.low[stored & 0xFF] | kAttributeTables.high[stored >> 8]);
  for (const auto& pair : kExclusions) {
    const unsigned a = 1u << pair[0];
    const unsigned b = 1u << pair[1];
    if (!(set & (a | b))) continue;
    word = static_cast<uint16_t>(word & ~(a | b));
    if ((set & a) && (set & b)) {
      const bool aLater = kAttributeTables.storedBit[pair[0]] > kAttributeTables.storedBit[pair[1]];
      word = static_cast<uint16_t>(word | (aLater ? a : b));
    } else {
      word = static_cast<uint16_t>(word | (set & (a | b)));
    }
  }
  return static_cast<uint16_t>(word | (set & ~kExclusionPairBits));
}

constexpr int kClefTypes = 4;
constexpr int kOctaveShifts = 3;
constexpr int kCancelStyles = 4;
constexpr int kBarStyles = 8;
constexpr int kTempoBases = 6;
constexpr int kDynamics = 8;
constexpr int kFlowStyles = 10;
constexpr int kControllers = kEarlierLine ? 5 : 18;
constexpr int kSweepModes = 2;
constexpr int kTimeResolutions = 8;
constexpr int kTempoVarianceStyles = 9;
constexpr int kPerformanceStyles = 23;
constexpr int kTimeSigStyles = 3;
constexpr int kMaxBeats = 100;
constexpr int kBeatCodes = 6;

template <class In>
int16_t ReadInt16(In& s) { return static_cast<int16_t>(s.ReadUInt16()); }
int ClampTo(int value, int count, int fallback) { return (value < 0 || value >= count) ? fallback : value; }

uint16_t WithAttribute(uint16_t word, int attribute) {
  word = static_cast<uint16_t>(word | (1u << attribute));
  for (const auto& pair : kExclusions) {
    if (attribute == pair[0]) word = static_cast<uint16_t>(word & ~(1u << pair[1]));
    if (attribute == pair[1]) word = static_cast<uint16_t>(word & ~(1u << pair[0]));
  }
  return word;
}

// ---- common parts ----

template <class In>
void ReadCommon(In& s, int version, TNotatedItem& item) {
  if (version <= 9) return;
  const int b = s.GetByte();
  item.SetVisibility(b & 3);
  item.SetColor((b >> 3) & 3);
}

void WriteCommon(TQXTStream& s, const TNotatedItem& item) {
  s.PutByte(static_cast<unsigned char>(item.GetVisibility() | (item.GetColor() << 3)));
}

template <class In>
void ReadExpressionHeader(In& s, int version, TNtnGeneralExpression& e) {
  if (version > 10) {
    e.SetPosition(static_cast<int8_t>(s.GetByte()));
    e.SetPlacementByte(s.GetByte());
    return;
  }
  e.SetPosition(kOldExpressionPosition);
  e.SetPlacementByte(kOldExpressionPlacement);
}

void WriteExpressionHeader(TQXTStream& s, const TNtnGeneralExpression& e) {
  s.PutByte(static_cast<unsigned char>(static_cast<int8_t>(e.GetPosition())));
  s.PutByte(e.GetPlacementByte());
}

// Before version 11 an expression's position sat in the high byte of its first word.
template <class In>
int ReadPacked(In& s, TNtnGeneralExpression& e) {
  const uint16_t word = s.ReadUInt16();
  e.SetPosition(static_cast<int8_t>(word >> 8));
  return word & 0xFF;
}

template <class In>
void ReadSongFields(In& s, int version, TSongNote& n) {
  const uint16_t sizes = s.ReadUInt16();
  const uint16_t group = s.ReadUInt16();
  const uint16_t stored = s.ReadUInt16();
  uint16_t attributes = 0;
  int spacing = 0;
  if (version > 8) spacing = ((sizes >> 4) & 0x0F) | (((sizes >> 8) & 0x0F) << 4);
  n.SetSpacingByte(static_cast<uint8_t>(spacing));
  const int beam = group & 3;
  const int triplet = (group >> 2) & 3;
  const int stem = (group >> 4) & 3;
  n.SetDurationByte(static_cast<uint8_t>((sizes & 0x0F) | (stem << 4) | (beam << 6)));
  int groupByte = triplet;
  if (version < 4) {
    switch ((group >> 6) & 3) {
      case 1: attributes = WithAttribute(attributes, naSlurOut); break;
      case 2:
        attributes = WithAttribute(attributes, naSlurOut);
        attributes = WithAttribute(attributes, naSlurIn);
        break;
      case 3: attributes = WithAttribute(attributes, naSlurIn); break;
      default: break;
    }
  } else if (group & 0x40) {
    groupByte |= 0x10;
  }
  if (version >= 13) groupByte |= ((group >> 7) & 3) << 2;
  n.SetGroupByte(static_cast<uint8_t>(groupByte));
  n.SetAttributeWord(DecodeStoredAttributes(attributes, stored, version));
}

void WriteSongFields(TQXTStream& s, const TSongNote& n) {
  s.WriteInt16(n.GetDurationCode() | (n.GetExtraAccidentalSpace() << 4) | (n.GetExtraNoteSpace() << 8));
  s.WriteInt16(n.GetBeamState() | (n.GetTripletState() << 2) | (n.GetStemCode() << 4) |
               (n.IsSlurDown() ? 0x40 : 0) | (n.GetLyricMode() << 7));
  uint16_t stored = 0;
  for (int bit = 0; bit < 16; ++bit)
    if (n.HasAttribute(kAttributeBits[bit].attribute)) stored = static_cast<uint16_t>(stored | (1u << bit));
  s.WriteInt16(stored);
}

template <class In>
void ReadPitchWord(In& s, int version, TMusicNote& n) {
  const uint16_t w = s.ReadUInt16();
  n.SetPosition(static_cast<int8_t>(w & 0xFF));
  int pitch = 0;
  if (version > 4) {
    int accidental = (w >> 8) & 7;
    if (accidental > acNone) accidental = acNone;
    pitch = accidental | (((w >> 11) & 1) << 3);
    if (version > 15) pitch |= (((w >> 12) & 1) << 5) | (((w >> 13) & 1) << 6) | (((w >> 14) & 1) << 7);
  } else {
    int accidental = (w >> 8) & 3;
    if (accidental == 3) accidental = acNone;
    pitch = accidental | (((w >> 10) & 1) << 3);
  }
  n.SetPitchByte(static_cast<uint8_t>(pitch));
}

void WritePitchWord(TQXTStream& s, const TMusicNote& n) {
  const uint8_t p = n.GetPitchByte();
  s.WriteInt16((static_cast<uint8_t>(static_cast<int8_t>(n.GetPosition()))) | ((p & 7) << 8) | (((p >> 3) & 1) << 11) |
               (((p >> 5) & 1) << 12) | (((p >> 6) & 1) << 13) | (((p >> 7) & 1) << 14));
}

template <class In>
std::string ReadText(In& s) {
  char text[kTextSize];
  s.ReadString(text, sizeof text);
  return text;
}

// ---- payloads by type ----

template <class In>
void ReadClef(In& s, int version, TClefData& c) {
  c.SetClef(ClampTo(ReadInt16(s), kClefTypes, clTreble));
  c.SetOctaveShift(version > 3 ? ClampTo(ReadInt16(s), kOctaveShifts, osNone) : osNone);
}

template <class In>
void ReadKey(In& s, int version, TKeyData& k) {
  const uint16_t flats = s.ReadUInt16();
  const uint16_t sharps = s.ReadUInt16();
  k.SetMasks(flats, sharps);
  k.SetCancelStyle(ClampTo(ReadInt16(s), kCancelStyles, 0));
  if (version <= 2) return;
  const uint16_t cancelledFlats = s.ReadUInt16();
  const uint16_t cancelledSharps = s.ReadUInt16();
  k.SetCancelledMasks(cancelledFlats, cancelledSharps);
}

template <class In>
void ReadBar(In& s, int version, TBarLineData& b) {
  const uint16_t w = s.ReadUInt16();
  int styleByte = ClampTo(w & 0x3F, kBarStyles, TBarLineData::blSingle);
  if (version > 11 && (w & 0x80)) styleByte |= 0x40;
  b.SetStyleByte(static_cast<uint8_t>(styleByte));
  b.SetRepeatCount(w >> 8);
}

template <class In>
void ReadTimeSignature(In& s, int version, TTimeSignatureData& t) {
  int beats = ReadInt16(s);
  int code = ReadInt16(s);
  if (beats < 0 || beats >= kMaxBeats) beats = 4;
  if (code < 0 || code >= kBeatCodes) code = 2;
  t.SetBeats(beats);
  t.SetBeatCode(code);
  const int style = version < 3 ? 0 : ClampTo(ReadInt16(s), kTimeSigStyles, 0);
  if (style != 0) t.SetStyle(style);
}

template <class In>
void ReadTempo(In& s, int version, TTempoData& t) {
  ReadExpressionHeader(s, version, t);
  if (version > 10) {
    const int tempo = ReadInt16(s);
    const int base = ClampTo(s.GetByte(), kTempoBases, TTempoData::tbQuarter);
    t.SetStored(tempo, base);
    t.SetText(ReadText(s));
    return;
  }
  int position = ReadInt16(s);
  int tempo = ReadInt16(s);
  const int base = version > 2 ? ClampTo(ReadInt16(s), kTempoBases, TTempoData::tbQuarter) : TTempoData::tbQuarter;
  if (kEarlierLine) {
    if (position > kEarlierFarthest || position < -kEarlierFarthest) position = kEarlierAbove;
    if (tempo < kEarlierSlowestTempo) tempo = kEarlierSlowestTempo;
  }
  t.SetPosition(position);
  t.SetStored(tempo, base);
  t.SetShownBits(TTempoData::kShowValue);
  if (version <= 3) {
    t.SetWide(true);
    return;
  }
  const int flags = ReadInt16(s);
  t.SetShownBits(flags & 0x3F);
  if (!kEarlierLine && !(flags & 0x30)) t.SetVisibility(TNotatedItem::visNever);
  t.SetWide(flags & 0x40);
  if (flags & 0x20) {
    const int name = flags & 0x0F;
    t.SetText(kTempoNames[name < kTempoNameCount ? name : 0]);
  }
}

template <class In>
void ReadDynamic(In& s, int version, TDynamicLevelData& d) {
  ReadExpressionHeader(s, version, d);
  int flags;
  if (version < 4) {
    d.SetPosition(kEarlierLine ? EarlierOldDynamicPosition(ReadInt16(s)) : ReadInt16(s));
    d.SetDynamic(ClampTo(ReadInt16(s) & 0x0F, kDynamics, kEarlierLine ? 0 : TDynamicLevelData::dynMP));
    d.SetVelocity(255);
    d.SetVolume(255);
    return;
  }
  if (version <= 10) {
    flags = ReadPacked(s, d);
    d.SetWide(flags & 0x10);
    // The earlier line has no visibility; its dynamic's hidden bit is kept in the same place.
    if (version < 10 && (flags & 0x80)) d.SetVisibility(TNotatedItem::visNever);
  } else {
    flags = s.GetByte();
  }
  d.SetDynamic(ClampTo(flags & 0x0F, kDynamics, TDynamicLevelData::dynMP));
  d.SetOverride(0, flags & 0x20);
  d.SetOverride(1, flags & 0x40);
  d.SetVelocity(ReadInt16(s) & 0xFF);
  d.SetVolume(ReadInt16(s) & 0xFF);
}

template <class In>
void ReadSustain(In& s, int version, TSustainPedal& p) {
  ReadExpressionHeader(s, version, p);
  if (version > 10) {
    p.SetState(s.GetByte());
    return;
  }
  int position = ReadInt16(s);
  int b = ReadInt16(s);
  if (kEarlierLine) {
    // The earlier pedal stores a plain state and stands clear of the staff.
    if (position >= -kEarlierInside && position <= kEarlierInside) position = position < 0 ? -kEarlierOutside : kEarlierOutside;
    p.SetPosition(position);
    p.SetWide(true);
    p.SetState(b != 0 ? 1 : 0);
    return;
  }
  p.SetPosition(position);
  if (version < 10) b |= 2;
  p.SetWide(b & 2);
  p.SetState(b & 1);
}

template <class In>
void ReadFlow(In& s, int version, TFlowDirection& f) {
  ReadExpressionHeader(s, version, f);
  const int style = ClampTo(ReadInt16(s), kFlowStyles, 0);
  f.SetStyle(style);
  if (version > 10) return;
  switch (style) {
    case TFlowDirection::fdCoda: f.SetPosition(-7); break;
    case TFlowDirection::fdFine: f.SetPosition(8); break;
    case TFlowDirection::fdDaCapo:
    case TFlowDirection::fdDCAlCoda:
    case TFlowDirection::fdDCAlFine: f.SetPosition(-10); break;
    default: f.SetPosition(-8); break;
  }
}

template <class In>
void ReadController(In& s, int version, TGenericControl& c) {
  ReadExpressionHeader(s, version, c);
  c.SetController(ClampTo(ReadInt16(s), kControllers, 0));
  c.SetSweepMode(ClampTo(ReadInt16(s), kSweepModes, 0));
  c.SetTimeResolution(ClampTo(ReadInt16(s), kTimeResolutions, 0));
  c.SetSweepResolution(ReadInt16(s));
  for (int i = 0; i < TGenericControl::kSettings; ++i) {
    TGenericControl::TSetting setting;
    setting.present = ReadInt16(s);
    setting.offset = ReadInt16(s);
    setting.value = ReadInt16(s);
    c.SetSettingRaw(i, setting);
  }
}

template <class In>
void ReadTempoVariance(In& s, int version, TTempoVariance& t) {
  ReadExpressionHeader(s, version, t);
  if (version > 10) {
    t.SetStyle(ClampTo(s.GetByte(), kTempoVarianceStyles, 0));
    t.SetPause(s.GetByte());
  } else {
    const int packed = ReadPacked(s, t);
    t.SetWide(packed & 0x80);
    t.SetStyle(ClampTo(packed & 0x7F, kTempoVarianceStyles, 0));
    t.SetPause(ReadInt16(s));
  }
  if (!kEarlierLine && version <= 11 && t.GetStyle() == TTempoVariance::tvFermata && !t.IsWide()) {
    t.SetPlacement(3);
    t.SetJustify(1);
  }
}

template <class In>
void ReadDynamicVariance(In& s, int version, TDynamicVariance& d) {
  ReadExpressionHeader(s, version, d);
  if (version > 10) {
    d.SetStyle(s.GetByte());
    return;
  }
  const int packed = ReadPacked(s, d);
  d.SetWide(packed & 0x80);
  d.SetStyle(packed & 0x7F);
}

template <class In>
void ReadPerformanceStyle(In& s, int version, TPerformanceStyle& p) {
  ReadExpressionHeader(s, version, p);
  if (version > 10) {
    p.SetStyle(ClampTo(s.GetByte(), kPerformanceStyles, 0));
    return;
  }
  const int packed = ReadPacked(s, p);
  p.SetWide(packed & 0x80);
  p.SetStyle(ClampTo(packed & 0x7F, kPerformanceStyles, 0));
}

template <class In>
void ReadText(In& s, int version, TTextExpression& t) {
  ReadExpressionHeader(s, version, t);
  if (version > 10) {
    t.SetFont(s.GetByte());
  } else {
    const int packed = ReadPacked(s, t);
    t.SetWide(packed & 0x10);
    t.SetFont(packed & 0x0F);
  }
  t.SetText(ReadText(s));
  if (kEarlierLine || !t.GetText().empty()) return;
  t.SetText(kDefaultText);
  t.SetWide(true);
  t.SetVisibility(TNotatedItem::visNever);
  t.SetFont(0);
  t.SetPosition(kOldExpressionPosition);
}

template <class In>
void ReadPatch(In& s, int version, TPatchData& p) {
  ReadExpressionHeader(s, version, p);
  TStaffInstrument instrument;
  instrument.bankSelect = ReadInt16(s);
  instrument.bank = ReadInt16(s);
  instrument.patch = ReadInt16(s);
  p.SetPatch(instrument);
}

template <class In>
bool ReadNote(In& s, int version, TMusicNote& n) {
  ReadSongFields(s, version, n);
  ReadPitchWord(s, version, n);
  if (version < 16) ReadInt16(s);
  return !s.IsFailed();
}

template <class In>
TNotatedItem* ReadRecordBody(In& s, int version, int type);

// A nested record of one of the allowed types; anything else fails the stream.
template <class In>
TNotatedItem* ReadNestedRecord(In& s, int version, int allowedA, int allowedB) {
  const int type = ReadInt16(s);
  if (s.IsFailed()) return nullptr;
  if (type != allowedA && type != allowedB) {
    s.SetFail();
    return nullptr;
  }
  return ReadRecordBody(s, version, type);
}

template <class In>
void ReadChord(In& s, int version, TChordData& c) {
  ReadNote(s, version, c);
  // Before version 16 the chord itself stored one more unused word before its count.
  if (version < 16) ReadInt16(s);
  const int count = ReadInt16(s);
  if (s.IsFailed()) return;
  if (count < 0) {
    s.SetFail();
    return;
  }
  // A chord holds at most one head per staff position; a larger stored count is not trusted
  // with memory before its records have been read.
  constexpr int kMostHeads = kMaxStaffPosition - kMinStaffPosition + 1;
  c.ReserveNotes(count < kMostHeads ? count : kMostHeads);
  for (int i = 0; i < count && !s.IsFailed(); ++i) {
    TNotatedItem* note = ReadNestedRecord(s, version, ntNote, ntNote);
    if (!note) break;
    // More heads than a chord can count is no chord any version wrote.
    if (!c.AppendStoredHead(static_cast<TMusicNote*>(note))) {
      delete note;
      s.SetFail();
      return;
    }
  }
  c.OrderStoredHeads();
  c.SyncNotes();
}

template <class In>
void ReadRest(In& s, int version, TRestNote& r) {
  ReadSongFields(s, version, r);
  if (version > 8) r.SetOffsetWord(s.ReadUInt16());
  r.ClearExplicitLength();
}

template <class In>
void ReadRestChord(In& s, int version, TRestChord& r) {
  ReadRest(s, version, r);
  const int hasPart = ReadInt16(s);
  if (s.IsFailed() || !hasPart) return;
  TNotatedItem* part = ReadNestedRecord(s, version, ntNote, ntChord);
  if (part) r.SetChordPart(static_cast<TMusicNote*>(part));
}

template <class In>
void ReadPayload(In& s, int version, TNotatedItem& item) {
  ReadCommon(s, version, item);
  switch (item.GetType()) {
    case ntClef: ReadClef(s, version, static_cast<TClefData&>(item)); break;
    case ntKey: ReadKey(s, version, static_cast<TKeyData&>(item)); break;
    case ntBarLine: ReadBar(s, version, static_cast<TBarLineData&>(item)); break;
    case ntSpecialEnding: static_cast<TSpecialEnding&>(item).SetMask(s.ReadUInt16()); break;
    case ntPatch: ReadPatch(s, version, static_cast<TPatchData&>(item)); break;
    case ntTimeSignature: ReadTimeSignature(s, version, static_cast<TTimeSignatureData&>(item)); break;
    case ntTempo: ReadTempo(s, version, static_cast<TTempoData&>(item)); break;
    case ntDynamicLevel: ReadDynamic(s, version, static_cast<TDynamicLevelData&>(item)); break;
    case ntNote: ReadNote(s, version, static_cast<TMusicNote&>(item)); break;
    case ntRest: ReadRest(s, version, static_cast<TRestNote&>(item)); break;
    case ntChord: ReadChord(s, version, static_cast<TChordData&>(item)); break;
    case ntSustainPedal: ReadSustain(s, version, static_cast<TSustainPedal&>(item)); break;
    case ntFlowDirection: ReadFlow(s, version, static_cast<TFlowDirection&>(item)); break;
    case ntGenericControl: ReadController(s, version, static_cast<TGenericControl&>(item)); break;
    case ntTempoVariance: ReadTempoVariance(s, version, static_cast<TTempoVariance&>(item)); break;
    case ntDynamicVariance: ReadDynamicVariance(s, version, static_cast<TDynamicVariance&>(item)); break;
    case ntPerformanceStyle: ReadPerformanceStyle(s, version, static_cast<TPerformanceStyle&>(item)); break;
    case ntTextExpression: ReadText(s, version, static_cast<TTextExpression&>(item)); break;
    case ntRestChord: ReadRestChord(s, version, static_cast<TRestChord&>(item)); break;
    default: s.SetFail(); break;
  }
}

// Payloads whose form has not changed since version 9 (after the common byte and header).
void WriteUnchangedPayload(TQXTStream& s, const TNotatedItem& item) {
  switch (item.GetType()) {
    case ntClef: {
      const auto& c = static_cast<const TClefData&>(item);
      s.WriteInt16(c.GetClef());
      s.WriteInt16(c.GetOctaveShift());
      break;
    }
    case ntKey: {
      const auto& k = static_cast<const TKeyData&>(item);
      s.WriteInt16(k.GetFlatMask());
      s.WriteInt16(k.GetSharpMask());
      s.WriteInt16(k.GetCancelStyle());
      s.WriteInt16(k.GetCancelledFlats());
      s.WriteInt16(k.GetCancelledSharps());
      break;
    }
    case ntSpecialEnding: s.WriteInt16(static_cast<int32_t>(static_cast<const TSpecialEnding&>(item).GetMask() & 0xFFFF)); break;
    case ntPatch: {
      const TStaffInstrument& p = static_cast<const TPatchData&>(item).GetPatch();
      s.WriteInt16(p.bankSelect);
      s.WriteInt16(p.bank);
      s.WriteInt16(p.patch);
      break;
    }
    case ntTimeSignature: {
      const auto& t = static_cast<const TTimeSignatureData&>(item);
      s.WriteInt16(t.GetBeats());
      s.WriteInt16(t.GetBeatCode());
      s.WriteInt16(t.GetStyle());
      break;
    }
    case ntGenericControl: {
      const auto& c = static_cast<const TGenericControl&>(item);
      s.WriteInt16(c.GetController());
      s.WriteInt16(c.GetSweepMode());
      s.WriteInt16(c.GetTimeResolution());
      s.WriteInt16(c.GetSweepResolution());
      for (int i = 0; i < TGenericControl::kSettings; ++i) {
        const TGenericControl::TSetting& setting = c.GetSetting(i);
        s.WriteInt16(setting.present);
        s.WriteInt16(setting.offset);
        s.WriteInt16(setting.value);
      }
      break;
    }
    default: break;
  }
}

// ---- the version-9 forms the earlier line writes: no common byte and no expression header;
// an expression's position leads its record, alone or in the high byte of a packed word ----

void WriteSongFieldsV9(TQXTStream& s, const TSongNote& n) {
  s.WriteInt16(n.GetDurationCode() | (n.GetExtraAccidentalSpace() << 4) | (n.GetExtraNoteSpace() << 8));
  s.WriteInt16(n.GetBeamState() | (n.GetTripletState() << 2) | (n.GetStemCode() << 4) | (n.IsSlurDown() ? 0x40 : 0));
  uint16_t stored = 0;
  for (int bit = 0; bit < 14; ++bit)
    if (n.HasAttribute(kAttributeBits[bit].attribute)) stored = static_cast<uint16_t>(stored | (1u << bit));
  s.WriteInt16(stored);
}

void WriteNoteV9(TQXTStream& s, const TMusicNote& n) {
  WriteSongFieldsV9(s, n);
  const uint8_t p = n.GetPitchByte();
  s.WriteInt16((static_cast<uint8_t>(static_cast<int8_t>(n.GetPosition()))) | ((p & 7) << 8) | (((p >> 3) & 1) << 11) |
               (((p >> 4) & 1) << 12));
  s.WriteInt16(0);
}

void WritePackedV9(TQXTStream& s, const TNtnGeneralExpression& e, int low) {
  s.WriteInt16(static_cast<uint8_t>(static_cast<int8_t>(e.GetPosition())) << 8 | (low & 0xFF));
}

void WriteRecordV9(TQXTStream& s, const TNotatedItem& item);

void WritePayloadV9(TQXTStream& s, const TNotatedItem& item) {
  switch (item.GetType()) {
    case ntBarLine: {
      const auto& b = static_cast<const TBarLineData&>(item);
      s.WriteInt16(b.GetStyle() | (b.GetRepeatCount() << 8));
      break;
    }
    case ntTempo: {
      const auto& t = static_cast<const TTempoData&>(item);
      s.WriteInt16(t.GetPosition());
      s.WriteInt16(t.GetQuarterTempo());
      s.WriteInt16(t.GetBase());
      s.WriteInt16(t.GetShownBits() | (t.IsWide() ? 0x40 : 0));
      break;
    }
    case ntDynamicLevel: {
      const auto& d = static_cast<const TDynamicLevelData&>(item);
      const bool hidden = d.GetVisibility() == TNotatedItem::visNever;
      WritePackedV9(s, d, d.GetDynamic() | (d.IsWide() ? 0x10 : 0) | (d.GetOverride(0) ? 0x20 : 0) |
                              (d.GetOverride(1) ? 0x40 : 0) | (hidden ? 0x80 : 0));
      s.WriteInt16(d.GetVelocity());
      s.WriteInt16(d.GetVolume());
      break;
    }
    case ntNote: WriteNoteV9(s, static_cast<const TMusicNote&>(item)); break;
    case ntRest: {
      const auto& r = static_cast<const TRestNote&>(item);
      WriteSongFieldsV9(s, r);
      s.WriteInt16(r.GetOffsetWord());
      break;
    }
    case ntChord: {
      const auto& c = static_cast<const TChordData&>(item);
      WriteNoteV9(s, c);
      s.WriteInt16(0);
      s.WriteInt16(c.GetNoteCount());
      for (int i = 0; i < c.GetNoteCount(); ++i) WriteRecordV9(s, *static_cast<const TNotatedItem&>(c).GetNote(i));
      break;
    }
    case ntSustainPedal: {
      const auto& p = static_cast<const TSustainPedal&>(item);
      s.WriteInt16(p.GetPosition());
      s.WriteInt16(p.GetState() ? 1 : 0);
      break;
    }
    case ntFlowDirection: s.WriteInt16(static_cast<const TFlowDirection&>(item).GetStyle()); break;
    case ntTempoVariance: {
      const auto& t = static_cast<const TTempoVariance&>(item);
      WritePackedV9(s, t, (t.GetStyle() & 0x7F) | (t.IsWide() ? 0x80 : 0));
      s.WriteInt16(t.GetPause());
      break;
    }
    case ntDynamicVariance: {
      const auto& d = static_cast<const TDynamicVariance&>(item);
      WritePackedV9(s, d, (d.GetStyle() & 0x7F) | (d.IsWide() ? 0x80 : 0));
      break;
    }
    case ntPerformanceStyle: {
      const auto& p = static_cast<const TPerformanceStyle&>(item);
      WritePackedV9(s, p, (p.GetStyle() & 0x7F) | (p.IsWide() ? 0x80 : 0));
      break;
    }
    case ntTextExpression: {
      const auto& t = static_cast<const TTextExpression&>(item);
      WritePackedV9(s, t, (t.GetFont() & 0x0F) | (t.IsWide() ? 0x10 : 0));
      s.WriteString(t.GetText().substr(0, TTextExpression::kEarlierTextLength).c_str());
      break;
    }
    case ntRestChord: {
      const auto& r = static_cast<const TRestChord&>(item);
      WriteSongFieldsV9(s, r);
      s.WriteInt16(r.GetOffsetWord());
      s.WriteInt16(r.GetChordPart() ? 1 : 0);
      if (r.GetChordPart()) WriteRecordV9(s, *r.GetChordPart());
      break;
    }
    default: WriteUnchangedPayload(s, item); break;
  }
}

void WriteRecordV9(TQXTStream& s, const TNotatedItem& item) {
  s.WriteInt16(item.GetType());
  WritePayloadV9(s, item);
}

void WritePayload(TQXTStream& s, const TNotatedItem& item) {
  WriteCommon(s, item);
  if (item.IsExpression()) WriteExpressionHeader(s, static_cast<const TNtnGeneralExpression&>(item));
  switch (item.GetType()) {
    case ntClef:
    case ntKey:
    case ntSpecialEnding:
    case ntPatch:
    case ntTimeSignature:
    case ntGenericControl: WriteUnchangedPayload(s, item); break;
    case ntBarLine: {
      const auto& b = static_cast<const TBarLineData&>(item);
      s.WriteInt16(b.GetStyle() | (b.HasSystemBreak() ? 0x80 : 0) | (b.GetRepeatCount() << 8));
      break;
    }
    case ntTempo: {
      const auto& t = static_cast<const TTempoData&>(item);
      s.WriteInt16(t.GetQuarterTempo());
      s.PutByte(static_cast<unsigned char>(t.GetBase()));
      s.WriteString(t.GetText().c_str());
      break;
    }
    case ntDynamicLevel: {
      const auto& d = static_cast<const TDynamicLevelData&>(item);
      s.PutByte(static_cast<unsigned char>(d.GetDynamic() | (d.GetOverride(0) ? 0x20 : 0) | (d.GetOverride(1) ? 0x40 : 0)));
      s.WriteInt16(static_cast<int8_t>(d.GetVelocity()));
      s.WriteInt16(static_cast<int8_t>(d.GetVolume()));
      break;
    }
    case ntNote: {
      const auto& n = static_cast<const TMusicNote&>(item);
      WriteSongFields(s, n);
      WritePitchWord(s, n);
      break;
    }
    case ntRest: {
      const auto& r = static_cast<const TRestNote&>(item);
      WriteSongFields(s, r);
      s.WriteInt16(r.GetOffsetWord());
      break;
    }
    case ntChord: {
      const auto& c = static_cast<const TChordData&>(item);
      WriteSongFields(s, c);
      WritePitchWord(s, c);
      s.WriteInt16(c.GetNoteCount());
      for (int i = 0; i < c.GetNoteCount(); ++i) WriteNotatedItem(s, *static_cast<const TNotatedItem&>(c).GetNote(i));
      break;
    }
    case ntSustainPedal: s.PutByte(static_cast<unsigned char>(static_cast<const TSustainPedal&>(item).GetState())); break;
    case ntFlowDirection: s.WriteInt16(static_cast<const TFlowDirection&>(item).GetStyle()); break;
    case ntTempoVariance: {
      const auto& t = static_cast<const TTempoVariance&>(item);
      s.PutByte(static_cast<unsigned char>(t.GetStyle()));
      s.PutByte(static_cast<unsigned char>(t.GetPause()));
      break;
    }
    case ntDynamicVariance: s.PutByte(static_cast<unsigned char>(static_cast<const TDynamicVariance&>(item).GetStyle())); break;
    case ntPerformanceStyle: s.PutByte(static_cast<unsigned char>(static_cast<const TPerformanceStyle&>(item).GetStyle())); break;
    case ntTextExpression: {
      const auto& t = static_cast<const TTextExpression&>(item);
      s.PutByte(static_cast<unsigned char>(t.GetFont()));
      s.WriteString(t.GetText().c_str());
      break;
    }
    case ntRestChord: {
      const auto& r = static_cast<const TRestChord&>(item);
      WriteSongFields(s, r);
      s.WriteInt16(r.GetOffsetWord());
      s.WriteInt16(r.GetChordPart() ? 1 : 0);
      if (r.GetChordPart()) WriteNotatedItem(s, *r.GetChordPart());
      break;
    }
    default: break;
  }
}

}  // namespace

namespace {

// Builds the item of a type code and reads its payload; null (the stream failed) when either fails.
template <class In>
TNotatedItem* ReadRecordBody(In& s, int version, int type) {
  std::unique_ptr<TNotatedItem> built(NewNotatedItem(type));
  if (!built) {
    s.SetFail();
    return nullptr;
  }
  ReadPayload(s, version, *built);
  if (s.IsFailed()) return nullptr;
  return built.release();
}

}  // namespace

namespace {

template <class In>
int LoadRecord(int version, In& s, TNotatedItem*& item) {
  item = nullptr;
  const int type = ReadInt16(s);
  if (s.IsFailed()) return 0;
  item = ReadRecordBody(s, version, type);
  return item ? 1 : 0;
}

}  // namespace

int LoadNotatedItem(int version, TQXTStream& s, TNotatedItem*& item) { return LoadRecord(version, s, item); }

int LoadNotatedItem(int version, TReadAheadStream& s, TNotatedItem*& item) { return LoadRecord(version, s, item); }

void WriteNotatedItem(TQXTStream& s, const TNotatedItem& item) {
  if (kEarlierLine) {
    WriteRecordV9(s, item);
    return;
  }
  s.WriteInt16(item.GetType());
  WritePayload(s, item);
}

TNotatedItem* CloneNotatedItem(const TNotatedItem* item) {
  if (!item) return nullptr;
  TQXTSegRamStream copy(kCloneSegment);
  WriteNotatedItem(copy, *item);
  copy.Rewind();
  TNotatedItem* clone = nullptr;
  LoadNotatedItem(kScoreFormatVersion, copy, clone);
  return clone;
}
