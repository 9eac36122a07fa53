#include "framework/Edit.h"

TEdit::TEdit(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit,
             bool multiline, HINSTANCE module)
    : TStatic(parent, id, text, x, y, w, h, textLimit, module) {
  Attr.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
  if (multiline) Attr.style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL;
  EnableTransfer();
}

TEdit::TEdit(TWindow* parent, int resourceId, UINT textLimit, HINSTANCE module)
    : TStatic(parent, resourceId, textLimit, module) {
  EnableTransfer();
}

void TEdit::SetupWindow() {
  TStatic::SetupWindow();
  if (GetTextLimit() > 0) SendMessage(EM_LIMITTEXT, GetTextLimit() - 1);
}

void TEdit::SetTextLimit(UINT limit) {
  if (limit > 0) SendMessage(EM_LIMITTEXT, limit - 1);
}

void TEdit::GetSelection(int& start, int& end) const {
  DWORD s = 0, e = 0;
  SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<int>(s);
  end = static_cast<int>(e);
}
