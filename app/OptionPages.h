// The options sheet's pages without their windows: which pages the caller's mask enables, the
// texts of their lists, and each page's load (settings -> controls) and apply (controls ->
// settings, saved at once, open score windows told what concerns them).
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/AppOptions.h"

constexpr int kOptionsSheetId = 569;

enum class TOptionPage { kColor, kEditor, kFile, kFolders, kImport, kMidi, kRecord, kCount };
constexpr int kOptionPageCount = static_cast<int>(TOptionPage::kCount);

struct TOptionPageInfo {
  const char* caption;
  int dialogId;
  unsigned maskBit;  // the bit of the caller's mask that enables the page
};
// In sheet order.
constexpr TOptionPageInfo kOptionPages[kOptionPageCount] = {
    {"Color", 600, 0x01}, {"Editor", 563, 0x02}, {"File", 564, 0x04}, {"Folders", 583, 0x40},
    {"Import", 603, 0x08}, {"Midi", 565, 0x10}, {"Record", 585, 0x20},
};
// Every page; every page but Color (no score window is open); the Midi page alone (the MIDI
// device warnings lead there).
constexpr unsigned kOptionsMaskAll = 0xFF;
constexpr unsigned kOptionsMaskNoScore = 0xFE;
constexpr unsigned kOptionsMaskMidiOnly = 0x10;

constexpr bool IsOptionPageEnabled(TOptionPage page, unsigned mask) {
  return (kOptionPages[static_cast<int>(page)].maskBit & mask) != 0;
}

// What the pages change besides the option block: the application and the frame provide it.
class TOptionsHost {
public:
  virtual ~TOptionsHost() = default;
  virtual TAppOptions& Options() = 0;
  // The option block (and the file history) written to the settings file.
  virtual void SaveSettings() = 0;
  virtual uint32_t GetStaffColor(int i) const = 0;
  virtual void SetStaffColor(int i, uint32_t color) = 0;
  // The "StaffColors" section.
  virtual void SaveStaffColors() = 0;
  // TScoreWindowAction on every open score window.
  virtual void ForEachScoreWindow(int action) = 0;
  virtual bool GetFolder(int n, char (&out)[260]) = 0;
  virtual void SetFolder(int n, const char* path) = 0;
  // The folder the file dialogs of this run start in (n 0 or 1).
  virtual void SetRememberedFolder(int n, const char* folder) = 0;
};

// The score window actions the pages ask for.
constexpr int kRefreshColorsAction = 2;
constexpr int kResizeUndoAction = 3;
constexpr int kDiscardAutoSaveAction = 5;

// Texts of the pages' drop-down lists, index = stored value.
constexpr const char* kBackgroundNames[] = {"White", "Lt Gray", "Gray", "Dk Gray", "Black"};
constexpr const char* kHeaderInfoNames[] = {"Exclude", "Track 0", "Track 1"};
constexpr const char* kPlayFromNames[] = {"from beginning",      "from insertion point", "from current measure",
                                          "from 1 measure back", "from 2 measures back", "from 3 measures back"};
constexpr const char* kPortUsageNames[] = {"While Active", "While Playing", "Always"};
constexpr const char* kRecImportNames[] = {"New window", "'Record' group", "Buffer only"};
// "Use original channel", then "Channel 1" ... "Channel 16".
std::vector<std::string> EchoChannelNames();

// Color page (600). The earlier line also picks, from the staff colour table, the colours of
// the play highlight, the active staff and the inactive staff (lists 103-105).
#if defined(VC_LINE_EARLIER)
constexpr int kColorChoiceCount = 3;
#else
constexpr int kColorChoiceCount = 0;
#endif
constexpr std::array<int, kColorChoiceCount> kColorChoiceIds = {
#if defined(VC_LINE_EARLIER)
    103, 104, 105
#endif
};
constexpr std::array<TAppOptionIndex, kColorChoiceCount> kColorChoiceOptions = {
#if defined(VC_LINE_EARLIER)
    kOptNotePlayColor, kOptActiveStaffColor, kOptInactiveStaffColor
#endif
};
constexpr int kStaffColorCount = 8;
struct TColorPageState {
  int background = 0;     // list 101
  uint32_t colors[kStaffColorCount] = {};  // list 102, one per colour role
  std::array<int, kColorChoiceCount> choices{};  // lists 103-105: an index into the colours
};
TColorPageState LoadColorPage(TOptionsHost& host);
void ApplyColorPage(const TColorPageState& state, TOptionsHost& host);
// The colour chooser's 16 custom colours: a grey ramp from black to RGB(240, 240, 240).
void FillGreyRamp(uint32_t (&colors)[16]);

