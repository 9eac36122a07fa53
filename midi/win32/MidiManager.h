// The editor's one front end to MIDI: binds the sequencing engine library, keeps the MIDI port,
// echo and timer settings, opens the configured devices by name and forwards playback and
// recording to the engine. Without the engine every call quietly does nothing.
#pragma once
#include <windows.h>

#include "midi/MidiFileBuf.h"
#include "midi/win32/MidiDeviceNames.h"
#include "midi/win32/MidiEngineBinding.h"

// Shows a string-table message box; answers the button.
typedef int (*TMidiBoxFn)(UINT style, UINT captionId, UINT textId);
int ShowMidiBox(UINT style, UINT captionId, UINT textId);

struct TMidiManagerSetup {
  // The engine's file names: tried on the Windows 95 family first, and the other always.
#if defined(VC_LINE_CURRENT)
  const char* win95File = "QVMID95B.DLL";
  const char* otherFile = "QVMID32B.DLL";
#else
  const char* win95File = "QVMID95A.DLL";
  const char* otherFile = "QVMID32A.DLL";
#endif
  int win95 = -1;  // -1: as the settings store reports the system
  TMidiBoxFn box = ShowMidiBox;
};

class TMidiManager {
public:
  static constexpr int kMaxPorts = 16;
  static constexpr int kDefaultTimerPeriod = 2;
  static constexpr int kDefaultTimerResolution = 2;
  // The ranges of the timer dialog.
  static constexpr int kMinTimerPeriod = 1, kMaxTimerPeriod = 50;
  static constexpr int kMinTimerResolution = 1, kMaxTimerResolution = 25;
  static constexpr uint16_t kNotifyOffset = 101;

  explicit TMidiManager(const TMidiManagerSetup& setup = TMidiManagerSetup());
  ~TMidiManager();
  TMidiManager(const TMidiManager&) = delete;
  TMidiManager& operator=(const TMidiManager&) = delete;

  bool IsBound() const { return engine_.IsBound(); }

  // Settings ("MIDI Timer", "MIDI Out Ports", "MIDI In Ports", "MIDI Echo").
  void LoadTimerSettings();
  void SaveTimerSettings();
  void LoadPortSettings();
  void SavePortSettings();
  void SetTimerSettings(int period, int resolution);
  int GetTimerPeriod() const { return timerPeriod_; }
  int GetTimerResolution() const { return timerResolution_; }

  // Devices.
  void AcquireDevices(bool acquire);
  bool AreDevicesAcquired() const { return acquired_ != 0; }
  void ApplyEcho();
  void DisableEcho();
  uint16_t GetFailedOutPorts();
  uint16_t TestOutPorts(HWND list);
  bool TestInPort(HWND control);
  void SetOutPortsFromList(HWND list);
  void SetInPortFromControl(HWND control);
  void UseMapperOutPort();
  void FillInPortCombo(HWND combo);
  void FillOutPortLists(HWND available, HWND chosen);
  void FillPortNameList(HWND list);
  void SetEcho(int port, int channel);
  void ClearEcho();
  bool IsInputMissing() const;
  // Whether an input device was chosen (open or not).
  bool HasInputDevice() const { return inputName_[0] != '\0'; }
  bool GetOutDeviceName(int port, char (&name)[kMidiDeviceNameSize]) const;
  bool GetInDeviceName(char (&name)[kMidiDeviceNameSize]) const;
  void ResetAllPorts();
  void CachePatches(const TMidiFileBuf& list);

  int GetPortCount() const { return portCount_; }
  const char* GetPortName(int port) const;
  const char* GetInputName() const { return inputName_; }
  HMIDIOUT GetOutDevice(int port) const;
  HMIDIIN GetInDevice() const { return input_; }
  bool IsEchoEnabled() const { return thruEnabled_ != 0; }
  int GetEchoPort() const { return thruPort_; }
  int GetEchoChannel() const { return thruChannel_; }

  // Playback and recording.
  int Play(HWND notifyWindow, TMidiFileBuf* list);
  int FeedNextBuffer();
  void Stop();
  int IsPlaying() const;
  int GetSongPosition() const;
  void StartRecording();
  void StopRecording();
  int IsRecording() const;
  int GetRecordedEvent(TRecordedEvent* out) const;
  void SetEchoWindow(HWND window);
  bool TrySendShort(uint32_t message);

private:
  void CloseOutputs();
  void CloseInput();
  void OpenOutputs();
  void OpenInput();
  bool AllConfiguredOpen() const;
  UINT SendRetrying(HMIDIOUT out, DWORD message) const;
  void CachePortPatches(int port, const TMidiFileBuf& list);

  char inputName_[kMidiDeviceNameSize] = {};
  HMIDIIN input_ = nullptr;
  int portCount_ = 0;
  char portNames_[kMaxPorts][kMidiDeviceNameSize] = {};
  HMIDIOUT outputs_[kMaxPorts] = {};
  int acquired_ = 0;
  int recording_ = 0;
  int thruEnabled_ = 0;
  int thruPort_ = 0;
  int thruChannel_ = 0;
  int timerPeriod_ = kDefaultTimerPeriod;
  int timerResolution_ = kDefaultTimerResolution;
  TMidiFileBuf* playingList_ = nullptr;
  int nextBuffer_ = 0;
  TMidiEngineBinding engine_;
  TMidiBoxFn box_;
};

// The one device manager while it lives, else null.
extern TMidiManager* gMidiManager;
