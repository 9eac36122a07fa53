// The long-task dialog "Working" over a MIDI file's conversion: it opens when the conversion
// starts, shows the conversion's message and gauge, and closes with this object.
#pragma once
#include <memory>

#include "framework/LongTaskDlg.h"
#include "midi/ImportProgress.h"

class TImportProgressDlg : public TImportProgress {
public:
  static constexpr int kResourceId = 582;

  explicit TImportProgressDlg(TWindow* parent) : parent_(parent) {}
  ~TImportProgressDlg() override;
  TImportProgressDlg(const TImportProgressDlg&) = delete;
  TImportProgressDlg& operator=(const TImportProgressDlg&) = delete;

  void Start(int steps, const char* message) override;
  void Advance(int steps) override;

private:
  TWindow* parent_;
  std::unique_ptr<TLongTaskDlg> dialog_;
  int done_ = 0;
};
