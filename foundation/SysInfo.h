// The one settings store and system-information object of the program: integer, string and
// binary settings by section and key (INI file or registry), the Windows version tests, the
// application-wide busy cursor and the stack of status texts shown in the message bar.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/CursorSeam.h"
#include "foundation/WindowsVersion.h"

class TMessageBarSink;
class TSysInfo;

// One status text; a busy entry holds one busy-cursor level for as long as it lives.
class TStatusState {
 public:
  TStatusState(TSysInfo& owner, const char* text, bool busy);
  ~TStatusState();
  TStatusState(const TStatusState&) = delete;
  TStatusState& operator=(const TStatusState&) = delete;

  const char* GetText() const { return Text.c_str(); }
  bool IsBusy() const { return Busy; }
  void ReleaseBusy() { Busy = false; }

 private:
  TSysInfo& Owner;
  std::string Text;
  bool Busy;
};

class TSysInfo {
 public:
  static constexpr int kStatusRoom = 20;
  static constexpr int kMaxIniBinaryBytes = 63;

  TSysInfo();
  explicit TSysInfo(const TWindowsVersion& version);
  ~TSysInfo();
  TSysInfo(const TSysInfo&) = delete;
  TSysInfo& operator=(const TSysInfo&) = delete;

  // Settings. The product name is also the INI file path.
  void SetStorageNames(const char* companyKeyName, const char* productKeyName);
  void SetRegistryFlag(int useRegistry) { RegistryFlag = useRegistry ? 1 : 0; }
  int GetRegistryFlag() const { return RegistryFlag; }
  const char* GetCompanyName() const { return Company.empty() ? nullptr : Company.c_str(); }
  const char* GetProductName() const { return Product.empty() ? nullptr : Product.c_str(); }

  // A value that is absent or does not read as a 32-bit decimal number answers the default.
  int ReadInt(const char* section, const char* key, int defaultValue);
  int WriteInt(const char* section, const char* key, int value);
  // Answers the number of characters in the buffer (at most size - 1, always terminated).
  int ReadString(const char* section, const char* key, const char* defaultText, char* buffer, int size);
  // A null value deletes the key, a null key the whole section.
  int WriteString(const char* section, const char* key, const char* value);
  // Answers the bytes delivered: the stored value when it is whole and well formed, else the
  // default bytes (answer length), else 0. The buffer is untouched unless bytes are delivered.
  int ReadBinary(const char* section, const char* key, const void* defaultBytes, void* buffer, int length);
  // The INI file holds at most 63 bytes per binary value; a longer one is refused (answer 0).
  int WriteBinary(const char* section, const char* key, const void* data, int length);
  // Writes out any cached INI contents.
  void FlushSettings();

  // Version tests.
  int GetMajorVersion() const { return static_cast<int>(Version.Packed & 0xFF); }
  int GetMinorVersion() const { return static_cast<int>((Version.Packed >> 8) & 0xFF); }
  bool IsNT() const { return (Version.Packed & 0x80000000u) == 0; }
  bool IsWin4OrLater() const { return GetMajorVersion() >= 4; }
  bool IsWin4Shell() const { return IsWin4OrLater(); }
  bool IsWin95Family() const { return GetMajorVersion() >= 4 && !IsNT(); }
  bool IsWin32s() const { return !IsNT() && GetMajorVersion() < 4; }
  bool IsWin32sSystem() const { return IsWin32s(); }
  bool IsNT5OrLater() const { return IsNT() && GetMajorVersion() > 4; }
  bool IsWin98OrLater() const;

  // Busy cursor, nested.
  void BeginBusyCursor();
  void EndBusyCursor();
  unsigned GetBusyLevel() const { return BusyLevel; }

  // Status texts. The bottom entry, pushed first, is never popped.
  void PushStatus(const char* text, bool busy);
  void PushStatusId(unsigned stringId, bool busy);
  void PopStatus();
  void PopAllStatus();
  void ShowStatus(bool update);
  const char* GetStatusText() const;
  // Entries held, including pushes beyond the room that are only counted.
  int GetStatusDepth() const { return StatusCount + StatusOverflow; }

  // The message bar that shows the status texts; null detaches it.
  void AttachMessageBar(TMessageBarSink* bar) { MessageBar = bar; }

 private:
  bool UsesIni() const { return RegistryFlag == 0; }

  TStatusState* Status[kStatusRoom] = {};
  int StatusCount = 0;
  // Pushes beyond the room: counted so that their pops stay paired, their texts not kept.
  int StatusOverflow = 0;
  TWindowsVersion Version;
  TCursorHandle SavedCursor = nullptr;
  unsigned BusyLevel = 0;
  int RegistryFlag = 1;
  std::string Company;
  std::string Product;
  TMessageBarSink* MessageBar = nullptr;
};

// The program's one settings store, built on first use.
TSysInfo& GetSysInfo();
