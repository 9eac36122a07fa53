#include "framework/ResponseTable.h"

bool TEvent::Matches(TResponseKind kind, UINT rmsg, UINT id, UINT code) const {
  switch (kind) {
    case TResponseKind::Message:
      return rmsg == msg;
    case TResponseKind::Command:
      // Code 0 is a menu item or a button click, 1 an accelerator (never from a control: list
      // and combo boxes use 1 for a selection change).
      if (msg != WM_COMMAND || LOWORD(wParam) != id) return false;
      return HIWORD(wParam) == 0 || (HIWORD(wParam) == 1 && lParam == 0);
    case TResponseKind::Notify:
      if (msg == WM_COMMAND) return lParam != 0 && LOWORD(wParam) == id && HIWORD(wParam) == code;
      if (msg == WM_NOTIFY) {
        const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
        return hdr && hdr->idFrom == id && hdr->code == code;
      }
      return false;
    case TResponseKind::Enable:
      return msg == WM_COMMAND_ENABLE && lParam &&
             reinterpret_cast<const TCommandEnabler*>(lParam)->GetId() == id;
  }
  return false;
}
