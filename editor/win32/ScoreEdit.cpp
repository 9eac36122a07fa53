#include "editor/win32/ScoreEdit.h"

#include "QVKNTN/EditorLine.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>

#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/StaffDrawInfo.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "app/win32/MusicStatusBar.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "app/win32/VellichordFrame.h"
#include "editor/ViewRules.h"
#include "editor/win32/ScoreViewTools.h"
#include "foundation/win32/MessageBoxes.h"
#include "midi/ScoreMidiPlayer.h"
#include "midi/win32/MidiManager.h"
#include "foundation/win32/QXTCaret.h"
#include "framework/DC.h"
#include "framework/Dialog.h"
#include "framework/EditNumber.h"
#include "framework/ScreenDC.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"

namespace {

using R = TResponse<TScoreEdit>;
constexpr R kResponses[] = {
    R::Message(WM_SIZE, &TScoreEdit::EvSize),
    R::Message(WM_KEYDOWN, &TScoreEdit::EvKeyDown),
    R::Message(WM_KEYUP, &TScoreEdit::EvKeyUp),
    R::Message(WM_CHAR, &TScoreEdit::EvChar),
    R::Message(WM_HSCROLL, &TScoreEdit::EvHScroll),
    R::Message(WM_VSCROLL, &TScoreEdit::EvVScroll),
    R::Message(WM_SETFOCUS, &TScoreEdit::EvSetFocus),
    R::Message(WM_KILLFOCUS, &TScoreEdit::EvKillFocus),
    R::Message(WM_LBUTTONDOWN, &TScoreEdit::EvLButtonDown),
    R::Message(WM_LBUTTONDBLCLK, &TScoreEdit::EvLButtonDblClk),
    R::Message(WM_MOUSEMOVE, &TScoreEdit::EvMouseMove),
    R::Message(WM_LBUTTONUP, &TScoreEdit::EvLButtonUp),
    R::Message(WM_RBUTTONDOWN, &TScoreEdit::EvRButtonDown),
    R::Message(WM_MBUTTONDOWN, &TScoreEdit::EvMButtonDown),
    R::Command(CM_UNDO, &TScoreEdit::CmUndo),
    R::Command(CM_REDO, &TScoreEdit::CmRedo),
    R::Command(CM_SELECTALL, &TScoreEdit::CmSelectAll),
    R::Command(CM_ZOOMIN, &TScoreEdit::CmZoomIn),
    R::Command(CM_ZOOMOUT, &TScoreEdit::CmZoomOut),
    R::Command(CM_ZOOM, &TScoreEdit::CmZoomAsk),
    R::Command(CM_NEWSTAFF, &TScoreEdit::CmNewStaff),
    R::Command(CM_DELETESTAFF, &TScoreEdit::CmDeleteStaff),
    R::Command(CM_MUTESTAFF, &TScoreEdit::CmMuteStaff),
    R::Command(CM_MOVESTAFFUP, &TScoreEdit::CmMoveStaffUp),
    R::Command(CM_MOVESTAFFDOWN, &TScoreEdit::CmMoveStaffDown),
    R::Command(CM_ALLOWLAYERING, &TScoreEdit::CmAllowLayering),
    R::Enable(CM_UNDO, &TScoreEdit::CeUndo),
    R::Enable(CM_REDO, &TScoreEdit::CeRedo),
    R::Enable(CM_SELECTALL, &TScoreEdit::CeUsable),
    R::Enable(CM_ZOOMIN, &TScoreEdit::CeAlways),
    R::Enable(CM_ZOOMOUT, &TScoreEdit::CeAlways),
    R::Enable(CM_ZOOM, &TScoreEdit::CeAlways),
    R::Enable(CM_NEWSTAFF, &TScoreEdit::CeUsable),
    R::Enable(CM_DELETESTAFF, &TScoreEdit::CeMoreStaves),
    R::Enable(CM_MOVESTAFFUP, &TScoreEdit::CeMoreStaves),
    R::Enable(CM_MOVESTAFFDOWN, &TScoreEdit::CeMoreStaves),
    R::Enable(CM_MUTESTAFF, &TScoreEdit::CeMuteStaff),
    R::Enable(CM_ALLOWLAYERING, &TScoreEdit::CeAllowLayering),
};

// The Zoom dialog: one number, the staff size, which refuses to close outside 2..50.
class TZoomDialog : public TDialog {
public:
  TZoomDialog(TWindow* parent, int32_t& size) : TDialog(parent, IDD_ZOOM) {
    new TEditNumber(this, 101, TNumberRange{kMinZoom, kMaxZoom, 2});
    SetTransferBuffer(&size);
  }
};

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// The action words of an undo record, from the frame's menu.
void UndoMenuText(TUndoKind kind, int command, const char* lead, const char* key, char (&out)[100]) {
  char action[80] = "Action";
  if (gFrame) gFrame->GetUndoActionText(static_cast<int>(kind), command, action);
  std::snprintf(out, sizeof out, "%s%s\t%s", lead, action, key);
}

}  // namespace

