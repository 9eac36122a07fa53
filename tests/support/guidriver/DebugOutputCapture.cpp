#include "tests/support/guidriver/DebugOutputCapture.h"

#include <cstring>

namespace guidriver {

namespace {
// The shared buffer: the writer's process id, then its zero-terminated text.
constexpr DWORD kBufferSize = 4096;
}  // namespace

TDebugOutputCapture::TDebugOutputCapture() {
  bufferReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY");
  if (!bufferReady_ || GetLastError() == ERROR_ALREADY_EXISTS) return;
  dataReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBufferSize, "DBWIN_BUFFER");
  if (!dataReady_ || !mapping_) return;
  view_ = static_cast<const char*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, kBufferSize));
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!view_ || !stop_) return;
  started_ = true;
  thread_ = std::thread([this] { Run(); });
}

TDebugOutputCapture::~TDebugOutputCapture() {
  if (stop_) SetEvent(stop_);
  if (thread_.joinable()) thread_.join();
  if (view_) UnmapViewOfFile(view_);
  for (HANDLE h : {mapping_, dataReady_, bufferReady_, stop_}) {
    if (h) CloseHandle(h);
  }
}

void TDebugOutputCapture::Run() {
  HANDLE waits[2] = {dataReady_, stop_};
  SetEvent(bufferReady_);
  for (;;) {
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) return;
    DWORD processId = 0;
    std::memcpy(&processId, view_, sizeof processId);
    const char* text = view_ + sizeof processId;
    const std::string copy(text, strnlen(text, kBufferSize - sizeof processId));
    {
      std::lock_guard<std::mutex> hold(lock_);
      entries_.push_back({processId, copy});
    }
    SetEvent(bufferReady_);
  }
}

std::vector<std::string> TDebugOutputCapture::Texts(DWORD processId) const {
  std::lock_guard<std::mutex> hold(lock_);
  std::vector<std::string> out;
  for (const TEntry& e : entries_) {
    if (processId == 0 || e.processId == processId) out.push_back(e.text);
  }
  return out;
}

void TDebugOutputCapture::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  entries_.clear();
}

bool TDebugOutputCapture::WaitForText(const std::string& text, DWORD processId, DWORD timeoutMs) const {
  const DWORD start = GetTickCount();
  for (;;) {
    for (const std::string& t : Texts(processId)) {
      if (t == text) return true;
    }
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
}

}  // namespace guidriver
