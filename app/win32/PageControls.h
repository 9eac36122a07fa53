// The few control calls every options page makes on its drop-down lists and check boxes.
#pragma once
#include <windows.h>

namespace page_controls {

template <size_t N>
void FillList(HWND list, const char* const (&names)[N]) {
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const char* name : names) ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

inline int Selection(HWND page, int id) {
  return static_cast<int>(::SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0));
}

inline void Select(HWND page, int id, int index) { ::SendDlgItemMessageA(page, id, CB_SETCURSEL, WPARAM(index), 0); }

inline bool Checked(HWND page, int id) { return ::IsDlgButtonChecked(page, id) == BST_CHECKED; }

inline void SetChecked(HWND page, int id, bool on) { ::CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }

}  // namespace page_controls
