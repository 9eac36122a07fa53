// The score view's note entry: the note tool commands and their enablers (which the toolbar
// buttons follow too), the insert commands, the tool keys '+', '-', '0' and '.', MIDI step entry
// from the engine's echo message, and the MIDI Input Active and Persistent Note Tools switches.
#include <windows.h>

#include <algorithm>

#include "QVKNTN/ScoreAuditHooks.h"
#include "app/win32/OptionsSheet.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/Toolbar.h"
#include "app/win32/ToolbarGadgets.h"
#include "app/win32/VellichordApp.h"
#include "editor/MidiStepEntry.h"
#include "editor/win32/ScoreEdit.h"
#include "foundation/win32/MessageBoxes.h"
#include "midi/win32/MidiManager.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"

namespace {

// Commands whose enabling is "usable view, no selection".
constexpr int kInsertCommands[] = {CM_INSERTNOTE, CM_INSERTREST, CM_CHORDMEMBER, CM_INSERTBARLINE,
                                   CM_REMOVECHORDNOTE, CM_AUTOBEAM};
// Commands enabled whenever the view is usable.
constexpr int kToolStepCommands[] = {CM_TOGGLEDOTTED, CM_LONGER, CM_SHORTER, CM_RESETTOOLS, CM_REFRESHSTAFF};

template <std::size_t N>
bool Contains(const int (&list)[N], int id) {
  return std::find(std::begin(list), std::end(list), id) != std::end(list);
}

bool IsNoteEntryCommand(int id) {
  return FindToolCommand(id).kind != TToolKind::None || Contains(kInsertCommands, id) || TNoteEntry::IsFastInsert(id) ||
         Contains(kToolStepCommands, id) || id == CM_MIDIINPUT || id == CM_PERSISTENTTOOLS || id == CM_CUT ||
         id == CM_COPY || id == CM_PASTE || id == CM_CLEAR || id == CM_COPYSPECIAL;
}

bool Persistent() { return gApp && gApp->Option(kOptPersistentNoteTools); }

// Some shown toolbar has the double-dotted button right after the dotted one.
bool DoubleDottedFollowsDotted() {
  for (const TToolbar* bar : ToolbarList()) {
    if (!bar || bar->IsHidden()) continue;
    for (int i = 0; i + 1 < bar->GetGadgetCount(); ++i) {
      if (bar->GetGadget(i)->GetId() == CM_DOTTED && bar->GetGadget(i + 1)->GetId() == CM_DOUBLEDOTTED) return true;
    }
  }
  return false;
}

}  // namespace

bool TScoreEdit::FindNoteEntry(TEvent& ev) {
  if (ev.msg == kMidiEchoMessage) {
    if (!ev.probe) ev.result = EvMidiInput(ev.wParam, ev.lParam);
    return true;
  }
  if (ev.msg == WM_COMMAND_ENABLE && ev.lParam) {
    auto& ce = *reinterpret_cast<TCommandEnabler*>(ev.lParam);
    if (!IsNoteEntryCommand(static_cast<int>(ce.GetId()))) return false;
    if (!ev.probe) EnableNoteEntry(ce);
    return true;
  }
  if (ev.msg != WM_COMMAND) return false;
  // Menu items and accelerators only: never a control's notification.
  const int code = HIWORD(ev.wParam);
  if (!(code == 0 || (code == 1 && ev.lParam == 0))) return false;
  const int id = LOWORD(ev.wParam);
  if (!IsNoteEntryCommand(id)) return false;
  if (!ev.probe) {
    NoteEntryCommand(id);
    ev.result = 0;
  }
  return true;
}

void TScoreEdit::FollowToolSelection() {
  if (!active_) return;
  noteEntry_.FollowSelection();
}

