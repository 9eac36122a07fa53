#include "foundation/CrLfRepair.h"

#include "foundation/QXTFStream.h"

static constexpr unsigned char kCR = 13;
static constexpr unsigned char kLF = 10;

int IsCrLfTranslated(const char* path) {
  TQXTFStream in(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path);
  if (!in.IsOpen() || in.IsFailed()) return 0;
  const uint32_t size = in.Size();
  bool afterCR = false;
  for (uint32_t i = 0; i < size; ++i) {
    const unsigned char c = in.GetByte();
    if (in.IsFailed()) return 0;
    if (c == kCR) {
      afterCR = true;
    } else if (c == kLF) {
      if (!afterCR) return 0;
    } else {
      afterCR = false;
    }
  }
  return 1;
}

int UndoCrLfTranslation(const char* source, const char* target) {
  TQXTFStream in(TQXTFStream::ModeRead | TQXTFStream::ShareRead, source);
  if (!in.IsOpen() || in.IsFailed()) return 0;
  TQXTFStream out(TQXTFStream::ModeWrite, target);
  if (!out.IsOpen() || out.IsFailed()) return 0;
  const uint32_t size = in.Size();
  bool pendingCR = false;
  for (uint32_t i = 0; i < size; ++i) {
    const unsigned char c = in.GetByte();
    if (in.IsFailed()) return 0;
    if (c == kLF) {
      if (!pendingCR) return 0;
      out.PutByte(kLF);
      pendingCR = false;
      continue;
    }
    if (pendingCR) out.PutByte(kCR);
    pendingCR = c == kCR;
    if (!pendingCR) out.PutByte(c);
  }
  if (pendingCR) out.PutByte(kCR);
  out.Flush();
  const bool written = !out.IsFailed();
  out.Close();
  return written ? 1 : 0;
}
