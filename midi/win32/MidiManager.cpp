#include "midi/win32/MidiManager.h"

#include <cstdio>
#include <cstring>

#include "foundation/SysInfo.h"
#include "foundation/win32/MessageBoxes.h"
#include "midi/MidiStringIds.h"

TMidiManager* gMidiManager = nullptr;

namespace {

const char kTimerSection[] = "MIDI Timer";
const char kOutPortsSection[] = "MIDI Out Ports";
const char kInPortsSection[] = "MIDI In Ports";
const char kEchoSection[] = "MIDI Echo";
const char kUnavailable[] = "<Unavailable>";

constexpr int kNotReadyRetries = 1000;
constexpr uint16_t kDrumChannels = 1 << 9;  // channel 10

int Clamp(int v, int low, int high) { return v < low ? low : (v > high ? high : v); }

void CopyName(char (&to)[kMidiDeviceNameSize], const char* from) {
  lstrcpynA(to, from ? from : "", kMidiDeviceNameSize);
}

// List boxes and combo boxes alike, so the pages can use either.
bool IsCombo(HWND control) {
  char cls[16] = {};
  GetClassNameA(control, cls, sizeof cls);
  return lstrcmpiA(cls, "ComboBox") == 0;
}

void ClearList(HWND control) {
  SendMessageA(control, IsCombo(control) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

int AddListText(HWND control, const char* text) {
  return int(SendMessageA(control, IsCombo(control) ? CB_ADDSTRING : LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(text)));
}

int ListCount(HWND control) {
  return int(SendMessageA(control, IsCombo(control) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

void ListText(HWND control, int index, char (&text)[kMidiDeviceNameSize]) {
  const bool combo = IsCombo(control);
  text[0] = '\0';
  const LRESULT length =
      SendMessageA(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, WPARAM(index), 0);
  if (length < 0 || length >= kMidiDeviceNameSize) return;  // no device has a longer name
  SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, WPARAM(index),
               reinterpret_cast<LPARAM>(text));
}

void ControlText(HWND control, char (&text)[kMidiDeviceNameSize]) {
  text[0] = '\0';
  GetWindowTextA(control, text, kMidiDeviceNameSize);
}

}  // namespace

int ShowMidiBox(UINT style, UINT captionId, UINT textId) {
  return MBLMessage(nullptr, style, captionId, textId);
}

TMidiManager::TMidiManager(const TMidiManagerSetup& setup) : box_(setup.box) {
  const bool win95 = setup.win95 < 0 ? GetSysInfo().IsWin95Family() : setup.win95 != 0;
  if (!engine_.Load(win95 ? setup.win95File : nullptr, setup.otherFile) && box_) {
    box_(MB_OK | MB_ICONSTOP | MB_TASKMODAL, IDS_MIDI_ENGINE_ERROR, IDS_MIDI_ENGINE_MISSING_TEXT);
  }
  gMidiManager = this;
}

TMidiManager::~TMidiManager() {
  if (engine_.IsBound()) {
    if (engine_.IsPlaying()) Stop();
    if (recording_) StopRecording();
    if (acquired_) AcquireDevices(false);
    engine_.Unload();
  }
  if (gMidiManager == this) gMidiManager = nullptr;
}

void TMidiManager::LoadTimerSettings() {
  TSysInfo& settings = GetSysInfo();
  SetTimerSettings(settings.ReadInt(kTimerSection, "Timer Period", timerPeriod_),
                   settings.ReadInt(kTimerSection, "Timer Resolution", timerResolution_));
}

void TMidiManager::SaveTimerSettings() {
  TSysInfo& settings = GetSysInfo();
  settings.WriteInt(kTimerSection, "Timer Period", timerPeriod_);
  settings.WriteInt(kTimerSection, "Timer Resolution", timerResolution_);
}

// A hand-edited 0 would make the system refuse the timer; keep to what the dialog allows.
void TMidiManager::SetTimerSettings(int period, int resolution) {
  timerPeriod_ = Clamp(period, kMinTimerPeriod, kMaxTimerPeriod);
  timerResolution_ = Clamp(resolution, kMinTimerResolution, kMaxTimerResolution);
}

void TMidiManager::LoadPortSettings() {
  const bool wasAcquired = acquired_ != 0;
  AcquireDevices(false);
  TSysInfo& settings = GetSysInfo();
  portCount_ = 0;
  for (int port = 0; port < kMaxPorts; ++port) {
    char key[4];
    std::snprintf(key, sizeof key, "%d", port);
    char name[kMidiDeviceNameSize];
    settings.ReadString(kOutPortsSection, key, "", name, sizeof name);
    if (!name[0]) break;
    CopyName(portNames_[port], name);
    portCount_ = port + 1;
  }
  settings.ReadString(kInPortsSection, "0", "", inputName_, sizeof inputName_);
  thruEnabled_ = settings.ReadInt(kEchoSection, "Enabled", 0) ? 1 : 0;
  thruPort_ = settings.ReadInt(kEchoSection, "DeviceNum", 0);
  thruChannel_ = Clamp(settings.ReadInt(kEchoSection, "ChnlOvrd", 0), 0, 16);
  if (wasAcquired) AcquireDevices(true);
}

void TMidiManager::SavePortSettings() {
  TSysInfo& settings = GetSysInfo();
  settings.WriteString(kOutPortsSection, nullptr, nullptr);
  settings.WriteString(kOutPortsSection, "0", "");
  for (int port = 0; port < portCount_; ++port) {
    char key[4];
    std::snprintf(key, sizeof key, "%d", port);
    settings.WriteString(kOutPortsSection, key, portNames_[port]);
  }
  settings.WriteString(kInPortsSection, "0", inputName_);
  settings.WriteInt(kEchoSection, "Enabled", thruEnabled_);
  settings.WriteInt(kEchoSection, "DeviceNum", thruPort_);
  settings.WriteInt(kEchoSection, "ChnlOvrd", thruChannel_);
}

bool TMidiManager::AllConfiguredOpen() const {
  for (int port = 0; port < portCount_; ++port) {
    if (!outputs_[port]) return false;
  }
  return true;
}

void TMidiManager::CloseOutputs() {
  for (HMIDIOUT& out : outputs_) {
    if (out) engine_.OutClose(out);
    out = nullptr;
  }
}

void TMidiManager::CloseInput() {
  if (!input_) return;
  engine_.InStop(input_);
  engine_.InClose(input_);
  input_ = nullptr;
}

void TMidiManager::OpenOutputs() {
  for (int port = 0; port < portCount_; ++port) {
    if (outputs_[port]) continue;
    const int device = FindMidiOutDevice(portNames_[port]);
    if (device == kMidiDeviceNotFound) continue;
    HMIDIOUT out = nullptr;
    if (engine_.OutOpen(&out, WORD(device)) == MMSYSERR_NOERROR) outputs_[port] = out;
  }
}

void TMidiManager::OpenInput() {
  if (input_ || !inputName_[0]) return;
  const int device = FindMidiInDevice(inputName_);
  if (device == kMidiDeviceNotFound) return;
  HMIDIIN in = nullptr;
  if (engine_.InOpen(&in, WORD(device)) != MMSYSERR_NOERROR) return;
  input_ = in;
  engine_.InStart(input_);
}

void TMidiManager::AcquireDevices(bool acquire) {
  if (!engine_.IsBound()) return;
  DisableEcho();
  bool closeOutputs = !acquire, closeInput = !acquire;
  if (int(acquire) == acquired_) {
    if (!acquire) return;
    closeOutputs = !AllConfiguredOpen();
    closeInput = IsInputMissing();
    if (!closeOutputs && !closeInput) {
      ApplyEcho();
      return;
    }
  }
  if (closeOutputs) CloseOutputs();
  if (closeInput) CloseInput();
  acquired_ = acquire ? 1 : 0;
  if (!acquire) return;
  OpenOutputs();
  OpenInput();
  ApplyEcho();
}

void TMidiManager::ApplyEcho() {
  if (!engine_.IsBound()) return;
  engine_.SetEcho(nullptr, 0);
  if (!thruEnabled_ || thruPort_ < 0 || thruPort_ >= portCount_ || !outputs_[thruPort_]) return;
  engine_.SetEcho(outputs_[thruPort_], BYTE(thruChannel_));
}

void TMidiManager::DisableEcho() {
  if (engine_.IsBound()) engine_.SetEcho(nullptr, 0);
}

uint16_t TMidiManager::GetFailedOutPorts() {
  if (!engine_.IsBound()) return 0;
  const bool wasAcquired = acquired_ != 0;
  AcquireDevices(true);
  uint16_t failed = 0;
  for (int port = 0; port < portCount_; ++port) {
    if (!outputs_[port]) failed |= uint16_t(1u << port);
  }
  AcquireDevices(wasAcquired);
  return failed;
}

uint16_t TMidiManager::TestOutPorts(HWND list) {
  if (!engine_.IsBound()) return 0;
  uint16_t failed = 0;
  const int n = ListCount(list);
  for (int i = 0; i < n && i < kMaxPorts; ++i) {
    char name[kMidiDeviceNameSize];
    ListText(list, i, name);
    const int device = FindMidiOutDevice(name);
    HMIDIOUT out = nullptr;
    if (device == kMidiDeviceNotFound || engine_.OutOpen(&out, WORD(device)) != 0) {
      failed |= uint16_t(1u << i);
      continue;
    }
    engine_.OutClose(out);
  }
  return failed;
}

bool TMidiManager::TestInPort(HWND control) {
  char name[kMidiDeviceNameSize];
  ControlText(control, name);
  if (!name[0]) return true;
  if (!engine_.IsBound()) return false;
  // The device held open already is known to work (a second open may be refused).
  if (input_ && lstrcmpiA(name, inputName_) == 0) return true;
  const int device = FindMidiInDevice(name);
  HMIDIIN in = nullptr;
  if (device == kMidiDeviceNotFound || engine_.InOpen(&in, WORD(device)) != 0) return false;
  engine_.InClose(in);
  return true;
}

void TMidiManager::SetOutPortsFromList(HWND list) {
  const int n = ListCount(list);
  portCount_ = 0;
  for (int i = 0; i < n && i < kMaxPorts; ++i) {
    ListText(list, i, portNames_[i]);
    portCount_ = i + 1;
  }
}

void TMidiManager::SetInPortFromControl(HWND control) {
  char name[kMidiDeviceNameSize];
  ControlText(control, name);
  if (std::strcmp(name, inputName_) == 0) return;
  CopyName(inputName_, name);
  if (!acquired_) return;
  CloseInput();
  AcquireDevices(true);
}

void TMidiManager::UseMapperOutPort() {
  char name[kMidiDeviceNameSize];
  if (!MidiOutDeviceName(-1, name)) return;
  CopyName(portNames_[0], name);
  portCount_ = 1;
}

void TMidiManager::FillInPortCombo(HWND combo) {
  ClearList(combo);
  char name[kMidiDeviceNameSize];
  for (int id = 0; id < MidiInDeviceCount(); ++id) {
    if (MidiInDeviceName(id, name)) AddListText(combo, name);
  }
  const LRESULT at = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1),
                                  reinterpret_cast<LPARAM>(inputName_));
  SendMessageA(combo, CB_SETCURSEL, inputName_[0] && at != CB_ERR ? at : WPARAM(-1), 0);
}

void TMidiManager::FillOutPortLists(HWND available, HWND chosen) {
  ClearList(available);
  ClearList(chosen);
  char name[kMidiDeviceNameSize];
  for (int id = -1; id < MidiOutDeviceCount(); ++id) {
    if (!MidiOutDeviceName(id, name)) continue;
    bool isPort = false;
    for (int port = 0; port < portCount_ && !isPort; ++port) {
      isPort = std::strcmp(portNames_[port], name) == 0;
    }
    if (!isPort) AddListText(available, name);
  }
  for (int port = 0; port < portCount_; ++port) AddListText(chosen, portNames_[port]);
}

void TMidiManager::FillPortNameList(HWND list) {
  ClearList(list);
  for (int port = 0; port < kMaxPorts; ++port) {
    AddListText(list, port < portCount_ ? portNames_[port] : kUnavailable);
  }
}

void TMidiManager::SetEcho(int port, int channel) {
  if (port >= 0 && channel >= 0) {
    thruEnabled_ = 1;
    thruPort_ = port;
    thruChannel_ = Clamp(channel, 0, 16);
  } else {
    thruEnabled_ = 0;
  }
  if (acquired_) ApplyEcho();
}

void TMidiManager::ClearEcho() {
  thruEnabled_ = 0;
  DisableEcho();
}

bool TMidiManager::IsInputMissing() const { return inputName_[0] && !input_; }

bool TMidiManager::GetOutDeviceName(int port, char (&name)[kMidiDeviceNameSize]) const {
  name[0] = '\0';
  if (!engine_.IsBound() || port < 0 || port >= kMaxPorts || !outputs_[port]) return false;
  WORD id = 0;
  if (engine_.OutGetID(outputs_[port], &id) != MMSYSERR_NOERROR) return false;
  return MidiOutDeviceName(id == kMidiMapperDeviceNumber ? -1 : int(id), name);
}

bool TMidiManager::GetInDeviceName(char (&name)[kMidiDeviceNameSize]) const {
  name[0] = '\0';
  if (!engine_.IsBound() || !input_) return false;
  WORD id = 0;
  if (engine_.InGetID(input_, &id) != MMSYSERR_NOERROR) return false;
  return MidiInDeviceName(int(id), name);
}

const char* TMidiManager::GetPortName(int port) const {
  return port >= 0 && port < portCount_ ? portNames_[port] : "";
}

HMIDIOUT TMidiManager::GetOutDevice(int port) const {
  return port >= 0 && port < kMaxPorts ? outputs_[port] : nullptr;
}

UINT TMidiManager::SendRetrying(HMIDIOUT out, DWORD message) const {
  UINT result = engine_.OutShortMsg(out, message);
  for (int i = 1; i < kNotReadyRetries && result == MIDIERR_NOTREADY; ++i) {
    result = engine_.OutShortMsg(out, message);
  }
  return result;
}

void TMidiManager::ResetAllPorts() {
  if (!engine_.IsBound() || !acquired_) return;
  TSysInfo& settings = GetSysInfo();
  settings.BeginBusyCursor();
  for (int port = 0; port < portCount_; ++port) {
    HMIDIOUT out = outputs_[port];
    if (!out) continue;
    for (DWORD ch = 0; ch < 16; ++ch) {
      SendRetrying(out, 0xB0 | ch | 64 << 8);            // sustain off
      SendRetrying(out, 0xB0 | ch | 7 << 8 | 127 << 16); // full volume
      SendRetrying(out, 0xB0 | ch | 10 << 8 | 64 << 16); // pan centre
      SendRetrying(out, 0xE0 | ch | 64 << 16);           // pitch bend centre
      for (DWORD key = 0; key < 128; ++key) SendRetrying(out, 0x80 | ch | key << 8);
    }
  }
  settings.EndBusyCursor();
}

void TMidiManager::CachePortPatches(int port, const TMidiFileBuf& list) {
  HMIDIOUT out = outputs_[port];
  WORD id = 0;
  if (!out || engine_.OutGetID(out, &id) != MMSYSERR_NOERROR) return;
  MIDIOUTCAPSA caps;
  // The engine hands back the mapper's id in 16 bits.
  const UINT capsId = id == kMidiMapperDeviceNumber ? MIDI_MAPPER : id;
  if (midiOutGetDevCapsA(capsId, &caps, sizeof caps) != MMSYSERR_NOERROR) return;
  if (!(caps.dwSupport & MIDICAPS_CACHE)) return;

  WORD held[128] = {};
  engine_.OutCachePatches(out, 0, held, MIDI_CACHE_QUERY);
  engine_.OutCachePatches(out, 0, held, MIDI_UNCACHE);
  WORD heldKeys[128] = {};
  engine_.OutCacheDrumPatches(out, 0, heldKeys, MIDI_CACHE_QUERY);
  engine_.OutCacheDrumPatches(out, 0, heldKeys, MIDI_UNCACHE);

  uint16_t programs[128], drumKeys[128];
  list.PatchUsage(uint8_t(port), kDrumChannels, programs, drumKeys);
  const UINT result = engine_.OutCachePatches(out, 0, programs, MIDI_CACHE_BESTFIT);
  if (result != MMSYSERR_NOERROR && id != kMidiMapperDeviceNumber && box_) {
    box_(MB_OK | MB_ICONINFORMATION | MB_TASKMODAL, IDS_MIDI_PATCH_CACHE,
         IDS_MIDI_PATCH_CACHE_TEXT);
  }
  engine_.OutCacheDrumPatches(out, 0, drumKeys, MIDI_CACHE_BESTFIT);
}

void TMidiManager::CachePatches(const TMidiFileBuf& list) {
  if (!engine_.IsBound() || !acquired_) return;
  for (int port = 0; port < portCount_; ++port) CachePortPatches(port, list);
}

int TMidiManager::Play(HWND notifyWindow, TMidiFileBuf* list) {
  if (!engine_.IsBound() || !list || list->IsEmpty()) return 0;
  PlayParams params = {};
  params.timerPeriod = uint16_t(timerPeriod_);
  params.timerResolution = uint16_t(timerResolution_);
  params.notifyOffset = kNotifyOffset;
  if (acquired_) {
    for (int port = 0; port < portCount_; ++port) {
      params.outputs[port] = uint32_t(reinterpret_cast<uintptr_t>(outputs_[port]));
    }
  }
  // A Play the engine refuses (it is still playing) must not take the feed away from the list
  // that plays: its next notification would load buffers of this one.
  TMidiFileBuf* const wasPlaying = playingList_;
  const int wasNext = nextBuffer_;
  playingList_ = list;
  nextBuffer_ = 1;
  if (engine_.Play(notifyWindow, &params, list->Buffer(0))) return 1;
  playingList_ = wasPlaying;
  nextBuffer_ = wasNext;
  return 0;
}

int TMidiManager::FeedNextBuffer() {
  if (!engine_.IsBound() || !playingList_ || nextBuffer_ == 0) return 0;
  if (nextBuffer_ > playingList_->LastUsedBuffer()) return 1;
  return engine_.Load(playingList_->Buffer(nextBuffer_++));
}

void TMidiManager::Stop() {
  if (!engine_.IsBound()) return;
  engine_.Stop();
  playingList_ = nullptr;
  nextBuffer_ = 0;
}

int TMidiManager::IsPlaying() const { return engine_.IsBound() ? engine_.IsPlaying() : 0; }
int TMidiManager::GetSongPosition() const { return engine_.IsBound() ? engine_.GetSPP() : 0; }

void TMidiManager::StartRecording() {
  if (!engine_.IsBound()) return;
  if (recording_) StopRecording();
  if (!input_) return;
  engine_.SetRecording(1);
  recording_ = 1;
}

void TMidiManager::StopRecording() {
  if (engine_.IsBound() && recording_) engine_.SetRecording(0);
  recording_ = 0;
}

int TMidiManager::IsRecording() const {
  return engine_.IsBound() && recording_ ? engine_.IsRecording() : 0;
}

int TMidiManager::GetRecordedEvent(TRecordedEvent* out) const {
  return engine_.IsBound() && recording_ && out ? engine_.GetRecorded(out) : 0;
}

void TMidiManager::SetEchoWindow(HWND window) {
  if (engine_.IsBound()) engine_.SetEchoWindow(window);
}

bool TMidiManager::TrySendShort(uint32_t message) {
  if (!engine_.IsBound()) return false;
  const int port = int(message >> 24 & 0x0F);
  if (port >= portCount_ || !outputs_[port]) return true;
  return engine_.OutShortMsg(outputs_[port], message) != MIDIERR_NOTREADY;
}
