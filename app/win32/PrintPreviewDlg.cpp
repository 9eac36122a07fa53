#include "app/win32/PrintPreviewDlg.h"

#include "QVKNTN/EditorLine.h"
#include "app/win32/QVKPrintData.h"
#include "resources/CommandIds.h"
#include "earlier/app/PreviewZoomEarlier.h"
#include "resources/PrintIds.h"

namespace {
using R = TResponse<TPrintPreviewDlg>;
constexpr R kResponses[] = {
    R::Message(WM_SIZE, &TPrintPreviewDlg::EvSize),
    R::Command(IDC_PREVIEW_START, &TPrintPreviewDlg::CmStart),
    R::Command(IDC_PREVIEW_NEXT, &TPrintPreviewDlg::CmNext),
    R::Command(IDC_PREVIEW_BACK, &TPrintPreviewDlg::CmBack),
    R::Command(IDC_PREVIEW_COPY, &TPrintPreviewDlg::CmCopy),
};

// The dialog template names the class; it is a dialog class with the score icon.
void RegisterPreviewClass(HINSTANCE module) {
  WNDCLASSA wc{};
  if (GetClassInfoA(module, TPrintPreviewDlg::kClassName, &wc)) return;
  wc.lpfnWndProc = DefDlgProcA;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = module;
  wc.hIcon = LoadIconA(module, MAKEINTRESOURCEA(IDI_SCORE));
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = TPrintPreviewDlg::kClassName;
  RegisterClassA(&wc);
}
}  // namespace

TPrintPreviewDlg::TPrintPreviewDlg(HWND parent, TQVKPrintData* job, int caretIndex)
    : TMCTDialog(TWindow::FromHandle(parent), kResourceId),
      job_(job),
      caret_(caretIndex),
      initMessage_(RegisterWindowMessageA("QVINIT")) {
  // Shown maximised: centring would only move the restored frame.
  SetKeepPosition(true);
}

TPrintPreviewDlg::~TPrintPreviewDlg() = default;

HWND TPrintPreviewDlg::PerformCreate() {
  RegisterPreviewClass(GetModule());
  return TMCTDialog::PerformCreate();
}

bool TPrintPreviewDlg::Find(TEvent& ev) {
  // The registered set-up message has no fixed number for the table.
  if (ev.msg == initMessage_) {
    if (!ev.probe) UpdateButtons();
    ev.result = 0;
    return true;
  }
  return ev.Dispatch(this, kResponses) || TMCTDialog::Find(ev);
}

void TPrintPreviewDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  job_->Pages().ClearLayoutState();
  control_ = std::make_unique<TScorePreviewControl>(job_);
  control_->Create(GetHandle(), IDC_PREVIEW_CONTROL);
  control_->GotoPosition(caret_);
  // The earlier layout measures its button column while the dialog has its template's size.
  if constexpr (kEarlierLine) PlaceEarlier();
  ::ShowWindow(GetHandle(), SW_SHOWMAXIMIZED);
  PlaceControl();
  PostMessage(initMessage_);
}

// The control takes the client area from 3 pixels below the button row.
void TPrintPreviewDlg::PlaceControl() {
  if (!control_) return;
  if constexpr (kEarlierLine) {
    PlaceEarlier();
    return;
  }
  RECT client, button;
  ::GetClientRect(GetHandle(), &client);
  ::GetWindowRect(GetDlgItem(IDC_PREVIEW_START), &button);
  MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&button), 2);
  client.top = button.bottom + 3;
  control_->SetSpace(client);
}

// The earlier layout: the buttons in a column at the right edge, the page fitted whole into the
// space to its left and centred there.
void TPrintPreviewDlg::PlaceEarlier() {
  if constexpr (kEarlierLine) {
    RECT client;
    ::GetClientRect(GetHandle(), &client);
    if (columnWidth_ < 0) {
      RECT button;
      ::GetWindowRect(::GetDlgItem(GetHandle(), IDC_PREVIEW_START), &button);
      MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&button), 2);
      RECT gap{0, 0, 4, 4};
      ::MapDialogRect(GetHandle(), &gap);
      columnWidth_ = client.right - button.left;
      gap_ = gap.right;
    }
    const auto placement = LayoutPreviewDialog(job_->Pages().Metrics(), client.right, client.bottom, columnWidth_, gap_);
    if (placement) {
      for (int id : {IDC_PREVIEW_START, IDC_PREVIEW_BACK, IDC_PREVIEW_NEXT, IDC_PREVIEW_COPY, IDCANCEL}) {
        HWND button = ::GetDlgItem(GetHandle(), id);
        RECT r;
        ::GetWindowRect(button, &r);
        MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&r), 2);
        ::MoveWindow(button, placement->buttonX, r.top, r.right - r.left, r.bottom - r.top, TRUE);
      }
      control_->SetPlace({placement->controlX, placement->controlY, placement->controlX + placement->controlWidth,
                          placement->controlY + placement->controlHeight});
    }
    ::InvalidateRect(control_->GetHandle(), nullptr, TRUE);
    ::InvalidateRect(GetHandle(), nullptr, TRUE);
  }
}

void TPrintPreviewDlg::UpdateButtons() {
  if (!control_) return;
  InvalidateRect(control_->GetHandle(), nullptr, TRUE);
  const bool back = control_->GetPage() > 1;
  const bool next = control_->HasMorePages();
  HWND focus = GetFocus();
  HWND backButton = GetDlgItem(IDC_PREVIEW_BACK);
  HWND nextButton = GetDlgItem(IDC_PREVIEW_NEXT);
  if ((focus == backButton && !back) || (focus == nextButton && !next)) {
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_PREVIEW_START)), TRUE);
  }
  ::EnableWindow(backButton, back);
  ::EnableWindow(nextButton, next);
}

void TPrintPreviewDlg::CmStart() {
  control_->FirstPage();
  UpdateButtons();
}

void TPrintPreviewDlg::CmNext() {
  control_->NextPage();
  UpdateButtons();
}

void TPrintPreviewDlg::CmBack() {
  control_->PreviousPage();
  UpdateButtons();
}

void TPrintPreviewDlg::CmCopy() {
  job_->ExportGraphicFile(GetHandle(), control_->GetPage());
  UpdateButtons();
}

LRESULT TPrintPreviewDlg::EvSize(WPARAM, LPARAM) {
  PlaceControl();
  return DefaultProcessing();
}
