// What the test MIDI driver offers its tests: the port names, the log record and the control
// functions the driver exports (found with GetProcAddress once winmm has loaded the driver).
#pragma once
#include <cstdint>

constexpr int kVmidiOutputs = 3;
constexpr int kVmidiInputs = 1;
// Output ports "VMIDI Out A" .. "VMIDI Out C" (C claims patch caching but fails every cache
// request), input "VMIDI In A".
constexpr const char* kVmidiOutNames[kVmidiOutputs] = {"VMIDI Out A", "VMIDI Out B", "VMIDI Out C"};
constexpr const char* kVmidiInNames[kVmidiInputs] = {"VMIDI In A"};
constexpr int kVmidiCachingOutput = 2;
// A named shared block that counts the short messages each output took, for tests that drive the
// driver from another process (a program under test): one 32-bit count per output.
constexpr const char kVmidiSharedCounts[] = "VellichordVmidiSentCounts";

// Scripted input for a program under test, which the test cannot reach in-process: the program
// inherits VMIDI_INPUT_SCRIPT, "ms:message" pairs (the short message in hex) separated by commas,
// and its driver feeds them to input 0 once another process sets this named event. A semicolon
// splits the script into batches, one fed per setting of the event, for input at the test's pace.
constexpr const char kVmidiScriptVariable[] = "VMIDI_INPUT_SCRIPT";
constexpr const char kVmidiScriptEvent[] = "VellichordVmidiInputScript";

// What a log record describes.
enum VmidiLogKind : uint16_t {
  kVmidiOutMessage = 1,  // a driver message to an output; code = MODM_*, param = its first parameter
  kVmidiInMessage = 2,   // a driver message to the input; code = MIDM_*
  kVmidiInDelivered = 3, // scripted input handed to the client; param = the short message
  kVmidiInDropped = 4,   // scripted input with no started client
};

struct VmidiLogEntry {
  uint32_t time;    // timeGetTime when the driver saw it
  uint32_t thread;  // the calling thread's id
  uint16_t kind;
  uint16_t device;
  uint16_t code;
  uint16_t notReady;  // 1 when the driver answered MIDIERR_NOTREADY
  uint32_t param;
};

// One scripted input message, delivered at `atMs` after the feed starts.
struct VmidiFeedItem {
  uint32_t atMs;
  uint32_t message;
};

extern "C" {
typedef uint32_t(__stdcall* VmidiLogCountFn)();
// 1 when entry `index` is still held (the log keeps the latest 2^20 entries).
typedef int(__stdcall* VmidiLogReadFn)(uint32_t index, VmidiLogEntry* out);
// The next `count` short messages to the output answer MIDIERR_NOTREADY (0 clears).
typedef void(__stdcall* VmidiSetNotReadyFn)(uint32_t device, uint32_t count);
// Each short message to the output then takes `ms` milliseconds on the sender's thread (0 clears).
typedef void(__stdcall* VmidiSetDelayFn)(uint32_t device, uint32_t ms);
// Starts the driver's feeder thread on a copy of the items; 0 while a feed still runs.
typedef int(__stdcall* VmidiFeedFn)(uint32_t device, const VmidiFeedItem* items, uint32_t count);
// Waits for the running feed to end; 1 when it did within the time.
typedef int(__stdcall* VmidiFeedWaitFn)(uint32_t timeoutMs);
}