TScoreEdit::TScoreEdit(TWindow* parent, TMusicScore& score, TUndoActionMgr& undo, TScoreEditing::TModifiedSink* sink)
    : TControl(parent, 1, score.Info().title, 0, 0, 40, 40),
      score_(&score),
      undo_(undo),
      edit_(score, undo, sink) {
  Attr.style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS;
  clientWidth_ = GetSystemMetrics(SM_CXSCREEN);
  clientHeight_ = GetSystemMetrics(SM_CYSCREEN);
}

TScoreEdit::~TScoreEdit() = default;

void TScoreEdit::GetWindowClass(WNDCLASSA& wc) {
  TControl::GetWindowClass(wc);
  wc.style |= CS_DBLCLKS;
  wc.hCursor = LoadCursorA(GetModule(), MAKEINTRESOURCEA(100));
  if (!wc.hCursor) wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void TScoreEdit::SetupWindow() {
  TControl::SetupWindow();
  TStaffColorHandles* colors = gApp ? &gApp->StaffColors() : nullptr;
  static TStaffColorHandles fallback;
  fonts_ = std::make_unique<TMusicFonts>(score_->GetFonts(), colors ? colors : &fallback,
                                         std::clamp(score_->GetZoomIndex(), kMinZoom, kMaxZoom));
  lineStep_ = 3 * fonts_->GetSpacing();
  drawInfo_ = std::make_unique<TScoreDrawInfo>(score_, fonts_.get(), 5);
  const int size = fonts_->GetSpacing();
  caret_ = std::make_unique<TQXTCaret>(size / 2, size / 2, size / 3 + 2, size + 1);
  NoteTools().ResetDuration();
  AttachScore();
}

bool TScoreEdit::Find(TEvent& ev) {
  return FindLineCommand(ev) || ev.Dispatch(this, kResponses) || FindNoteEntry(ev) ||
         FindViewToolCommand(*this, ev) || TControl::Find(ev);
}

TStaffDrawInfo* TScoreEdit::CurrentLine() const {
  return drawInfo_ && currentShown_ >= 0 ? drawInfo_->GetStaffInfo(currentShown_) : nullptr;
}

int TScoreEdit::ShownIndexOf(int scoreIndex) const {
  return drawInfo_ ? drawInfo_->FindStaffByIndex(scoreIndex) : -1;
}

void TScoreEdit::AttachScore() {
  if (!drawInfo_) return;
  drawInfo_->ClearStaves();
  drawInfo_->AddStavesUpTo(score_->Selection(), kShownHeightLimit);
  if (drawInfo_->GetCount() == 0) drawInfo_->AddConsecutiveStaves(0, kShownHeightLimit);
  leftTick_ = 0;
  yOffset_ = 0;
  currentShown_ = drawInfo_->GetCount() > 0 ? 0 : -1;
  if (currentShown_ >= 0) edit_.Place().staff = drawInfo_->GetStaffInfo(0)->GetScoreStaffIndex();
  edit_.Place().caret = edit_.Place().anchor = 1;
  caretStaffPos_ = 0;
  RefreshAll();
}

void TScoreEdit::RelayoutScore() {
  const int staff = edit_.Place().staff;
  if (!drawInfo_) return;
  drawInfo_->ClearStaves();
  drawInfo_->AddStavesUpTo(score_->Selection(), kShownHeightLimit);
  if (drawInfo_->GetCount() == 0) drawInfo_->AddConsecutiveStaves(0, kShownHeightLimit);
  // A current staff that is no longer shown is shown with the others.
  if (drawInfo_->FindStaffByIndex(staff) < 0 && score_->GetStaff(staff)) drawInfo_->AddStaff(staff);
  currentShown_ = std::max(drawInfo_->FindStaffByIndex(staff), 0);
  edit_.Place().staff = drawInfo_->GetCount() ? drawInfo_->GetStaffInfo(currentShown_)->GetScoreStaffIndex() : 0;
  edit_.MoveCaretTo(edit_.GetCaretIndex(), true);
  RefreshAll();
}

void TScoreEdit::ApplyZoom() {
  if (!fonts_) return;
  fonts_->SetStaffSize(std::clamp(score_->GetZoomIndex(), kMinZoom, kMaxZoom));
  const int size = fonts_->GetSpacing();
  caret_->Reshape(size / 2, size / 2, size / 3 + 2, size + 1);
  lineStep_ = 3 * size;
  yOffset_ = 0;
  RelayoutScore();
}

void TScoreEdit::Relayout() {
  if (!drawInfo_ || !fonts_) return;
  drawInfo_->SetActiveStaff(currentShown_);
  fonts_->BeginMeasure();
  drawInfo_->LayoutView(leftTick_, std::max(clientWidth_ - lineStep_, 1));
  fonts_->EndMeasure();
  ColorLineStaves();
  xOffset_ = lineStep_;
}

void TScoreEdit::RefreshAll() { Refresh(true); }

void TScoreEdit::RefreshKeepingScroll() { Refresh(false); }

void TScoreEdit::Refresh(bool followCaret) {
  Relayout();
  if (followCaret) ScrollToCaret();
  UpdateScrollBars();
  PlaceCaret();
  if (hwnd_) Invalidate(true);
  if (active_) WriteStaffStatus();
  FollowToolSelection();
}

int TScoreEdit::GetLineSpacing() const { return fonts_ ? fonts_->GetSpacing() : 0; }

int TScoreEdit::CaretX() const {
  const TStaffDrawInfo* line = CurrentLine();
  if (!line) return xOffset_;
  const int x = line->GetItemX(edit_.GetCaretIndex());
  if (x == INT_MAX) return INT_MAX;
  if (x < 0) return INT_MIN / 2;
  return xOffset_ + x;
}

long TScoreEdit::TickOfIndex(int index) const {
  const TMusicStaff* staff = edit_.CurrentStaff();
  if (!staff) return 0;
  // The line's cursor stands near the view: counting on from it spares a walk from the top of a
  // long staff each time typing scrolls the view on.
  TStaffDrawInfo* line = CurrentLine();
  if (line && line->GetStaff() == staff) return line->IndexToTick(index);
  return staff->GetTicksBetween(1, index);
}

void TScoreEdit::ScrollToCaret() {
  const int border = GetSystemMetrics(SM_CXBORDER) * 2;
  for (int round = 0; round < 3; ++round) {
    const int x = CaretX();
    if (x >= border && x <= clientWidth_ - border) return;
    // The item before the caret becomes the left-most one.
    leftTick_ = TickOfIndex(std::max(edit_.GetCaretIndex() - 1, 1));
    Relayout();
  }
}

void TScoreEdit::PlaceCaret() {
  if (!caret_ || !hwnd_) return;
  const TStaffDrawInfo* line = CurrentLine();
  if (!line) return;
  const int x = CaretX();
  const int y = yOffset_ + drawInfo_->PositionToY(currentShown_, caretStaffPos_);
  caret_->SetPos(x == INT_MAX || x < 0 ? xOffset_ : x, y);
}

void TScoreEdit::UpdateScrollBars() {
  if (!hwnd_ || !drawInfo_) return;
  const TMusicStaff* staff = edit_.CurrentStaff();
  SCROLLINFO h{sizeof h, SIF_RANGE | SIF_POS, 0, staff ? staff->LastIndex() : 0, 0, 0, 0};
  h.nPos = CurrentLine() ? std::max(CurrentLine()->GetFirstItemIndex(), 0) : 0;
  SetScrollInfo(hwnd_, SB_HORZ, &h, TRUE);
  SCROLLINFO v{sizeof v, SIF_RANGE | SIF_POS, 0,
               std::max(drawInfo_->GetTotalHeight() - clientHeight_, -yOffset_), 0, -yOffset_, 0};
  SetScrollInfo(hwnd_, SB_VERT, &v, TRUE);
}

void TScoreEdit::WriteStaffStatus() {
  const TMusicStaff* staff = edit_.CurrentStaff();
  if (!staff || !gStatusBar) return;
  const int percent = StaffFullPercent(staff->FreeItemSlots());
  gStatusBar->SetStaffPaneText("[%d%%] %s:%s", percent, staff->GetGroupName(), staff->GetName());
}

void TScoreEdit::Paint(TDC& dc, bool, const TRect&) {
  if (!drawInfo_ || !fonts_) return;
  TScreenDC screen;
  fonts_->BeginDraw(dc, &screen);
  drawInfo_->Draw(xOffset_, yOffset_, 0, clientWidth_);
  if (score_->GetAllowLayering() && CurrentLine()) CurrentLine()->Draw(xOffset_, yOffset_, 0, clientWidth_);
  fonts_->EndDraw();
  if (edit_.HasSelection() && CurrentLine()) {
    // The selection shows inverted across the current staff's band.
    const TStaffDrawInfo* line = CurrentLine();
    const int left = xOffset_ + std::max(line->GetItemX(edit_.GetSelectionStart()), 0);
    int right = line->GetItemX(edit_.GetSelectionEnd() + 1);
    right = right == INT_MAX ? clientWidth_ : xOffset_ + right;
    const TStaffBounds b = drawInfo_->GetStaffBounds(currentShown_);
    PatBlt(dc, left, yOffset_ + b.top, std::max(right - left, 1), b.bottom - b.top, DSTINVERT);
  }
  if (active_ && CurrentLine() && gApp && gApp->Option(kOptEnableActiveStaffFrame)) {
    const TStaffBounds b = drawInfo_->GetStaffBounds(currentShown_);
    RECT frame{1, yOffset_ + b.top, clientWidth_ - 1, yOffset_ + b.bottom};
    DrawFocusRect(dc, &frame);
  }
}

void TScoreEdit::RefreshColors() {
  ColorLineStaves();
  if (hwnd_) Invalidate(true);
}

void TScoreEdit::SetActive(bool active) {
  active_ = active;
  ColorLineStaves();
  if (!hwnd_) return;
  ShowScrollBar(hwnd_, SB_BOTH, active);
  if (active) {
    FollowToolSelection();
    WriteStaffStatus();
    if (GetFocus() == hwnd_ && caret_) caret_->Attach(hwnd_);
    PlaceCaret();
  }
  Invalidate(true);
}

bool TScoreEdit::IsUsable() const {
  if (!active_) return false;
  if (gPlayingWindow != GetParentObject() || !gApp) return true;
  // The view follows a play, or input is being recorded into the buffer: edits wait.
  return !gApp->Option(kOptChasePlayingNotes) && !(gMidiManager && gMidiManager->IsRecording());
}

void TScoreEdit::SetCurrentStaff(int shown) {
  if (!drawInfo_ || drawInfo_->GetCount() == 0) return;
  shown = std::clamp(shown, 0, drawInfo_->GetCount() - 1);
  const int x = CaretX();
  currentShown_ = shown;
  TStaffDrawInfo* line = CurrentLine();
  edit_.SetCurrentStaff(line->GetScoreStaffIndex());
  const int index = x == INT_MAX ? edit_.CurrentStaff()->LastIndex() : line->XToItemIndex(x - xOffset_);
  edit_.MoveCaretTo(std::max(index, 1), false);
  caretStaffPos_ = 0;
  // The new staff's band comes into view with two line steps to spare.
  const TStaffBounds b = drawInfo_->GetStaffBounds(shown);
  if (yOffset_ + b.top < lineStep_ * 2) yOffset_ = std::min(0, -(b.top - lineStep_ * 2));
  if (yOffset_ + b.bottom > clientHeight_ - lineStep_ * 2) yOffset_ = -(b.bottom + lineStep_ * 2 - clientHeight_);
  yOffset_ = std::min(yOffset_, 0);
  RefreshAll();
}

void TScoreEdit::MoveCaretTo(int index, bool extend) {
  edit_.MoveCaretTo(index, extend);
  FollowToolSelection();
  ScrollToCaret();
  UpdateScrollBars();
  PlaceCaret();
  Invalidate(true);
}

void TScoreEdit::StepCaretPosition(int delta, bool extend) {
  if (edit_.HasSelection() && !extend) edit_.CollapseSelection();
  caretStaffPos_ = std::clamp(caretStaffPos_ + delta, -100, 100);
  PlaceCaret();
  Invalidate(true);
}

void TScoreEdit::SetCaretFromPoint(int x, int y, bool extend) {
  if (!drawInfo_ || drawInfo_->GetCount() == 0) return;
  // The shown staff whose band holds the point; below them all, the last one.
  int shown = drawInfo_->GetCount() - 1;
  for (int i = 0; i < drawInfo_->GetCount(); ++i) {
    if (y - yOffset_ < drawInfo_->GetStaffBounds(i).bottom) {
      shown = i;
      break;
    }
  }
  if (shown != currentShown_) {
    extend = false;
    currentShown_ = shown;
    edit_.SetCurrentStaff(CurrentLine()->GetScoreStaffIndex());
  }
  const int index = std::max(CurrentLine()->XToItemIndex(x - xOffset_), 1);
  caretStaffPos_ = std::clamp(drawInfo_->YToPosition(currentShown_, y - yOffset_), -100, 100);
  edit_.MoveCaretTo(index, extend);
  RefreshAll();
}

bool TScoreEdit::InsertItemAtCaret(TNotatedItem* item, int command) {
  if (!edit_.InsertItemAtCaret(item, command)) {
    MessageBeep(MB_OK);
    return false;
  }
  RefreshAll();
  return true;
}

LRESULT TScoreEdit::EvSize(WPARAM, LPARAM lParam) {
  const int height = HIWORD(lParam);
  // A growing view keeps its bottom in place.
  if (height > clientHeight_ && yOffset_ < 0) yOffset_ = std::min(0, yOffset_ + (height - clientHeight_));
  clientWidth_ = LOWORD(lParam);
  clientHeight_ = height;
  RefreshAll();
  return 0;
}

LRESULT TScoreEdit::EvKeyDown(WPARAM key, LPARAM) {
  const bool shift = KeyDown(VK_SHIFT);
  const bool ctrl = KeyDown(VK_CONTROL);
  switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
      // The earlier line has no staff-moving keys: Ctrl+Shift pages like the other combinations.
      if (ctrl && shift && !kEarlierLine) {
        MoveStaffBy(key == VK_PRIOR ? -1 : 1);
      } else {
        ScrollToCaret();
        SetCurrentStaff(currentShown_ + (key == VK_PRIOR ? -1 : 1));
      }
      return 0;
    case VK_HOME:
      if (ctrl && shift) return 0;
      if (ctrl) {
        SetCurrentStaff(0);
      } else {
        MoveCaretTo(1, shift);
      }
      return 0;
    case VK_END:
      if (ctrl && shift) return 0;
      if (ctrl) {
        SetCurrentStaff(drawInfo_ ? drawInfo_->GetCount() - 1 : 0);
      } else if (edit_.CurrentStaff()) {
        MoveCaretTo(edit_.CurrentStaff()->LastIndex(), shift);
      }
      return 0;
    case VK_LEFT:
    case VK_RIGHT: {
      const int dir = key == VK_LEFT ? -1 : 1;
      if (ctrl) {
        MoveCaretTo(edit_.BarStepTarget(dir), shift);
      } else if (edit_.HasSelection() && !shift) {
        edit_.CollapseSelection();
        MoveCaretTo(edit_.GetCaretIndex(), false);
      } else {
        MoveCaretBy(dir, shift);
      }
      return 0;
    }
    case VK_UP:
    case VK_DOWN: {
      const int dir = key == VK_UP ? -1 : 1;
      if (ctrl && shift) {
        if (edit_.HasSelection()) {
          if (edit_.ShiftSelection(dir)) RefreshAll();
        } else if (gFrame) {
          // Without a selection the keys are the Longer and Shorter Duration commands.
          gFrame->PostMessage(WM_COMMAND, dir < 0 ? CM_LONGER : CM_SHORTER);
        }
      } else {
        StepCaretPosition(ctrl ? 7 * dir : dir, shift);
      }
      return 0;
    }
    case VK_DELETE:
      if (edit_.DeleteAtCaret()) {
        RefreshAll();
      } else {
        MessageBeep(MB_OK);
      }
      return 0;
    default:
      return DefaultProcessing();
  }
}

