// The main window of a multiple-document program: decorations on its edges and an MDI client
// with the document windows in the rest.
#pragma once
#include "framework/DecoratedFrame.h"
#include "framework/MDIClient.h"

class TMDIChild;

class TDecoratedMDIFrame : public TDecoratedFrame {
public:
  // The frame takes the client as its client window and owns it.
  TDecoratedMDIFrame(const char* title, LPCSTR menuResource, TMDIClient& client, HINSTANCE module = nullptr);

  TMDIClient* GetMDIClient() const { return &client_; }
  TMDIChild* GetActiveMDIChild() const { return client_.GetActiveMDIChild(); }

  bool Find(TEvent& ev) override;
  bool PreProcessMsg(MSG& msg) override;
  LRESULT EvSizeMDI(WPARAM, LPARAM);

protected:
  HWND GetDefaultCommandTarget() const override;
  LRESULT DefWindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  TMDIClient& client_;
};
