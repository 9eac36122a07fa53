#include "framework/QXTEdit.h"

#include <cstring>

namespace {
using R = TResponse<TQXTEdit>;
constexpr R kResponses[] = {R::Message(WM_SETFOCUS, &TQXTEdit::EvSetFocus)};
}  // namespace

TQXTEdit::TQXTEdit(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit,
                   bool multiline, HINSTANCE module)
    : TEdit(parent, id, text, x, y, w, h, textLimit, multiline, module) {}

TQXTEdit::TQXTEdit(TWindow* parent, int resourceId, UINT textLimit, HINSTANCE module)
    : TEdit(parent, resourceId, textLimit, module) {}

bool TQXTEdit::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TEdit::Find(ev); }

void TQXTEdit::SetupWindow() {
  TEdit::SetupWindow();
  ApplyFont();
}

void TQXTEdit::SetOption(int bit) {
  options_ |= 1u << bit;
  ApplyFont();
}

void TQXTEdit::ApplyFont() {
  if (GetHandle() && (options_ & kFixedFont)) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), TRUE);
}

int TQXTEdit::GetText(char* buffer, int size) const {
  if (!buffer || size <= 0) return 0;
  std::memset(buffer, 0, static_cast<size_t>(size));
  return TEdit::GetText(buffer, size);
}

LRESULT TQXTEdit::EvSetFocus(WPARAM, LPARAM) {
  const LRESULT r = DefaultProcessing();
  if (options_ & kNoSelectOnFocus) {
    int start = 0, end = 0;
    GetSelection(start, end);
    const int len = GetWindowTextLengthA(GetHandle());
    if (start == 0 && end >= len - 2) SetSelection(0, 0);
  }
  return r;
}
