// The encodings every file format is built from: exact bytes out, the same values back, and
// the bounded, failing behaviour of truncated or oversized input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "foundation/QXTDecimalText.h"
#include "foundation/QXTSegRamStream.h"
#include "tests/streams/StreamBytes.h"

using namespace std::string_literals;

TEST(StreamEncoding, IntegersAreLittleEndianAndReadBackByTheirTwins) {
  TQXTSegRamStream s(16);
  s.WriteInt16(-2);
  s.WriteInt16(0x12345);  // only the low 16 bits
  s.WriteInt32(0x01020304);
  s.WriteInt32(-1);
  s.WriteBool(7);
  s.WriteBool(0);
  EXPECT_EQ(AllBytes(s), "\xFE\xFF\x45\x23\x04\x03\x02\x01\xFF\xFF\xFF\xFF\x01\x00"s);
  s.Rewind();
  EXPECT_EQ(s.ReadUInt16(), 65534);
  EXPECT_EQ(s.ReadUInt16(), 0x2345);
  EXPECT_EQ(s.ReadInt32(), 0x01020304);
  EXPECT_EQ(s.ReadInt32(), -1);
  EXPECT_TRUE(s.ReadBool());
  EXPECT_FALSE(s.ReadBool());
  EXPECT_FALSE(s.IsFailed());
}

TEST(StreamEncoding, OperatorsUseTheSameEncodings) {
  TQXTSegRamStream s(8);
  s << 'a' << static_cast<signed char>(-1) << static_cast<unsigned char>(2) << static_cast<int16_t>(-2)
    << static_cast<uint16_t>(3) << static_cast<int32_t>(-3) << static_cast<uint32_t>(4) << "hi";
  EXPECT_EQ(AllBytes(s), "a\xFF\x02\xFE\xFF\x03\x00\xFD\xFF\xFF\xFF\x04\x00\x00\x00hi\x00"s);
  s.Rewind();
  char c;
  signed char sc;
  unsigned char uc;
  int16_t i16;
  uint16_t u16;
  int32_t i32;
  uint32_t u32;
  s >> c >> sc >> uc >> i16 >> u16 >> i32 >> u32;
  EXPECT_EQ(c, 'a');
  EXPECT_EQ(sc, -1);
  EXPECT_EQ(uc, 2);
  EXPECT_EQ(i16, -2);
  EXPECT_EQ(u16, 3);
  EXPECT_EQ(i32, -3);
  EXPECT_EQ(u32, 4u);
  EXPECT_FALSE(s.IsFailed());
}

// A truncated file must not read as a complete value, even though Read itself answers a
// short count without failing on a file.
TEST(StreamEncoding, ShortIntegerReadsFail) {
  for (const std::string& bytes : {""s, "\x01"s, "\x01\x02\x03"s}) {
    ReadView v(bytes);
    if (bytes.size() < 2) {
      EXPECT_EQ(v.stream.ReadUInt16(), 0);
    } else {
      EXPECT_EQ(v.stream.ReadInt32(), 0);
    }
    EXPECT_TRUE(v.stream.IsFailed()) << bytes.size();
  }
}

