// The score view's clipboard: Copy, Cut, Paste and Clear through the private format (with the
// text form of a single copied item beside it), and Copy Special, a metafile picture of the
// selection on the active staff or on every shown staff.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/StaffDrawInfo.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "app/win32/ShellGlobals.h"
#include "editor/ClipBlock.h"
#include "editor/win32/ScoreEdit.h"
#include "foundation/QVBusyCursor.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/DC.h"
#include "framework/ScreenDC.h"
#include "resources/CommandIds.h"
#include "resources/StringIds.h"

namespace {

// The Copy Special dialog and its choices.
constexpr int kCopySpecialDialog = 584;
constexpr int kJustActiveStaff = 101;
constexpr int kAllOpenStaves = 102;

bool notationOnClipboard = false;

INT_PTR CALLBACK CopySpecialProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      CheckRadioButton(dialog, kJustActiveStaff, kAllOpenStaves, kJustActiveStaff);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        EndDialog(dialog, IsDlgButtonChecked(dialog, kAllOpenStaves) ? kAllOpenStaves : kJustActiveStaff);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// A movable block holding the bytes; null when it cannot be had.
HGLOBAL TextBlock(const char* text, std::size_t length) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
  if (!block) return nullptr;
  auto* p = static_cast<char*>(GlobalLock(block));
  if (!p) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(p, text, length);
  p[length] = 0;
  GlobalUnlock(block);
  return block;
}

}  // namespace

void TScoreEdit::RefreshClipboardState() {
  notationOnClipboard = IsClipboardFormatAvailable(GetNotationClipboardFormat()) != 0;
}

bool TScoreEdit::HasNotationOnClipboard() { return notationOnClipboard; }

bool TScoreEdit::CopySelection() {
  TMusicStaff* staff = edit_.CurrentStaff();
  if (!staff || !edit_.HasSelection()) return false;
  TQVBusyCursor busy;
  ScrollToCaret();
  const int first = edit_.GetSelectionStart();
  const int last = edit_.GetSelectionEnd();
  const uint32_t size = ClipBlockSize(*staff, first, last);
  bool ok = false;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (void* data = block ? GlobalLock(block) : nullptr) {
    TQXTFlatRamStream out(data, size, 0);
    ok = WriteClipBlock(*staff, first, last, out);
    GlobalUnlock(block);
  }
  if (ok && OpenClipboard(hwnd_)) {
    EmptyClipboard();
    ok = SetClipboardData(GetNotationClipboardFormat(), block) != nullptr;
    if (ok) {
      block = nullptr;  // the clipboard owns it now
      notationOnClipboard = true;
      if (first == last) {
        char text[kClipTextSize];
        const std::size_t length = ClipItemText(*staff, first, text, sizeof text);
        HGLOBAL textBlock = TextBlock(text, length);
        if (textBlock && !SetClipboardData(CF_TEXT, textBlock)) GlobalFree(textBlock);
      }
    }
    CloseClipboard();
  } else {
    ok = false;
  }
  if (block) GlobalFree(block);
  if (!ok) MBLMessage(hwnd_, MB_OK | MB_ICONEXCLAMATION, IDS_OPERATION_ERROR, IDS_OPERATION_ERROR_TEXT);
  return ok;
}

void TScoreEdit::CmCut() {
  // The items leave the staff only once they are safely on the clipboard.
  if (!CopySelection()) return;
  TQVBusyCursor busy;
  if (DeleteSelectionRecorded(edit_, CM_CUT)) RefreshAll();
}

void TScoreEdit::CmClear() {
  TQVBusyCursor busy;
  if (DeleteSelectionRecorded(edit_, CM_CLEAR)) RefreshAll();
}

