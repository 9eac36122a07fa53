#include "StaffText.h"

#include <cstdlib>
#include <sstream>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {

constexpr char kCodes[] = "whqestx";

int CodeOf(char c) {
  for (int i = 0; kCodes[i]; ++i)
    if (kCodes[i] == c) return i;
  return -1;
}

TKeyData* KeyOf(int size) {
  // Sharps F C G D A E B, flats B E A D G C F.
  static const int kSharps[] = {ltF, ltC, ltG, ltD, ltA, ltE, ltB};
  static const int kFlats[] = {ltB, ltE, ltA, ltD, ltG, ltC, ltF};
  auto* key = new TKeyData;
  for (int i = 0; i < std::abs(size) && i < 7; ++i) {
    if (size > 0) key->SetLetterSharp(kSharps[i]);
    else key->SetLetterFlat(kFlats[i]);
  }
  return key;
}

TNotatedItem* ParseSongNote(const std::string& token) {
  size_t at = 0;
  bool rest = false, grace = false, triplet = false, chord = false;
  for (; at < token.size() && CodeOf(token[at]) < 0; ++at) {
    if (token[at] == 'r') rest = true;
    if (token[at] == 'g') grace = true;
    if (token[at] == '3') triplet = true;
    if (token[at] == 'c') chord = true;
  }
  const int code = at < token.size() ? CodeOf(token[at]) : 2;
  bool dotted = false, tied = false;
  int position = 0;
  for (++at; at < token.size(); ++at) {
    if (token[at] == '.') dotted = true;
    if (token[at] == '~') tied = true;
    if (token[at] == '@') {
      position = std::atoi(token.c_str() + at + 1);
      break;
    }
  }
  const auto shape = [&](TSongNote* n) {
    if (dotted) n->SetAttribute(naDotted);
    if (grace) n->SetAttribute(naGrace);
  };
  TSongNote* note = nullptr;
  if (rest) {
    note = new TRestNote(code);
  } else if (chord) {
    auto* c = new TChordData;
    for (int p : {position, position - 2}) {
      auto* head = new TMusicNote(p, code);
      shape(head);
      if (tied) head->SetAttribute(naTieOut);
      if (!c->AddNote(head)) delete head;
    }
    note = c;
  } else {
    auto* n = new TMusicNote(position, code);
    if (tied) n->SetAttribute(naTieOut);
    note = n;
  }
  shape(note);
  if (triplet) note->SetTripletState(2);
  note->SyncNotes();
  return note;
}

TNotatedItem* Parse(const std::string& token) {
  if (token == "|") return new TBarLineData(TBarLineData::blSingle);
  if (token == "||") return new TBarLineData(TBarLineData::blDouble);
  if (token == "E") return new TSpecialEnding(1);
  if (token == "P") return new TSustainPedal(1);
  if (token == "p") return new TSustainPedal(0);
  if (token == "D") return new TDynamicLevelData;
  if (token[0] == 'K') return KeyOf(std::atoi(token.c_str() + 1));
  if (token[0] == 'T') {
    const int beats = std::atoi(token.c_str() + 1);
    int value = std::atoi(token.c_str() + token.find('/') + 1), code = 0;
    while (value > 1) { value /= 2; ++code; }
    return new TTimeSignatureData(beats, code);
  }
  return ParseSongNote(token);
}

