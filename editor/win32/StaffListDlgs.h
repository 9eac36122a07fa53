// The dialogs that list a score's staves: the staff-name list control, Mute List (which staves
// play) and Move Staff (where the current staff goes).
#pragma once

#include <vector>

#include "app/win32/MCTDialog.h"
#include "framework/ListBox.h"

class TMusicScore;

// A list of the score's staves: in tab mode "group:name" and the MIDI columns, else the names.
// A double click closes its dialog with OK.
class TQVKStaffNameList : public TListBox {
public:
  TQVKStaffNameList(TWindow* parent, int resourceId, bool tabMode) : TListBox(parent, resourceId), tabMode_(tabMode) {}
  void Fill(const TMusicScore& score);

private:
  bool tabMode_;
};

class TMuteListDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 545;

  // `muted` holds one flag per staff; OK stores the rows' selection in it.
  TMuteListDlg(TWindow* parent, const TMusicScore& score, std::vector<bool>& muted);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  void CmOk() override;
  void CmPlayAll() { SelectRows(0); }
  void CmMuteAll() { SelectRows(1); }
  void CmReverseAll() { SelectRows(2); }

private:
  // 0 unselects, 1 selects, 2 inverts every row.
  void SelectRows(int how);

  const TMusicScore& score_;
  std::vector<bool>& muted_;
  TListBox* list_;
};

// A dialog that chooses one row of a staff list: OK (or a double click on a row) keeps the
// chosen row, which opens on the given staff.
class TStaffRowDlg : public TMCTDialog {
public:
  TStaffRowDlg(TWindow* parent, int resourceId, const TMusicScore& score, int staff, int listId)
      : TMCTDialog(parent, resourceId), score_(score), chosen_(staff), listId_(listId) {}

  bool Find(TEvent& ev) override;
  void CmOk() override;
  // The chosen index after OK.
  int GetChosen() const { return chosen_; }

protected:
  void SetRows(TListBox* rows) { rows_ = rows; }
  const TMusicScore& score_;
  int chosen_;

private:
  int listId_;
  TListBox* rows_ = nullptr;
};

// The review list of every staff under its column header.
class TScoreReviewDlg : public TStaffRowDlg {
public:
  static constexpr int kResourceId = 529;

  TScoreReviewDlg(TWindow* parent, const TMusicScore& score, int staff);
  void SetupWindow() override;

private:
  class TQVColumnHeader* header_;
  class TQVColumnListBox* list_;
};

class TMoveStaffDlg : public TStaffRowDlg {
public:
  static constexpr int kResourceId = 590;

  TMoveStaffDlg(TWindow* parent, const TMusicScore& score, int staff);
  void SetupWindow() override;

private:
  TQVKStaffNameList* list_;
};
