#include "editor/win32/ItemDialogInserts.h"

#include <windows.h>

#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "editor/TemplateInsert.h"
#include "editor/win32/NtnPropDlg.h"
#include "editor/win32/ScoreEdit.h"
#include "framework/CommandEnabler.h"
#include "framework/ResponseTable.h"
#include "resources/CommandIds.h"

namespace {

bool IsItemDialog(UINT id) { return id >= CM_INS_BARLINE && id <= CM_INS_CONTROLLER; }

// Cancel inserts nothing; the template keeps the caret's position it took, and on OK the values.
void InsertThroughSheet(TScoreEdit& view, int command) {
  if (!gApp || !view.IsUsable() || view.HasSelection()) return;
  TNotatedItem* item = TemplateOfCommand(gApp->Templates(), command);
  if (!item) return;
  const bool smart = gApp->Option(kOptSmartPropertiesInsert) != 0;
  TNtnPropData data;
  PrepareTemplate(*item, view.GetCaretStaffPos(), smart, data);
  TNtnPropDialog sheet(&view, data);
  if (sheet.Execute() != IDOK) return;
  TNoteEntry entry(view.Editing(), NoteTools());
  view.ReportEntry(InsertFromTemplate(entry, *item, command, smart, data));
}

}  // namespace

bool FindItemDialogInsert(TScoreEdit& view, TEvent& ev) {
  if (ev.msg == WM_COMMAND_ENABLE && ev.lParam) {
    auto& ce = *reinterpret_cast<TCommandEnabler*>(ev.lParam);
    if (!IsItemDialog(ce.GetId())) return false;
    if (!ev.probe) ce.Enable(view.IsUsable() && !view.HasSelection());
    return true;
  }
  if (ev.msg != WM_COMMAND || !IsItemDialog(LOWORD(ev.wParam))) return false;
  // Menu items and accelerators only: never a control's notification.
  const int code = HIWORD(ev.wParam);
  if (!(code == 0 || (code == 1 && ev.lParam == 0))) return false;
  if (!ev.probe) {
    InsertThroughSheet(view, LOWORD(ev.wParam));
    ev.result = 0;
  }
  return true;
}
