// The application: the message loop with its idle step and accelerators, nested modal loops,
// the processing of waiting messages for long operations, and the reporting of exceptions that
// handlers raised (they are caught in the window procedure and rethrown here, outside the
// system's frames).
#pragma once
#include <windows.h>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>
#include "framework/ResponseTable.h"

class TWindow;

class TApplication {
public:
  explicit TApplication(const char* name = nullptr, HINSTANCE instance = nullptr);
  virtual ~TApplication();

  // The application of this process; a plain default one when none was built.
  static TApplication* Current();

  const char* GetName() const { return name_.c_str(); }
  HINSTANCE GetInstance() const { return instance_; }

  // InitInstance, the message loop, TermInstance; answers the exit code.
  virtual int Run();
  virtual void InitInstance();
  virtual void InitMainWindow() {}
  virtual int TermInstance(int status) { return status; }

  // The 3D-controls library the application draws its dialogs with, when it uses one (not owned).
  void SetCtl3dLibrary(HMODULE library) { ctl3d_ = library; }
  HMODULE GetCtl3dLibrary() const { return ctl3d_; }
  bool Ctl3dEnabled() const { return ctl3d_ != nullptr; }

  void SetMainWindow(TWindow* window) { mainWindow_ = window; }
  TWindow* GetMainWindow() const { return mainWindow_; }
  int nCmdShow = SW_SHOWNORMAL;

  // Accelerators translated for the main window when no window on the way takes the key.
  void SetAccelerators(HACCEL accel) { accel_ = accel; }
  HACCEL GetAccelerators() const { return accel_; }

  // Called while the queue is empty; answers true to be called again before waiting.
  virtual bool IdleAction(long idleCount);
  // Accelerators and the windows' pre-processing; answers true when the message was used.
  virtual bool ProcessAppMsg(MSG& msg);
  // Handles every message waiting in the queue, then returns; answers whether there were any.
  bool PumpWaitingMessages();
  int MessageLoop();
  // Runs a nested loop until EndModal; answers the value given to EndModal.
  int BeginModal(TWindow* window);
  void EndModal(int result);
  bool IsModalActive() const { return !modal_.empty(); }

  // The last station of the command chain (commands and their enablers).
  virtual bool Find(TEvent& ev) { return false; }

  // Shows what went wrong in a handler, then the loop carries on.
  virtual void Error(const std::exception& e);

  // Used by the window procedures: keep an exception until the loop can rethrow it.
  static void StoreException(std::exception_ptr e);
  static void RethrowPendingException();
  static bool HasPendingException();

protected:
  // Dispatches one message and reports what its handlers threw.
  void ProcessMessage(MSG& msg);

private:
  struct TModalState {
    bool done = false;
    int result = 0;
  };
  int RunLoop(TModalState* modal);

  std::string name_;
  HINSTANCE instance_;
  TWindow* mainWindow_ = nullptr;
  HACCEL accel_ = nullptr;
  HMODULE ctl3d_ = nullptr;
  std::vector<TModalState*> modal_;
  TApplication* previous_ = nullptr;
};
