// The New command's sheet: one tab of template scores per folder (the Templates folder itself as
// "General", then its subfolders), "<Blank Score>" on the first, and ".qvk" files dropped on a
// tab copied into its folder.
#pragma once
#include <string>
#include <vector>

#include "app/FileTemplates.h"
#include "app/win32/QVKPropertyDlg.h"
#include "app/win32/QVKPropertyPage.h"

class TListBox;

// The entries of a folder, in the order the file system lists them.
std::vector<TFolderEntry> ListFolder(const std::string& folder);

class TFileTemplateTab : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 573;
  TFileTemplateTab(TQVKPropertyDlg* sheet, const TTemplateTab& tab, bool firstTab);

  void SetupWindow() override;
  void CleanupWindow() override;
  bool Find(TEvent& ev) override;
  // The chosen template (empty for the blank score); false when nothing is selected.
  bool GetChoice(std::string& path) const;
  void Fill();
  LRESULT EvDoubleClick(WPARAM, LPARAM);
  LRESULT EvDropFiles(WPARAM, LPARAM);

private:
  TTemplateTab tab_;
  bool first_;
  TListBox* list_;
};

class TFileTemplateDlg : public TQVKPropertyDlg {
public:
  static constexpr int kResourceId = 572;
  // `result` receives the chosen template's path on OK, empty for the blank score.
  TFileTemplateDlg(TWindow* parent, const char* templatesFolder, std::string& result);

  void CmOk() override;

private:
  std::string& result_;
};