LRESULT TScoreEdit::EvKeyUp(WPARAM key, LPARAM) {
  if (key == VK_APPS) {
    ShowContextMenu(0, 0, true);
    return 0;
  }
  return DefaultProcessing();
}

LRESULT TScoreEdit::EvChar(WPARAM ch, LPARAM) {
  if (NoteEntryChar(ch)) return 0;
  if (ch == '\b') {
    if (edit_.DeleteBeforeCaret()) {
      RefreshAll();
    } else {
      MessageBeep(MB_OK);
    }
    return 0;
  }
  if (ch == '`' || ch == '~') {
    ShowContextMenu(0, 0, true);
    return 0;
  }
  return DefaultProcessing();
}

LRESULT TScoreEdit::EvHScroll(WPARAM wParam, LPARAM) {
  const TStaffDrawInfo* line = CurrentLine();
  const TMusicStaff* staff = edit_.CurrentStaff();
  if (!line || !staff) return 0;
  int first = std::max(line->GetFirstItemIndex(), 1);
  switch (LOWORD(wParam)) {
    case SB_LINELEFT: first = std::max(first - 1, 1); break;
    case SB_LINERIGHT: first = std::min(first + 1, staff->LastIndex()); break;
    case SB_PAGELEFT: first = std::max(staff->FindBarClamped(std::max(first - 10, 1), -1), 1); break;
    case SB_PAGERIGHT: first = std::min(staff->FindBarClamped(first + 10, 1), staff->LastIndex()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: first = std::clamp(static_cast<int>(HIWORD(wParam)), 1, staff->LastIndex()); break;
    default: return 0;
  }
  leftTick_ = TickOfIndex(first);
  Relayout();
  UpdateScrollBars();
  PlaceCaret();
  Invalidate(true);
  return 0;
}

LRESULT TScoreEdit::EvVScroll(WPARAM wParam, LPARAM) {
  if (!drawInfo_) return 0;
  int offset = yOffset_;
  const int size = fonts_ ? fonts_->GetSpacing() : 8;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: offset += size; break;
    case SB_LINEDOWN: offset -= size; break;
    case SB_PAGEUP: offset += clientHeight_ / 2; break;
    case SB_PAGEDOWN: offset -= clientHeight_ / 2; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: offset = -static_cast<int>(HIWORD(wParam)); break;
    default: return 0;
  }
  yOffset_ = std::clamp(offset, std::min(-(drawInfo_->GetTotalHeight() - clientHeight_), 0), 0);
  UpdateScrollBars();
  PlaceCaret();
  Invalidate(true);
  return 0;
}

