#include "app/PageSetupPages.h"

#include <cstdio>
#include <cstring>

#include "QVKNTN/MusicDrawingMath.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "foundation/QVBoolArray.h"

TPageOptions LoadPageOptions(const TMusicScore& score) {
  TPageOptions o;
  const int from = score.GetPageNumberingFrom();
  o.numbering = from > 0;
  o.numberFrom = from > 0 ? from : 1;
  o.titlePageInfo = score.GetTitlePageInfo();
  o.extendLastSystem = score.GetExtendLastSystem();
  o.durationSpacing = score.GetDurationSpacing();
  o.staffSize = score.GetFonts()->GetStaffSize();
  o.staffLabels = score.GetStaffLabels();
  o.measureStyle = score.GetMeasureNumberStyle();
  o.measureStart = score.GetMeasureStart();
  return o;
}

TPageOptionsField FirstInvalidOption(const TPageOptions& o) {
  if (o.numbering && (o.numberFrom < 1 || o.numberFrom > kLargestPageNumberStart)) {
    return TPageOptionsField::NumberFrom;
  }
  if (o.staffSize < kSmallestStaffSize || o.staffSize > kLargestStaffSize) return TPageOptionsField::StaffSize;
  if (o.measureStart < 0 || o.measureStart > kLargestMeasureStart) return TPageOptionsField::MeasureStart;
  return TPageOptionsField::None;
}

bool ApplyPageOptions(const TPageOptions& o, TMusicScore& score) {
  score.SetPageNumberingFrom(o.numbering ? o.numberFrom : 0);
  score.SetTitlePageInfo(o.titlePageInfo);
  score.SetExtendLastSystem(o.extendLastSystem);
  score.SetDurationSpacing(o.durationSpacing);
  score.SetStaffLabels(o.staffLabels);
  score.SetMeasureNumberStyle(o.measureStyle);
  score.SetMeasureStart(o.measureStart);
  TMusicFontsData& fonts = *score.GetFonts();
  const int old = fonts.GetStaffSize();
  if (o.staffSize == old) return false;
  // The staff fonts keep their size relative to the staff.
  for (int i = 0; i < 3; ++i) {
    const int scaled = MusicDrawingMath::MulDiv(fonts.GetFont(i).size, o.staffSize, old);
    if (scaled > 0) fonts.GetFont(i).size = scaled;
  }
  fonts.SetStaffSize(o.staffSize);
  return true;
}

std::string FontRowText(const char* name, const TMusicFontsData::Font& font) {
  char row[160];
  std::snprintf(row, sizeof row, "%s\t%d\t%.*s\t", name ? name : "", font.size, TMusicFontsData::kFaceSize,
                font.face);
  std::string text = row;
  if (font.style & 1) text += "Bold ";
  if (font.style & 2) text += "Italic";
  if (!(font.style & 3)) text += "Regular";
  return text;
}

int FontSizeFromTenths(int tenths) { return (tenths + 5) / 10; }

std::vector<std::string> StaffGroups(const TMusicScore& score) {
  std::vector<std::string> groups;
  for (int i = 0; i < score.StaffCount(); ++i) {
    const char* g = score.GetStaff(i)->GetGroupName();
    if (!g || !*g) continue;
    bool known = false;
    for (const std::string& have : groups) known = known || have == g;
    if (!known) groups.emplace_back(g);
  }
  return groups;
}

std::vector<bool> SelectedGroups(const TMusicScore& score, const std::vector<std::string>& groups,
                                 const TQVBoolArray& staves) {
  std::vector<bool> selected;
  for (const std::string& group : groups) {
    bool all = true, any = false;
    for (int i = 0; i < score.StaffCount(); ++i) {
      if (group != score.GetStaff(i)->GetGroupName()) continue;
      any = true;
      all = all && staves.GetBit(i);
    }
    selected.push_back(any && all);
  }
  return selected;
}

void SelectGroup(const TMusicScore& score, const std::string& group, bool on, TQVBoolArray& staves) {
  for (int i = 0; i < score.StaffCount(); ++i) {
    if (group == score.GetStaff(i)->GetGroupName()) staves.SetBit(i, on);
  }
}
