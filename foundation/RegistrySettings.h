// The registry back end of the settings store: values under
// HKEY_CURRENT_USER\Software\<company>\<product>\<section>. Every call opens the keys it needs and
// closes them before it answers. The host build has no registry: reads answer their defaults and
// writes fail.
#pragma once

struct TRegistryPath {
  const char* Company;
  const char* Product;
  const char* Section;
};

int RegistryReadInt(const TRegistryPath& path, const char* key, int defaultValue);
int RegistryWriteInt(const TRegistryPath& path, const char* key, int value);
int RegistryReadString(const TRegistryPath& path, const char* key, const char* defaultText, char* buffer, int size);
// A null value deletes the value, a null key the section's key.
int RegistryWriteString(const TRegistryPath& path, const char* key, const char* value);
int RegistryReadBinary(const TRegistryPath& path, const char* key, const void* defaultBytes, void* buffer, int length);
int RegistryWriteBinary(const TRegistryPath& path, const char* key, const void* data, int length);
