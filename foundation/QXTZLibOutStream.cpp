#include "foundation/QXTZLibOutStream.h"

#include <cstring>
#include <new>

#include "foundation/QXTZLibInit.h"

TQXTZLibOutStream::TQXTZLibOutStream(TQXTStream* innerStream, bool owns)
    : state(NotStarted), accepted(0),
      input(new (std::nothrow) unsigned char[kQXTZLibBlock]),
      output(new (std::nothrow) unsigned char[kQXTZLibBlock]),
      record(new (std::nothrow) z_stream), inner(innerStream), ownsInner(owns) {
  if (!input || !output || !record || inner == nullptr) SetFail();
}

// Only a started stream is completed here: a writer that was never used leaves its inner
// stream untouched.
TQXTZLibOutStream::~TQXTZLibOutStream() {
  Complete();
  if (ownsInner) delete inner;
}

bool TQXTZLibOutStream::Start() {
  if (!input || !output || !record || inner == nullptr) {
    SetFail();
    return false;
  }
  std::memset(record.get(), 0, sizeof(z_stream));
  inner->Reset();
  inner->WriteString("[QVZ]");
  if (inner->IsFailed()) {
    SetFail();
    return false;
  }
  record->avail_in = 0;
  record->next_in = input.get();
  record->avail_out = kQXTZLibBlock;
  record->next_out = output.get();
  if (QXTZLibDeflateInit(*record) != Z_OK) {
    SetFail();
    return false;
  }
  state = Compressing;
  return true;
}

void TQXTZLibOutStream::WriteOut() {
  const uint32_t produced = kQXTZLibBlock - record->avail_out;
  if (produced > 0) {
    inner->Write(output.get(), produced);
    if (inner->IsFailed()) SetFail();
  }
  record->avail_out = kQXTZLibBlock;
  record->next_out = output.get();
}

void TQXTZLibOutStream::Compress() {
  record->next_in = input.get();
  while (record->avail_in > 0) {
    const int result = deflate(record.get(), Z_NO_FLUSH);
    WriteOut();
    if (result != Z_OK) {
      SetFail();
      record->avail_in = 0;  // the block is lost; the flag tells the caller
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
  input[record->avail_in++] = byte;
  ++accepted;
  if (record->avail_in == kQXTZLibBlock) Compress();
}

void TQXTZLibOutStream::Write(const void* data, uint32_t count) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  while (count > 0) {
    if (state == NotStarted) Start();
    if (state != Compressing) {
      SetFail();
      return;
    }
    uint32_t n = kQXTZLibBlock - record->avail_in;
    if (n > count) n = count;
    std::memcpy(input.get() + record->avail_in, bytes, n);
    record->avail_in += n;
    accepted += n;
    bytes += n;
    count -= n;
    if (record->avail_in == kQXTZLibBlock) Compress();
  }
}

void TQXTZLibOutStream::Complete() {
  if (state != Compressing) return;
  Compress();
  state = Finishing;
  int result;
  for (;;) {
    result = deflate(record.get(), Z_FINISH);
    const bool produced = record->avail_out < kQXTZLibBlock;
    WriteOut();
    if (!produced || result != Z_OK) break;
  }
  deflateEnd(record.get());
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