LRESULT TScoreEdit::EvSetFocus(WPARAM, LPARAM) {
  if (caret_) {
    caret_->Attach(hwnd_);
    PlaceCaret();
  }
  WriteStaffStatus();
  RefreshClipboardState();
  // MIDI keyboard input comes to the focused view while it is accepted.
  if (gMidiManager && gApp && gApp->Option(kOptAcceptMidiInput)) gMidiManager->SetEchoWindow(hwnd_);
  Invalidate(false);
  return 0;
}

LRESULT TScoreEdit::EvKillFocus(WPARAM, LPARAM) {
  if (gMidiManager) gMidiManager->SetEchoWindow(nullptr);
  if (caret_) caret_->Detach();
  if (gStatusBar) gStatusBar->SetStaffPaneText("%s", "");
  Invalidate(false);
  return 0;
}

LRESULT TScoreEdit::EvLButtonDown(WPARAM flags, LPARAM lParam) {
  SetFocus();
  if (flags & (MK_CONTROL | MK_MBUTTON | MK_RBUTTON)) return 0;
  SetCaretFromPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), (flags & MK_SHIFT) != 0);
  tracking_ = true;
  SetCapture(hwnd_);
  return 0;
}

LRESULT TScoreEdit::EvMouseMove(WPARAM, LPARAM lParam) {
  if (!tracking_) return 0;
  const int x = static_cast<short>(LOWORD(lParam));
  const int margin = GetSystemMetrics(SM_CXBORDER) * 2;
  if (x < margin) {
    MoveCaretBy(-1, true);
  } else if (x > clientWidth_ - margin) {
    MoveCaretBy(1, true);
  } else if (CurrentLine()) {
    MoveCaretTo(std::max(CurrentLine()->XToItemIndex(x - xOffset_), 1), true);
  }
  return 0;
}