std::string SongNoteText(const TNotatedItem* item, bool beams) {
  const auto* note = static_cast<const TSongNote*>(item);
  std::string t;
  if (item->IsRest()) t += 'r';
  if (item->GetType() == ntRestChord) t += "rc";
  if (note->IsGrace()) t += 'g';
  if (note->GetTripletState() != 0) t += '3';
  if (item->GetType() == ntChord) t += 'c';
  t += kCodes[note->GetDurationCode() & 7];
  if (note->HasAttribute(naDotted)) t += '.';
  const TMusicNote* head = item->GetNoteCount() > 0 ? const_cast<TNotatedItem*>(item)->GetNote(item->GetNoteCount() - 1) : nullptr;
  if (head && item->GetType() != ntRestChord && head->HasAttribute(naTieOut)) t += '~';
  if (item->GetType() == ntNote && item->GetPosition() != 0) t += "@" + std::to_string(item->GetPosition());
  if (item->GetType() == ntChord) t += "@" + std::to_string(const_cast<TNotatedItem*>(item)->GetNote(0)->GetPosition());
  if (item->IsRest() && static_cast<const TRestNote*>(item)->HasExplicitLength())
    t += "=" + std::to_string(static_cast<const TRestNote*>(item)->GetExplicitLength());
  if (beams && note->GetBeamState() != 0) t += "?[-]"[note->GetBeamState()];
  return t;
}

std::string ItemText(const TNotatedItem* item, bool beams) {
  switch (item->GetType()) {
    case ntBarLine: return static_cast<const TBarLineData*>(item)->GetStyle() == TBarLineData::blDouble ? "||" : "|";
    case ntSpecialEnding: return "E";
    case ntSustainPedal: return static_cast<const TSustainPedal*>(item)->GetState() ? "P" : "p";
    case ntDynamicLevel: return "D";
    case ntKey: return "K" + std::to_string(static_cast<const TKeyData*>(item)->GetSignedSize());
    case ntTimeSignature: {
      const auto* sig = static_cast<const TTimeSignatureData*>(item);
      return "T" + std::to_string(sig->GetBeats()) + "/" + std::to_string(1 << sig->GetBeatCode());
    }
    default: break;
  }
  if (item->IsSongNote()) return SongNoteText(item, beams);
  return "?" + std::to_string(item->GetType());
}

TScoreAuditHooks gRealHooks;
long gAudits = 0;

void CountStaff(TMusicStaff* s, int a, int b) { ++gAudits; gRealHooks.auditStaff(s, a, b); }
void CountAround(TMusicStaff* s, int a, int b) { ++gAudits; gRealHooks.auditStaffAround(s, a, b); }
void CountItems(TMusicStaff* s, int a, int b) { ++gAudits; gRealHooks.auditItems(s, a, b); }
void CountScore(TMusicScore* s, int all) { ++gAudits; gRealHooks.auditScore(s, all); }

}  // namespace

void FillStaff(TMusicStaff& staff, const std::string& text) {
  std::istringstream in(text);
  int inTriplet = 0;
  for (std::string token; in >> token;) {
    TNotatedItem* item = Parse(token);
    staff.AppendItem(item);
    // Triplet members come in threes: first, middle, last.
    auto* note = item->IsSongNote() ? static_cast<TSongNote*>(item) : nullptr;
    if (!note || note->GetTripletState() == 0) continue;
    note->SetTripletState(inTriplet == 0 ? 1 : inTriplet == 1 ? 2 : 3);
    note->SyncNotes();
    inTriplet = (inTriplet + 1) % 3;
  }
}

std::string StaffText(const TMusicStaff& staff, bool beams) {
  std::string out;
  for (int i = 1; i < staff.LastIndex(); ++i) {
    if (!out.empty()) out += ' ';
    out += ItemText(staff.GetItem(i), beams);
  }
  return out;
}

long StaffTicks(const TMusicStaff& staff) { return staff.GetTicksBetween(0, staff.LastIndex()); }

TAuditCount::TAuditCount() {
  InstallAuditPass();
  gRealHooks = GetScoreAuditHooks();
  gAudits = 0;
  TScoreAuditHooks counting;
  counting.auditScore = CountScore;
  counting.auditStaff = CountStaff;
  counting.auditStaffAround = CountAround;
  counting.auditItems = CountItems;
  SetScoreAuditHooks(counting);
}

TAuditCount::~TAuditCount() { SetScoreAuditHooks(gRealHooks); }

long TAuditCount::Total() const { return gAudits; }
