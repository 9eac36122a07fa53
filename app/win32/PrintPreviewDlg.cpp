#include "app/win32/PrintPreviewDlg.h"

#include "QVKNTN/EditorLine.h"
#include "app/win32/QVKPrintData.h"
#include "earlier/app/PreviewZoomEarlier.h"
#include "resources/PrintIds.h"

TPrintPreviewDlg::TPrintPreviewDlg(HWND parent, TQVKPrintData* job, int caretIndex)
    : parent_(parent), job_(job), caret_(caretIndex), initMessage_(RegisterWindowMessageA("QVINIT")) {}

TPrintPreviewDlg::~TPrintPreviewDlg() = default;

INT_PTR TPrintPreviewDlg::Execute() {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PRINT_PREVIEW), parent_, Proc,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TPrintPreviewDlg::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TPrintPreviewDlg*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    self->hwnd_ = hwnd;
    self->Setup();
    return TRUE;
  }
  auto* self = reinterpret_cast<TPrintPreviewDlg*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  return self ? self->Receive(msg, wParam, lParam) : FALSE;
}

void TPrintPreviewDlg::Setup() {
  job_->Pages().ClearLayoutState();
  control_ = std::make_unique<TScorePreviewControl>(job_);
  control_->Create(hwnd_, IDC_PREVIEW_CONTROL);
  control_->GotoPosition(caret_);
  // The earlier layout measures its button column while the dialog has its template's size.
  if constexpr (kEarlierLine) PlaceEarlier();
  ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
  PlaceControl();
  PostMessageA(hwnd_, initMessage_, 0, 0);
}

// The control takes the client area from 3 pixels below the button row.
void TPrintPreviewDlg::PlaceControl() {
  if (!control_) return;
  if constexpr (kEarlierLine) {
    PlaceEarlier();
    return;
  }
  RECT client, button;
  GetClientRect(hwnd_, &client);
  GetWindowRect(GetDlgItem(hwnd_, IDC_PREVIEW_START), &button);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&button), 2);
  client.top = button.bottom + 3;
  control_->SetSpace(client);
}

// The earlier layout: the buttons in a column at the right edge, the page fitted whole into the
// space to its left and centred there.
void TPrintPreviewDlg::PlaceEarlier() {
  if constexpr (kEarlierLine) {
    RECT client;
    GetClientRect(hwnd_, &client);
    if (columnWidth_ < 0) {
      RECT button;
      GetWindowRect(GetDlgItem(hwnd_, IDC_PREVIEW_START), &button);
      MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&button), 2);
      RECT gap{0, 0, 4, 4};
      MapDialogRect(hwnd_, &gap);
      columnWidth_ = client.right - button.left;
      gap_ = gap.right;
    }
    const auto placement = LayoutPreviewDialog(job_->Pages().Metrics(), client.right, client.bottom, columnWidth_, gap_);
    if (placement) {
      for (int id : {IDC_PREVIEW_START, IDC_PREVIEW_BACK, IDC_PREVIEW_NEXT, IDC_PREVIEW_COPY, IDCANCEL}) {
        HWND button = GetDlgItem(hwnd_, id);
        RECT r;
        GetWindowRect(button, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        MoveWindow(button, placement->buttonX, r.top, r.right - r.left, r.bottom - r.top, TRUE);
      }
      control_->SetPlace({placement->controlX, placement->controlY, placement->controlX + placement->controlWidth,
                          placement->controlY + placement->controlHeight});
    }
    InvalidateRect(control_->GetHandle(), nullptr, TRUE);
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
}

void TPrintPreviewDlg::UpdateButtons() {
  InvalidateRect(control_->GetHandle(), nullptr, TRUE);
  const bool back = control_->GetPage() > 1;
  const bool next = control_->HasMorePages();
  HWND focus = GetFocus();
  HWND backButton = GetDlgItem(hwnd_, IDC_PREVIEW_BACK);
  HWND nextButton = GetDlgItem(hwnd_, IDC_PREVIEW_NEXT);
  if ((focus == backButton && !back) || (focus == nextButton && !next)) {
    SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd_, IDC_PREVIEW_START)), TRUE);
  }
  EnableWindow(backButton, back);
  EnableWindow(nextButton, next);
}

INT_PTR TPrintPreviewDlg::Receive(UINT msg, WPARAM wParam, LPARAM) {
  if (msg == initMessage_) {
    UpdateButtons();
    return TRUE;
  }
  switch (msg) {
    case WM_SIZE:
      PlaceControl();
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PREVIEW_START: control_->FirstPage(); break;
        case IDC_PREVIEW_NEXT: control_->NextPage(); break;
        case IDC_PREVIEW_BACK: control_->PreviousPage(); break;
        case IDC_PREVIEW_COPY: job_->ExportGraphicFile(hwnd_, control_->GetPage()); break;
        case IDCANCEL: EndDialog(hwnd_, IDCANCEL); return TRUE;
        default: return FALSE;
      }
      UpdateButtons();
      return TRUE;
    default:
      return FALSE;
  }
}