LRESULT TScoreEdit::EvLButtonUp(WPARAM, LPARAM) {
  if (tracking_) ReleaseCapture();
  tracking_ = false;
  return 0;
}

LRESULT TScoreEdit::EvLButtonDblClk(WPARAM, LPARAM) {
  const TMusicStaff* staff = edit_.CurrentStaff();
  if (!staff) return 0;
  edit_.MoveCaretTo(edit_.BarStepTarget(-1) == edit_.GetCaretIndex() ? edit_.GetCaretIndex()
                                                                      : edit_.BarStepTarget(-1), false);
  MoveCaretTo(edit_.BarStepTarget(1), true);
  return 0;
}

LRESULT TScoreEdit::EvRButtonDown(WPARAM, LPARAM lParam) {
  SetFocus();
  if (tracking_) return 0;
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  const bool setsCaret = gApp && gApp->Option(kOptRtMouseSetsInsPt);
  if (!edit_.HasSelection() && setsCaret) {
    SetCaretFromPoint(x, y, false);
    ShowContextMenu(0, 0, true);
    return 0;
  }
  ShowContextMenu(x, y, false);
  return 0;
}

LRESULT TScoreEdit::EvMButtonDown(WPARAM, LPARAM lParam) {
  if (!gApp || !gApp->GetDynamicMenus() || !gFrame) return 0;
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  ClientToScreen(hwnd_, &p);
  TrackPopupMenu(GetSubMenu(gApp->GetDynamicMenus(), 0), TPM_LEFTBUTTON, p.x, p.y, 0, gFrame->GetHandle(), nullptr);
  return 0;
}

