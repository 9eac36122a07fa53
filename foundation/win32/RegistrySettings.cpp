#include "foundation/RegistrySettings.h"

#include <cstring>
#include <memory>

#include "foundation/TextUtils.h"
#include "foundation/win32/RegistryKey.h"

// HKCU\Software must already exist; the company and product keys are made on first use.
static std::unique_ptr<TKey> OpenProductKey(const TRegistryPath& path) {
  if (!path.Company || !path.Product) return nullptr;
  TKey software(HKEY_CURRENT_USER, "Software", false);
  TKey company(software.GetHandle(), path.Company, true);
  auto product = std::make_unique<TKey>(company.GetHandle(), path.Product, true);
  return product->IsOpen() ? std::move(product) : nullptr;
}

static std::unique_ptr<TKey> OpenSectionKey(const TRegistryPath& path) {
  if (!path.Section) return nullptr;
  const std::unique_ptr<TKey> product = OpenProductKey(path);
  if (!product) return nullptr;
  auto section = std::make_unique<TKey>(product->GetHandle(), path.Section, true);
  return section->IsOpen() ? std::move(section) : nullptr;
}

int RegistryReadInt(const TRegistryPath& path, const char* key, int defaultValue) {
  const std::unique_ptr<TKey> section = OpenSectionKey(path);
  if (!section) return defaultValue;
  return static_cast<int>(section->QueryDWord(static_cast<DWORD>(defaultValue), key));
}

int RegistryWriteInt(const TRegistryPath& path, const char* key, int value) {
  const std::unique_ptr<TKey> section = OpenSectionKey(path);
  return section ? section->SetDWord(static_cast<DWORD>(value), key) : 0;
}

int RegistryReadString(const TRegistryPath& path, const char* key, const char* defaultText, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  const std::unique_ptr<TKey> section = OpenSectionKey(path);
  if (!section) {
    StrCopyMax(buffer, defaultText, static_cast<size_t>(size));
    return static_cast<int>(std::strlen(buffer));
  }
  return section->QueryString(buffer, size, defaultText, key);
}

int RegistryWriteString(const TRegistryPath& path, const char* key, const char* value) {
  if (!key) {
    const std::unique_ptr<TKey> product = OpenProductKey(path);
    return product && path.Section ? product->DeleteSubKey(path.Section) : 0;
  }
  const std::unique_ptr<TKey> section = OpenSectionKey(path);
  if (!section) return 0;
  return value ? section->SetString(value, key) : section->DeleteValue(key);
}

int RegistryReadBinary(const TRegistryPath& path, const char* key, const void* defaultBytes, void* buffer, int length) {
  if (!buffer || length <= 0) return 0;
  const std::unique_ptr<TKey> section = OpenSectionKey(path);
  if (!section) {
    if (!defaultBytes) return 0;
    std::memcpy(buffer, defaultBytes, static_cast<size_t>(length));
    return length;
  }
  return section->QueryBinary(buffer, length, defaultBytes, key);
}

int RegistryWriteBinary(const TRegistryPath& path, const char* key, const void* data, int length) {
  const std::unique_ptr<TKey> section = OpenSectionKey(path);
  return section ? section->SetBinary(data, length, key) : 0;
}