// Editor page (563): check boxes 105, 106, 111, 107, 110, then 112 and 109, and the undo levels.
// The earlier line stores neither "SmartPropertiesInsert" nor "ChasePlayingNotes", so it has
// no boxes 111 and 112.
#if defined(VC_LINE_EARLIER)
constexpr int kEditorCheckCount = 5;
constexpr int kEditorCheckIds[kEditorCheckCount] = {105, 106, 107, 110, 109};
constexpr TAppOptionIndex kEditorCheckOptions[kEditorCheckCount] = {
    kOptRtMouseSetsInsPt, kOptSmartInsertionPt, kOptPersistentNoteTools, kOptEnableActiveStaffFrame,
    kOptDlgUseLightFont};
#else
constexpr int kEditorCheckCount = 7;
constexpr int kEditorCheckIds[kEditorCheckCount] = {105, 106, 111, 107, 110, 112, 109};
constexpr TAppOptionIndex kEditorCheckOptions[kEditorCheckCount] = {
    kOptRtMouseSetsInsPt,        kOptSmartInsertionPt,   kOptSmartPropertiesInsert, kOptPersistentNoteTools,
    kOptEnableActiveStaffFrame, kOptChasePlayingNotes, kOptDlgUseLightFont};
#endif
constexpr int kMinUndoLevels = 2, kMaxUndoLevels = 100;
struct TEditorPageState {
  bool checks[kEditorCheckCount] = {};
  int undoLevels = 16;  // edit 108
};
TEditorPageState LoadEditorPage(TOptionsHost& host);
void ApplyEditorPage(const TEditorPageState& state, TOptionsHost& host);

// File page (564).
constexpr int kMinAutoSaveMinutes = 1, kMaxAutoSaveMinutes = 90;
// What the frequency shows while auto-save is off.
constexpr int kProposedAutoSaveMinutes = 15;
struct TFilePageState {
  bool backups = false;               // 101
  bool autoSave = false;              // 102
  int minutes = kProposedAutoSaveMinutes;  // 103
  bool restrictExperimental = false;  // 104
  bool trackSignatures = false;       // 120
  int headerInfo = 0;                 // 121
  bool importWizard = false;          // 130
};
TFilePageState LoadFilePage(TOptionsHost& host);
void ApplyFilePage(const TFilePageState& state, TOptionsHost& host);

// Folders page (583): rows 0-3 "Song Files", "Print Preview Copy", "New File Templates",
// "Auto Save/Recovery".
std::string FolderRowText(int row, const char* folder);
// The Modify... dialog's answer for one row: the remembered folder (rows 0 and 1), the setting,
// and the auto-save files of the open windows when the auto-save folder moved.
void ApplyFolderChange(int row, const char* folder, TOptionsHost& host);
// The folder edit's text normalised as a stored folder: no trailing backslash (a bare drive keeps
// its root backslash); false when it does not fit 260 characters.
bool NormaliseFolderText(const char* text, char (&out)[260]);
// The folder dialog closes on an empty edit or an existing folder.
bool FolderEditAccepts(const char* text, bool (*isFolder)(const char* path));

// Midi page (565): list 102 (0 from the beginning, else the lead-in + 1) and list 103.
constexpr int kPlayFromEntries = 6;
struct TMidiPageState {
  int playFrom = 0;
  int portUsage = 0;
};
TMidiPageState LoadMidiPage(TOptionsHost& host);
void ApplyMidiPage(const TMidiPageState& state, TOptionsHost& host);
// The failure text for the play devices whose bit is set (bit i: entry i of `names`).
std::string PlayDeviceFailureText(uint16_t failed, const std::vector<std::string>& names);
constexpr const char kPlayDeviceFailureCaption[] = "Play Device Failure";
constexpr const char kRecordDeviceFailureCaption[] = "Record Device Failure";
extern const char kRecordDeviceFailureText[];

// Record page (585): list 109; the devices and the echo belong to the device manager.
struct TRecordPageState {
  int importAction = 0;
};
TRecordPageState LoadRecordPage(TOptionsHost& host);
void ApplyRecordPage(const TRecordPageState& state, TOptionsHost& host);
// The channel list 104's index for an echo channel (0 keeps each event's own), and back.
int EchoChannelIndex(int channel);
