#include "framework/QXTEditValue.h"

#include "framework/SpinButton.h"

namespace {
using R = TResponse<TQXTEditValue>;
constexpr R kResponses[] = {
    R::Message(WM_SIZE, &TQXTEditValue::EvSize),
    R::Message(WM_KEYDOWN, &TQXTEditValue::EvKeyDown),
    R::Message(WM_MOUSEWHEEL, &TQXTEditValue::EvMouseWheel),
};
}  // namespace

TQXTEditValue::TQXTEditValue(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit,
                             HINSTANCE module)
    : TQXTEdit(parent, id, text, x, y, w, h, textLimit, false, module), spin_(new TSpinButton(this, module)) {}

TQXTEditValue::TQXTEditValue(TWindow* parent, int resourceId, UINT textLimit, HINSTANCE module)
    : TQXTEdit(parent, resourceId, textLimit, module), spin_(new TSpinButton(this, module)) {}

bool TQXTEditValue::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TQXTEdit::Find(ev); }

void TQXTEditValue::SetupWindow() {
  TQXTEdit::SetupWindow();
  spin_->PlaceBesideBuddy();
}

int TQXTEditValue::Step(int amount) {
  Increment(amount < 0 ? -1 : 1);
  return 0;
}

bool TQXTEditValue::EnableWindow(bool enable) const {
  const bool r = TQXTEdit::EnableWindow(enable);
  spin_->EnableWindow(enable);
  spin_->Invalidate();
  return r;
}

bool TQXTEditValue::ShowWindow(int cmd) const {
  const bool r = TQXTEdit::ShowWindow(cmd);
  spin_->ShowWindow(cmd);
  return r;
}

LRESULT TQXTEditValue::EvSize(WPARAM, LPARAM) {
  const LRESULT r = DefaultProcessing();
  spin_->PlaceBesideBuddy();
  return r;
}

LRESULT TQXTEditValue::EvKeyDown(WPARAM wParam, LPARAM) {
  if (wParam == VK_UP) {
    Increment(+1);
    return 0;
  }
  if (wParam == VK_DOWN) {
    Increment(-1);
    return 0;
  }
  return DefaultProcessing();
}

LRESULT TQXTEditValue::EvMouseWheel(WPARAM wParam, LPARAM) {
  Step(static_cast<short>(HIWORD(wParam)));
  return 0;
}
