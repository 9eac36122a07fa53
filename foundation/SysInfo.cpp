#include "foundation/SysInfo.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/MessageBarSink.h"
#include "foundation/ProfileStore.h"
#include "foundation/RegistrySettings.h"
#include "foundation/ResourceStrings.h"
#include "foundation/TextUtils.h"

TStatusState::TStatusState(TSysInfo& owner, const char* text, bool busy)
    : Owner(owner), Text(text ? text : ""), Busy(busy) {
  if (Busy) Owner.BeginBusyCursor();
}

TStatusState::~TStatusState() {
  if (Busy) Owner.EndBusyCursor();
}

TSysInfo::TSysInfo() : TSysInfo(QueryWindowsVersion()) {}

TSysInfo::TSysInfo(const TWindowsVersion& version) : Version(version) {}

TSysInfo::~TSysInfo() {
  for (int i = StatusCount - 1; i >= 0; --i) {
    Status[i]->ReleaseBusy();
    delete Status[i];
  }
}

void TSysInfo::SetStorageNames(const char* companyKeyName, const char* productKeyName) {
  Company = companyKeyName ? companyKeyName : "";
  Product = productKeyName ? productKeyName : "";
}

// --- settings ---------------------------------------------------------------------------------

// Strict decimal: blanks around an optional sign and digits, within 32 bits.
static bool ParseInt32(const char* text, int* value) {
  while (*text == ' ' || *text == '\t') ++text;
  const char* digits = text + (*text == '+' || *text == '-');
  if (!IsDigitChar(*digits)) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text, &end, 10);
  while (*end == ' ' || *end == '\t') ++end;
  if (*end || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  *value = static_cast<int>(v);
  return true;
}

int TSysInfo::ReadInt(const char* section, const char* key, int defaultValue) {
  if (!UsesIni()) return RegistryReadInt({GetCompanyName(), GetProductName(), section}, key, defaultValue);
  if (!section || !key) return defaultValue;
  char text[64];
  const int n = ProfileReadString(GetProductName(), section, key, "", text, sizeof text);
  int value = 0;
  if (n <= 0 || n >= static_cast<int>(sizeof text) - 1 || !ParseInt32(text, &value)) return defaultValue;
  return value;
}

int TSysInfo::WriteInt(const char* section, const char* key, int value) {
  if (!UsesIni()) return RegistryWriteInt({GetCompanyName(), GetProductName(), section}, key, value);
  if (!section || !key) return 0;
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return ProfileWriteString(GetProductName(), section, key, text) ? 1 : 0;
}

int TSysInfo::ReadString(const char* section, const char* key, const char* defaultText, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  if (!UsesIni()) return RegistryReadString({GetCompanyName(), GetProductName(), section}, key, defaultText, buffer, size);
  if (!section || !key) {
    StrCopyMax(buffer, defaultText, static_cast<size_t>(size));
    return static_cast<int>(std::strlen(buffer));
  }
  return ProfileReadString(GetProductName(), section, key, defaultText, buffer, size);
}

int TSysInfo::WriteString(const char* section, const char* key, const char* value) {
  if (!UsesIni()) return RegistryWriteString({GetCompanyName(), GetProductName(), section}, key, value);
  if (!section) return 0;
  return ProfileWriteString(GetProductName(), section, key, value) ? 1 : 0;
}

static int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

static int DeliverDefault(const void* defaultBytes, void* buffer, int length) {
  if (!defaultBytes) return 0;
  std::memcpy(buffer, defaultBytes, static_cast<size_t>(length));
  return length;
}

int TSysInfo::ReadBinary(const char* section, const char* key, const void* defaultBytes, void* buffer, int length) {
  if (!buffer || length <= 0) return 0;
  if (!UsesIni())
    return RegistryReadBinary({GetCompanyName(), GetProductName(), section}, key, defaultBytes, buffer, length);
  if (!section || !key || length > kMaxIniBinaryBytes) return DeliverDefault(defaultBytes, buffer, length);
  char text[2 * kMaxIniBinaryBytes + 2];
  const int n = ProfileReadString(GetProductName(), section, key, "00", text, sizeof text);
  if (n != 2 * length) return DeliverDefault(defaultBytes, buffer, length);
  // Decoded aside first, so a bad pair late in the text never leaves a partial value behind.
  unsigned char bytes[kMaxIniBinaryBytes];
  for (int i = 0; i < length; ++i) {
    const int high = HexDigitValue(text[2 * i]);
    const int low = HexDigitValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return DeliverDefault(defaultBytes, buffer, length);
    bytes[i] = static_cast<unsigned char>(high * 16 + low);
  }
  std::memcpy(buffer, bytes, static_cast<size_t>(length));
  return length;
}

