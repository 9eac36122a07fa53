// The editor's Open and Save dialogs: the system's common dialogs over the application's shared
// dialog data, centred on the screen; the Save dialog also makes its default extension, and the
// extension of a typed name, follow the chosen file type.
#pragma once
#include <windows.h>

#include <string>

#include "app/FileDialogRules.h"

// Shared by every Open and Save dialog of the run; the application object keeps it.
struct TQVFileDialogData {
  unsigned long flags = 0;
  std::string filter;  // "name|pattern|..."
  int filterIndex = 1;
  std::string defaultExtension;
  std::string initialFolder;
  std::string title;
  char fileName[260] = {};
};

class TQVFileOpenDialog {
public:
  TQVFileOpenDialog(HWND owner, TQVFileDialogData& data) : owner_(owner), data_(data) {}
  virtual ~TQVFileOpenDialog() = default;
  // IDOK with the chosen name and filter index in the data, else IDCANCEL.
  int Execute();

protected:
  virtual BOOL Run(OPENFILENAMEA& ofn) { return GetOpenFileNameA(&ofn); }
  // Explorer-style notifications; true when handled.
  virtual bool Notify(HWND dialog, const OFNOTIFYA& notify);

  TQVFileDialogData& Data() { return data_; }

private:
  static UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

  HWND owner_;
  TQVFileDialogData& data_;
};

class TQVFileSaveDialog : public TQVFileOpenDialog {
public:
  using TQVFileOpenDialog::TQVFileOpenDialog;

protected:
  BOOL Run(OPENFILENAMEA& ofn) override { return GetSaveFileNameA(&ofn); }
  bool Notify(HWND dialog, const OFNOTIFYA& notify) override;
};
