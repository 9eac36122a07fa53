#include "tests/support/guidriver/MessageRecorder.h"

namespace guidriver {

namespace {
const char kClass[] = "VcTestMessageRecorder";
}

TMessageRecorder::TMessageRecorder(int x, int y, int w, int h) {
  WNDCLASSA wc{};
  HINSTANCE inst = GetModuleHandleA(nullptr);
  if (!GetClassInfoA(inst, kClass, &wc)) {
    wc = {};
    wc.lpfnWndProc = &TMessageRecorder::Proc;
    wc.hInstance = inst;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
  }
  hwnd_ = CreateWindowExA(0, kClass, "Recorder", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, x, y, w, h,
                          nullptr, nullptr, inst, this);
}

TMessageRecorder::~TMessageRecorder() {
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (background_) DeleteObject(background_);
}

void TMessageRecorder::SetBackground(COLORREF color) {
  if (background_) DeleteObject(background_);
  background_ = CreateSolidBrush(color);
  backgroundColor_ = color;
}

std::vector<TRecordedMessage> TMessageRecorder::Messages(UINT msg) const {
  std::vector<TRecordedMessage> out;
  for (const TRecordedMessage& m : messages_) {
    if (m.msg == msg) out.push_back(m);
  }
  return out;
}

LRESULT CALLBACK TMessageRecorder::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<TMessageRecorder*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  self->messages_.push_back({msg, wParam, lParam});
  if (self->background_ && msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
    SetBkColor(reinterpret_cast<HDC>(wParam), self->backgroundColor_);
    return reinterpret_cast<LRESULT>(self->background_);
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace guidriver
