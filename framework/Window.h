// A C++ object bound to one Win32 window: it creates the window or takes over an existing one
// (a dialog's control, any HWND), receives its messages through a response table, owns its child
// window objects, and moves data between its controls and a transfer buffer.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "framework/Geometry.h"
#include "framework/ResponseTable.h"

class TDC;

enum class TTransferDirection { Get, Set };

class TWindow {
public:
  struct TAttributes {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, w = 0, h = 0;
    int id = 0;
  };

  // A window to be created later with Create(); children are created by their parent's set-up.
  explicit TWindow(TWindow* parent, const char* title = nullptr, HINSTANCE module = nullptr);
  // Takes over a window that exists already: its messages reach this object from now on.
  explicit TWindow(HWND existing, HINSTANCE module = nullptr);
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  TAttributes Attr;

  HWND GetHandle() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  TWindow* GetParentObject() const { return parent_; }
  // Moves this object (and its window, when there is one) under another parent.
  void SetParentObject(TWindow* parent);
  HINSTANCE GetModule() const { return module_; }
  int GetId() const { return Attr.id; }
  static TWindow* FromHandle(HWND hwnd);

  // Creates the window (and through SetupWindow its children). Answers false when it fails.
  virtual bool Create();
  // Binds this object to an existing window and subclasses it.
  void Attach(HWND hwnd);
  // Gives the window back to its own window procedure; the window lives on.
  void Detach();
  // Destroys the window; dialogs end their modal loop with the value.
  virtual void Destroy(int retVal = 0);
  // Deletes this object once the window is gone (after the current message).
  void SetDeleteOnDestroy(bool on) { deleteOnDestroy_ = on; }

  // Called once the window exists: creates the children and fills the controls from the
  // transfer buffer. Derived classes call the base first.
  virtual void SetupWindow();
  // Called while the window is being destroyed, before its children are gone.
  virtual void CleanupWindow() {}
  // Asked before the window closes; the default asks every child.
  virtual bool CanClose();
  // Drawing of windows of our own classes: the update rectangle and the erase flag.
  virtual void Paint(TDC& dc, bool erase, const TRect& rect) {}
  // A message on its way to this window or one of its descendants, before dispatch.
  virtual bool PreProcessMsg(MSG& msg) { return false; }
  // The application's idle step; answers true when more idle time is wanted.
  virtual bool IdleAction(long idleCount);
  // Owner-drawn controls draw and measure themselves: the parent hands them its WM_DRAWITEM and
  // WM_MEASUREITEM. Answer true when handled.
  virtual bool DrawItem(DRAWITEMSTRUCT& item) { return false; }
  virtual bool MeasureItem(MEASUREITEMSTRUCT& item) { return false; }

  // Message handling.
  virtual bool Find(TEvent& ev);
  virtual LRESULT EvCommand(UINT id, HWND control, UINT notifyCode);
  virtual void EvCommandEnable(TCommandEnabler& enabler);
  // The window's default handling of the message now being processed.
  LRESULT DefaultProcessing();
  LRESULT HandleMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  // Window class.
  virtual const char* GetClassName() const { return "VcWindow"; }
  virtual void GetWindowClass(WNDCLASSA& wc);

  // Transfer of control data: each child with transfer enabled moves its part of the buffer,
  // in creation order.
  void SetTransferBuffer(void* buffer) { transferBuffer_ = buffer; }
  void* GetTransferBuffer() const { return transferBuffer_; }
  virtual void TransferData(TTransferDirection direction);
  virtual UINT Transfer(void* buffer, TTransferDirection direction) { return 0; }
  void EnableTransfer() { transferEnabled_ = true; }
  void DisableTransfer() { transferEnabled_ = false; }
  bool IsTransferEnabled() const { return transferEnabled_; }

  // Children, in creation order; the parent deletes those still listed when it is deleted.
  const std::vector<TWindow*>& Children() const { return children_; }
  TWindow* ChildWithId(int id) const;

  // Thin wrappers over the common window calls.
  std::string GetWindowTextString() const;
  void SetWindowText(const char* text);
  const char* GetTitle() const { return title_.c_str(); }
  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
  TRect GetClientRect() const;
  TRect GetWindowRect() const;
  void Invalidate(bool erase = true) const;
  void UpdateWindow() const;
  bool ShowWindow(int cmd) const;
  bool EnableWindow(bool enable) const;
  bool IsWindowEnabled() const;
  bool IsWindowVisible() const;
  void MoveWindow(const RECT& r, bool repaint = true) const;
  void SetFocus() const;
  HWND GetDlgItem(int id) const;
  DWORD GetStyle() const;

protected:
  // Calls the window procedure the window had before (or the class default).
  virtual LRESULT DefWindowProcedure(UINT msg, WPARAM wParam, LPARAM lParam);
  // The CreateWindowEx call; MDI children create themselves through their client.
  virtual HWND PerformCreate();
  // Set-up and data transfer once the window exists.
  void PerformSetup();
  virtual LRESULT ReceiveMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Set by the constructor of a control taken over from a dialog template.
  void SetFromResource(int id) { Attr.id = id; fromResource_ = true; }
  bool IsFromResource() const { return fromResource_; }
  bool IsOwnClass() const { return oldProc_ == nullptr; }
  void SetTitleText(const char* title) { title_ = title ? title : ""; }

  friend LRESULT CALLBACK VcStdWndProc(HWND, UINT, WPARAM, LPARAM);
  friend INT_PTR CALLBACK VcDialogBindProc(HWND, UINT, WPARAM, LPARAM);
  friend class TApplication;

  void Bind(HWND hwnd);
  void Unbind();
  void Subclass(HWND hwnd);

  HWND hwnd_ = nullptr;

private:
  struct TCurrentMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };
  LRESULT BuiltInHandling(UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateChildren();
  void AddChild(TWindow* child);
  void RemoveChild(TWindow* child);
  bool RegisterOwnClass();

  TWindow* parent_ = nullptr;
  HINSTANCE module_ = nullptr;
  std::string title_;
  std::vector<TWindow*> children_;
  WNDPROC oldProc_ = nullptr;
  bool fromResource_ = false;
  bool ownsHandle_ = true;
  bool deleteOnDestroy_ = false;
  bool setupDone_ = false;
  bool transferEnabled_ = false;
  void* transferBuffer_ = nullptr;
  TCurrentMessage current_{0, 0, 0};
};

// Windows waiting to be deleted after the message that destroyed them.
void DeleteCondemnedWindows();
