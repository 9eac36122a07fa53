#include "tests/mididriver/VmidiClient.h"

#include <windows.h>
#include <mmsystem.h>
#include <mmddk.h>

#include <cstdio>
#include <cstring>

namespace {

std::string Folder(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::vector<char> ReadAll(const std::string& path) {
  std::vector<char> data;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return data;
  const DWORD size = GetFileSize(f, nullptr);
  data.resize(size);
  DWORD got = 0;
  if (size && !ReadFile(f, data.data(), size, &got, nullptr)) got = 0;
  data.resize(got);
  CloseHandle(f);
  return data;
}

// Another test process may have the installed driver mapped: never overwrite it in place, but
// move a complete copy over it (a rename leaves the mapped file intact).
bool InstallFile(const std::string& from, const std::string& to, std::string* error) {
  const std::vector<char> wanted = ReadAll(from);
  if (wanted.empty()) {
    *error = "test driver not found at " + from;
    return false;
  }
  if (ReadAll(to) == wanted) return true;
  const std::string temp = to + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
  if (!CopyFileA(from.c_str(), temp.c_str(), FALSE)) {
    *error = "cannot copy the test driver to " + temp;
    return false;
  }
  if (!MoveFileExA(temp.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temp.c_str());
    if (ReadAll(to) == wanted) return true;  // another process installed it meanwhile
    *error = "cannot install the test driver as " + to;
    return false;
  }
  return true;
}

bool SelectDriver(std::string* error) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Drivers", 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    *error = "cannot open HKCU\\Software\\Wine\\Drivers";
    return false;
  }
  static const char kName[] = "vmidi";
  const LONG r = RegSetValueExA(key, "Audio", 0, REG_SZ, reinterpret_cast<const BYTE*>(kName),
                                sizeof kName);
  RegCloseKey(key);
  if (r != ERROR_SUCCESS) *error = "cannot set the Audio driver value";
  return r == ERROR_SUCCESS;
}

template <typename Fn> Fn Proc(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool VmidiClient::Install(std::string* error) {
  std::string ignored;
  if (!error) error = &ignored;
  char exe[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
  if (!n || n >= MAX_PATH) {
    *error = "cannot find the program's folder";
    return false;
  }
  char system[MAX_PATH];
  if (!GetSystemDirectoryA(system, MAX_PATH)) {
    *error = "cannot find the system folder";
    return false;
  }
  return InstallFile(Folder(exe) + "\\winevmidi.drv", std::string(system) + "\\winevmidi.drv",
                     error) &&
         SelectDriver(error);
}

bool VmidiClient::InstallReporting() {
  std::string error;
  if (Install(&error)) return true;
  fprintf(stderr, "test MIDI driver: %s\n", error.c_str());
  return false;
}

bool VmidiClient::Bind() {
  midiOutGetNumDevs();  // makes winmm load its drivers
  HMODULE driver = GetModuleHandleA("winevmidi.drv");
  if (!driver) return false;
  count_ = Proc<VmidiLogCountFn>(driver, "vmidiLogCount");
  read_ = Proc<VmidiLogReadFn>(driver, "vmidiLogRead");
  notReady_ = Proc<VmidiSetNotReadyFn>(driver, "vmidiSetNotReady");
  delay_ = Proc<VmidiSetDelayFn>(driver, "vmidiSetDelay");
  feed_ = Proc<VmidiFeedFn>(driver, "vmidiFeed");
  feedWait_ = Proc<VmidiFeedWaitFn>(driver, "vmidiFeedWait");
  return count_ && read_ && notReady_ && delay_ && feed_ && feedWait_;
}

std::vector<VmidiLogEntry> VmidiClient::LogSince(uint32_t from) const {
  std::vector<VmidiLogEntry> out;
  const uint32_t end = count_();
  for (uint32_t i = from; i != end; ++i) {
    VmidiLogEntry e;
    if (read_(i, &e)) out.push_back(e);
  }
  return out;
}

std::vector<VmidiLogEntry> VmidiClient::SentSince(uint32_t from, int device) const {
  std::vector<VmidiLogEntry> out;
  for (const VmidiLogEntry& e : LogSince(from)) {
    if (e.kind == kVmidiOutMessage && e.code == MODM_DATA && e.device == device && !e.notReady) {
      out.push_back(e);
    }
  }
  return out;
}

bool VmidiClient::Feed(int device, const std::vector<VmidiFeedItem>& items) const {
  return feed_(device, items.data(), uint32_t(items.size())) != 0;
}

int VmidiClient::OutputId(int port) {
  const UINT n = midiOutGetNumDevs();
  for (UINT id = 0; id < n; ++id) {
    MIDIOUTCAPSA caps;
    if (midiOutGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR &&
        std::strcmp(caps.szPname, kVmidiOutNames[port]) == 0) {
      return int(id);
    }
  }
  return -1;
}

int VmidiClient::InputId(int port) {
  const UINT n = midiInGetNumDevs();
  for (UINT id = 0; id < n; ++id) {
    MIDIINCAPSA caps;
    if (midiInGetDevCapsA(id, &caps, sizeof caps) == MMSYSERR_NOERROR &&
        std::strcmp(caps.szPname, kVmidiInNames[port]) == 0) {
      return int(id);
    }
  }
  return -1;
}

uint32_t VmidiClient::SentInAnyProcess(int device) {
  // Made (or opened) once and held for the whole run, so the counts outlive the programs that
  // send: a test calls this before it starts one.
  static const volatile LONG* counts = [] {
    HANDLE map = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG) * kVmidiOutputs,
                                    kVmidiSharedCounts);
    return map ? static_cast<const volatile LONG*>(MapViewOfFile(map, FILE_MAP_READ, 0, 0, 0)) : nullptr;
  }();
  if (!counts || device < 0 || device >= kVmidiOutputs) return 0;
  return uint32_t(counts[device]);
}
