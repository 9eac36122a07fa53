#include "midi/win32/MidiEngineBinding.h"

#include <cstring>

namespace {

typedef int(WINAPI* InstanceFn)(EngineInstance*);
typedef void(WINAPI* InstanceVoidFn)(EngineInstance*);
typedef UINT(WINAPI* OutFn)(HMIDIOUT);
typedef UINT(WINAPI* InFn)(HMIDIIN);

}  // namespace

bool TMidiEngineBinding::Load(const char* firstFile, const char* secondFile) {
  Unload();
  if (firstFile) module_ = LoadLibraryA(firstFile);
  if (!module_ && secondFile) module_ = LoadLibraryA(secondFile);
  return module_ && Bind();
}

bool TMidiEngineBinding::Bind() {
  entries_ = new void*[kEngEntryCount]();
  record_ = new uint8_t[kMidiEngineRecordSize]();
  const uint32_t size = kMidiEngineRecordSize;
  std::memcpy(record_, &size, sizeof size);
  bool bound = true;
  for (int i = 0; i < kEngEntryCount && bound; ++i) {
    entries_[i] = reinterpret_cast<void*>(GetProcAddress(module_, kMidiEngineEntryNames[i]));
    bound = entries_[i] != nullptr;
  }
  if (bound && Entry<InstanceFn>(kEngAllocInst)(Instance())) return true;
  Release();
  return false;
}

void TMidiEngineBinding::Unload() {
  if (!module_) return;
  Entry<InstanceVoidFn>(kEngDeallocInst)(Instance());
  Release();
}

void TMidiEngineBinding::Release() {
  FreeLibrary(module_);
  module_ = nullptr;
  delete[] entries_;
  entries_ = nullptr;
  delete[] record_;
  record_ = nullptr;
}

UINT TMidiEngineBinding::OutOpen(HMIDIOUT* out, WORD device) const {
  return Entry<UINT(WINAPI*)(HMIDIOUT*, WORD)>(kEngOutOpen)(out, device);
}
UINT TMidiEngineBinding::OutClose(HMIDIOUT out) const { return Entry<OutFn>(kEngOutClose)(out); }
UINT TMidiEngineBinding::OutShortMsg(HMIDIOUT out, DWORD message) const {
  return Entry<UINT(WINAPI*)(HMIDIOUT, DWORD)>(kEngOutShortMsg)(out, message);
}
UINT TMidiEngineBinding::OutCachePatches(HMIDIOUT out, WORD bank, WORD* patches,
                                         UINT flags) const {
  return Entry<UINT(WINAPI*)(HMIDIOUT, WORD, WORD*, UINT)>(kEngOutCachePatches)(out, bank,
                                                                              patches, flags);
}
UINT TMidiEngineBinding::OutCacheDrumPatches(HMIDIOUT out, WORD patch, WORD* keys,
                                             UINT flags) const {
  return Entry<UINT(WINAPI*)(HMIDIOUT, WORD, WORD*, UINT)>(kEngOutCacheDrumPatches)(out, patch,
                                                                                  keys, flags);
}
UINT TMidiEngineBinding::OutGetID(HMIDIOUT out, WORD* id) const {
  return Entry<UINT(WINAPI*)(HMIDIOUT, WORD*)>(kEngOutGetID)(out, id);
}
UINT TMidiEngineBinding::InOpen(HMIDIIN* in, WORD device) const {
  return Entry<UINT(WINAPI*)(EngineInstance*, HMIDIIN*, WORD)>(kEngInOpen)(Instance(), in,
                                                                           device);
}
UINT TMidiEngineBinding::InClose(HMIDIIN in) const { return Entry<InFn>(kEngInClose)(in); }
UINT TMidiEngineBinding::InStart(HMIDIIN in) const { return Entry<InFn>(kEngInStart)(in); }
UINT TMidiEngineBinding::InStop(HMIDIIN in) const { return Entry<InFn>(kEngInStop)(in); }
UINT TMidiEngineBinding::InGetID(HMIDIIN in, WORD* id) const {
  return Entry<UINT(WINAPI*)(HMIDIIN, WORD*)>(kEngInGetID)(in, id);
}
int TMidiEngineBinding::IsPlaying() const { return Entry<InstanceFn>(kEngIsPlaying)(Instance()); }
int TMidiEngineBinding::GetSPP() const { return Entry<InstanceFn>(kEngGetSPP)(Instance()); }
int TMidiEngineBinding::Play(HWND notify, PlayParams* params, TSingleMidiBuf* first) const {
  return Entry<int(WINAPI*)(EngineInstance*, HWND, PlayParams*, TSingleMidiBuf*)>(kEngPlay)(
      Instance(), notify, params, first);
}
int TMidiEngineBinding::Load(TSingleMidiBuf* buffer) const {
  return Entry<int(WINAPI*)(EngineInstance*, TSingleMidiBuf*)>(kEngLoad)(Instance(), buffer);
}
void TMidiEngineBinding::Stop() const { Entry<InstanceVoidFn>(kEngStop)(Instance()); }
int TMidiEngineBinding::IsRecording() const {
  return Entry<InstanceFn>(kEngIsRecording)(Instance());
}
void TMidiEngineBinding::SetRecording(BYTE flag) const {
  Entry<void(WINAPI*)(EngineInstance*, BYTE)>(kEngSetRecording)(Instance(), flag);
}
int TMidiEngineBinding::GetRecorded(TRecordedEvent* out) const {
  return Entry<int(WINAPI*)(EngineInstance*, TRecordedEvent*)>(kEngGetRecorded)(Instance(), out);
}
void TMidiEngineBinding::SetEcho(HMIDIOUT thru, BYTE channel) const {
  Entry<void(WINAPI*)(EngineInstance*, HMIDIOUT, BYTE)>(kEngSetEcho)(Instance(), thru, channel);
}
void TMidiEngineBinding::SetEchoWindow(HWND window) const {
  Entry<void(WINAPI*)(EngineInstance*, HWND)>(kEngSetEchoWindow)(Instance(), window);
}
