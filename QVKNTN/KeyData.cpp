#include "QVKNTN/KeyData.h"
#include "QVKNTN/KeySignatureCount.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/StaffContext.h"

namespace {
// The fifteen keys a signature can name: tonic semitone above C, signed size, tonic letter
// counted from C (C 0 .. B 6).
struct TKeyEntry {
  int tonic;
  int size;
  int letter;
};
constexpr TKeyEntry kKeys[15] = {
    {0, 0, 0},   {1, 7, 0},   {1, -5, 1}, {2, 2, 1},  {3, -3, 2},  {4, 4, 2},  {5, -1, 3},  {6, 6, 3},
    {6, -6, 4},  {7, 1, 4},   {8, -4, 5}, {9, 3, 5},  {10, -2, 6}, {11, 5, 6}, {11, -7, 0},
};
enum { kC = 0, kCSharp = 1, kDFlat = 2, kFSharp = 7, kGFlat = 8, kB = 13, kCFlat = 14 };
// The key of each sharp count (0..7) and of each flat count (1..7).
constexpr int kKeyOfSharps[8] = {0, 9, 3, 11, 5, 13, 7, 1};
constexpr int kKeyOfFlats[8] = {0, 6, 12, 4, 10, 2, 8, 14};
// The default key of each tonic semitone.
constexpr int kKeyOfSemitone[12] = {0, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13};

int CurrentKey(uint16_t flats, uint16_t sharps) {
  const int nSharps = CountKeySharps(sharps);
  const int nFlats = CountKeyFlats(flats);
  return nFlats > nSharps ? kKeyOfFlats[nFlats] : kKeyOfSharps[nSharps];
}

int NewKey(int tonic, int preference) {
  int key = kKeyOfSemitone[NtnMod(tonic, 12)];
  if (preference < 0 && key == kB) key = kCFlat;
  if (preference > 0 && key == kGFlat) key = kFSharp;
  if (preference > 0 && key == kDFlat) key = kCSharp;
  return key;
}
}  // namespace

void TKeyData::SetLetterFlat(int letter) {
  const uint16_t bit = uint16_t(1u << (letter & 7));
  fFlats |= bit;
  fSharps &= uint16_t(~bit);
}

void TKeyData::SetLetterSharp(int letter) {
  const uint16_t bit = uint16_t(1u << (letter & 7));
  fSharps |= bit;
  fFlats &= uint16_t(~bit);
}

void TKeyData::ClearLetter(int letter) {
  const uint16_t bit = uint16_t(1u << (letter & 7));
  fSharps &= uint16_t(~bit);
  fFlats &= uint16_t(~bit);
}

int TKeyData::GetSignedSize() const { return NtnSignedKeySize(fFlats, fSharps); }

void TKeyData::UpdateContext(TStaffContext& context) const { context.SetKey(fFlats, fSharps); }

void TKeyData::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  const int size = GetSignedSize();
  if (size != context.GetKeySignature()) sink.AddKeySigEvent(context.GetTick(), size);
}

int TKeyData::Transpose(int semitones, int& steps, int preference, bool test) {
  const TKeyEntry& from = kKeys[CurrentKey(fFlats, fSharps)];
  const TKeyEntry& to = kKeys[NewKey(from.tonic + semitones, preference)];
  int letters = to.letter - from.letter;
  if (semitones < 0 && letters > 0) letters -= 7;
  if (semitones > 0 && letters < 0) letters += 7;
  // A respelling in place (C flat to B, G flat to F sharp) moves to the nearer letter.
  if (semitones == 0 && letters > 3) letters -= 7;
  if (semitones == 0 && letters < -3) letters += 7;
  letters += 7 * (semitones / 12);
  steps = -letters;  // positions grow downwards
  if (!test) NtnKeyMasksFromSize(to.size, fFlats, fSharps);
  return to.size;
}