void TScoreEdit::ShowContextMenu(int x, int y, bool atCaret) {
  if (!gApp || !gApp->GetDynamicMenus() || !gFrame) return;
  HMENU menu = GetSubMenu(gApp->GetDynamicMenus(), edit_.HasSelection() ? 2 : 1);
  if (!menu) return;
  POINT p{x, y};
  if (atCaret) {
    const int cx = CaretX();
    p.x = cx == INT_MAX || cx < 0 ? xOffset_ : cx;
    p.y = drawInfo_ && currentShown_ >= 0 ? yOffset_ + drawInfo_->PositionToY(currentShown_, caretStaffPos_) : 0;
  }
  ClientToScreen(hwnd_, &p);
  TrackPopupMenu(menu, TPM_LEFTBUTTON, p.x, p.y, 0, gFrame->GetHandle(), nullptr);
}

void TScoreEdit::BeginPlayDisplay() {
  Relayout();
  UpdateScrollBars();
  PlaceCaret();
  if (!hwnd_) return;
  Invalidate(true);
  ::UpdateWindow(hwnd_);
}

void TScoreEdit::EndPlayDisplay() {
  if (hwnd_) Invalidate(true);
}

bool TScoreEdit::ScrollToPlayedItem(int index) {
  const TStaffDrawInfo* line = CurrentLine();
  const TMusicStaff* staff = edit_.CurrentStaff();
  if (!line || !staff || index < 1) return false;
  const int bar = std::min(staff->FindBarClamped(index, 1), staff->LastIndex());
  const int right = line->GetItemX(bar);
  const int x = line->GetItemX(index);
  if (x != INT_MAX && x >= 0 && right != INT_MAX && xOffset_ + right < clientWidth_) return false;
  // The line starts again at the bar that holds the sounding item.
  int start = index;
  while (start > 1 && NtnType(staff->GetItem(start - 1)) != ntBarLine) --start;
  leftTick_ = TickOfIndex(start);
  Relayout();
  UpdateScrollBars();
  PlaceCaret();
  Invalidate(true);
  ::UpdateWindow(hwnd_);
  return true;
}

