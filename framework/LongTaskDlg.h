// The modeless progress dialog of a long operation on the user-interface thread: up to two
// gauges and a few text lines, its parent disabled while it is up, and a Cancel button that turns
// into a request the operation polls. At most one long task is active at a time; code that has
// no pointer to the dialog asks IsCancelRequested.
#pragma once
#include <cstdarg>
#include "foundation/CancelRequest.h"
#include "framework/Dialog.h"

class TGauge;
class TStatic;

class TLongTaskDlg : public TDialog {
public:
  // Controls of the dialog resource: text lines 101, 102, ...; gauge placeholders 110 and 111.
  static constexpr int kFirstLineId = 101;
  static constexpr int kGaugePlaceId = 110;
  static constexpr int kGauge2PlaceId = 111;
  static constexpr int kGaugeId = 112;
  static constexpr int kGauge2Id = 113;
  static constexpr int kMessageSize = 256;
  static constexpr int kWarningSize = 1024;

  // The gauge count (0-2) says which gauges exist.
  TLongTaskDlg(TWindow* parent, int resourceId, int textLines, int gaugeCount, HINSTANCE module = nullptr);
  ~TLongTaskDlg() override;

  void SetupWindow() override;
  void Destroy(int retVal = 0) override;
  bool Find(TEvent& ev) override;

  void StartGauge(int maximum);
  void SetGaugeValue(int value);
  void SetGaugeLed(int spacing, int thicknessPercent);
  void StartGauge2(int maximum);
  void SetGauge2Value(int value);
  void SetGauge2Led(int spacing, int thicknessPercent);
  TGauge* GetGauge() const { return gauge_; }
  TGauge* GetGauge2() const { return gauge2_; }

  // Texts are cut to 255 characters.
  void SetMessage(const char* format, ...);
  void SetLineF(int line, const char* format, ...);
  void SetLineText(int line, const char* text);
  void SetFirstLineText(const char* text) { SetLineText(0, text); }

  // A "Warning" box (text cut to 1023 characters); Cancel there asks to stop the task.
  void WarningF(const char* format, ...);
  // Asks "Are you sure?" unless a cancel is already requested; Yes requests it. The dialog stays.
  void ConfirmCancel();
  // Processes the waiting messages (painting, the Cancel button), then answers the request.
  bool IsCancelled();
  void ResetCancel() { cancel_.Reset(); }
  void CloseDialog() { Destroy(0); }

  // The active long task, null when none.
  static TLongTaskDlg* GetActive();

private:
  void SetLineV(int line, const char* format, va_list args);
  void PlaceGauge(TGauge* gauge, TStatic* placeholder);
  // Back to the window that had the focus before a box.
  void RestoreFocus(HWND before);
  void Deactivate();

  TCancelRequest cancel_;
  int textLines_;
  TStatic* gaugePlace_ = nullptr;
  TGauge* gauge_ = nullptr;
  TStatic* gauge2Place_ = nullptr;
  TGauge* gauge2_ = nullptr;
};

// Whether the user asked the active long task to stop; false (without processing messages) when
// no long task is active.
bool IsCancelRequested();