int TSysInfo::WriteBinary(const char* section, const char* key, const void* data, int length) {
  if (!UsesIni()) return RegistryWriteBinary({GetCompanyName(), GetProductName(), section}, key, data, length);
  if (!section || !key || length < 0 || length > kMaxIniBinaryBytes || (!data && length > 0)) return 0;
  char text[2 * kMaxIniBinaryBytes + 2];
  static const char kHex[] = "0123456789abcdef";
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (int i = 0; i < length; ++i) {
    text[2 * i] = kHex[bytes[i] >> 4];
    text[2 * i + 1] = kHex[bytes[i] & 0x0F];
  }
  text[2 * length] = '\0';
  return ProfileWriteString(GetProductName(), section, key, text) ? 1 : 0;
}

void TSysInfo::FlushSettings() {
  if (UsesIni() && GetProductName()) ProfileFlush(GetProductName());
}

bool TSysInfo::IsWin98OrLater() const {
  if (!IsWin95Family() || Version.PlatformId != 1) return false;
  return Version.Major > 4 || (Version.Major == 4 && Version.Minor != 0);
}

// --- busy cursor ------------------------------------------------------------------------------

void TSysInfo::BeginBusyCursor() {
  const TCursorHandle replaced = ShowWaitCursor();
  if (BusyLevel == 0) SavedCursor = replaced;
  ++BusyLevel;
}

void TSysInfo::EndBusyCursor() {
  if (BusyLevel > 1) {
    --BusyLevel;
    return;
  }
  SetCurrentCursor(SavedCursor);
  BusyLevel = 0;
}

// --- status texts -----------------------------------------------------------------------------

void TSysInfo::PushStatus(const char* text, bool busy) {
  if (StatusCount == kStatusRoom) {
    // No room left: the text is shown but not kept, and the pop that pairs with this push
    // will take nothing off the stack. Such a push takes no busy level.
    ++StatusOverflow;
    if (MessageBar) {
      MessageBar->SetMessageText(text ? text : "");
      MessageBar->RepaintNow();
    }
    return;
  }
  Status[StatusCount++] = new TStatusState(*this, text, busy);
  ShowStatus(true);
}

void TSysInfo::PushStatusId(unsigned stringId, bool busy) {
  char text[128];
  LoadResourceText(stringId, text, sizeof text);
  PushStatus(text, busy);
}

void TSysInfo::PopStatus() {
  if (StatusOverflow > 0) {
    --StatusOverflow;
  } else if (StatusCount > 1) {
    delete Status[--StatusCount];
    Status[StatusCount] = nullptr;
  }
  ShowStatus(false);
}

void TSysInfo::PopAllStatus() {
  // Dropping every level at once must also put the cursor back, or the next busy request would
  // save the hourglass as the cursor to restore.
  if (BusyLevel > 0) SetCurrentCursor(SavedCursor);
  BusyLevel = 0;
  StatusOverflow = 0;
  while (StatusCount > 1) {
    TStatusState* top = Status[--StatusCount];
    Status[StatusCount] = nullptr;
    top->ReleaseBusy();
    delete top;
  }
  ShowStatus(false);
}

const char* TSysInfo::GetStatusText() const { return StatusCount > 0 ? Status[StatusCount - 1]->GetText() : ""; }

void TSysInfo::ShowStatus(bool update) {
  if (!MessageBar) return;
  MessageBar->SetMessageText(GetStatusText());
  if (update) MessageBar->RepaintNow();
}

TSysInfo& GetSysInfo() {
  static TSysInfo instance;
  return instance;
}
