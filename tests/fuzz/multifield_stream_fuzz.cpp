// Arbitrary bytes read as the stream form of a multi-field string: the fields must stay inside
// the buffer, and what is written back must read back the same.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/QVMultiField.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"

static void Check(bool condition) {
  if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  TQXTFlatRamStream in(bytes.data(), static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(bytes.size()));
  TQVMultiField fields(in);
  Check(fields.GetUsedSize() <= fields.GetBufferSize());
  std::vector<std::string> texts;
  for (int i = 0; i < fields.GetCount(); ++i) texts.emplace_back(fields.GetField(i));

  if (fields.GetCount() > 0) {
    fields.SetField(0, "replaced");
    texts[0] = "replaced";
    fields.InsertField(fields.GetCount() / 2, "inserted");
    texts.insert(texts.begin() + (fields.GetCount() - 1) / 2, "inserted");
  }
  TQXTSegRamStream out(1024);
  fields.Write(out);
  if (out.IsFailed()) return 0;
  out.Rewind();
  const TQVMultiField back(out);
  Check(!out.IsFailed());
  Check(back.GetCount() == static_cast<int>(texts.size()));
  for (int i = 0; i < back.GetCount(); ++i) Check(texts[i] == back.GetField(i));
  return 0;
}
