// The staff commands that go through the properties, list and transpose dialogs, as edits of
// the current staff or the score: each records its undo step first, then changes the model.
// The dialogs gather the values; the view repaints afterwards.
#pragma once

#include <vector>

class TMusicStaff;
class TScoreEditing;

// Staff Properties: the edited copy's settings replace the current staff's (undo kind 5).
bool StoreStaffSettings(TScoreEditing& edit, const TMusicStaff& edited, int command);
// Mute List: one flag per staff (undo kind 6 with every staff's muted flag).
bool StoreMuteList(TScoreEditing& edit, const std::vector<bool>& muted);
// Move Staff: the current staff goes to index `to` (its shown flag goes with it); false when it
// is already there or the index is not a staff.
bool MoveCurrentStaffTo(TScoreEditing& edit, int to);

// The whole-staff commands, by their command ids.
enum class TStaffAudit {
  AutomaticBeam = 65,
  ForceAccidentals = 67,
  AuditBarLines = 70,
  AuditAccidentals = 71,
  AuditNoteStems = 72,
  AuditEnharmonicSpelling = 73,
};
bool RunStaffAuditCommand(TScoreEditing& edit, TStaffAudit audit);

// The transpose settings of the run.
struct TTransposeSettings {
  enum Preference { kMinimise = 0, kFlatKeys = 1, kSharpKeys = 2 };
  int semitones = 0;
  bool updatePlayback = false;
  int preference = kMinimise;
  // The model's preference: -1 flat keys, 1 sharp keys, 0 otherwise.
  int ModelPreference() const { return preference == kFlatKeys ? -1 : preference == kSharpKeys ? 1 : 0; }
};
// Transpose Staff after its warnings: the semitones are clamped to -12..12; with updatePlayback
// the playback transposition drops by them so the staff sounds as before.
bool TransposeCurrentStaff(TScoreEditing& edit, const TTransposeSettings& settings);

// The problems the respelling warning walks: the next index after `after` (0: none).
int NextTransposeProblem(TMusicStaff& staff, int semitones, int after);
int NextChordClash(TMusicStaff& staff, int after);
