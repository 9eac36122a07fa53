#include "app/CrashReport.h"

const char kCrashReportAdvice[] =
    "\n\nA serious problem has been detected. This is a sign of system instability. It is recommended that you "
    "save your work as soon as possible.\n";

const char kUnknownModule[] = "Unknown";

namespace {

struct TExceptionName {
  std::uint32_t code;
  const char* name;
};

constexpr TExceptionName kExceptionNames[] = {
    {0x80000001, "GUARD_PAGE"},
    {0x80000002, "DATATYPE_MISALIGNMENT"},
    {0x80000003, "BREAKPOINT"},
    {0x80000004, "SINGLE_STEP"},
    {0xC0000005, "ACCESS_VIOLATION"},
    {0xC0000006, "IN_PAGE_ERROR"},
    {0xC000001D, "ILLEGAL_INSTRUCTION"},
    {0xC0000025, "NONCONTINUABLE_EXCEPTION"},
    {0xC0000026, "INVALID_DISPOSITION"},
    {0xC000008C, "ARRAY_BOUNDS_EXCEEDED"},
    {0xC000008D, "FLT_DENORMAL_OPERAND"},
    {0xC000008E, "FLT_DIVIDE_BY_ZERO"},
    {0xC000008F, "FLT_INEXACT_RESULT"},
    {0xC0000090, "FLT_INVALID_OPERATION"},
    {0xC0000091, "FLT_OVERFLOW"},
    {0xC0000092, "FLT_STACK_CHECK"},
    {0xC0000093, "FLT_UNDERFLOW"},
    {0xC0000094, "INT_DIVIDE_BY_ZERO"},
    {0xC0000095, "INT_OVERFLOW"},
    {0xC0000096, "PRIV_INSTRUCTION"},
    {0xC00000FD, "STACK_OVERFLOW"},
};

// Appends to a fixed buffer, cutting what does not fit; the text stays terminated.
class TBoundedText {
public:
  TBoundedText(char* out, std::size_t size) : out_(out), size_(size) {
    if (size_) out_[0] = '\0';
  }

  void Append(const char* text) {
    for (; *text; ++text) Put(*text);
  }

  // Lower-case hexadecimal, at least `digits` digits.
  void AppendHex(std::uint32_t value, int digits) {
    char reversed[8];
    int n = 0;
    do {
      reversed[n++] = "0123456789abcdef"[value & 0xF];
      value >>= 4;
    } while (value || n < digits);
    while (n) Put(reversed[--n]);
  }

private:
  void Put(char c) {
    if (used_ + 1 >= size_) return;
    out_[used_++] = c;
    out_[used_] = '\0';
  }

  char* out_;
  std::size_t size_;
  std::size_t used_ = 0;
};

// Little-endian fields of the mapped headers, every read checked against the headers' size.
class THeaderView {
public:
  THeaderView(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(bytes ? size : 0) {}

  bool Has(std::size_t at, std::size_t count) const { return at <= size_ && count <= size_ - at; }
  std::uint16_t U16(std::size_t at) const { return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8); }
  std::uint32_t U32(std::size_t at) const { return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16; }

private:
  const unsigned char* bytes_;
  std::size_t size_;
};

// Offsets in the DOS header, the PE header and a section header.
constexpr std::size_t kNewHeaderOffsetField = 0x3C;
constexpr std::size_t kSectionCountField = 4 + 2;
constexpr std::size_t kOptionalHeaderSizeField = 4 + 16;
constexpr std::size_t kSectionTableStart = 4 + 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kSectionVirtualSize = 8;
constexpr std::size_t kSectionVirtualAddress = 12;
constexpr std::size_t kSectionRawSize = 16;

// Section number (from 1) and offset within it; section 0 when no section holds the offset.
struct TSectionPosition {
  unsigned section = 0;
  std::uint32_t offset = 0;
};

TSectionPosition FindSection(const THeaderView& h, std::uint32_t offset) {
  if (!h.Has(0, kNewHeaderOffsetField + 4) || h.U16(0) != 0x5A4D) return {};  // "MZ"
  std::size_t pe = h.U32(kNewHeaderOffsetField);
  if (!h.Has(pe, kSectionTableStart) || h.U32(pe) != 0x00004550) return {};  // "PE\0\0"
  unsigned count = h.U16(pe + kSectionCountField);
  std::size_t table = pe + kSectionTableStart + h.U16(pe + kOptionalHeaderSizeField);
  for (unsigned n = 1; n <= count; ++n) {
    std::size_t at = table + (n - 1) * kSectionHeaderSize;
    if (!h.Has(at, kSectionHeaderSize)) break;
    std::uint32_t address = h.U32(at + kSectionVirtualAddress);
    std::uint32_t virtualSize = h.U32(at + kSectionVirtualSize);
    std::uint32_t rawSize = h.U32(at + kSectionRawSize);
    std::uint32_t extent = virtualSize > rawSize ? virtualSize : rawSize;
    if (offset >= address && offset - address <= extent) return {n, offset - address};
  }
  return {};
}

const char* FileNamePart(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\') name = p + 1;
  }
  return name;
}

}  // namespace

const char* GetExceptionName(std::uint32_t code) {
  for (const TExceptionName& e : kExceptionNames) {
    if (e.code == code) return e.name;
  }
  return "Miscellaneous Exception";
}

bool DescribeFaultModule(const char* modulePath, const unsigned char* headers, std::size_t headerSize,
                         std::uint32_t offset, char* out, std::size_t size) {
  TBoundedText text(out, size);
  text.Append(FileNamePart(modulePath ? modulePath : ""));
  TSectionPosition position = FindSection(THeaderView(headers, headerSize), offset);
  if (!position.section) return false;
  text.Append(" at ");
  text.AppendHex(position.section, 4);
  text.Append(":");
  text.AppendHex(position.offset, 8);
  return true;
}

void ComposeCrashReport(std::uint32_t code, const char* moduleInfo, char* out, std::size_t size) {
  TBoundedText text(out, size);
  text.Append(GetExceptionName(code));
  text.Append(" in module ");
  text.Append(moduleInfo ? moduleInfo : kUnknownModule);
  text.Append(kCrashReportAdvice);
}

TCrashAction ChooseCrashAction(const TCrashFacts& facts) {
  if (!facts.hasRecord || facts.nonContinuable) return TCrashAction::PassOn;
  if (facts.onUserInterfaceThread && facts.insideResumePoint && facts.hasContext) return TCrashAction::RaiseInLoop;
  return TCrashAction::ShowThenPassOn;
}
