// The upgrade package: its header, one record per file it touches, and the patch streams behind
// them. Everything read from the package is bounded and checked before the applier trusts it.
#pragma once

#include <cstdint>
#include <vector>

class TQXTStream;

enum class TUpgOperation : uint8_t { Add = 0, Patch = 1, Replace = 2, Check = 3, Delete = 4 };
enum class TUpgPolicy : uint8_t { Ignore = 0, Ask = 1, Fatal = 2 };

// Record states: anything but ToHandle leaves the file alone in the build and replace phases.
enum class TUpgState : uint8_t {
  ToHandle = 0,
  Missing = 1,
  Differs = 3,
  ReadOnly = 4,
  DateDiffers = 5,
  Exists = 6,
  Skipped = 8,
};

struct TUpgFileInfo {
  uint32_t dosDateTime = 0;  // date << 16 | time, local
  uint32_t size = 0;
  uint16_t checksum = 0;

  bool SameContents(const TUpgFileInfo& other) const { return size == other.size && checksum == other.checksum; }
  bool operator==(const TUpgFileInfo& other) const {
    return SameContents(other) && dosDateTime == other.dosDateTime;
  }
};

struct TUpgFileRecord {
  static constexpr int kNameMax = 250;
  static constexpr int kDescriptionMax = 80;

  TUpgOperation operation = TUpgOperation::Add;
  TUpgPolicy policyA = TUpgPolicy::Ignore;
  TUpgPolicy policyB = TUpgPolicy::Ignore;
  TUpgState state = TUpgState::ToHandle;
  char name[kNameMax + 1] = {};
  char description[kDescriptionMax + 1] = {};
  TUpgFileInfo oldInfo;
  TUpgFileInfo newInfo;

  bool HasOldInfo() const;
  bool HasNewInfo() const;
  // Add, patch and replace carry a patch stream.
  bool HasPatchStream() const { return HasNewInfo(); }
};

struct TUpgPackageHeader {
  static constexpr int kTitleMax = 80;
  static constexpr int kDescriptionMax = 8192;
  static constexpr int kFileCountMax = 10000;

  char signature[8] = {};
  uint8_t version = 0;
  int16_t fileCount = 0;
  char title[kTitleMax + 1] = {};
  char description[kDescriptionMax + 1] = {};
};

// Format revisions: 18 widened the operation field to three bits.
constexpr uint8_t kUpgWideOperationVersion = 18;
constexpr uint8_t kUpgNewestVersion = 18;
extern const char kUpgSignature[8];

// The flags byte of a record, by format revision.
void DecodeUpgFlags(uint8_t flags, uint8_t version, TUpgFileRecord& record);
uint8_t EncodeUpgFlags(const TUpgFileRecord& record);  // the newest revision's layout

// A name the applier may join to the installation folder: relative, not empty, no ".." part,
// no drive or stream colon, no control characters.
bool IsSafeUpgName(const char* name);

// Reads a zero-terminated string of at most max characters into buffer (max + 1 bytes); a longer
// text, or a stream that ends first, fails the stream.
bool ReadBoundedString(TQXTStream& stream, char* buffer, int max);

class TUpgPackage {
 public:
  // Reads the header: valid when the signature and revision are known, the file count fits and
  // no text is longer than its limit.
  bool ReadHeader(TQXTStream& stream);
  bool IsValid() const { return valid; }
  // Reads the file records after a valid header: the sum of the new sizes + 1, or 0 when a
  // record is unreadable or names an unsafe path. The stream is left at the first patch stream.
  uint64_t ReadRecords(TQXTStream& stream);

  const TUpgPackageHeader& Header() const { return header; }
  std::vector<TUpgFileRecord>& Records() { return records; }
  const std::vector<TUpgFileRecord>& Records() const { return records; }
  uint64_t Total() const { return total; }

 private:
  bool ReadRecord(TQXTStream& stream, TUpgFileRecord& record);

  TUpgPackageHeader header;
  std::vector<TUpgFileRecord> records;
  bool valid = false;
  uint64_t total = 0;
};

// Size and checksum of the rest of a stream, read in blocks of 512 bytes.
void ComputeUpgChecksum(TQXTStream& stream, TUpgFileInfo& info);
// Size, checksum and last-write time of a file; false when it cannot be opened or read.
bool ReadUpgFileInfo(const char* path, TUpgFileInfo& info);
