#include "app/OptionPages.h"

#include <cstdio>
#include <cstring>

#include "foundation/PathText.h"

namespace {

template <size_t N>
int ListIndex(int value, const char* const (&)[N], int fallback) {
  return value >= 0 && value < static_cast<int>(N) ? value : fallback;
}

int InRange(int value, int minimum, int maximum, int fallback) {
  return value >= minimum && value <= maximum ? value : fallback;
}

int Default(TAppOptionIndex i) { return kAppOptionKeys[i].defaultValue; }

constexpr const char* kFolderTypeNames[] = {"Song Files", "Print Preview Copy", "New File Templates",
                                            "Auto Save/Recovery"};

}  // namespace

const char kRecordDeviceFailureText[] =
    "The recording device failed to open properly.\n\nPlease selected a working device, or delete the contents "
    "of the edit box to disable the record feature.";

std::vector<std::string> EchoChannelNames() {
  std::vector<std::string> names = {"Use original channel"};
  for (int c = 1; c <= 16; ++c) names.push_back("Channel " + std::to_string(c));
  return names;
}

// A stored value that no list entry stands for would leave the list without a selection, and
// applying the page would then store -1; such a value shows as the option's default instead.

TColorPageState LoadColorPage(TOptionsHost& host) {
  TColorPageState s;
  const TAppOptions& o = host.Options();
  s.background = ListIndex(o[kOptScoreWinColor], kBackgroundNames, Default(kOptScoreWinColor));
  for (int i = 0; i < kStaffColorCount; ++i) s.colors[i] = host.GetStaffColor(i);
  for (int i = 0; i < kColorChoiceCount; ++i) {
    const TAppOptionIndex option = kColorChoiceOptions[i];
    s.choices[i] = InRange(o[option], 0, kStaffColorCount - 1, Default(option));
  }
  return s;
}

void ApplyColorPage(const TColorPageState& state, TOptionsHost& host) {
  TAppOptions& o = host.Options();
  o[kOptScoreWinColor] = state.background;
  for (int i = 0; i < kColorChoiceCount; ++i) o[kColorChoiceOptions[i]] = state.choices[i];
  for (int i = 0; i < kStaffColorCount; ++i) host.SetStaffColor(i, state.colors[i]);
  host.ForEachScoreWindow(kRefreshColorsAction);
  host.SaveSettings();
  host.SaveStaffColors();
}

void FillGreyRamp(uint32_t (&colors)[16]) {
  for (uint32_t i = 0; i < 16; ++i) colors[i] = i * 0x101010u;
}

TEditorPageState LoadEditorPage(TOptionsHost& host) {
  TEditorPageState s;
  const TAppOptions& o = host.Options();
  for (int i = 0; i < kEditorCheckCount; ++i) s.checks[i] = o[kEditorCheckOptions[i]] != 0;
  s.undoLevels = InRange(o[kOptUndoLevels], kMinUndoLevels, kMaxUndoLevels, Default(kOptUndoLevels));
  return s;
}

void ApplyEditorPage(const TEditorPageState& state, TOptionsHost& host) {
  TAppOptions& o = host.Options();
  for (int i = 0; i < kEditorCheckCount; ++i) o[kEditorCheckOptions[i]] = state.checks[i] ? 1 : 0;
  const bool undoChanged = o[kOptUndoLevels] != state.undoLevels;
  o[kOptUndoLevels] = state.undoLevels;
  if (undoChanged) host.ForEachScoreWindow(kResizeUndoAction);
  host.SaveSettings();
}

TFilePageState LoadFilePage(TOptionsHost& host) {
  TFilePageState s;
  const TAppOptions& o = host.Options();
  s.backups = o[kOptSaveBackups] != 0;
  s.autoSave = o[kOptAutoSaveMinutes] != 0;
  s.minutes = s.autoSave ? InRange(o[kOptAutoSaveMinutes], kMinAutoSaveMinutes, kMaxAutoSaveMinutes,
                                   kProposedAutoSaveMinutes)
                         : kProposedAutoSaveMinutes;
  s.restrictExperimental = o[kOptExperimentalActive] == 0;
  s.trackSignatures = o[kOptSMFExportTrkSigs] != 0;
  s.headerInfo = ListIndex(o[kOptSMFExportHdrInfo], kHeaderInfoNames, Default(kOptSMFExportHdrInfo));
  s.importWizard = o[kOptUseImportWizOnOpen] != 0;
  return s;
}

