// The device manager's test fixture: the test MIDI driver installed and bound, a private INI as
// the settings store, message boxes recorded instead of shown, a message-only notify window.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/SysInfo.h"
#include "midi/win32/MidiManager.h"
#include "tests/engine/NotifyWindow.h"
#include "tests/mididriver/VmidiClient.h"

#include <mmddk.h>

struct Box {
  UINT style;
  std::string caption, text;
};
inline std::vector<Box> boxes;

inline std::string Resource(UINT id) {
  char text[512] = {};
  LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  return text;
}

inline int RecordBox(UINT style, UINT captionId, UINT textId) {
  boxes.push_back({style, Resource(captionId), Resource(textId)});
  return IDOK;
}

inline TMidiManagerSetup EngineFiles(const char* win95File, const char* otherFile, int win95) {
  TMidiManagerSetup s;
  s.win95File = win95File;
  s.otherFile = otherFile;
  s.win95 = win95;
  s.box = RecordBox;
  return s;
}

// A control of the options pages: message-only under HWND_MESSAGE (no display needed; list
// boxes and edits only), else a child of the given window.
inline HWND Control(HWND parent, const char* cls, DWORD style, const char* text = "") {
  if (parent != HWND_MESSAGE) style |= WS_CHILD;
  return CreateWindowExA(0, cls, text, style, 0, 0, 200, 200, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

inline std::vector<std::string> Lines(HWND list) {
  std::vector<std::string> out;
  char text[64];
  for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
    SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(text));
    out.push_back(text);
  }
  return out;
}

class MidiManagerTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { installed = VmidiClient::InstallReporting(); }

  void SetUp() override {
    ASSERT_TRUE(installed);
    ASSERT_TRUE(driver.Bind());
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    ini = std::string(temp) + "vc_midi_manager_" + std::to_string(GetCurrentProcessId()) + ".ini";
    DeleteFileA(ini.c_str());
    GetSysInfo().SetStorageNames("Vellichord Tests", ini.c_str());
    GetSysInfo().SetRegistryFlag(0);
    boxes.clear();
  }

  void TearDown() override {
    manager.reset();
    GetSysInfo().FlushSettings();
    DeleteFileA(ini.c_str());
  }

  void Set(const char* section, const char* key, const char* value) {
    GetSysInfo().WriteString(section, key, value);
  }
  std::string Get(const char* section, const char* key) {
    char text[64];
    GetSysInfo().ReadString(section, key, "<none>", text, sizeof text);
    return text;
  }

  // Two ports (A, B), input A named in another case, echo to port 1 unchanged.
  void Configure(const char* secondPort = "VMIDI Out B") {
    Set("MIDI Out Ports", "0", "VMIDI Out A");
    Set("MIDI Out Ports", "1", secondPort);
    Set("MIDI Out Ports", "2", "");
    Set("MIDI Out Ports", "3", "VMIDI Out C");
    Set("MIDI In Ports", "0", "vmidi IN a");
    Set("MIDI Echo", "Enabled", "1");
    Set("MIDI Echo", "DeviceNum", "1");
    Set("MIDI Echo", "ChnlOvrd", "0");
  }

  TMidiManager& Make() {
    manager = std::make_unique<TMidiManager>(EngineFiles(nullptr, "QVMID32B.DLL", 0));
    return *manager;
  }

  static int OutId(int port) { return VmidiClient::OutputId(port); }
  std::vector<uint32_t> SentWords(uint32_t mark, int port) const {
    std::vector<uint32_t> words;
    for (const auto& e : driver.SentSince(mark, OutId(port))) words.push_back(e.param);
    return words;
  }

  static bool installed;
  VmidiClient driver;
  std::string ini;
  std::unique_ptr<TMidiManager> manager;
  NotifyWindow window;
};
inline bool MidiManagerTest::installed = false;