void TScoreEdit::ReportEntry(TEntryResult result) {
  switch (result) {
    case TEntryResult::Done:
      RefreshAll();
      return;
    case TEntryResult::NoRoom:
      MBLMessage(hwnd_, MB_OK | MB_ICONINFORMATION, IDS_STAFF_CAPACITY, IDS_STAFF_CAPACITY_TEXT);
      return;
    case TEntryResult::Refused:
      MessageBeep(MB_OK);
      return;
  }
}

void TScoreEdit::NoteEntryCommand(int command) {
  noteEntry_.SetPersistent(Persistent());
  TNoteTools& tools = NoteTools();
  switch (command) {
    case CM_INSERTNOTE: ReportEntry(noteEntry_.InsertNote(caretStaffPos_)); return;
    case CM_INSERTREST: ReportEntry(noteEntry_.InsertRest()); return;
    case CM_CHORDMEMBER: ReportEntry(noteEntry_.AddChordMember(caretStaffPos_)); return;
    case CM_INSERTBARLINE: ReportEntry(noteEntry_.InsertBarLine()); return;
    case CM_REMOVECHORDNOTE: ReportEntry(noteEntry_.RemoveChordNote(caretStaffPos_)); return;
    case CM_AUTOBEAM: ReportEntry(noteEntry_.AutoBeamStaff()); return;
    case CM_REFRESHSTAFF:
      if (edit_.CurrentStaff()) RunStaffAudit(edit_.CurrentStaff(), -1, -1);
      RefreshAll();
      return;
    case CM_COPY: CopySelection(); return;
    case CM_CUT: CmCut(); return;
    case CM_PASTE: CmPaste(); return;
    case CM_CLEAR: CmClear(); return;
    case CM_COPYSPECIAL: CmCopySpecial(); return;
    case CM_MIDIINPUT: CmMidiInput(); return;
    case CM_PERSISTENTTOOLS:
      if (gApp) {
        gApp->Options()[kOptPersistentNoteTools] = Persistent() ? 0 : 1;
        gApp->SaveSettings();
      }
      return;
    case CM_TOGGLEDOTTED: NoteEntryCommand(tools.DotCommand(DoubleDottedFollowsDotted())); return;
    case CM_RESETTOOLS:
      tools.ResetTools();
      caretStaffPos_ = 0;
      PlaceCaret();
      Invalidate(true);
      return;
    case CM_LONGER:
    case CM_SHORTER:
      if (edit_.HasSelection()) {
        ReportEntry(noteEntry_.ApplyToSelection(command));
      } else {
        tools.StepDuration(command == CM_LONGER ? -1 : 1);
      }
      return;
    default: break;
  }
  if (TNoteEntry::IsFastInsert(command)) {
    ReportEntry(noteEntry_.FastInsert(command));
    return;
  }
  const TToolCommand tool = FindToolCommand(command);
  if (tool.kind == TToolKind::None) return;
  if (edit_.HasSelection()) {
    ReportEntry(noteEntry_.ApplyToSelection(command));
    return;
  }
  switch (tool.kind) {
    case TToolKind::Duration: tools.ChooseDuration(tool.value); break;
    case TToolKind::Accidental: tools.ChooseAccidental(tool.value); break;
    case TToolKind::Attribute: tools.ToggleAttribute(tool.value); break;
    case TToolKind::Stem: tools.ChooseStem(tool.value); break;
    case TToolKind::Group: MessageBeep(MB_OK); break;  // beams and triplets group a selection
    case TToolKind::None: break;
  }
}

