// Asks the windows along the command chain whether a command is available, before a menu opens
// or a toolbar button repaints. Each user interface element supplies its own enabler.
#pragma once
#include <windows.h>

// The window message that carries a TCommandEnabler* in lParam along the command chain.
constexpr UINT WM_COMMAND_ENABLE = 0x7FFF;

class TCommandEnabler {
public:
  explicit TCommandEnabler(UINT id, HWND receiver = nullptr) : id_(id), receiver_(receiver) {}
  virtual ~TCommandEnabler() = default;

  UINT GetId() const { return id_; }
  HWND GetReceiver() const { return receiver_; }

  enum { Unchecked = 0, Checked = 1, Indeterminate = 2 };
  virtual void Enable(bool enable = true) { enabled_ = enable; handled_ = true; }
  virtual void SetCheck(int state) { check_ = state; }
  virtual void SetText(const char* text) {}

  bool WasHandled() const { return handled_; }
  bool IsEnabled() const { return enabled_; }
  int GetCheck() const { return check_; }

private:
  UINT id_;
  HWND receiver_;
  bool handled_ = false;
  bool enabled_ = false;
  int check_ = Unchecked;
};
