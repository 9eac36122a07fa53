// A multi-point controller: up to four timed values of a MIDI controller, tempo or pitch bend,
// sent as points or swept linearly between them.
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"
#include "QVKNTN/EditorLine.h"

class TGenericControl final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  enum { kSettings = 4 };
  enum { ctTempo = 0, ctPitchBend = 4, kControllers = kEarlierLine ? 5 : 18 };
  enum { smPoints = 0, smLinearSweep = 1 };
  struct TSetting {
    int32_t present = 0;
    int32_t offset = 0;  // in units of the time resolution, from the previous point
    int32_t value = 100;
  };

  TGenericControl();
  int GetDefaultVisibility() const override { return visNever; }
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  // The MIDI controller number of a controller index; -1 for tempo, pitch bend and unknown.
  static int MidiControllerOf(int controller);

  int GetController() const { return fController; }
  void SetController(int c) { fController = c; }
  int GetSweepMode() const { return fSweepMode; }
  void SetSweepMode(int m) { fSweepMode = m; }
  int GetTimeResolution() const { return fTimeResolution; }
  void SetTimeResolution(int code) { fTimeResolution = code; }
  int GetSweepResolution() const { return fSweepResolution; }
  void SetSweepResolution(int step) { fSweepResolution = step; }
  const TSetting& GetSetting(int i) const { return fSettings[i & 3]; }
  void SetSetting(int i, int offset, int value);
  void SetSettingRaw(int i, const TSetting& s) { fSettings[i & 3] = s; }
  void ClearSettings();

 private:
  void Send(const TStaffContext& context, TMidiEventSink& sink, int32_t tick, int value) const;

  int32_t fController = 0;
  int32_t fSweepMode = smPoints;
  int32_t fTimeResolution = 2;
  int32_t fSweepResolution = 0;
  TSetting fSettings[kSettings];
};
