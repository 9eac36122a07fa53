#include "foundation/win32/RegistryKey.h"

#include <cstring>
#include <vector>

#include "foundation/TextUtils.h"

static const REGSAM kAccess = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;

TKey::TKey(HKEY parent, const char* subkey, bool create) {
  if (!parent || !subkey) return;
  HKEY key = nullptr;
  LONG result;
  if (create) {
    DWORD disposition = 0;
    result = RegCreateKeyExA(parent, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess, nullptr, &key,
                             &disposition);
  } else {
    result = RegOpenKeyExA(parent, subkey, 0, kAccess, &key);
  }
  if (result == ERROR_SUCCESS) Handle = key;
}

TKey::~TKey() { Close(); }

void TKey::Close() {
  if (Handle) RegCloseKey(Handle);
  Handle = nullptr;
}

int TKey::DeleteSubKey(const char* name) {
  return Handle && name && RegDeleteKeyA(Handle, name) == ERROR_SUCCESS ? 1 : 0;
}

int TKey::DeleteValue(const char* name) { return Handle && RegDeleteValueA(Handle, name) == ERROR_SUCCESS ? 1 : 0; }

DWORD TKey::QueryDWord(DWORD defaultValue, const char* name) const {
  if (!Handle) return defaultValue;
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExA(Handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
    return defaultValue;
  return type == REG_DWORD && size == sizeof value ? value : defaultValue;
}

int TKey::QueryString(char* buffer, int size, const char* defaultText, const char* name) const {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  DWORD type = 0, bytes = 0;
  // The size is asked first: a stored text need not fit the buffer, nor end with a NUL.
  if (Handle && RegQueryValueExA(Handle, name, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS && type == REG_SZ) {
    std::vector<char> data(bytes + 1, '\0');
    if (RegQueryValueExA(Handle, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
      data[bytes < data.size() ? bytes : data.size() - 1] = '\0';
      StrCopyMax(buffer, data.data(), static_cast<size_t>(size));
      return static_cast<int>(std::strlen(buffer));
    }
  }
  StrCopyMax(buffer, defaultText, static_cast<size_t>(size));
  return static_cast<int>(std::strlen(buffer));
}

int TKey::QueryBinary(void* buffer, int size, const void* defaultBytes, const char* name) const {
  if (!buffer || size <= 0) return 0;
  DWORD type = 0, bytes = static_cast<DWORD>(size);
  if (Handle && RegQueryValueExA(Handle, name, nullptr, &type, static_cast<BYTE*>(buffer), &bytes) == ERROR_SUCCESS)
    return static_cast<int>(bytes);
  if (!defaultBytes) return 0;
  std::memcpy(buffer, defaultBytes, static_cast<size_t>(size));
  return size;
}

int TKey::SetDWord(DWORD value, const char* name) {
  return Handle && RegSetValueExA(Handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                  sizeof value) == ERROR_SUCCESS ? 1 : 0;
}

int TKey::SetString(const char* text, const char* name) {
  if (!Handle || !text) return 0;
  const DWORD bytes = static_cast<DWORD>(std::strlen(text) + 1);
  return RegSetValueExA(Handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS ? 1 : 0;
}

int TKey::SetBinary(const void* data, int length, const char* name) {
  if (!Handle || length < 0 || (!data && length > 0)) return 0;
  return RegSetValueExA(Handle, name, 0, REG_BINARY, static_cast<const BYTE*>(data), static_cast<DWORD>(length)) ==
                 ERROR_SUCCESS ? 1 : 0;
}
