// The editor's option block: the integer options of the "Options" section (27, the earlier line
// 28), read and written in this order. Every subsystem reads them from the application object.
#pragma once

class TSysInfo;

#if defined(VC_LINE_EARLIER)
// The earlier line keeps 28 options: three colour roles follow the window colour, and there is
// no "SmartPropertiesInsert" or "ChasePlayingNotes". Those two sit after the stored block, off.
enum TAppOptionIndex {
  kOptScoreWinColor, kOptNotePlayColor, kOptActiveStaffColor, kOptInactiveStaffColor,
  kOptStatusBarEnabled, kOptStatusBarShading, kOptEnable3dControls, kOptRtMouseSetsInsPt,
  kOptSmartInsertionPt, kOptPersistentNoteTools, kOptEnableActiveStaffFrame, kOptUndoLevels,
  kOptSaveBackups, kOptAutoSaveMinutes, kOptPlayFromCaret, kOptPlayLeadInMeasures,
  kOptMidiPortUsage, kOptSMFExportTrkSigs, kOptSMFExportHdrInfo, kOptRecImportAction,
  kOptPrintMarginUnits, kOptOpenFilterIndex, kOptAcceptMidiInput, kOptDlgUseLightFont,
  kOptUseImportWizOnOpen, kOptUsageTipsOnStartup, kOptNextUsageTip, kOptExperimentalActive,
  kAppOptionCount,
  kOptSmartPropertiesInsert = kAppOptionCount, kOptChasePlayingNotes, kAppOptionSlots
};
#else
enum TAppOptionIndex {
  kOptScoreWinColor, kOptStatusBarEnabled, kOptStatusBarShading, kOptEnable3dControls,
  kOptRtMouseSetsInsPt, kOptSmartInsertionPt, kOptSmartPropertiesInsert, kOptPersistentNoteTools,
  kOptEnableActiveStaffFrame, kOptChasePlayingNotes, kOptUndoLevels, kOptSaveBackups,
  kOptAutoSaveMinutes, kOptPlayFromCaret, kOptPlayLeadInMeasures, kOptMidiPortUsage,
  kOptSMFExportTrkSigs, kOptSMFExportHdrInfo, kOptRecImportAction, kOptPrintMarginUnits,
  kOptOpenFilterIndex, kOptAcceptMidiInput, kOptDlgUseLightFont, kOptUseImportWizOnOpen,
  kOptUsageTipsOnStartup, kOptNextUsageTip, kOptExperimentalActive, kAppOptionCount,
  kAppOptionSlots = kAppOptionCount
};
#endif

struct TAppOptionKey {
  const char* key;
  int defaultValue;
};

constexpr const char kOptionsSection[] = "Options";

#if defined(VC_LINE_EARLIER)
// The colour roles are indexes into the staff colour table: play highlight, active and
// inactive staff.
constexpr TAppOptionKey kAppOptionKeys[kAppOptionCount] = {
    {"ScoreWinColor", 0},        {"NotePlayColor", 4},         {"ActiveStaffColor", 1},
    {"InactiveStaffColor", 2},   {"StatusBarEnabled", 1},      {"StatusBarShading", 1},
    {"Enable3dControls", 1},     {"RtMouseSetsInsPt", 1},      {"SmartInsertionPt", 1},
    {"PersistentNoteTools", 0},  {"EnableActiveStaffFrame", 1}, {"UndoLevels", 16},
    {"SaveBackups", 1},          {"AutoSaveMinutes", 15},      {"PlayFromCaret", 1},
    {"PlayLeadInMeasures", 1},   {"MidiPortUsage", 2},         {"SMFExportTrkSigs", 0},
    {"SMFExportHdrInfo", 1},     {"RecImportAction", 0},       {"PrintMarginUnits", 0},
    {"OpenFilterIndex", 1},      {"AcceptMidiInput", 0},       {"DlgUseLightFont", 0},
    {"UseImportWizOnOpen", 1},   {"UsageTipsOnStartup", 1},    {"NextUsageTip", 0},
    {"ExperimentalActive", 0},
};
#else
constexpr TAppOptionKey kAppOptionKeys[kAppOptionCount] = {
    {"ScoreWinColor", 0},        {"StatusBarEnabled", 1},      {"StatusBarShading", 1},
    {"Enable3dControls", 1},     {"RtMouseSetsInsPt", 1},      {"SmartInsertionPt", 1},
    {"SmartPropertiesInsert", 0}, {"PersistentNoteTools", 0},  {"EnableActiveStaffFrame", 1},
    {"ChasePlayingNotes", 1},    {"UndoLevels", 16},           {"SaveBackups", 1},
    {"AutoSaveMinutes", 15},     {"PlayFromCaret", 1},         {"PlayLeadInMeasures", 1},
    {"MidiPortUsage", 2},        {"SMFExportTrkSigs", 0},      {"SMFExportHdrInfo", 1},
    {"RecImportAction", 0},      {"PrintMarginUnits", 0},      {"OpenFilterIndex", 1},
    {"AcceptMidiInput", 0},      {"DlgUseLightFont", 0},       {"UseImportWizOnOpen", 1},
    {"UsageTipsOnStartup", 1},   {"NextUsageTip", 0},          {"ExperimentalActive", 0},
};
#endif

struct TAppOptions {
  int values[kAppOptionSlots];  // the stored block first

  TAppOptions();  // every option at its default; any slot past the stored block 0
  int& operator[](TAppOptionIndex i) { return values[i]; }
  int operator[](TAppOptionIndex i) const { return values[i]; }

  // Each key in table order with the value already held as its default.
  void Load(TSysInfo& settings);
  void Save(TSysInfo& settings) const;
};
static_assert(sizeof(TAppOptions) == kAppOptionSlots * 4, "one 32-bit value a slot");
