#include "framework/EditNumber.h"

#include "foundation/win32/MessageBoxes.h"

namespace {
using R = TResponse<TEditNumber>;
constexpr R kResponses[] = {R::Message(WM_CHAR, &TEditNumber::EvChar)};
}  // namespace

void ReportInvalidValue(TWindow& control, const std::string& title, const char* text, int selectChars) {
  // A control taken from a dialog template has no title: the system's "Error" caption stands.
  // The box belongs to the control's dialog window, never to the (bordered) control itself.
  HWND parent = ::GetParent(control.GetHandle());
  MessageBoxA(FindFrameWindow(parent ? parent : control.GetHandle()), text, title.empty() ? nullptr : title.c_str(), MB_OK | MB_ICONEXCLAMATION);
  if (selectChars > 0) control.SendMessage(EM_SETSEL, 0, selectChars);
  control.SetFocus();
}

TEditNumber::TEditNumber(TWindow* parent, int id, const char* text, int x, int y, int w, int h,
                         const TNumberRange& range, HINSTANCE module)
    : TQXTEditValue(parent, id, text, x, y, w, h, kTextLimit, module), range_(range), title_(text ? text : "") {
  SetStep(range.step);
}

TEditNumber::TEditNumber(TWindow* parent, int resourceId, const TNumberRange& range, HINSTANCE module)
    : TQXTEditValue(parent, resourceId, kTextLimit, module), range_(range) {
  SetStep(range.step);
}

bool TEditNumber::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TQXTEditValue::Find(ev); }

void TEditNumber::SetRange(int32_t minimum, int32_t maximum, int32_t step) {
  range_.minimum = minimum;
  range_.maximum = maximum;
  SetStep(step);
}

void TEditNumber::Increment(int direction) {
  SetValue(StepNumber(GetValue(), range_.minimum, range_.maximum, range_.step, direction, allowEmpty_));
}

void TEditNumber::SetValue(int32_t value) {
  char text[16] = {};
  if (!(allowEmpty_ && value == kEmptyValue)) {
    FormatNumberText(text, sizeof text, ClampNumber(value, range_.minimum, range_.maximum));
  }
  SetWindowText(text);
  SendMessage(EM_SETSEL, 0, 0);
}

int32_t TEditNumber::GetValue() const {
  char text[12] = {};
  if (GetHandle()) GetWindowTextA(GetHandle(), text, sizeof text);
  return ReadNumberText(text);
}

bool TEditNumber::Refuse(const char* text) {
  ReportInvalidValue(*this, title_, text, 10);
  return false;
}

bool TEditNumber::CanClose() {
  if (!IsWindowEnabled()) return true;
  const std::string text = GetWindowTextString();
  if (IsNumberTextInRange(text.c_str(), range_.minimum, range_.maximum, allowEmpty_)) return true;
  return Refuse("Value is out of range");
}

bool TEditNumber::IsValidPowerOfTwo() {
  if (!CanClose()) return false;
  if (!IsWindowEnabled() || IsSmallPowerOfTwo(GetValue())) return true;
  return Refuse("Value is not valid");
}

UINT TEditNumber::Transfer(void* buffer, TTransferDirection direction) {
  return TransferInt32(buffer, direction, [&] { return GetValue(); }, [&](int32_t v) { SetValue(v); });
}

LRESULT TEditNumber::EvChar(WPARAM wParam, LPARAM) {
  if (NumberEditChar(static_cast<unsigned char>(wParam)) == TTypedChar::Pass) return DefaultProcessing();
  return 0;
}
