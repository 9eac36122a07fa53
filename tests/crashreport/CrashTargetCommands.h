// What the crash report test and its faulting program agree on: commands, messages and captions.
#pragma once
#include <windows.h>

constexpr char kTargetCaption[] = "Crash Report Target";
constexpr char kAliveCaption[] = "Crash Report Target: alive";
constexpr char kPreviousFilterCaption[] = "Crash Report Target: previous filter calls ";
constexpr char kRaisedOnWorkerCaption[] = "Crash Report Target: raised on a worker";

enum : UINT {
  kFaultAccessViolation = 101,
  kFaultIntegerDivide = 102,
  kFaultInSystemLibrary = 103,
  kFaultCallingNull = 104,
  kFaultOnWorker = 105,
  kFaultOnWorkerWithResumePoint = 106,
  kShowAlive = 107,
  // Faults in handlers that the system calls back rather than the loop's dispatch: a timer
  // message, and a message sent from another thread.
  kFaultInTimer = 108,
  kFaultInSentMessage = 109,
};

enum : UINT {
  kPreviousFilterRan = WM_APP + 1,
  kRaisedOnWorker = WM_APP + 2,
  kFaultWhenSent = WM_APP + 3,
};