void TScoreEdit::ShowPlayPosition(const TScoreMidiPlayer& player) {
  if (!hwnd_ || !drawInfo_ || !fonts_) return;
  for (int shown = drawInfo_->GetCount() - 1; shown >= 0; --shown) {
    TStaffDrawInfo* line = drawInfo_->GetStaffInfo(shown);
    const int staff = line->GetScoreStaffIndex();
    const int now = player.GetStaffPosition(staff).index;
    const int before = player.GetStaffLastPosition(staff).index;
    if (now == before) continue;
    if (shown == currentShown_ && ScrollToPlayedItem(now)) line = drawInfo_->GetStaffInfo(shown);
    HDC hdc = GetDC(hwnd_);
    if (!hdc) return;
    {
      TDC dc(hdc);
      TScreenDC screen;
      fonts_->BeginDraw(dc, &screen);
      if (before > 0) line->DrawItem(before, xOffset_, yOffset_, ItemRedrawColor(shown, false));
      if (now > 0) line->DrawItem(now, xOffset_, yOffset_, ItemRedrawColor(shown, true));
      fonts_->EndDraw();
    }
    ReleaseDC(hwnd_, hdc);
  }
}

void TScoreEdit::ApplyUndoStep(bool redo) {
  TUndoEffects effects;
  const TUndoOutcome outcome = redo ? edit_.Redo(effects) : edit_.Undo(effects);
  if (outcome == TUndoOutcome::Failed) {
    // Nothing was changed: the score keeps every item and the record stays offered.
    MessageBoxA(hwnd_, redo ? "The action could not be redone: its record could not be read back, or the staff has "
                              "no room for it.\n\nThe score was not changed."
                            : "The action could not be undone: its record could not be read back, or the staff has "
                              "no room for it.\n\nThe score was not changed.",
                redo ? "Redo" : "Undo", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (outcome != TUndoOutcome::Applied) {
    MessageBeep(MB_OK);
    return;
  }
  const int caret = edit_.GetCaretIndex();
  const int anchor = edit_.GetAnchor();
  if (effects.zoom) ApplyZoom();
  if (effects.reattach || effects.staffSet) RelayoutScore();
  currentShown_ = std::max(ShownIndexOf(edit_.Place().staff), 0);
  if (!edit_.CurrentStaff()) return;
  edit_.Place().caret = std::clamp(caret, 1, edit_.CurrentStaff()->LastIndex());
  edit_.Place().anchor = std::clamp(anchor, 1, edit_.CurrentStaff()->LastIndex());
  RefreshAll();
}

void TScoreEdit::CmUndo() { ApplyUndoStep(false); }
void TScoreEdit::CmRedo() { ApplyUndoStep(true); }

void TScoreEdit::CmSelectAll() {
  if (!edit_.CurrentStaff()) return;
  edit_.MoveCaretTo(edit_.CurrentStaff()->LastIndex(), false);
  MoveCaretTo(1, true);
}

void TScoreEdit::Zoom(int delta) {
  const int zoom = ZoomAfter(score_->GetZoomIndex(), score_->GetZoomIndex() + delta);
  if (zoom == score_->GetZoomIndex()) return;
  score_->SetZoomIndex(zoom);
  ApplyZoom();
}

void TScoreEdit::CmZoomIn() { Zoom(2); }

void TScoreEdit::CmZoomAsk() {
  int32_t size = score_->GetZoomIndex();
  TZoomDialog dialog(this, size);
  if (dialog.Execute() != IDOK) return;
  Zoom(size - score_->GetZoomIndex());
}
void TScoreEdit::CmZoomOut() { Zoom(-2); }

void TScoreEdit::CmNewStaff() {
  if (score_->StaffCount() >= kMaxStaves) {
    MBLMessage(hwnd_, MB_OK | MB_ICONINFORMATION, IDS_FULL_SONG, IDS_FULL_SONG_TEXT);
    return;
  }
  const TMusicStaff* current = edit_.CurrentStaff();
  auto* staff = new TMusicStaff;
  char name[TMusicStaff::kNameSize];
  score_->NewStaffName(name, sizeof name);
  staff->SetName(name);
  if (current) staff->SetGroupName(current->GetGroupName());
  const int port = score_->GetLastStaffPort();
  staff->SetPort(port);
  staff->SetChannel(score_->NextFreeChannel(port));
  staff->SetExtents(-10, 10);
  score_->AppendStaff(staff);
  const int index = score_->StaffCount() - 1;
  if (index < TMusicScore::kSelectionSize) score_->Selection().SetBit(index, true);
  RunStaffAudit(staff, -1, -1);
  edit_.Place().staff = index;
  edit_.Place().caret = edit_.Place().anchor = 1;
  edit_.RecordUndo(TUndoKind::StaffPresence, CM_NEWSTAFF, 0);
  RelayoutScore();
}

void TScoreEdit::CmDeleteStaff() {
  if (score_->StaffCount() < 2) return;
  const int index = edit_.Place().staff;
  if (!edit_.RecordUndo(TUndoKind::StaffPresence, CM_DELETESTAFF, 0)) return;
  delete score_->RemoveStaff(index);
  edit_.Place().staff = std::min(index, score_->StaffCount() - 1);
  edit_.Place().caret = edit_.Place().anchor = 1;
  RelayoutScore();
}

void TScoreEdit::CmMuteStaff() {
  TMusicStaff* staff = edit_.CurrentStaff();
  if (!staff || !edit_.RecordUndo(TUndoKind::StaffInfo, CM_MUTESTAFF, 0)) return;
  staff->SetMuted(!staff->IsMuted());
  RefreshAll();
}

void TScoreEdit::MoveStaffBy(int delta) {
  const int target = currentShown_ + delta;
  if (!drawInfo_ || target < 0 || target >= drawInfo_->GetCount()) {
    MessageBeep(MB_OK);
    return;
  }
  const int from = edit_.Place().staff;
  const int to = drawInfo_->GetStaffInfo(target)->GetScoreStaffIndex();
  const bool shownFrom = from < TMusicScore::kSelectionSize && score_->Selection().GetBit(from);
  score_->InsertStaff(score_->RemoveStaff(from), to);
  if (to < TMusicScore::kSelectionSize) score_->Selection().SetBit(to, shownFrom);
  edit_.Place().staff = to;
  edit_.RecordUndo(TUndoKind::StaffMove, CM_MOVESTAFF, from);
  RelayoutScore();
}

void TScoreEdit::CmMoveStaffUp() { MoveStaffBy(-1); }
void TScoreEdit::CmMoveStaffDown() { MoveStaffBy(1); }

void TScoreEdit::CmAllowLayering() {
  if (!edit_.RecordUndo(TUndoKind::ScoreInfo, CM_ALLOWLAYERING, 0)) return;
  score_->SetAllowLayering(!score_->GetAllowLayering());
  RefreshAll();
}

void TScoreEdit::CeUndo(TCommandEnabler& ce) {
  TUndoKind kind;
  int command;
  undo_.PeekUndo(kind, command);
  const bool on = undo_.CanUndo() && IsUsable();
  char text[100];
  if (on) {
    UndoMenuText(kind, command, "&Undo ", "Ctrl+Z", text);
  } else {
    std::snprintf(text, sizeof text, "%s", "&Undo\tCtrl+Z");
  }
  ce.SetText(text);
  ce.Enable(on);
}

void TScoreEdit::CeRedo(TCommandEnabler& ce) {
  TUndoKind kind;
  int command;
  undo_.PeekRedo(kind, command);
  const bool on = undo_.CanRedo() && IsUsable();
  char text[100];
  if (on) {
    UndoMenuText(kind, command, "Redo ", "Ctrl+Y", text);
  } else {
    std::snprintf(text, sizeof text, "%s", "Re&do\tCtrl+Y");
  }
  ce.SetText(text);
  ce.Enable(on);
}

void TScoreEdit::CeUsable(TCommandEnabler& ce) { ce.Enable(IsUsable()); }
void TScoreEdit::CeUsableNoSelection(TCommandEnabler& ce) { ce.Enable(IsUsable() && !edit_.HasSelection()); }
void TScoreEdit::CeAlways(TCommandEnabler& ce) { ce.Enable(true); }
void TScoreEdit::CeMoreStaves(TCommandEnabler& ce) { ce.Enable(IsUsable() && score_->StaffCount() > 1); }

void TScoreEdit::CeMuteStaff(TCommandEnabler& ce) {
  ce.Enable(IsUsable() && !edit_.HasSelection());
  const TMusicStaff* staff = edit_.CurrentStaff();
  ce.SetCheck(staff && staff->IsMuted() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void TScoreEdit::CeAllowLayering(TCommandEnabler& ce) {
  ce.Enable(IsUsable() && !edit_.HasSelection());
  ce.SetCheck(score_->GetAllowLayering() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}