void TScoreEdit::CmPaste() {
  if (!edit_.CurrentStaff()) return;
  TQVBusyCursor busy;
  ScrollToCaret();
  TClipItems clip;
  if (OpenClipboard(hwnd_)) {
    HANDLE block = GetClipboardData(GetNotationClipboardFormat());
    if (void* data = block ? GlobalLock(block) : nullptr) {
      const uint32_t size = static_cast<uint32_t>(GlobalSize(block));
      TQXTFlatRamStream in(data, size, size);
      clip = ReadClipBlock(in);
      GlobalUnlock(block);
    }
    CloseClipboard();
  }
  const TPasteResult result = PasteClipItems(edit_, clip, CM_PASTE);
  if (result == TPasteResult::Pasted || result == TPasteResult::Partial) RefreshAll();
  if (result == TPasteResult::Refused || result == TPasteResult::Partial)
    MBLMessage(hwnd_, MB_OK | MB_ICONEXCLAMATION, IDS_PASTE_ERROR, IDS_PASTE_ERROR_TEXT);
}

void TScoreEdit::CmCopySpecial() {
  const TMusicStaff* staff = edit_.CurrentStaff();
  if (!staff || !edit_.HasSelection() || !drawInfo_ || !fonts_) return;
  const int first = edit_.GetSelectionStart();
  const int end = edit_.GetSelectionEnd() + 1;
  // The picture starts at the selection: lay the view out from there.
  leftTick_ = TickOfIndex(first);
  Relayout();
  UpdateScrollBars();
  PlaceCaret();
  Invalidate(true);
  bool all = false;
  if (drawInfo_->GetCount() > 1) {
    const INT_PTR choice = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kCopySpecialDialog), hwnd_,
                                           CopySpecialProc, 0);
    if (choice != kJustActiveStaff && choice != kAllOpenStaves) return;
    all = choice == kAllOpenStaves;
  }
  TQVBusyCursor busy;
  TStaffDrawInfo* line = CurrentLine();
  if (!line || line->GetFirstItemIndex() < 0) return;
  const int from = std::max(first, line->GetFirstItemIndex());
  const int to = std::min(end, line->GetLastItemIndex());
  if (from > to) return;
  const int left = line->GetItemX(from);
  const int width = std::max(line->GetItemX(to) - 1 - left, 1);
  int top = 0, bottom = drawInfo_->GetTotalHeight();
  if (!all) {
    const int a = drawInfo_->PositionToY(currentShown_, staff->GetUpperSize());
    const int b = drawInfo_->PositionToY(currentShown_, staff->GetLowerSize());
    top = std::min(a, b);
    bottom = std::max(a, b);
  }
  const int height = std::max(bottom - top, 1);

  HDC meta = CreateMetaFileA(nullptr);
  if (!meta) return;
  SetWindowExtEx(meta, width, height, nullptr);
  SetWindowOrgEx(meta, 0, 0, nullptr);
  {
    TDC output(meta);
    TScreenDC screen;
    fonts_->BeginDraw(output, &screen);
    if (all)
      drawInfo_->Draw(-left, -top, 0, width);
    else
      line->Draw(-left, -top, 0, width);
    fonts_->EndDraw();
  }
  HMETAFILE picture = CloseMetaFile(meta);
  if (!picture) return;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
  auto* pict = block ? static_cast<METAFILEPICT*>(GlobalLock(block)) : nullptr;
  if (!pict) {
    if (block) GlobalFree(block);
    DeleteMetaFile(picture);
    return;
  }
  // The picture's size in hundredths of a millimetre, as the screen shows it.
  TScreenDC screen;
  pict->mm = MM_ISOTROPIC;
  pict->xExt = MulDiv(width, GetDeviceCaps(screen, HORZSIZE) * 100, GetDeviceCaps(screen, HORZRES));
  pict->yExt = MulDiv(height, GetDeviceCaps(screen, VERTSIZE) * 100, GetDeviceCaps(screen, VERTRES));
  pict->hMF = picture;
  GlobalUnlock(block);
  bool ok = false;
  if (OpenClipboard(hwnd_)) {
    EmptyClipboard();
    ok = SetClipboardData(CF_METAFILEPICT, block) != nullptr;
    CloseClipboard();
  }
  notationOnClipboard = false;
  if (!ok) {
    DeleteMetaFile(picture);
    GlobalFree(block);
  }
}
