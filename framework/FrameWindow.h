// A top-level window with a menu, accelerators and an optional client window that fills it.
// It is the root of the command chain: menu and accelerator commands and their enablers travel
// from the focused window up to the frame, then to the application.
#pragma once
#include "framework/Window.h"

class TFrameWindow : public TWindow {
public:
  TFrameWindow(TWindow* parent, const char* title, TWindow* client = nullptr, HINSTANCE module = nullptr);
  ~TFrameWindow() override;

  // The menu resource loaded when the window is created.
  void SetMenuResource(LPCSTR name) { menuName_ = name; }
  HMENU GetMenu() const { return hwnd_ ? ::GetMenu(hwnd_) : nullptr; }
  void SetAcceleratorTable(HACCEL accel) { accel_ = accel; }

  TWindow* GetClientWindow() const { return client_; }
  void SetClientWindow(TWindow* client);

  // Menu items without an enabler handler are enabled only when some window on the chain
  // handles their command.
  void SetAutoDisableCommands(bool on) { autoDisable_ = on; }

  void SetupWindow() override;
  bool PreProcessMsg(MSG& msg) override;
  bool Find(TEvent& ev) override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;
  void EvCommandEnable(TCommandEnabler& enabler) override;

  // Sends a command, or asks its enabler, along the chain; answers whether anyone handled it.
  bool RouteCommand(UINT id, LRESULT& result);
  bool RouteCommandEnable(TCommandEnabler& enabler);
  // As the menus ask: the enabler's handler on the chain, or else enabled when some window on the
  // chain handles the command (with auto-disabling on). Answers whether the command is enabled.
  bool EnableCommand(TCommandEnabler& enabler);

protected:
  HWND PerformCreate() override;
  // Where the command chain starts when the focus is not inside this frame.
  virtual HWND GetDefaultCommandTarget() const { return hwnd_; }
  // Lays the client window out over the client area.
  virtual void Layout();

public:
  // Response-table handlers.
  LRESULT EvSize(WPARAM, LPARAM);
  LRESULT EvSetFocus(WPARAM, LPARAM);
  LRESULT EvInitMenuPopup(WPARAM, LPARAM);

private:
  std::vector<TWindow*> CommandChain() const;
  bool OfferTo(const std::vector<TWindow*>& chain, TEvent& ev);

  TWindow* client_ = nullptr;
  LPCSTR menuName_ = nullptr;
  HACCEL accel_ = nullptr;
  bool autoDisable_ = true;
};
