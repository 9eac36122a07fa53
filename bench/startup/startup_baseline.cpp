// The baseline of the start-up benchmark: a bare Win32 program that opens one frame window with
// one child of the status bar's id, shows "Ready" there once the window is up (the way the editor
// does after its deferred start), and ends when it is closed.
#include <windows.h>

namespace {

constexpr int kStatusBarId = 32040;
constexpr UINT kReadyMessage = WM_APP + 1;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kReadyMessage:
      SetWindowTextA(GetDlgItem(hwnd, kStatusBarId), " Ready");
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &FrameProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "VcStartupBaseline";
  RegisterClassA(&wc);
  HWND frame = CreateWindowExA(0, wc.lpszClassName, "Baseline", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 20, frame,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), instance, nullptr);
  ShowWindow(frame, SW_SHOWMAXIMIZED);
  UpdateWindow(frame);
  PostMessageA(frame, kReadyMessage, 0, 0);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
