#include "framework/EditRealNumber.h"

#include <cstring>

#include "foundation/EditValueRules.h"
#include "framework/EditNumber.h"

namespace {
using R = TResponse<TEditRealNumber>;
constexpr R kResponses[] = {R::Message(WM_CHAR, &TEditRealNumber::EvChar)};
}  // namespace

TEditRealNumber::TEditRealNumber(TWindow* parent, int id, const char* text, int x, int y, int w, int h,
                                 const TRealRange& range, HINSTANCE module)
    : TQXTEditValue(parent, id, text, x, y, w, h, kTextLimit, module), range_(range), title_(text ? text : "") {}

TEditRealNumber::TEditRealNumber(TWindow* parent, int resourceId, const TRealRange& range, HINSTANCE module)
    : TQXTEditValue(parent, resourceId, kTextLimit, module), range_(range) {}

bool TEditRealNumber::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TQXTEditValue::Find(ev); }

void TEditRealNumber::SetStep(float step, int decimals) {
  range_.step = step;
  range_.decimals = decimals;
}

void TEditRealNumber::SetRange(float minimum, float maximum) {
  range_.minimum = minimum;
  range_.maximum = maximum;
}

void TEditRealNumber::DivideValue(float factor) {
  if (factor != 0.0f) SetValue(GetValue() / factor);
}

void TEditRealNumber::Increment(int direction) {
  SetValue(StepReal(GetValue(), range_.minimum, range_.maximum, range_.step, direction));
}

void TEditRealNumber::SetValue(float value) {
  char text[48];
  FormatRealText(text, sizeof text, value, range_.decimals);
  SetWindowText(text);
  SendMessage(EM_SETSEL, 0, 0);
}

float TEditRealNumber::GetValue() const {
  char text[20] = {};
  if (GetHandle()) GetWindowTextA(GetHandle(), text, sizeof text);
  return ReadRealText(text);
}

bool TEditRealNumber::CanClose() {
  if (!IsWindowEnabled()) return true;
  const std::string text = GetWindowTextString();
  if (IsRealTextInRange(text.c_str(), range_.minimum, range_.maximum)) return true;
  ReportInvalidValue(*this, title_, "Value is out of range", 20);
  return false;
}

UINT TEditRealNumber::Transfer(void* buffer, TTransferDirection direction) {
  float v;
  if (direction == TTransferDirection::Get) {
    v = GetValue();
    std::memcpy(buffer, &v, sizeof v);
  } else {
    std::memcpy(&v, buffer, sizeof v);
    SetValue(v);
  }
  return sizeof v;
}

LRESULT TEditRealNumber::EvChar(WPARAM wParam, LPARAM) {
  const std::string text = GetWindowTextString();
  int start = 0, end = 0;
  GetSelection(start, end);
  switch (RealEditChar(static_cast<unsigned char>(wParam), text.c_str(), start, end, range_.minimum)) {
    case TTypedChar::Pass:
      return DefaultProcessing();
    case TTypedChar::Beep:
      MessageBeep(0xFFFFFFFF);
      return 0;
    case TTypedChar::Drop:
      return 0;
  }
  return 0;
}
