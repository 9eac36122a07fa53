// The stream form of TQVMultiField: int16 field count, int16 used size + 2, int16 grow step,
// then each field as a NUL-terminated string.
#include <cstring>

#include "foundation/QVMultiField.h"
#include "foundation/QXTStream.h"

static constexpr uint32_t kInt16Max = 0x7FFF;

TQVMultiField::TQVMultiField(TQXTStream& stream) {
  const uint32_t count = stream.ReadUInt16();
  const uint32_t sizePlusTwo = stream.ReadUInt16();
  const uint32_t growStep = stream.ReadUInt16();
  // Every field takes at least its NUL, so a used size below the count cannot be right; a
  // negative 16-bit value is no size at all.
  const bool valid = !stream.IsFailed() && count <= kInt16Max && sizePlusTwo <= kInt16Max && sizePlusTwo >= 2 &&
                     sizePlusTwo - 2 >= count;
  if (!valid) {
    stream.SetFail();
    Init(0, 0);
    return;
  }
  Init(static_cast<int>(count), static_cast<int>(sizePlusTwo - 2));
  SetGrowStep(static_cast<int>(growStep));
  uint32_t at = 0;
  for (uint32_t i = 0; i < count; ++i) {
    // Each field may use what is left of the buffer after one byte for every later field, so
    // an over-long string is cut instead of running past the end.
    const uint32_t room = GetBufferSize() - at - (count - 1 - i);
    stream.ReadString(Buffer.data() + at, static_cast<int>(room));
    at += static_cast<uint32_t>(std::strlen(Buffer.data() + at)) + 1;
    Offsets[i + 1] = at;
  }
}

void TQVMultiField::Write(TQXTStream& stream) const {
  const uint32_t count = static_cast<uint32_t>(GetCount());
  if (count > kInt16Max || GetUsedSize() + 2 > kInt16Max) {
    stream.SetFail();
    return;
  }
  stream.WriteInt16(static_cast<int32_t>(count));
  stream.WriteInt16(static_cast<int32_t>(GetUsedSize() + 2));
  stream.WriteInt16(GrowStep > static_cast<int>(kInt16Max) ? static_cast<int32_t>(kInt16Max) : GrowStep);
  for (uint32_t i = 0; i < count; ++i) stream.WriteString(GetField(static_cast<int>(i)));
}
