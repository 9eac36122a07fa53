// The editor's option block: 27 integer options of the "Options" section, read and written in
// this order. Every subsystem reads them from the application object.
#pragma once

class TSysInfo;

enum TAppOptionIndex {
  kOptScoreWinColor, kOptStatusBarEnabled, kOptStatusBarShading, kOptEnable3dControls,
  kOptRtMouseSetsInsPt, kOptSmartInsertionPt, kOptSmartPropertiesInsert, kOptPersistentNoteTools,
  kOptEnableActiveStaffFrame, kOptChasePlayingNotes, kOptUndoLevels, kOptSaveBackups,
  kOptAutoSaveMinutes, kOptPlayFromCaret, kOptPlayLeadInMeasures, kOptMidiPortUsage,
  kOptSMFExportTrkSigs, kOptSMFExportHdrInfo, kOptRecImportAction, kOptPrintMarginUnits,
  kOptOpenFilterIndex, kOptAcceptMidiInput, kOptDlgUseLightFont, kOptUseImportWizOnOpen,
  kOptUsageTipsOnStartup, kOptNextUsageTip, kOptExperimentalActive, kAppOptionCount
};

struct TAppOptionKey {
  const char* key;
  int defaultValue;
};

constexpr const char kOptionsSection[] = "Options";

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

struct TAppOptions {
  int values[kAppOptionCount];

  TAppOptions();  // every option at its default
  int& operator[](TAppOptionIndex i) { return values[i]; }
  int operator[](TAppOptionIndex i) const { return values[i]; }

  // Each key in table order with the value already held as its default.
  void Load(TSysInfo& settings);
  void Save(TSysInfo& settings) const;
};
static_assert(sizeof(TAppOptions) == kAppOptionCount * 4, "27 32-bit options");
