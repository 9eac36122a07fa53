// A score of one staff written in the staff text of the tests, with an undo ring, the editing
// rules on it and note entry with its own tool state: the fixture of the note-entry, MIDI and
// clipboard tests.
#pragma once
#include <set>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "editor/NoteEntry.h"
#include "tests/staffutl/StaffText.h"

struct TOneStaffScore {
  TMusicScore score;
  TUndoActionMgr undo{16, 1000};
  TScoreEditing edit{score, undo, nullptr};
  TNoteTools tools;
  TNoteEntry entry{edit, tools};

  explicit TOneStaffScore(const std::string& text = "") {
    InstallAuditPass();
    auto* staff = new TMusicStaff;
    FillStaff(*staff, text);
    RunStaffAudit(staff, -1, -1);
    score.AppendStaff(staff);
  }
  TMusicStaff& Staff() { return *score.GetStaff(0); }
  std::string Text() { return StaffText(Staff()); }
  TMusicNote* Head(int index, int h = 0) { return Staff().GetItem(index)->GetNote(h); }
  // The head positions of item i.
  std::set<int> Heads(int i) {
    std::set<int> out;
    TNotatedItem* item = Staff().GetItem(i);
    for (int h = 0; h < item->GetNoteCount(); ++h) out.insert(item->GetNote(h)->GetPosition());
    return out;
  }
  // Items from..to-1 selected, the caret at `to`.
  void Select(int from, int to) {
    edit.MoveCaretTo(from, false);
    edit.MoveCaretTo(to, true);
  }
};