void ApplyFilePage(const TFilePageState& state, TOptionsHost& host) {
  TAppOptions& o = host.Options();
  o[kOptSaveBackups] = state.backups ? 1 : 0;
  o[kOptAutoSaveMinutes] = state.autoSave ? state.minutes : 0;
  o[kOptExperimentalActive] = state.restrictExperimental ? 0 : 1;
  o[kOptSMFExportTrkSigs] = state.trackSignatures ? 1 : 0;
  o[kOptSMFExportHdrInfo] = state.headerInfo;
  o[kOptUseImportWizOnOpen] = state.importWizard ? 1 : 0;
  host.SaveSettings();
}

std::string FolderRowText(int row, const char* folder) {
  if (row < 0 || row >= 4) return std::string();
  return std::string(kFolderTypeNames[row]) + ":\t" + (folder ? folder : "");
}

void ApplyFolderChange(int row, const char* folder, TOptionsHost& host) {
  if (row < 0 || row >= 4) return;
  if (row <= 1) host.SetRememberedFolder(row, folder);
  host.SetFolder(row, folder);
  if (row == 3) host.ForEachScoreWindow(kDiscardAutoSaveAction);
}

bool NormaliseFolderText(const char* text, char (&out)[260]) {
  if (!text || std::strlen(text) >= sizeof out) return false;
  std::snprintf(out, sizeof out, "%s", text);
  PathToDirectory(out, false);
  return true;
}

bool FolderEditAccepts(const char* text, bool (*isFolder)(const char* path)) {
  if (!text || !text[0]) return true;
  return isFolder && isFolder(text);
}

TMidiPageState LoadMidiPage(TOptionsHost& host) {
  TMidiPageState s;
  const TAppOptions& o = host.Options();
  if (o[kOptPlayFromCaret] == 0) {
    s.playFrom = 0;
  } else {
    const int leadIn = InRange(o[kOptPlayLeadInMeasures], 0, kPlayFromEntries - 2, Default(kOptPlayLeadInMeasures));
    s.playFrom = leadIn + 1;
  }
  s.portUsage = ListIndex(o[kOptMidiPortUsage], kPortUsageNames, Default(kOptMidiPortUsage));
  return s;
}

void ApplyMidiPage(const TMidiPageState& state, TOptionsHost& host) {
  TAppOptions& o = host.Options();
  o[kOptPlayFromCaret] = state.playFrom == 0 ? 0 : 1;
  o[kOptPlayLeadInMeasures] = state.playFrom == 0 ? 0 : state.playFrom - 1;
  o[kOptMidiPortUsage] = state.portUsage;
  host.SaveSettings();
}

std::string PlayDeviceFailureText(uint16_t failed, const std::vector<std::string>& names) {
  std::string text = "The following play devices failed to open properly:\n";
  for (size_t i = 0; i < names.size() && i < 16; ++i) {
    if (failed >> i & 1) text += "\n\t" + names[i];
  }
  return text + "\n\nThis problem must be corrected before proceeding.";
}

TRecordPageState LoadRecordPage(TOptionsHost& host) {
  TRecordPageState s;
  s.importAction = ListIndex(host.Options()[kOptRecImportAction], kRecImportNames, Default(kOptRecImportAction));
  return s;
}

void ApplyRecordPage(const TRecordPageState& state, TOptionsHost& host) {
  host.Options()[kOptRecImportAction] = state.importAction;
  host.SaveSettings();
}

int EchoChannelIndex(int channel) { return channel >= 1 && channel <= 16 ? channel : 0; }
