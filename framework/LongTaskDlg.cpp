#include "framework/LongTaskDlg.h"
#include "foundation/BoundedFormat.h"
#include "foundation/win32/WindowPlacement.h"
#include "framework/Application.h"
#include "framework/Gauge.h"
#include "framework/Static.h"

namespace {

TLongTaskDlg* activeTask = nullptr;

using R = TResponse<TLongTaskDlg>;
constexpr R kResponses[] = {
    R::Command(IDCANCEL, &TLongTaskDlg::ConfirmCancel),
};

void StartOne(TGauge* gauge, int maximum) {
  if (!gauge) return;
  gauge->SetRange(0, maximum);
  gauge->SetValue(0);
}

}  // namespace

TLongTaskDlg::TLongTaskDlg(TWindow* parent, int resourceId, int textLines, int gaugeCount, HINSTANCE module)
    : TDialog(parent, resourceId, module), textLines_(textLines < 0 ? 0 : textLines) {
  if (gaugeCount >= 1) {
    gaugePlace_ = new TStatic(this, kGaugePlaceId);
    gauge_ = new TGauge(this, "", kGaugeId, 0, 0, 100, 10, true, 2, module);
  }
  if (gaugeCount >= 2) {
    gauge2Place_ = new TStatic(this, kGauge2PlaceId);
    gauge2_ = new TGauge(this, "", kGauge2Id, 0, 0, 100, 10, true, 2, module);
  }
}

TLongTaskDlg::~TLongTaskDlg() {
  // Deleted without CloseDialog: the parent must not stay disabled.
  Deactivate();
}

TLongTaskDlg* TLongTaskDlg::GetActive() { return activeTask; }

bool TLongTaskDlg::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TDialog::Find(ev); }

void TLongTaskDlg::SetupWindow() {
  TDialog::SetupWindow();
  if (TWindow* parent = GetParentObject()) parent->EnableWindow(false);
  CenterWindow(*this, true);
  activeTask = this;
  PlaceGauge(gauge_, gaugePlace_);
  PlaceGauge(gauge2_, gauge2Place_);
  if (gauge2_) gauge2_->SetLed(2, 90);
}

void TLongTaskDlg::PlaceGauge(TGauge* gauge, TStatic* placeholder) {
  if (!gauge) return;
  if (placeholder && placeholder->GetHandle()) {
    RECT r = placeholder->GetWindowRect();
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    gauge->MoveWindow(r, true);
  }
  StartOne(gauge, 100);
}

void TLongTaskDlg::Deactivate() {
  if (activeTask != this) return;
  activeTask = nullptr;
  if (TWindow* parent = GetParentObject()) parent->EnableWindow(true);
}

void TLongTaskDlg::Destroy(int retVal) {
  Deactivate();
  TDialog::Destroy(retVal);
}

void TLongTaskDlg::StartGauge(int maximum) { StartOne(gauge_, maximum); }
void TLongTaskDlg::StartGauge2(int maximum) { StartOne(gauge2_, maximum); }

void TLongTaskDlg::SetGaugeValue(int value) {
  if (gauge_) gauge_->SetValue(value);
}

void TLongTaskDlg::SetGauge2Value(int value) {
  if (gauge2_) gauge2_->SetValue(value);
}

void TLongTaskDlg::SetGaugeLed(int spacing, int thicknessPercent) {
  if (gauge_) gauge_->SetLed(spacing, thicknessPercent);
}

void TLongTaskDlg::SetGauge2Led(int spacing, int thicknessPercent) {
  if (gauge2_) gauge2_->SetLed(spacing, thicknessPercent);
}

void TLongTaskDlg::SetLineV(int line, const char* format, va_list args) {
  if (line < 0 || line >= textLines_ || !format) return;
  char text[kMessageSize];
  FormatBoundedV(text, sizeof text, format, args);
  SetLineText(line, text);
}

void TLongTaskDlg::SetMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  SetLineV(0, format, args);
  va_end(args);
}

void TLongTaskDlg::SetLineF(int line, const char* format, ...) {
  va_list args;
  va_start(args, format);
  SetLineV(line, format, args);
  va_end(args);
}

void TLongTaskDlg::SetLineText(int line, const char* text) {
  if (line < 0 || line >= textLines_ || !hwnd_) return;
  SetDlgItemTextA(hwnd_, kFirstLineId + line, text ? text : "");
}

void TLongTaskDlg::RestoreFocus(HWND before) {
  if (before && IsWindow(before)) {
    ::SetFocus(before);
  } else if (hwnd_) {
    ::SetFocus(hwnd_);
  }
}

void TLongTaskDlg::WarningF(const char* format, ...) {
  char text[kWarningSize] = "";
  va_list args;
  va_start(args, format);
  FormatBoundedV(text, sizeof text, format, args);
  va_end(args);
  HWND before = GetFocus();
  const int answer = MessageBoxA(hwnd_, text, "Warning", MB_OKCANCEL | MB_ICONINFORMATION | MB_TASKMODAL);
  if (answer == IDCANCEL) ConfirmCancel();
  RestoreFocus(before);
}

void TLongTaskDlg::ConfirmCancel() {
  cancel_.Confirm([this] {
    HWND before = GetFocus();
    const int answer =
        MessageBoxA(hwnd_, "Are you sure?", "Cancel Confirmation", MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL);
    RestoreFocus(before);
    return answer == IDYES;
  });
}

bool TLongTaskDlg::IsCancelled() {
  TApplication::Current()->PumpWaitingMessages();
  return cancel_.IsRequested();
}

bool IsCancelRequested() {
  TLongTaskDlg* task = TLongTaskDlg::GetActive();
  return task && task->IsCancelled();
}
