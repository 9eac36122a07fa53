// The common part of the GDI object wrappers: one handle, deleted when owned.
#pragma once
#include <windows.h>
#include <utility>

class TGdiObject {
public:
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  TGdiObject(TGdiObject&& o) noexcept : handle_(std::exchange(o.handle_, nullptr)), owned_(o.owned_) {}
  TGdiObject& operator=(TGdiObject&& o) noexcept {
    if (this != &o) {
      Release();
      handle_ = std::exchange(o.handle_, nullptr);
      owned_ = o.owned_;
    }
    return *this;
  }
  virtual ~TGdiObject() { Release(); }

  HGDIOBJ GetObjectHandle() const { return handle_; }
  bool IsValid() const { return handle_ != nullptr; }

protected:
  TGdiObject() = default;
  TGdiObject(HGDIOBJ handle, bool owned) : handle_(handle), owned_(owned) {}
  void Reset(HGDIOBJ handle, bool owned = true) {
    Release();
    handle_ = handle;
    owned_ = owned;
  }
  void Release() {
    if (handle_ && owned_) DeleteObject(handle_);
    handle_ = nullptr;
  }

  HGDIOBJ handle_ = nullptr;
  bool owned_ = true;
};
