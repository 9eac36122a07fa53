// Owner of one open registry key (null when opening failed); the destructor closes it.
#pragma once

#include <windows.h>

class TKey {
 public:
  // With create set the key is created when missing. Access: read, create subkeys, set values.
  TKey(HKEY parent, const char* subkey, bool create);
  ~TKey();
  TKey(const TKey&) = delete;
  TKey& operator=(const TKey&) = delete;

  HKEY GetHandle() const { return Handle; }
  bool IsOpen() const { return Handle != nullptr; }
  void Close();

  int DeleteSubKey(const char* name);
  int DeleteValue(const char* name);
  // Each answers the default (or 0) when the key is not open or the value is missing or unsuitable.
  DWORD QueryDWord(DWORD defaultValue, const char* name) const;
  // A REG_SZ value, cut to size - 1 characters and always terminated; else the default, else "".
  int QueryString(char* buffer, int size, const char* defaultText, const char* name) const;
  // Any value of at most size bytes: answers the bytes read; else the default (answer size) or 0.
  int QueryBinary(void* buffer, int size, const void* defaultBytes, const char* name) const;
  int SetDWord(DWORD value, const char* name);
  int SetString(const char* text, const char* name);
  int SetBinary(const void* data, int length, const char* name);

 private:
  HKEY Handle = nullptr;
};
