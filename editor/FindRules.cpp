#include "editor/FindRules.h"

#include <algorithm>
#include <cstring>

#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/FindErrorNtnIdx.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/NtnItemText.h"
#include "QVKNTN/RelNtnIdx.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "foundation/QXTFlatRamStream.h"

namespace {

struct TCategory {
  const char* name;
  int type;  // item type searched, or -1 for the error tests
};

constexpr TCategory kCategories[kFindCategoryCount] = {
    {"Hanging Note Tie", -1},
    {"Unassigned Octave Accidental", -1},
    {"Clef Data", ntClef},
    {"Key Data", ntKey},
    {"Special Ending", ntSpecialEnding},
    {"Instrument Patch", ntPatch},
    {"Time Signature", ntTimeSignature},
    {"Tempo", ntTempo},
    {"Dynamic", ntDynamicLevel},
    {"Sustain Pedal", ntSustainPedal},
    {"Flow Direction", ntFlowDirection},
    {"Multi-point Controller", ntGenericControl},
    {"Tempo Variance", ntTempoVariance},
    {"Dynamic Variance", ntDynamicVariance},
    {"Performance Style", ntPerformanceStyle},
    {"Text Expression", ntTextExpression},
};

std::string ItemText(const TAuditNtnIdx& at, bool clip) {
  TQXTFlatRamStream s(128, 256);
  if (clip)
    NtnItemClipText(s, at);
  else
    NtnItemBriefText(s, at);
  std::string out(s.Size(), '\0');
  s.Rewind();
  if (!out.empty()) s.Read(out.data(), static_cast<uint32_t>(out.size()));
  return out;
}

int FindByExpression(TMusicStaff& staff, int caret, const char* expression) {
  const bool clip = expression[0] == '|';
  TAuditNtnIdx at(&staff, caret);
  while (at.GetIndex() < staff.LastIndex()) {
    if (MatchFindExpression(ItemText(at, clip), expression)) return at.GetIndex();
    at.Next();
  }
  return -1;
}

int FindError(TMusicStaff& staff, int caret, bool tie) {
  TFindErrorNtnIdx at(&staff, caret);
  while (at.GetIndex() < staff.LastIndex()) {
    if (tie ? at.HasTieConflict() : at.HasAccidentalConflict()) return at.GetIndex();
    at.Next();
  }
  return -1;
}

}  // namespace

void TQVEditFindData::SetExpression(const char* expression) {
  std::size_t n = expression ? strnlen(expression, kTextSize - 1) : 0;
  std::memcpy(text, expression ? expression : "", n);
  text[n] = '\0';
  mode = n ? kByExpression : kNothing;
}

void TQVEditFindData::SetCategory(int index) {
  mode = kByCategory;
  category = std::clamp(index, 0, kFindCategoryCount - 1);
}

const char* FindCategoryName(int index) {
  return index >= 0 && index < kFindCategoryCount ? kCategories[index].name : "";
}

bool MatchFindExpression(const std::string& text, const char* expression) {
  if (!expression) return false;
  std::size_t from = 0;
  const char* field = expression;
  for (;;) {
    const char* star = std::strchr(field, '*');
    const std::size_t length = star ? static_cast<std::size_t>(star - field) : std::strlen(field);
    if (length > 0) {
      const std::size_t at = text.find(field, from, length);
      if (at == std::string::npos) return false;
      from = at + length;
    }
    if (!star) return true;
    field = star + 1;
  }
}

int FindNextItem(TMusicStaff& staff, int caret, const TQVEditFindData& data) {
  caret = std::clamp(caret, 1, staff.LastIndex());
  if (data.mode == TQVEditFindData::kByExpression) {
    const std::size_t n = strnlen(data.text, TQVEditFindData::kTextSize);
    if (n == 0 || n == TQVEditFindData::kTextSize) return -1;
    return FindByExpression(staff, caret, data.text);
  }
  if (data.mode != TQVEditFindData::kByCategory) return -1;
  if (data.category < 0 || data.category >= kFindCategoryCount) return -1;
  if (data.category < 2) return FindError(staff, caret, data.category == 0);
  TSimpleNtnIdx at(&staff, caret - 1);
  if (!at.FindType(kCategories[data.category].type, 1) || at.GetIndex() >= staff.LastIndex()) return -1;
  return at.GetIndex();
}

int BarNumberAt(TMusicStaff& staff, int caret, int first) {
  TRelNtnIdx at(&staff, std::clamp(caret, 0, staff.LastIndex()));
  return first + at.GetBarCount() - 1;
}

int IndexOfBarNumber(TMusicStaff& staff, int number, int first) {
  TRelNtnIdx at(&staff);
  at.SeekBar(number - first + 1);
  return std::clamp(at.GetIndex(), 1, staff.LastIndex());
}
