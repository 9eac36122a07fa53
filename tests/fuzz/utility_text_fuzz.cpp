// Arbitrary texts through the date parser, the number test and the path builders: parsed dates
// are real calendar dates in the packed range, and no builder writes past 260 characters.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/PackedDate.h"
#include "foundation/PathText.h"
#include "foundation/TextUtils.h"

static void Check(bool condition) {
  if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int selector = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const char* c = text.c_str();

  IsNumberText(c, selector & 1);
  for (int style = 0; style < 4; ++style) {
    TPackedDate date(1990, 6, 6);
    if (date.Parse(c, style)) {
      Check(date.GetMonth() >= 1 && date.GetMonth() <= 12);
      Check(date.GetDay() >= 1 && date.GetDay() <= TPackedDate::DaysInMonth(date.GetMonth(), date.GetYear()));
      char formatted[41];
      Check(date.Format(formatted, sizeof formatted, style) == 1);
    }
  }

  // Path builders into a guarded 260-character buffer.
  struct {
    char path[kMaxPath];
    char guard[16];
  } g;
  std::memset(&g, 'G', sizeof g);
  const size_t half = text.size() / 2;
  StrCopyMax(g.path, text.substr(0, half).c_str(), kMaxPath);
  const std::string second = text.substr(half);
  switch (selector % 5) {
    case 0: AppendPath(g.path, second.c_str()); break;
    case 1: AddDefaultExtension(g.path, second.c_str()); break;
    case 2: ReplaceExtension(g.path, second.c_str()); break;
    case 3: PathToDirectory(g.path, selector & 8); break;
    default: {
      char out[kMaxPath];
      SplitPath(g.path, out, selector & 7);
      Check(std::strlen(out) < kMaxPath);
    }
  }
  Check(std::strlen(g.path) < kMaxPath);
  for (char guard : g.guard) Check(guard == 'G');

  std::string edit = text;
  CollapseRepeatedChars(edit.data(), " -");
  StrTrim(edit.data());
  StripBlanksAndDashes(edit.data());
  return 0;
}
