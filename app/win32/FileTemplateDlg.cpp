#include "app/win32/FileTemplateDlg.h"

#include <shellapi.h>

#include "foundation/PathText.h"
#include "framework/ListBox.h"
#include "resources/NewFileIds.h"

std::vector<TFolderEntry> ListFolder(const std::string& folder) {
  std::vector<TFolderEntry> entries;
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(pattern.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return entries;
  do {
    TFolderEntry e;
    e.name = found.cFileName;
    e.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.temporary = (found.dwFileAttributes & FILE_ATTRIBUTE_TEMPORARY) != 0;
    entries.push_back(e);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return entries;
}

namespace {
using RTab = TResponse<TFileTemplateTab>;
constexpr RTab kTabResponses[] = {
    RTab::Notify(IDC_TEMPLATE_LIST, LBN_DBLCLK, &TFileTemplateTab::EvDoubleClick),
    RTab::Message(WM_DROPFILES, &TFileTemplateTab::EvDropFiles),
};
}  // namespace

TFileTemplateTab::TFileTemplateTab(TQVKPropertyDlg* sheet, const TTemplateTab& tab, bool firstTab)
    : TQVKPropertyPage(sheet, kResourceId), tab_(tab), first_(firstTab) {
  list_ = new TListBox(this, IDC_TEMPLATE_LIST);
}

bool TFileTemplateTab::Find(TEvent& ev) { return ev.Dispatch(this, kTabResponses) || TQVKPropertyPage::Find(ev); }

void TFileTemplateTab::Fill() {
  list_->ClearList();
  const std::vector<TFolderEntry> entries = tab_.folder.empty() ? std::vector<TFolderEntry>() : ListFolder(tab_.folder);
  for (const std::string& name : TemplateListEntries(entries, first_)) list_->AddString(name.c_str());
}

void TFileTemplateTab::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  Fill();
  DragAcceptFiles(GetHandle(), TRUE);
  // "<Blank Score>" leads the first tab's list; the others start on their first template.
  if (list_->GetCount() > 0) list_->SetSelIndex(0);
}

void TFileTemplateTab::CleanupWindow() {
  DragAcceptFiles(GetHandle(), FALSE);
  TQVKPropertyPage::CleanupWindow();
}

bool TFileTemplateTab::GetChoice(std::string& path) const {
  if (!list_->GetHandle()) return false;
  const int selected = list_->GetSelIndex();
  if (selected < 0) return false;
  path = TemplateResultPath(tab_, list_->GetString(selected), first_);
  return true;
}

LRESULT TFileTemplateTab::EvDoubleClick(WPARAM, LPARAM) {
  if (GetSheet()) GetSheet()->PostMessage(WM_COMMAND, IDOK);
  return 0;
}

LRESULT TFileTemplateTab::EvDropFiles(WPARAM wParam, LPARAM) {
  HDROP drop = reinterpret_cast<HDROP>(wParam);
  bool copied = false;
  if (!tab_.folder.empty()) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      char path[MAX_PATH] = {};
      if (DragQueryFileA(drop, i, path, sizeof path) == 0 || !IsTemplateFile(path)) continue;
      const std::string target = tab_.folder + GetFileNamePart(path);
      copied = CopyFileA(path, target.c_str(), FALSE) != 0 || copied;
    }
  }
  DragFinish(drop);
  if (copied) Fill();
  return 0;
}

TFileTemplateDlg::TFileTemplateDlg(TWindow* parent, const char* templatesFolder, std::string& result)
    : TQVKPropertyDlg(parent, kResourceId, kResourceId), result_(result) {
  const std::string root = templatesFolder ? templatesFolder : "";
  const std::vector<TTemplateTab> tabs = TemplateTabs(root, root.empty() ? std::vector<TFolderEntry>() : ListFolder(root));
  for (size_t i = 0; i < tabs.size(); ++i) AddPage(tabs[i].title.c_str(), new TFileTemplateTab(this, tabs[i], i == 0));
}

void TFileTemplateDlg::CmOk() {
  auto* tab = dynamic_cast<TFileTemplateTab*>(GetCurrentPage());
  std::string path;
  if (!tab || !tab->GetChoice(path)) {
    MessageBeep(MB_OK);
    return;
  }
  result_ = path;
  TQVKPropertyDlg::CmOk();
}