TEST(StreamEncoding, NullAndEmptyStringsAreWrittenAlike) {
  TQXTSegRamStream s(8);
  s.WriteString(nullptr);
  s.WriteString("");
  s.WriteString("ab");
  EXPECT_EQ(AllBytes(s), "\0\0ab\0"s);
  s.Rewind();
  char buffer[8] = "zzzzzzz";
  s.ReadString(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(s.Tell(), 1u);
}

TEST(StreamEncoding, ReadStringKeepsWhatFitsAndConsumesTheRest) {
  ReadView v("abcdef\0g\0"s);
  char buffer[4];
  v.stream.ReadString(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(v.stream.Tell(), 7u);
  v.stream.ReadString(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "g");
  EXPECT_FALSE(v.stream.IsFailed());
  // At the end the failing GetByte ends the string.
  v.stream.ReadString(buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "");
  EXPECT_TRUE(v.stream.IsFailed());
}

TEST(StreamEncoding, ReadersWithoutRoomWriteNothingButStillConsume) {
  for (int size : {0, -1}) {
    ReadView v("abc\0de\r\nf"s);
    char guard[4] = {'x', 'x', 'x', 'x'};
    v.stream.ReadString(guard + 1, size);
    EXPECT_EQ(v.stream.Tell(), 4u);
    EXPECT_EQ(v.stream.ReadLine(guard + 1, size), 2);
    EXPECT_EQ(v.stream.Tell(), 8u);
    EXPECT_EQ(std::string(guard, 4), "xxxx");
  }
}

TEST(StreamEncoding, ReadLineSkipsCarriageReturnsAndCountsTheWholeLine) {
  ReadView v("ab\r\ncd"s);
  char buffer[8];
  EXPECT_EQ(v.stream.ReadLine(buffer, sizeof buffer), 2);
  EXPECT_STREQ(buffer, "ab");
  EXPECT_EQ(v.stream.ReadLine(buffer, sizeof buffer), 2);
  EXPECT_STREQ(buffer, "cd");

  ReadView w("a\rbcdefgh\n\r\n"s);
  char small[4];
  EXPECT_EQ(w.stream.ReadLine(small, sizeof small), 8);
  EXPECT_STREQ(small, "abc");
  EXPECT_EQ(w.stream.ReadLine(small, sizeof small), 0);
  EXPECT_STREQ(small, "");
  EXPECT_FALSE(w.stream.IsFailed());
}

TEST(StreamEncoding, PrintfWritesCrLfAndNoTerminator) {
  TQXTSegRamStream s(8);
  s.Printf("x\n");
  s.Printf("%d-%s\n", 42, "q");
  EXPECT_EQ(AllBytes(s), "x\r\n42-q\r\n"s);
}

TEST(StreamEncoding, PrintfIsCutAtItsBuffer) {
  TQXTSegRamStream s(64);
  const std::string longText(1000, 'y');
  s.Printf("%s\n", longText.c_str());
  EXPECT_EQ(AllBytes(s), std::string(TQXTStream::kPrintfBuffer - 1, 'y'));
}

struct FloatCase {
  float value;
  int digits;
  const char* text;
};

// Exact decimal expansion of the float, halves away from zero, the same bytes in every build.
TEST(StreamEncoding, WriteFloatBytes) {
  const float inf = std::numeric_limits<float>::infinity();
  const FloatCase cases[] = {
      {0.125f, 2, "0.13"},   {2.5f, 0, "3"},         {-2.5f, 0, "-3"},     {0.5f, 0, "1"},
      {1.5f, 0, "2"},        {0.25f, 1, "0.3"},      {-0.125f, 2, "-0.13"}, {0.375f, 2, "0.38"},
      {0.15f, 1, "0.2"},     {0.05f, 1, "0.1"},      {0.1f, 10, "0.1000000015"},
      {1.0f / 3, 6, "0.333333"}, {2.0f / 3, 3, "0.667"}, {9.995f, 2, "9.99"}, {9.9951f, 2, "10.00"},
      {99.5f, 0, "100"},     {0.0f, 2, "0.00"},      {-0.0f, 2, "-0.00"},  {-0.001f, 2, "-0.00"},
      {120.0f, 0, "120"},    {3.0f, 1, "3.0"},       {1e10f, 3, "10000000000.000"},
      {16777216.0f, 2, "16777216.00"}, {1.5f, -1, "1.500000"}, {1e-45f, 3, "0.000"},
      {std::numeric_limits<float>::max(), 0, "340282346638528859811704183484516925440"},
      // Too long for the text: decimals give way, the integer digits never do.
      {std::numeric_limits<float>::max(), 4, "340282346638528859811704183484516925440"},
      {-std::numeric_limits<float>::max(), 2, "-340282346638528859811704183484516925440"},
      {1.5f, 100, "1.50000000000000000000000000000000000000"},
      {inf, 2, "inf"},       {-inf, 2, "-inf"},      {std::nanf(""), 2, "nan"},
  };
  for (const FloatCase& c : cases) {
    TQXTSegRamStream s(16);
    s.WriteFloat(c.value, c.digits);
    EXPECT_EQ(AllBytes(s), std::string(c.text) + '\0') << c.value << " at " << c.digits;
  }
}

TEST(StreamEncoding, ReadFloatScansIntoTheNearestFloat) {
  struct ScanCase {
    const char* text;
    uint32_t bits;
  };
  const ScanCase cases[] = {
      {"0.1", 0x3DCCCCCD},
      {"  -2.5", 0xC0200000},
      {"1e3", 0x447A0000},
      {"340282346638528859811704183484516925440", 0x7F7FFFFF},
      // Just above the midpoint between 1 and the next float: a detour through double rounds
      // to 1; the nearest float is the next one up.
      {"1.0000000596046447753906251", 0x3F800001},
      {"1.000000059604644775390625", 0x3F800000},  // the midpoint itself: to even
      {"inf", 0x7F800000},
      {"junk", 0x00000000},
      {"", 0x00000000},
  };
  for (const ScanCase& c : cases) {
    ReadView v(std::string(c.text) + '\0');
    const float f = v.stream.ReadFloat();
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    EXPECT_EQ(bits, c.bits) << c.text;
  }
}

TEST(StreamEncoding, EveryWrittenFloatReadsBack) {
  const float values[] = {0.0f, 1.0f, -1.0f, 0.1f, 123.456f, -98765.4321f, 1e-3f, 3.0e38f,
                          -std::numeric_limits<float>::max()};
  for (float value : values) {
    TQXTSegRamStream s(16);
    s.WriteFloat(value, 6);
    s.Rewind();
    const float back = s.ReadFloat();
    char expected[64];
    QXTFormatFixed(value, 6, expected, sizeof expected);
    EXPECT_EQ(back, std::strtof(expected, nullptr)) << value;
    EXPECT_FALSE(s.IsFailed());
  }
}

TEST(StreamEncoding, CopyFromRewindsTheSourceAndCopiesEverything) {
  TQXTSegRamStream source(1000);
  std::string bytes;
  for (int i = 0; i < 70000; ++i) bytes += static_cast<char>(i * 7);
  source.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  TQXTSegRamStream target(4096);
  target.CopyFrom(source);
  EXPECT_EQ(AllBytes(target), bytes);
  EXPECT_FALSE(target.IsFailed());
}

TEST(StreamEncoding, CopyBytesFromStopsAtTheCountTheSourceOrAFullTarget) {
  std::string bytes(70000, 'q');
  ReadView source(bytes);
  source.stream.Seek(5);
  TQXTSegRamStream target(4096);
  EXPECT_EQ(target.CopyBytesFrom(source.stream, 64001), 64001u);
  EXPECT_EQ(source.stream.Tell(), 64006u);
  EXPECT_EQ(target.CopyBytesFrom(source.stream, 10000), 5994u);  // source runs out

  ReadView again(bytes);
  unsigned char room[100];
  TQXTFlatRamStream full(room, sizeof room, 0);
  EXPECT_EQ(full.CopyBytesFrom(again.stream, 50000), 32000u);
  EXPECT_TRUE(full.IsFailed());
}

TEST(StreamEncoding, ReserveFillsWithZerosAndRewinds) {
  TQXTSegRamStream s(4);
  s.WriteString("abcdefgh");
  s.Reserve(5);
  EXPECT_EQ(s.Size(), 5u);
  EXPECT_EQ(s.Tell(), 0u);
  EXPECT_EQ(AllBytes(s), std::string(5, '\0'));
}

TEST(StreamEncoding, TheBaseStreamFailsEveryStorageOperation) {
  TQXTStream s;
  EXPECT_FALSE(s.IsFailed());
  s.PutByte(1);
  EXPECT_TRUE(s.IsFailed());
  s.Rewind();  // clears the flag, and the base Seek sets it again
  EXPECT_TRUE(s.IsFailed());
  unsigned char b[3];
  EXPECT_EQ(s.Read(b, 3), 0u);
  EXPECT_EQ(s.Size(), 0u);
  EXPECT_EQ(s.Tell(), 0u);
}

// Against the C runtime's exact conversion: away from exact halves, where the two rounding rules
// agree, every float of every magnitude must give the runtime's text.
TEST(StreamEncoding, FixedTextAgreesWithAnExactRuntimeAwayFromHalves) {
  uint32_t x = 2463534242u;
  int compared = 0;
  for (int i = 0; i < 20000; ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    uint32_t bits = x;
    if (((bits >> 23) & 0xFF) == 0xFF) continue;  // inf and nan have their own case above
    const int exponent = static_cast<int>((bits >> 23) & 0xFF);
    if (i % 2 == 0) bits = (bits & 0x807FFFFF) | (static_cast<uint32_t>(100 + exponent % 60) << 23);  // mostly ordinary sizes
    float f;
    std::memcpy(&f, &bits, 4);
    const int digits = i % 9;
    char exact[400];
    std::snprintf(exact, sizeof exact, "%.160f", static_cast<double>(f));
    const char* point = std::strchr(exact, '.');
    ASSERT_NE(point, nullptr);
    bool tie = point[1 + digits] == '5';
    for (const char* p = point + 2 + digits; *p != '\0' && tie; ++p) tie = *p == '0';
    if (tie) continue;
    char expected[400];
    std::snprintf(expected, sizeof expected, "%.*f", digits, static_cast<double>(f));
    if (std::strlen(expected) > static_cast<size_t>(kQXTFixedTextMax)) continue;
    char text[64];
    QXTFormatFixed(f, digits, text, sizeof text);
    ASSERT_STREQ(text, expected) << bits << " at " << digits;
    ++compared;
  }
  EXPECT_GT(compared, 15000);
}
