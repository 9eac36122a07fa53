#include "foundation/QXTZLibOutStream.h"

#include <cstring>

#include "foundation/QXTZLibInit.h"

TQXTZLibOutStream::TQXTZLibOutStream(TQXTStream* innerStream, bool owns)
    : state(NotStarted), accepted(0),
      inner(innerStream), ownsInner(owns) {
  if (!buffers.Ready() || inner == nullptr) SetFail();
}

// Only a started stream is completed here: a writer that was never used leaves its inner
// stream untouched.
TQXTZLibOutStream::~TQXTZLibOutStream() {
  Complete();
  if (ownsInner) delete inner;
}

bool TQXTZLibOutStream::Start() {
  if (!buffers.Ready() || inner == nullptr) {
    SetFail();
    return false;
  }
  std::memset(buffers.record.get(), 0, sizeof(z_stream));
  inner->Reset();
  inner->WriteString("[QVZ]");
  if (inner->IsFailed()) {
    SetFail();
    return false;
  }
  buffers.record->avail_in = 0;
  buffers.record->next_in = buffers.input.get();
  buffers.record->avail_out = kQXTZLibBlock;
  buffers.record->next_out = buffers.output.get();
  if (QXTZLibDeflateInit(*buffers.record) != Z_OK) {
    SetFail();
    return false;
  }
  state = Compressing;
  return true;
}

void TQXTZLibOutStream::WriteOut() {
  const uint32_t produced = kQXTZLibBlock - buffers.record->avail_out;
  if (produced > 0) {
    inner->Write(buffers.output.get(), produced);
    if (inner->IsFailed()) SetFail();
  }
  buffers.record->avail_out = kQXTZLibBlock;
  buffers.record->next_out = buffers.output.get();
}

void TQXTZLibOutStream::Compress() {
  buffers.record->next_in = buffers.input.get();
  while (buffers.record->avail_in > 0) {
    const int result = deflate(buffers.record.get(), Z_NO_FLUSH);
    WriteOut();
    if (result != Z_OK) {
      SetFail();
      buffers.record->avail_in = 0;  // the block is lost; the flag tells the caller
      return;
    }
  }
}

void TQXTZLibOutStream::PutByte(unsigned char byte) {
  if (state == NotStarted) Start();
  if (state != Compressing) {
    SetFail();
    return;
  }
  buffers.input[buffers.record->avail_in++] = byte;
  ++accepted;
  if (buffers.record->avail_in == kQXTZLibBlock) Compress();
}

void TQXTZLibOutStream::Write(const void* data, uint32_t count) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  while (count > 0) {
    if (state == NotStarted) Start();
    if (state != Compressing) {
      SetFail();
      return;
    }
    uint32_t n = kQXTZLibBlock - buffers.record->avail_in;
    if (n > count) n = count;
    std::memcpy(buffers.input.get() + buffers.record->avail_in, bytes, n);
    buffers.record->avail_in += n;
    accepted += n;
    bytes += n;
    count -= n;
    if (buffers.record->avail_in == kQXTZLibBlock) Compress();
  }
}

void TQXTZLibOutStream::Complete() {
  if (state != Compressing) return;
  Compress();
  state = Finishing;
  int result;
  for (;;) {
    result = deflate(buffers.record.get(), Z_FINISH);
    const bool produced = buffers.record->avail_out < kQXTZLibBlock;
    WriteOut();
    if (!produced || result != Z_OK) break;
  }
  deflateEnd(buffers.record.get());
  inner->Flush();
  // A buffering inner stream may only now learn that its device is full.
  if (inner->IsFailed()) SetFail();
  state = Finished;
  if (result != Z_OK && result != Z_STREAM_END) SetFail();
}

void TQXTZLibOutStream::Finish() {
  if (state == NotStarted) Start();
  Complete();
}

void TQXTZLibOutStream::Flush() {
  if (inner != nullptr) inner->Flush();
}

void TQXTZLibOutStream::Reset() {
  Complete();
  ClearFail();
  accepted = 0;
  state = NotStarted;
}

uint32_t TQXTZLibOutStream::Tell() { return accepted; }
