// winevmidi.drv: a MIDI driver for Wine's multimedia layer that stands in for hardware in tests.
// It offers three outputs and one input, logs every driver message with its time and thread,
// can answer "not ready" on request, can take its time over each message like a slow serial
// port, can play scripted input from a thread of its own, and, when the environment variable
// VMIDI_LOOPBACK is set in the process that loads it, hands what output 0 sends to input 0 (from
// a thread of its own, as a device would), so a program can record what it plays. A program
// under test can also be given an input script in VMIDI_INPUT_SCRIPT, fed when the test sets a
// named event.
#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/mididriver/VmidiProtocol.h"

// winmm's hand-over of driver notifications to the client; mingw's headers leave it undeclared.
extern "C" BOOL WINAPI DriverCallback(DWORD_PTR callback, DWORD flags, HDRVR device, DWORD message,
                                      DWORD_PTR instance, DWORD_PTR p1, DWORD_PTR p2);

namespace {

constexpr uint32_t kLogSize = 1u << 20;

struct LogSlot {
  std::atomic<uint32_t> sequence;  // index + 1 once the entry is complete
  VmidiLogEntry entry;
};

LogSlot log_slots[kLogSize];
std::atomic<uint32_t> log_next{0};

struct Client {
  MIDIOPENDESC desc;
  WORD callbackType;
  std::atomic<int> open{0};
  std::atomic<int> started{0};
  DWORD startTime = 0;
};

Client outputs[kVmidiOutputs];
Client inputs[kVmidiInputs];
std::atomic<uint32_t> not_ready[kVmidiOutputs];
std::atomic<uint32_t> send_delay_ms[kVmidiOutputs];

struct Feed {
  uint32_t device;
  std::vector<VmidiFeedItem> items;
};
HANDLE feed_thread;
HANDLE feed_done;  // manual-reset, signalled while no feed runs

bool loopback = false;
CRITICAL_SECTION loop_lock;
std::vector<DWORD> loop_queue;
HANDLE loop_ready;  // auto-reset, signalled when the queue holds messages

void Log(VmidiLogKind kind, UINT device, UINT code, DWORD_PTR param, bool notReady = false) {
  const uint32_t index = log_next.fetch_add(1);
  LogSlot& slot = log_slots[index % kLogSize];
  slot.sequence.store(0, std::memory_order_relaxed);
  slot.entry = {timeGetTime(), GetCurrentThreadId(), uint16_t(kind), uint16_t(device),
                uint16_t(code), uint16_t(notReady), uint32_t(param)};
  slot.sequence.store(index + 1, std::memory_order_release);
}

// The cross-process counts, opened on the first message sent.
volatile LONG* SharedCounts() {
  static volatile LONG* counts = [] {
    HANDLE map = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    sizeof(LONG) * kVmidiOutputs, kVmidiSharedCounts);
    return map ? static_cast<volatile LONG*>(MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
  }();
  return counts;
}

void Notify(Client& c, UINT message, DWORD_PTR p1, DWORD_PTR p2) {
  DriverCallback(c.desc.dwCallback, c.callbackType, HDRVR(c.desc.hMidi), message,
                 c.desc.dwInstance, p1, p2);
}

void FillName(WCHAR* out, const char* name) {
  int i = 0;
  for (; name[i] && i < MAXPNAMELEN - 1; ++i) out[i] = WCHAR(name[i]);
  out[i] = 0;
}

DWORD OutCaps(UINT device, MIDIOUTCAPSW* caps, DWORD size) {
  if (!caps || size < sizeof(MIDIOUTCAPSW)) return MMSYSERR_INVALPARAM;
  std::memset(caps, 0, sizeof *caps);
  caps->wMid = 0xFF;
  caps->wPid = WORD(device + 1);
  caps->vDriverVersion = 0x0100;
  FillName(caps->szPname, kVmidiOutNames[device]);
  caps->wTechnology = MOD_MIDIPORT;
  caps->wChannelMask = 0xFFFF;
  caps->dwSupport = device == kVmidiCachingOutput ? MIDICAPS_CACHE : 0;
  return MMSYSERR_NOERROR;
}

DWORD InCaps(UINT device, MIDIINCAPSW* caps, DWORD size) {
  if (!caps || size < sizeof(MIDIINCAPSW)) return MMSYSERR_INVALPARAM;
  std::memset(caps, 0, sizeof *caps);
  caps->wMid = 0xFF;
  caps->wPid = WORD(0x80 + device);
  caps->vDriverVersion = 0x0100;
  FillName(caps->szPname, kVmidiInNames[device]);
  return MMSYSERR_NOERROR;
}

DWORD OpenClient(Client& c, DWORD_PTR desc, DWORD_PTR flags, UINT openedMessage) {
  if (!desc) return MMSYSERR_INVALPARAM;
  std::memcpy(&c.desc, reinterpret_cast<void*>(desc), sizeof c.desc);
  c.callbackType = HIWORD(flags & CALLBACK_TYPEMASK);
  c.started = 0;
  c.open = 1;
  Notify(c, openedMessage, 0, 0);
  return MMSYSERR_NOERROR;
}

DWORD CloseClient(Client& c, UINT closedMessage) {
  if (!c.open) return MMSYSERR_ERROR;
  c.started = 0;
  c.open = 0;
  Notify(c, closedMessage, 0, 0);
  return MMSYSERR_NOERROR;
}

DWORD WINAPI LoopThread(LPVOID) {
  for (;;) {
    WaitForSingleObject(loop_ready, INFINITE);
    std::vector<DWORD> messages;
    EnterCriticalSection(&loop_lock);
    messages.swap(loop_queue);
    LeaveCriticalSection(&loop_lock);
    Client& c = inputs[0];
    for (DWORD message : messages) {
      if (!c.open || !c.started) continue;
      Log(kVmidiInDelivered, 0, MIM_DATA, message);
      Notify(c, MIM_DATA, message, timeGetTime() - c.startTime);
    }
  }
}

void LoopBack(DWORD message) {
  static HANDLE thread = [] {
    InitializeCriticalSection(&loop_lock);
    loop_ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    return CreateThread(nullptr, 0, LoopThread, nullptr, 0, nullptr);
  }();
  if (!thread) return;
  EnterCriticalSection(&loop_lock);
  loop_queue.push_back(message);
  LeaveCriticalSection(&loop_lock);
  SetEvent(loop_ready);
}

DWORD ShortMessage(UINT device, DWORD message) {
  uint32_t pending = not_ready[device].load();
  while (pending && !not_ready[device].compare_exchange_weak(pending, pending - 1)) {
  }
  const bool busy = pending != 0;
  // A slow port: the caller's thread stays in the driver until the message is out.
  if (const uint32_t delay = send_delay_ms[device].load(); delay && !busy) Sleep(delay);
  Log(kVmidiOutMessage, device, MODM_DATA, message, busy);
  if (volatile LONG* counts = SharedCounts(); counts && !busy) InterlockedIncrement(&counts[device]);
  if (loopback && device == 0 && !busy) LoopBack(message);
  return busy ? MIDIERR_NOTREADY : MMSYSERR_NOERROR;
}

DWORD LongMessage(Client& c, DWORD_PTR header) {
  auto* h = reinterpret_cast<MIDIHDR*>(header);
  if (!h) return MMSYSERR_INVALPARAM;
  h->dwFlags = (h->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
  Notify(c, MOM_DONE, header, 0);
  return MMSYSERR_NOERROR;
}

DWORD WINAPI FeedThread(LPVOID param) {
  Feed* feed = static_cast<Feed*>(param);
  const DWORD start = timeGetTime();
  for (const VmidiFeedItem& item : feed->items) {
    for (;;) {
      const int32_t wait = int32_t(start + item.atMs - timeGetTime());
      if (wait <= 0) break;
      Sleep(wait > 1 ? DWORD(wait - 1) : 0);
    }
    Client& c = inputs[feed->device];
    if (!c.open || !c.started) {
      Log(kVmidiInDropped, feed->device, MIM_DATA, item.message);
      continue;
    }
    Log(kVmidiInDelivered, feed->device, MIM_DATA, item.message);
    Notify(c, MIM_DATA, item.message, timeGetTime() - c.startTime);
  }
  delete feed;
  SetEvent(feed_done);
  return 0;
}

// The script of VMIDI_INPUT_SCRIPT, one batch per go, and the thread that waits for each go.
std::vector<std::vector<VmidiFeedItem>> script;
HANDLE script_thread;
HANDLE script_quit;  // set when the driver is freed

// "ms:message" pairs separated by commas; a semicolon ends a batch.
std::vector<std::vector<VmidiFeedItem>> ParseScript(const char* text) {
  std::vector<std::vector<VmidiFeedItem>> batches(1);
  while (*text) {
    char* end = nullptr;
    const unsigned long at = std::strtoul(text, &end, 10);
    if (end == text || *end != ':') break;
    text = end + 1;
    const unsigned long message = std::strtoul(text, &end, 16);
    if (end == text) break;
    batches.back().push_back({uint32_t(at), uint32_t(message)});
    if (*end == ';') batches.emplace_back();
    text = *end == ',' || *end == ';' ? end + 1 : end;
  }
  if (batches.back().empty()) batches.pop_back();
  return batches;
}

int StartFeed(uint32_t device, const VmidiFeedItem* items, uint32_t count);

DWORD WINAPI ScriptThread(LPVOID) {
  HANDLE go = CreateEventA(nullptr, FALSE, FALSE, kVmidiScriptEvent);
  if (!go) return 0;
  HANDLE goes[] = {go, script_quit};
  HANDLE fed[] = {feed_done, script_quit};
  for (const auto& batch : script) {
    if (WaitForMultipleObjects(2, goes, FALSE, INFINITE) != WAIT_OBJECT_0) break;
    // A batch waits for the one before it to be delivered, as a player finishes one gesture first.
    if (WaitForMultipleObjects(2, fed, FALSE, INFINITE) != WAIT_OBJECT_0) break;
    StartFeed(0, batch.data(), uint32_t(batch.size()));
  }
  CloseHandle(go);
  return 0;
}

void LoadScript() {
  char text[4096];
  const DWORD n = GetEnvironmentVariableA(kVmidiScriptVariable, text, sizeof text);
  if (n == 0 || n >= sizeof text || script_thread) return;
  script = ParseScript(text);
  if (script.empty()) return;
  script_quit = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (script_quit) script_thread = CreateThread(nullptr, 0, ScriptThread, nullptr, 0, nullptr);
}

// The waiting thread must not outlive the driver's code.
void EndScript() {
  if (!script_thread) return;
  SetEvent(script_quit);
  WaitForSingleObject(script_thread, 5000);
  CloseHandle(script_thread);
  CloseHandle(script_quit);
  script_thread = script_quit = nullptr;
}

int StartFeed(uint32_t device, const VmidiFeedItem* items, uint32_t count) {
  if (device >= kVmidiInputs || !items) return 0;
  if (WaitForSingleObject(feed_done, 0) != WAIT_OBJECT_0) return 0;
  if (feed_thread) CloseHandle(feed_thread);
  Feed* feed = new Feed{device, std::vector<VmidiFeedItem>(items, items + count)};
  ResetEvent(feed_done);
  feed_thread = CreateThread(nullptr, 0, FeedThread, feed, 0, nullptr);
  if (!feed_thread) {
    delete feed;
    SetEvent(feed_done);
    return 0;
  }
  return 1;
}

}  // namespace

extern "C" {

LRESULT WINAPI DriverProc(DWORD_PTR id, HDRVR driver, UINT message, LPARAM p1, LPARAM p2) {
  switch (message) {
  case DRV_LOAD:
    loopback = GetEnvironmentVariableA("VMIDI_LOOPBACK", nullptr, 0) > 0;
    LoadScript();
    return 1;
  case DRV_FREE:
    EndScript();
    return 1;
  case DRV_OPEN:
  case DRV_CLOSE:
  case DRV_ENABLE:
  case DRV_DISABLE:
  case DRV_INSTALL:
  case DRV_REMOVE: return 1;
  default: return 0;
  }
}

DWORD WINAPI modMessage(UINT device, UINT message, DWORD_PTR user, DWORD_PTR p1, DWORD_PTR p2) {
  if (message == MODM_DATA && device < kVmidiOutputs) return ShortMessage(device, DWORD(p1));
  Log(kVmidiOutMessage, device, message, p1);
  switch (message) {
  case DRVM_INIT:
  case DRVM_EXIT:
  case DRVM_ENABLE:
  case DRVM_DISABLE: return MMSYSERR_NOERROR;
  case MODM_GETNUMDEVS: return kVmidiOutputs;
  default: break;
  }
  if (device >= kVmidiOutputs) return MMSYSERR_BADDEVICEID;
  Client& c = outputs[device];
  switch (message) {
  case MODM_GETDEVCAPS: return OutCaps(device, reinterpret_cast<MIDIOUTCAPSW*>(p1), DWORD(p2));
  case MODM_OPEN: return OpenClient(c, p1, p2, MOM_OPEN);
  case MODM_CLOSE: return CloseClient(c, MOM_CLOSE);
  case MODM_LONGDATA: return LongMessage(c, p1);
  case MODM_RESET: return MMSYSERR_NOERROR;
  case MODM_CACHEPATCHES:
  case MODM_CACHEDRUMPATCHES:
    // The caching port claims the feature but has no room: every request fails.
    return device == kVmidiCachingOutput ? MMSYSERR_NOMEM : MMSYSERR_NOTSUPPORTED;
  default: return MMSYSERR_NOTSUPPORTED;
  }
}

DWORD WINAPI midMessage(UINT device, UINT message, DWORD_PTR user, DWORD_PTR p1, DWORD_PTR p2) {
  Log(kVmidiInMessage, device, message, p1);
  switch (message) {
  case DRVM_INIT:
  case DRVM_EXIT:
  case DRVM_ENABLE:
  case DRVM_DISABLE: return MMSYSERR_NOERROR;
  case MIDM_GETNUMDEVS: return kVmidiInputs;
  default: break;
  }
  if (device >= kVmidiInputs) return MMSYSERR_BADDEVICEID;
  Client& c = inputs[device];
  switch (message) {
  case MIDM_GETDEVCAPS: return InCaps(device, reinterpret_cast<MIDIINCAPSW*>(p1), DWORD(p2));
  case MIDM_OPEN: return OpenClient(c, p1, p2, MIM_OPEN);
  case MIDM_CLOSE: return CloseClient(c, MIM_CLOSE);
  case MIDM_START:
    c.startTime = timeGetTime();
    c.started = 1;
    return MMSYSERR_NOERROR;
  case MIDM_STOP:
  case MIDM_RESET:
    c.started = 0;
    return MMSYSERR_NOERROR;
  default: return MMSYSERR_NOTSUPPORTED;
  }
}

// Wine's audio layer probes these four before it lists a driver's MIDI ports. No wave endpoints.
int WINAPI GetPriority() { return 3; }

HRESULT WINAPI GetEndpointIDs(int flow, WCHAR*** ids, GUID** guids, UINT* count, UINT* def) {
  if (ids) *ids = nullptr;
  if (guids) *guids = nullptr;
  if (count) *count = 0;
  if (def) *def = 0;
  return S_OK;
}

HRESULT WINAPI GetAudioEndpoint(void* key, void* device, void** out) { return E_NOTIMPL; }
HRESULT WINAPI GetAudioSessionManager(void* device, void** out) { return E_NOTIMPL; }

uint32_t WINAPI vmidiLogCount() { return log_next.load(); }

int WINAPI vmidiLogRead(uint32_t index, VmidiLogEntry* out) {
  if (!out) return 0;
  const LogSlot& slot = log_slots[index % kLogSize];
  if (slot.sequence.load(std::memory_order_acquire) != index + 1) return 0;
  *out = slot.entry;
  return slot.sequence.load(std::memory_order_acquire) == index + 1;
}

void WINAPI vmidiSetNotReady(uint32_t device, uint32_t count) {
  if (device < kVmidiOutputs) not_ready[device] = count;
}

void WINAPI vmidiSetDelay(uint32_t device, uint32_t ms) {
  if (device < kVmidiOutputs) send_delay_ms[device] = ms;
}

int WINAPI vmidiFeed(uint32_t device, const VmidiFeedItem* items, uint32_t count) {
  return StartFeed(device, items, count);
}

int WINAPI vmidiFeedWait(uint32_t timeoutMs) {
  if (WaitForSingleObject(feed_done, timeoutMs) != WAIT_OBJECT_0) return 0;
  // Everything is delivered; let the thread leave the driver's code as well before the caller
  // closes the port and ends, which may unload the driver under a thread still returning from it.
  if (feed_thread) WaitForSingleObject(feed_thread, timeoutMs);
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(module);
    feed_done = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  }
  return TRUE;
}

}  // extern "C"
