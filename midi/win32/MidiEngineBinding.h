// The sequencing engine library loaded by file name: its 25 entry points bound by name and the
// instance record the engine keeps its state behind.
#pragma once
#include <windows.h>
#include <mmsystem.h>

#include "engine/EngineState.h"

// The entry points in binding order.
enum TMidiEngineEntry {
  kEngAllocInst, kEngDeallocInst, kEngOutOpen, kEngOutClose, kEngOutShortMsg, kEngOutReset,
  kEngOutCachePatches, kEngOutCacheDrumPatches, kEngOutGetID, kEngInOpen, kEngInClose,
  kEngInStart, kEngInStop, kEngInReset, kEngInGetID, kEngIsPlaying, kEngGetSPP, kEngPlay,
  kEngLoad, kEngStop, kEngIsRecording, kEngSetRecording, kEngGetRecorded, kEngSetEcho,
  kEngSetEchoWindow, kEngEntryCount
};

constexpr const char* kMidiEngineEntryNames[kEngEntryCount] = {
    "AllocInst", "DeallocInst", "QVmidiOutOpen", "QVmidiOutClose", "QVmidiOutShortMsg",
    "QVmidiOutReset", "QVmidiOutCachePatches", "QVmidiOutCacheDrumPatches", "QVmidiOutGetID",
    "QVmidiInOpen", "QVmidiInClose", "QVmidiInStart", "QVmidiInStop", "QVmidiInReset",
    "QVmidiInGetID", "IsPlaying", "GetSPP", "Play", "Load", "Stop", "IsRecording",
    "SetRecording", "GetRecorded", "SetEcho", "SetEchoWindow"};

constexpr uint32_t kMidiEngineRecordSize = 36;

class TMidiEngineBinding {
public:
  TMidiEngineBinding() = default;
  ~TMidiEngineBinding() { Unload(); }
  TMidiEngineBinding(const TMidiEngineBinding&) = delete;
  TMidiEngineBinding& operator=(const TMidiEngineBinding&) = delete;

  // Loads the first file, or the second when the first is null or does not load; binds every
  // entry point and allocates the engine instance. False (and nothing held) on any failure.
  bool Load(const char* firstFile, const char* secondFile);
  // Frees the instance (the engine stops first) and unloads the library.
  void Unload();
  bool IsBound() const { return module_ != nullptr; }
  EngineInstance* Instance() const { return reinterpret_cast<EngineInstance*>(record_); }

  UINT OutOpen(HMIDIOUT* out, WORD device) const;
  UINT OutClose(HMIDIOUT out) const;
  UINT OutShortMsg(HMIDIOUT out, DWORD message) const;
  UINT OutCachePatches(HMIDIOUT out, WORD bank, WORD* patches, UINT flags) const;
  UINT OutCacheDrumPatches(HMIDIOUT out, WORD patch, WORD* keys, UINT flags) const;
  UINT OutGetID(HMIDIOUT out, WORD* id) const;
  UINT InOpen(HMIDIIN* in, WORD device) const;
  UINT InClose(HMIDIIN in) const;
  UINT InStart(HMIDIIN in) const;
  UINT InStop(HMIDIIN in) const;
  UINT InGetID(HMIDIIN in, WORD* id) const;
  int IsPlaying() const;
  int GetSPP() const;
  int Play(HWND notify, PlayParams* params, TSingleMidiBuf* first) const;
  int Load(TSingleMidiBuf* buffer) const;
  void Stop() const;
  int IsRecording() const;
  void SetRecording(BYTE flag) const;
  int GetRecorded(TRecordedEvent* out) const;
  void SetEcho(HMIDIOUT thru, BYTE channel) const;
  void SetEchoWindow(HWND window) const;

private:
  template <typename Fn> Fn Entry(TMidiEngineEntry e) const {
    return reinterpret_cast<Fn>(entries_[e]);
  }
  bool Bind();
  void Release();

  HMODULE module_ = nullptr;
  void** entries_ = nullptr;  // kEngEntryCount addresses
  uint8_t* record_ = nullptr; // kMidiEngineRecordSize bytes
};
