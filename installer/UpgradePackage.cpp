#include "installer/UpgradePackage.h"

#include <cstring>

#include "foundation/QXTFStream.h"
#include "foundation/QXTStream.h"

const char kUpgSignature[8] = {'[', 'Q', 'V', 'U', 'P', 'D', ']', '\0'};

bool TUpgFileRecord::HasOldInfo() const {
  return operation == TUpgOperation::Patch || operation == TUpgOperation::Check ||
         operation == TUpgOperation::Delete;
}

bool TUpgFileRecord::HasNewInfo() const {
  return operation == TUpgOperation::Add || operation == TUpgOperation::Patch ||
         operation == TUpgOperation::Replace;
}

static TUpgPolicy PolicyOf(unsigned bits) {
  // The fourth value of a two-bit field has no meaning of its own; the strictest is safest.
  return bits >= 2 ? TUpgPolicy::Fatal : static_cast<TUpgPolicy>(bits);
}

void DecodeUpgFlags(uint8_t flags, uint8_t version, TUpgFileRecord& record) {
  unsigned operation;
  if (version >= kUpgWideOperationVersion) {
    operation = flags & 7;
    record.policyA = PolicyOf((flags >> 3) & 3);
    record.policyB = PolicyOf((flags >> 5) & 3);
  } else {
    operation = flags & 3;
    if (operation == 2) operation = 4;  // the narrow field had no replace: 2 was delete
    record.policyA = PolicyOf((flags >> 2) & 3);
    record.policyB = PolicyOf((flags >> 4) & 3);
  }
  // Operations 5-7 are unknown; treating them as a check writes nothing.
  record.operation = operation <= 4 ? static_cast<TUpgOperation>(operation) : TUpgOperation::Check;
}

uint8_t EncodeUpgFlags(const TUpgFileRecord& record) {
  return static_cast<uint8_t>(static_cast<unsigned>(record.operation) | (static_cast<unsigned>(record.policyA) << 3) |
                              (static_cast<unsigned>(record.policyB) << 5));
}

bool IsSafeUpgName(const char* name) {
  if (!name || !name[0]) return false;
  if (name[0] == '\\' || name[0] == '/') return false;
  const char* part = name;
  for (const char* p = name;; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '\\' || c == '/' || c == '\0') {
      const size_t length = static_cast<size_t>(p - part);
      if (length == 0) return false;  // "a\\b" or a trailing separator
      if (length == 2 && part[0] == '.' && part[1] == '.') return false;
      if (length == 1 && part[0] == '.') return false;
      if (c == '\0') return true;
      part = p + 1;
      continue;
    }
    if (c < 32 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') return false;
  }
}

bool ReadBoundedString(TQXTStream& stream, char* buffer, int max) {
  for (int stored = 0;; ++stored) {
    const char c = static_cast<char>(stream.GetByte());
    if (stream.IsFailed()) {
      buffer[stored] = '\0';
      return false;
    }
    if (c == '\0') {
      buffer[stored] = '\0';
      return true;
    }
    if (stored == max) {
      buffer[stored] = '\0';
      stream.SetFail();
      return false;
    }
    buffer[stored] = c;
  }
}

bool TUpgPackage::ReadHeader(TQXTStream& stream) {
  valid = false;
  records.clear();
  total = 0;
  unsigned char fixed[11];
  if (stream.Read(fixed, sizeof fixed) != sizeof fixed) stream.SetFail();
  if (stream.IsFailed()) return false;
  std::memcpy(header.signature, fixed, 8);
  header.version = fixed[8];
  header.fileCount = static_cast<int16_t>(fixed[9] | (fixed[10] << 8));
  if (!ReadBoundedString(stream, header.title, TUpgPackageHeader::kTitleMax)) return false;
  if (!ReadBoundedString(stream, header.description, TUpgPackageHeader::kDescriptionMax)) return false;
  if (std::memcmp(header.signature, kUpgSignature, sizeof kUpgSignature) != 0) return false;
  if (header.version > kUpgNewestVersion) return false;
  if (header.fileCount < 0 || header.fileCount > TUpgPackageHeader::kFileCountMax) return false;
  valid = !stream.IsFailed();
  return valid;
}

static bool ReadFileInfo(TQXTStream& stream, TUpgFileInfo& info) {
  info.dosDateTime = static_cast<uint32_t>(stream.ReadInt32());
  info.size = static_cast<uint32_t>(stream.ReadInt32());
  info.checksum = stream.ReadUInt16();
  return !stream.IsFailed();
}

bool TUpgPackage::ReadRecord(TQXTStream& stream, TUpgFileRecord& record) {
  const uint8_t flags = stream.GetByte();
  if (stream.IsFailed()) return false;
  DecodeUpgFlags(flags, header.version, record);
  if (!ReadBoundedString(stream, record.name, TUpgFileRecord::kNameMax)) return false;
  if (!ReadBoundedString(stream, record.description, TUpgFileRecord::kDescriptionMax)) return false;
  if (!IsSafeUpgName(record.name)) return false;
  if (record.HasOldInfo() && !ReadFileInfo(stream, record.oldInfo)) return false;
  if (record.HasNewInfo() && !ReadFileInfo(stream, record.newInfo)) return false;
  return true;
}

uint64_t TUpgPackage::ReadRecords(TQXTStream& stream) {
  records.clear();
  total = 0;
  if (!valid) return 0;
  // Records are added as they are read, so a count the package cannot back costs nothing.
  uint64_t sum = 0;
  for (int i = 0; i < header.fileCount; ++i) {
    TUpgFileRecord record;
    if (!ReadRecord(stream, record)) {
      records.clear();
      return 0;
    }
    if (record.HasNewInfo()) sum += record.newInfo.size;
    records.push_back(record);
  }
  total = sum + 1;
  return total;
}

void ComputeUpgChecksum(TQXTStream& stream, TUpgFileInfo& info) {
  unsigned char block[512];
  uint32_t size = 0;
  uint16_t sum = 0;
  for (;;) {
    const uint32_t n = stream.Read(block, sizeof block);
    for (uint32_t j = 0; j < n; ++j) sum ^= ((n - j) & 1) ? block[j] : static_cast<uint16_t>(block[j] << 8);
    size += n;
    if (n < sizeof block) break;
  }
  info.size = size;
  info.checksum = sum;
}

bool ReadUpgFileInfo(const char* path, TUpgFileInfo& info) {
  info = TUpgFileInfo();
  TQXTFStream file;
  if (!file.Open(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path)) return false;
  if (!file.GetDosDateTime(info.dosDateTime)) return false;
  ComputeUpgChecksum(file, info);
  return file.Size() == info.size;
}
