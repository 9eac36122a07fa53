// The package reader: header and records, the two flag layouts, and refusal of counts, texts
// and names that the applier must not trust; the file checksum.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "PackageBytes.h"
#include "installer/UpgradePackage.h"

namespace {

TEST(UpgPackage, ReadsHeaderAndRecordsAndTotalsNewSizes) {
  TBytes b;
  b.Header(18, 3, "My title", "What it does");
  b.U8(1 | (1 << 3) | (2 << 5)).Str("QVK32.EXE").Str("The editor").Info(0x11112222, 100, 0xABCD).Info(0x33334444, 120, 0x1234);
  b.U8(0).Str("docs\\new.txt").Str("").Info(5, 7, 9);
  b.U8(4).Str("OLD.DLL").Str("").Info(1, 2, 3);
  b.U8(0xEE);  // first byte of the patch streams
  auto s = ReadView(b.data);
  TUpgPackage package;
  ASSERT_TRUE(package.ReadHeader(s));
  EXPECT_STREQ(package.Header().title, "My title");
  EXPECT_STREQ(package.Header().description, "What it does");
  EXPECT_EQ(package.ReadRecords(s), 120u + 7u + 1u);
  ASSERT_EQ(package.Records().size(), 3u);
  const TUpgFileRecord& patch = package.Records()[0];
  EXPECT_EQ(patch.operation, TUpgOperation::Patch);
  EXPECT_EQ(patch.policyA, TUpgPolicy::Ask);
  EXPECT_EQ(patch.policyB, TUpgPolicy::Fatal);
  EXPECT_STREQ(patch.name, "QVK32.EXE");
  EXPECT_STREQ(patch.description, "The editor");
  EXPECT_EQ(patch.oldInfo.dosDateTime, 0x11112222u);
  EXPECT_EQ(patch.oldInfo.size, 100u);
  EXPECT_EQ(patch.newInfo.size, 120u);
  EXPECT_EQ(patch.newInfo.checksum, 0x1234);
  EXPECT_EQ(package.Records()[1].newInfo.size, 7u);
  EXPECT_EQ(package.Records()[2].oldInfo.checksum, 3);
  EXPECT_EQ(s.GetByte(), 0xEE);  // left at the patch streams
}

TEST(UpgPackage, FlagLayoutsOfBothRevisions) {
  struct Case { unsigned version, flags; TUpgOperation op; TUpgPolicy a, b; };
  const Case cases[] = {
      {17, 0x2A, TUpgOperation::Delete, TUpgPolicy::Fatal, TUpgPolicy::Fatal},
      {17, 0x01 | (1 << 2), TUpgOperation::Patch, TUpgPolicy::Ask, TUpgPolicy::Ignore},
      {17, 0x03 | (1 << 4), TUpgOperation::Check, TUpgPolicy::Ignore, TUpgPolicy::Ask},
      {18, 0x02 | (1 << 3) | (2 << 5), TUpgOperation::Replace, TUpgPolicy::Ask, TUpgPolicy::Fatal},
      {18, 0x04, TUpgOperation::Delete, TUpgPolicy::Ignore, TUpgPolicy::Ignore},
      {18, 0x07, TUpgOperation::Check, TUpgPolicy::Ignore, TUpgPolicy::Ignore},  // unknown: writes nothing
  };
  for (const Case& c : cases) {
    TUpgFileRecord r;
    DecodeUpgFlags(static_cast<uint8_t>(c.flags), static_cast<uint8_t>(c.version), r);
    EXPECT_EQ(r.operation, c.op) << c.version << " " << c.flags;
    EXPECT_EQ(r.policyA, c.a) << c.version << " " << c.flags;
    EXPECT_EQ(r.policyB, c.b) << c.version << " " << c.flags;
    if (c.version == 18 && c.op != TUpgOperation::Check) {
      EXPECT_EQ(EncodeUpgFlags(r), c.flags);
    }
  }
}

TEST(UpgPackage, InvalidHeadersAreRefused) {
  const std::string longTitle(81, 't');
  const std::string longText(8193, 'd');
  struct Case { const char* what; TBytes bytes; };
  Case cases[] = {
      {"newer revision", TBytes().Header(19, 0)},
      {"negative count", TBytes().Header(18, -1)},
      {"count over the slots", TBytes().Header(18, 10001)},
      {"title too long", TBytes().Header(18, 0, longTitle)},
      {"description too long", TBytes().Header(18, 0, "T", longText)},
      {"signature", TBytes().Raw("[QVUPX]").U8(0).U8(18).U16(0).Str("T").Str("D")},
      {"cut short", TBytes().Raw("[QVUPD]").U8(0).U8(18)},
      {"description unterminated", TBytes().Raw("[QVUPD]").U8(0).U8(18).U16(0).Str("T").Raw("abc")},
  };
  for (Case& c : cases) {
    auto s = ReadView(c.bytes.data);
    TUpgPackage package;
    EXPECT_FALSE(package.ReadHeader(s)) << c.what;
    EXPECT_EQ(package.ReadRecords(s), 0u) << c.what;
  }
  // The limits themselves are fine.
  TBytes atLimit;
  atLimit.Header(18, 0, std::string(80, 't'), std::string(8192, 'd'));
  auto s = ReadView(atLimit.data);
  TUpgPackage package;
  EXPECT_TRUE(package.ReadHeader(s));
  EXPECT_EQ(package.ReadRecords(s), 1u);
}

TEST(UpgPackage, UnreadableOrUnsafeRecordsAnswerZero) {
  struct Case { const char* what; TBytes records; int count; };
  Case cases[] = {
      {"count beyond the records", TBytes().U8(0).Str("a").Str("").Info(1, 2, 3), 2},
      {"old info cut short", TBytes().U8(3).Str("a").Str("").U32(1).U16(2), 1},
      {"name too long", TBytes().U8(0).Str(std::string(251, 'n')).Str("").Info(1, 2, 3), 1},
      {"description too long", TBytes().U8(0).Str("a").Str(std::string(81, 'd')).Info(1, 2, 3), 1},
      {"parent folder", TBytes().U8(0).Str("..\\WIN.INI").Str("").Info(1, 2, 3), 1},
      {"absolute path", TBytes().U8(4).Str("C:\\WINDOWS\\WIN.INI").Str("").Info(1, 2, 3), 1},
  };
  for (Case& c : cases) {
    TBytes b;
    b.Header(18, c.count);
    b.data.insert(b.data.end(), c.records.data.begin(), c.records.data.end());
    auto s = ReadView(b.data);
    TUpgPackage package;
    ASSERT_TRUE(package.ReadHeader(s)) << c.what;
    EXPECT_EQ(package.ReadRecords(s), 0u) << c.what;
    EXPECT_TRUE(package.Records().empty()) << c.what;
  }
}

TEST(UpgPackage, SafeNames) {
  const char* safe[] = {"a", "QVK32.EXE", "docs\\help\\x.txt", "a/b", "..x", "x..", "name with spaces.txt"};
  const char* unsafe[] = {"", "..", "..\\a", "a\\..\\..\\b", "a\\..", "\\WINDOWS\\x", "/etc/passwd", "C:\\x",
                          "C:x", "a\\\\b", "a\\", ".\\a", "file.txt:stream", "a\tb", "a*b", "\\\\server\\share\\x"};
  for (const char* n : safe) EXPECT_TRUE(IsSafeUpgName(n)) << n;
  for (const char* n : unsafe) EXPECT_FALSE(IsSafeUpgName(n)) << n;
}

TEST(UpgPackage, ChecksumOfBlocks) {
  auto sum = [](std::vector<unsigned char> bytes) {
    auto s = ReadView(bytes);
    TUpgFileInfo info;
    ComputeUpgChecksum(s, info);
    EXPECT_EQ(info.size, bytes.size());
    return info.checksum;
  };
  EXPECT_EQ(sum({0x41}), 0x0041);
  EXPECT_EQ(sum({0x41, 0x42}), 0x4142);
  EXPECT_EQ(sum({0x41, 0x42, 0x43}), 0x41 ^ 0x4200 ^ 0x43);
  EXPECT_EQ(sum({}), 0);
  // Positions count from the end of each 512-byte block: a 513th byte starts a block of one, so
  // it lands in the low half, while the 512th byte (block length 512, j = 511) lands low too.
  std::vector<unsigned char> b(513, 0);
  b[511] = 0x05;
  b[512] = 0x70;
  EXPECT_EQ(sum(b), 0x05 ^ 0x70);
  b[510] = 0x01;  // n - j == 2: high half
  EXPECT_EQ(sum(b), 0x05 ^ 0x70 ^ 0x0100);
}

}  // namespace
