#include "editor/StaffPropRules.h"

#include <algorithm>
#include <cstring>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"

namespace {

bool IsNameBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string TrimStaffName(const char* text) {
  if (!text) return "";
  std::string s(text, strnlen(text, 4096));
  const std::size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  std::size_t last = s.size();
  while (last > first && IsNameBlank(s[last - 1])) --last;
  s = s.substr(first, last - first);
  if (s.size() > TMusicStaff::kNameSize - 1) s.resize(TMusicStaff::kNameSize - 1);
  return s;
}

TStaffNameCheck CheckStaffName(const TMusicScore& score, int ownIndex, const std::string& name) {
  if (name.empty()) return TStaffNameCheck::Empty;
  for (int i = 0; i < score.StaffCount(); ++i) {
    if (i != ownIndex && name == score.GetStaff(i)->GetName()) return TStaffNameCheck::InUse;
  }
  return TStaffNameCheck::Ok;
}

TStaffVisualCheck CheckStaffVisual(int style, int lines, int upper, int lower) {
  const bool grand = style == TMusicStaff::kStyleUpperGrand || style == TMusicStaff::kStyleLowerGrand;
  if (grand && lines != 5) return TStaffVisualCheck::GrandNeedsFiveLines;
  if (upper < lines || lower < lines) return TStaffVisualCheck::SizeBelowLines;
  return TStaffVisualCheck::Ok;
}

TStaffVisualValues StaffVisualOf(const TMusicStaff& staff) {
  TStaffVisualValues v;
  v.style = staff.GetStyle();
  v.lines = staff.GetLineCount();
  v.upper = -staff.GetUpperSize();
  v.lower = staff.GetLowerSize();
  v.layer = staff.GetLayerWithNext();
  v.color = staff.GetColor();
  return v;
}

void StoreStaffVisual(TMusicStaff& staff, const TStaffVisualValues& values) {
  staff.SetStyle(values.style);
  staff.SetLineCount(values.lines);
  staff.SetExtents(-values.upper, values.lower);
  staff.SetLayerWithNext(values.layer);
  staff.SetColor(values.color);
}

TInstrumentRecord TInstrumentRecord::FromControls(bool bankSelect, int controller0, int controller32, int patch) {
  TInstrumentRecord r;
  r.bankSelect = bankSelect;
  r.bank = bankSelect ? std::clamp(controller0, 0, 127) * 128 + std::clamp(controller32, 0, 127) : 0;
  r.patch = std::clamp(patch, 0, kPatchCount);
  return r;
}

TInstrumentRecord InstrumentRecordOf(const TStaffInstrument& instrument) {
  TInstrumentRecord r;
  r.bankSelect = instrument.bankSelect != 0;
  r.bank = r.bankSelect ? instrument.bank & 0x3FFF : 0;
  r.patch = std::clamp(static_cast<int>(instrument.patch), 0, TInstrumentRecord::kPatchCount);
  return r;
}

TStaffInstrument InstrumentOf(const TInstrumentRecord& record) {
  TStaffInstrument instrument;
  instrument.bankSelect = record.bankSelect ? 1 : 0;
  instrument.bank = record.bankSelect ? record.bank & 0x3FFF : 0;
  instrument.patch = record.patch;
  return instrument;
}
