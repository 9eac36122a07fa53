#include "framework/DecoratedMDIFrame.h"
#include "framework/MDIChild.h"

namespace {

using R = TResponse<TDecoratedMDIFrame>;
constexpr R kResponses[] = {
    R::Message(WM_SIZE, &TDecoratedMDIFrame::EvSizeMDI),
};

}  // namespace

TDecoratedMDIFrame::TDecoratedMDIFrame(const char* title, LPCSTR menuResource, TMDIClient& client, HINSTANCE module)
    : TDecoratedFrame(nullptr, title, &client, module), client_(client) {
  SetMenuResource(menuResource);
}

bool TDecoratedMDIFrame::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TDecoratedFrame::Find(ev); }

// The system's frame procedure would stretch the MDI client over the decorations.
LRESULT TDecoratedMDIFrame::EvSizeMDI(WPARAM wParam, LPARAM lParam) {
  Layout();
  return DefWindowProcA(hwnd_, WM_SIZE, wParam, lParam);
}

bool TDecoratedMDIFrame::PreProcessMsg(MSG& msg) {
  if (client_.GetHandle() && TranslateMDISysAccel(client_.GetHandle(), &msg)) return true;
  return TDecoratedFrame::PreProcessMsg(msg);
}

HWND TDecoratedMDIFrame::GetDefaultCommandTarget() const {
  TMDIChild* active = client_.GetActiveMDIChild();
  return active ? active->GetHandle() : hwnd_;
}

LRESULT TDecoratedMDIFrame::DefWindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsOwnClass()) return TDecoratedFrame::DefWindowProcedure(msg, wParam, lParam);
  return DefFrameProcA(hwnd_, client_.GetHandle(), msg, wParam, lParam);
}
