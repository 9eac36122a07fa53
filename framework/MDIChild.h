// A document window inside the MDI client of a frame.
#pragma once
#include "framework/FrameWindow.h"

class TMDIClient;

class TMDIChild : public TFrameWindow {
public:
  TMDIChild(TMDIClient& client, const char* title, TWindow* clientWindow = nullptr, HINSTANCE module = nullptr);

  const char* GetClassName() const override { return "VcMDIChild"; }
  void Destroy(int retVal = 0) override;
  // Brings this child to the front of the MDI client.
  void Activate() const;

protected:
  HWND PerformCreate() override;
  LRESULT DefWindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
