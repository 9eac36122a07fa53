// The options sheet's Color, Editor, File and Folders pages, and the folder dialog that the
// Folders page opens. Each page loads its controls from the settings at set-up and applies them
// (saved at once) when the sheet's OK takes it.
#pragma once
#include <cstdint>
#include <string>

#include "app/OptionPages.h"
#include "app/win32/MCTDialog.h"
#include "app/win32/QVKPropertyPage.h"

class TEditNumber;
class TListBox;
class TQVColumnHeader;
class TQVColumnListBox;

class TColorOptionsDlg : public TQVKPropertyPage {
public:
  static constexpr int kBackgroundList = 101, kRoleList = 102, kChangeColor = 190;

  TColorOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host);
  void SetupWindow() override;
  bool Apply() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  void ChangeColor();

private:
  TOptionsHost& host_;
  TListBox* roles_;
  uint32_t customColors_[16];
};

class TEditOptionsDlg : public TQVKPropertyPage {
public:
  static constexpr int kUndoLevels = 108;

  TEditOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host);
  void SetupWindow() override;
  bool Apply() override;

private:
  TOptionsHost& host_;
  TEditNumber* undoLevels_;
};

class TFileOptionsDlg : public TQVKPropertyPage {
public:
  static constexpr int kBackups = 101, kAutoSave = 102, kMinutes = 103, kRestrict = 104, kTrackSignatures = 120,
                       kHeaderInfo = 121, kImportWizard = 130;

  TFileOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host);
  void SetupWindow() override;
  bool Apply() override;

private:
  TOptionsHost& host_;
  TEditNumber* minutes_;
};

class TFoldersOptionsDlg : public TQVKPropertyPage {
public:
  static constexpr int kList = 101, kHeader = 102, kModify = 110;

  TFoldersOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host);
  void SetupWindow() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  void Modify();

private:
  std::string RowText(int row);

  TOptionsHost& host_;
  TQVColumnHeader* header_;
  TQVColumnListBox* list_;
};

// "Folder Name" (594): one folder, empty or existing.
class TFolderEditDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 594, kFolderEdit = 101, kBrowse = 110;

  TFolderEditDlg(TWindow* parent, const char* folder);
  void SetupWindow() override;
  bool CanClose() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  void Browse();
  // The folder after OK, normalised without a trailing backslash.
  const char* GetFolder() const { return folder_; }

private:
  char folder_[260];
};