void TScoreEdit::EnableNoteEntry(TCommandEnabler& ce) {
  const int id = static_cast<int>(ce.GetId());
  const bool usable = IsUsable();
  const bool selection = edit_.HasSelection();
  if (FindToolCommand(id).kind != TToolKind::None) {
    const TToolLook look = NoteTools().Look(id, usable);
    ce.Enable(look.enabled);
    ce.SetCheck(look.checked ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    return;
  }
  if (Contains(kInsertCommands, id) || TNoteEntry::IsFastInsert(id)) {
    ce.Enable(usable && !selection);
    return;
  }
  if (Contains(kToolStepCommands, id)) {
    ce.Enable(usable);
    return;
  }
  switch (id) {
    case CM_MIDIINPUT:
      ce.Enable(gPlayingWindow == nullptr);
      ce.SetCheck(gApp && gApp->Option(kOptAcceptMidiInput) ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
      return;
    case CM_PERSISTENTTOOLS:
      ce.Enable(true);
      ce.SetCheck(Persistent() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
      return;
    case CM_PASTE:
      ce.Enable(usable && HasNotationOnClipboard());
      return;
    default:  // Cut, Copy, Clear, Copy Special
      ce.Enable(usable && selection);
      return;
  }
}

bool TScoreEdit::NoteEntryChar(WPARAM ch) {
  int command = 0;
  switch (ch) {
    case '+': command = CM_LONGER; break;
    case '-': command = CM_SHORTER; break;
    case '0': command = CM_RESETTOOLS; break;
    case '.': command = CM_TOGGLEDOTTED; break;
    default: return false;
  }
  if (IsUsable()) NoteEntryCommand(command);
  return true;
}

LRESULT TScoreEdit::EvMidiInput(WPARAM, LPARAM message) {
  // Step entry waits while a score plays.
  if (gPlayingWindow) return 0;
  noteEntry_.SetPersistent(Persistent());
  const TMidiStepResult r = MidiStepEntry().Receive(static_cast<uint32_t>(message), noteEntry_);
  switch (r.kind) {
    case TMidiStepResult::TKind::Command: NoteEntryCommand(r.command); break;
    case TMidiStepResult::TKind::Inserted:
    case TMidiStepResult::TKind::Changed: RefreshAll(); break;
    case TMidiStepResult::TKind::Refused: ReportEntry(r.entry); break;
    case TMidiStepResult::TKind::Tools:
    case TMidiStepResult::TKind::None: break;
  }
  return 0;
}

void TScoreEdit::CmMidiInput() {
  if (!gApp) return;
  int& accept = gApp->Options()[kOptAcceptMidiInput];
  if (gMidiManager) gMidiManager->SetEchoWindow(nullptr);
  if (accept) {
    accept = 0;
    gApp->SaveSettings();
    return;
  }
  auto hasInput = [] { return gMidiManager && gMidiManager->GetInputName()[0]; };
  // Each box offers the options page where the missing device is chosen; only a record device
  // chosen there lets the command go on.
  if (!hasInput()) {
    if (MBLMessageN(hwnd_, MB_YESNO | MB_ICONQUESTION, IDS_NO_RECORD_DEVICE, IDS_NO_RECORD_DEVICE_TEXT, 2) == IDYES)
      ShowOptionsSheet(gFrame, kOptionsMaskAll, TOptionPage::kRecord);
    if (!hasInput()) return;
  }
  if (gApp->Option(kOptMidiPortUsage) == 1) {
    if (MBLMessage(hwnd_, MB_YESNO | MB_ICONQUESTION, IDS_MIDI_DEVICE_WARNING, IDS_MIDI_PORT_SHARING) == IDYES)
      ShowOptionsSheet(gFrame, kOptionsMaskAll, TOptionPage::kMidi);
    return;
  }
  if (!gMidiManager->GetInDevice()) gMidiManager->AcquireDevices(true);
  if (!gMidiManager->GetInDevice()) {
    if (MBLMessage(hwnd_, MB_YESNO | MB_ICONQUESTION, IDS_MIDI_DEVICE_WARNING, IDS_MIDI_INPUT_FAILS) == IDYES)
      ShowOptionsSheet(gFrame, kOptionsMaskAll, TOptionPage::kRecord);
    return;
  }
  accept = 1;
  gApp->SaveSettings();
  if (GetFocus() == hwnd_) gMidiManager->SetEchoWindow(hwnd_);
}
