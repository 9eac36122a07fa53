#include "QVKNTN/SongNote.h"
#include "QVKNTN/StaffContext.h"

namespace {
// Each of these attributes excludes its partner.
int ExcludedBy(int n) {
  switch (n) {
    case naDotted: return naDoubleDotted;
    case naDoubleDotted: return naDotted;
    case naStaccato: return naTenuto;
    case naTenuto: return naStaccato;
    case naAttribute10: return naAttribute11;
    case naAttribute11: return naAttribute10;
    default: return -1;
  }
}
}  // namespace

void TSongNote::CopySongFields(const TSongNote& other) {
  fAttributes = other.fAttributes;
  fSpacing = other.fSpacing;
  fDuration = other.fDuration;
  SetGroupByte(other.GetGroupByte());
}

void TSongNote::CopyProps(const TNotatedItem& other) {
  TNotatedItem::CopyProps(other);
  if (other.IsSongNote()) CopySongFields(static_cast<const TSongNote&>(other));
}

int32_t TSongNote::GetDuration() const {
  if (IsGrace()) return 0;
  const int32_t d = kWholeNoteTicks >> GetDurationCode();
  int32_t t = d;
  if (HasAttribute(naDotted)) t += d / 2;
  if (HasAttribute(naDoubleDotted)) t += d / 2 + d / 4;
  if (GetTripletState() != 0) t = t * 2 / 3;
  return t;
}

void TSongNote::SetAttribute(int n) {
  if (n < 0 || n > 15) return;
  fAttributes = uint16_t(fAttributes | (1u << n));
  const int excluded = ExcludedBy(n);
  if (excluded >= 0) fAttributes = uint16_t(fAttributes & ~(1u << excluded));
}

void TSongNote::SetGroupState(int kind, int state) {
  if (kind == grpBeam)
    SetBeamState(state);
  else if (kind == grpTriplet)
    SetTripletState(state);
}

void TSongNote::SetStemDirection(int code) {
  fDuration = uint8_t((fDuration & ~0x30) | (((code >= 0 && code <= 2) ? code : 0) << 4));
}

void TSongNote::SetStemSign(int sign) { SetStemDirection(StemCodeForSign(sign)); }

int TSongNote::GetStemSign() const {
  switch (GetStemCode()) {
    case stUp: return 1;
    case stDown: return -1;
    default: return GetPosition() > 0 ? 1 : -1;
  }
}

void TSongNote::UpdateSongContext(TStaffContext& context) const {
  if (IsGrace())
    context.IncGraceCount();
  else
    context.ClearGraceCount();
  if (HasAttribute(naSlurOut))
    context.BeginSlur(IsSlurDown() ? 1 : 0);
  else if (HasAttribute(naSlurIn))
    context.EndSlur();
  context.AdvanceTick(GetDuration());
}

void TSongNote::UpdateContext(TStaffContext& context) const { UpdateSongContext(context); }
