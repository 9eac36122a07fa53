#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/QVBoolArray.h"
#include "foundation/QVMemoryBlock.h"
#include "foundation/QVMultiField.h"

TEST(MemoryBlock, ConstructResizeAndDetach) {
  TQVMemoryBlock zero(16);
  ASSERT_EQ(zero.GetSize(), 16u);
  for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(static_cast<char*>(zero.GetData())[i], 0);

  TQVMemoryBlock text("abc");
  EXPECT_EQ(text.GetSize(), 4u);
  EXPECT_STREQ(text.GetText(), "abc");

  TQVMemoryBlock copy(text);
  text.SetString("xyz");
  EXPECT_STREQ(copy.GetText(), "abc") << "the copy owns its own bytes";

  copy.Resize(8);
  EXPECT_STREQ(copy.GetText(), "abc");
  EXPECT_EQ(copy.GetText()[7], 0);
  copy.Resize(2);
  EXPECT_EQ(std::string(copy.GetText(), 2), "ab");
  copy.Resize(0);
  EXPECT_EQ(copy.GetData(), nullptr);

  TQVMemoryBlock grow(2);
  grow.SetString("longer text");
  EXPECT_STREQ(grow.GetText(), "longer text");
  grow.SetString(nullptr);
  EXPECT_EQ(grow.GetText()[0], 0);

  void* detached = grow.Detach();
  EXPECT_EQ(grow.GetData(), nullptr);
  EXPECT_EQ(grow.GetSize(), 0u);
  std::free(detached);

  TQVMemoryBlock assigned;
  assigned = text;
  EXPECT_STREQ(assigned.GetText(), "xyz");
}

static std::string Bits(const TQVBoolArray& a) {
  std::string s;
  for (int i = 0; i < a.GetCount(); ++i) s += a.GetBit(i) ? '1' : '0';
  return s;
}

static TQVBoolArray FromBits(const char* bits) {
  TQVBoolArray a(static_cast<int>(std::strlen(bits)));
  for (int i = 0; bits[i]; ++i) a.SetBit(i, bits[i] == '1');
  return a;
}

TEST(BoolArray, LayoutAndBufferSize) {
  TQVBoolArray a(255);
  EXPECT_EQ(a.GetBytes().size(), 32u + 0u);  // b = 32, 32 + 32 % 4
  TQVBoolArray b(9);
  EXPECT_EQ(b.GetBytes().size(), 4u);        // b = 2, 2 + 2
  b.SetBit(8, true);
  EXPECT_EQ(b.GetBytes()[1], 1);
  b.SetBit(9, true);                         // outside: ignored
  EXPECT_FALSE(b.GetBit(9));
  EXPECT_FALSE(b.GetBit(-1));
}

TEST(BoolArray, InsertRemoveAndSearch) {
  TQVBoolArray a = FromBits("101");
  a.RemoveBit(0);
  EXPECT_EQ(Bits(a), "011") << "the last bit keeps its value";
  a.RemoveBit(2);
  EXPECT_EQ(Bits(a), "010") << "removing the last bit clears it";

  TQVBoolArray b = FromBits("1101");
  b.InsertBit(1, false);
  EXPECT_EQ(Bits(b), "1010") << "the last bit is lost";
  EXPECT_EQ(b.FirstSet(), 0);
  EXPECT_EQ(b.LastSet(), 2);
  EXPECT_EQ(b.CountBits(true), 2);
  EXPECT_EQ(b.CountBits(false), 2);
  b.SetAll(false);
  EXPECT_EQ(b.FirstSet(), -1);
  EXPECT_EQ(b.LastSet(), -1);
}

TEST(BoolArray, EqualityAndAssignSeeOnlyRealBits) {
  TQVBoolArray a(10), b(10);
  a.SetAll(true);
  for (int i = 0; i < 10; ++i) b.SetBit(i, true);
  EXPECT_TRUE(a.IsEqual(b)) << "SetAll leaves the bits past the count clear";
  EXPECT_EQ(a.CountBits(true), 10);

  TQVBoolArray wide(64), narrow(10);
  wide.SetAll(true);
  narrow.Assign(wide);
  EXPECT_EQ(narrow.GetCount(), 10);
  EXPECT_TRUE(narrow.IsEqual(a));
  EXPECT_FALSE(narrow.IsEqual(TQVBoolArray(11)));

  TQVBoolArray target(64);
  target.SetAll(true);
  target.Assign(FromBits("1"));
  EXPECT_EQ(target.CountBits(true), 1) << "bytes the source lacks are cleared";
}

static std::string Fields(const TQVMultiField& m) {
  std::string s;
  for (int i = 0; i < m.GetCount(); ++i) s += std::string(i ? "|" : "") + m.GetField(i);
  return s;
}

TEST(MultiField, InitSetAndInsert) {
  TQVMultiField m(3, 0);
  EXPECT_EQ(m.GetBufferSize(), 8u) << "at least count * 2 + 2 bytes";
  EXPECT_EQ(m.GetUsedSize(), 3u);
  EXPECT_EQ(Fields(m), "||");

  m.SetField(1, "middle");
  m.SetField(0, "first");
  m.SetField(2, "last");
  EXPECT_EQ(Fields(m), "first|middle|last");
  m.SetField(1, "m");
  EXPECT_EQ(Fields(m), "first|m|last");
  EXPECT_EQ(m.GetUsedSize(), 13u);

  m.InsertField(0, "zero");
  m.InsertField(-1, "end");
  m.InsertField(99, nullptr);
  m.InsertField(2, "two");
  EXPECT_EQ(Fields(m), "zero|first|two|m|last|end|");

  m.SetField(0, m.GetField(4));
  EXPECT_EQ(Fields(m), "last|first|two|m|last|end|") << "a field copied from the same buffer";
}

TEST(MultiField, IndexesOutsideAreChecked) {
  TQVMultiField m(2, 10);
  EXPECT_STREQ(m.GetField(-1), "");
  EXPECT_STREQ(m.GetField(2), "");
  EXPECT_FALSE(m.SetField(2, "x"));
  EXPECT_FALSE(m.SetField(-1, "x"));
  EXPECT_EQ(Fields(m), "|");
}

TEST(MultiField, GrowStepRoundsReservations) {
  TQVMultiField m(1, 0);
  m.SetGrowStep(16);
  m.SetField(0, "a text longer than four bytes");
  EXPECT_EQ(m.GetBufferSize() % 16, 0u);
  EXPECT_GE(m.GetBufferSize(), m.GetUsedSize());
  m.SetGrowStep(0);
  EXPECT_EQ(m.GetGrowStep(), 1);
}

TEST(MultiField, SplitString) {
  TQVMultiField m(3, 0);
  m.SplitString("a,b", ',');
  EXPECT_EQ(Fields(m), "a|b|");
  m.SplitString("a,b,c,d", ',');
  EXPECT_EQ(Fields(m), "a|b|c");
  m.SplitString(nullptr, ',');
  EXPECT_EQ(Fields(m), "||");
  m.SplitString("whole", '\0');
  EXPECT_EQ(Fields(m), "whole||");
}
