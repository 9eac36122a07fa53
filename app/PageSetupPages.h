// The rules behind the page-setup sheet's Contents, Options and Fonts pages: what each page loads
// from the score, what it checks, and what Apply writes back.
#pragma once

#include <string>
#include <vector>

#include "QVKNTN/MusicFontsData.h"

class TMusicScore;
class TQVBoolArray;

// ---- Options --------------------------------------------------------------------------------

struct TPageOptions {
  bool numbering = false;
  int numberFrom = 1;  // shown as 1 when numbering is off
  bool titlePageInfo = false;
  bool extendLastSystem = false;
  bool durationSpacing = false;
  int staffSize = TMusicFontsData::kDefaultStaffSize;
  int staffLabels = 0;
  int measureStyle = 0;
  int measureStart = 1;
};

constexpr int kLargestPageNumberStart = 10000;
constexpr int kSmallestStaffSize = 4;
constexpr int kLargestStaffSize = 40;
constexpr int kLargestMeasureStart = 1000;

enum class TPageOptionsField { None, NumberFrom, StaffSize, MeasureStart };

TPageOptions LoadPageOptions(const TMusicScore& score);
// The first field out of its range (the page numbering start counts only when numbering is on).
TPageOptionsField FirstInvalidOption(const TPageOptions& options);
// Writes the options; a new staff size scales text fonts 0-2 with it. Answers whether the staff
// size changed (the window then rebuilds its fonts; otherwise it lays out again).
bool ApplyPageOptions(const TPageOptions& options, TMusicScore& score);

// ---- Fonts ----------------------------------------------------------------------------------

// One row of the fonts list: "name\tsize\tface\tstyle".
std::string FontRowText(const char* name, const TMusicFontsData::Font& font);
// ChooseFont works in tenths of a point.
int FontSizeFromTenths(int tenths);

// ---- Contents ---------------------------------------------------------------------------------

// The staff groups of a score in list order (each name once), and which are selected: a group is
// selected when every one of its staves is.
std::vector<std::string> StaffGroups(const TMusicScore& score);
std::vector<bool> SelectedGroups(const TMusicScore& score, const std::vector<std::string>& groups,
                                 const TQVBoolArray& staves);
// Selecting or clearing a group selects or clears all its staves.
void SelectGroup(const TMusicScore& score, const std::string& group, bool on, TQVBoolArray& staves);
