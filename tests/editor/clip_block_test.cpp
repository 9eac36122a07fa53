// The private clipboard block and the edits behind Cut, Clear and Paste: a copy read back and
// pasted gives the same items; a block whose counts disagree, of a newer format, or too big for
// the staff is refused before anything is recorded; a block that breaks off part way pastes what
// it holds and its undo record takes out exactly that; the text of one item stays in its buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/TextExpression.h"
#include "editor/ClipBlock.h"
#include "editor/ScoreEditing.h"
#include "foundation/QXTFlatRamStream.h"
#include "resources/CommandIds.h"
#include "tests/editor/OneStaffScore.h"
#include "tests/staffutl/StaffText.h"

namespace {

using TClipFixture = TOneStaffScore;

std::vector<unsigned char> Block(TMusicStaff& staff, int first, int last) {
  std::vector<unsigned char> bytes(ClipBlockSize(staff, first, last));
  TQXTFlatRamStream out(bytes.data(), static_cast<uint32_t>(bytes.size()), 0);
  EXPECT_TRUE(WriteClipBlock(staff, first, last, out));
  return bytes;
}

TClipItems Read(std::vector<unsigned char>& bytes) {
  TQXTFlatRamStream in(bytes.data(), static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(bytes.size()));
  return ReadClipBlock(in);
}

void PutInt16(std::vector<unsigned char>& bytes, size_t at, int value) {
  bytes[at] = static_cast<unsigned char>(value & 0xFF);
  bytes[at + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

}  // namespace

TEST(ClipBlock, CopiedItemsPasteIntoAnotherStaffAndOverASelection) {
  TClipFixture from("e.@1 s@2 | h@-3 K2");
  std::vector<unsigned char> block = Block(from.Staff(), 1, 4);
  EXPECT_EQ(block[0], 4);
  EXPECT_EQ(block[1], 0);
  TClipItems clip = Read(block);
  EXPECT_EQ(clip.read, TClipRead::Whole);
  ASSERT_EQ(clip.items.size(), 4u);

  TClipFixture to("w | q@1 q@2");
  to.Select(3, 5);  // the two quarters
  ASSERT_EQ(PasteClipItems(to.edit, clip, CM_PASTE), TPasteResult::Pasted);
  EXPECT_EQ(to.Text(), "w | e.@1 s@2 | h@-3");
  // One Undo brings back the replaced selection.
  TUndoEffects effects;
  ASSERT_EQ(to.edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(to.Text(), "w | q@1 q@2");
  EXPECT_EQ(to.edit.GetSelectionStart(), 3);
  EXPECT_EQ(to.edit.GetSelectionEnd(), 4);
  ASSERT_EQ(to.edit.Redo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(to.Text(), "w | e.@1 s@2 | h@-3");
}

TEST(ClipBlock, ForeignBlocksAreRefusedBeforeAnyRecord) {
  TClipFixture from("q@1 q@2 q@3");
  // Each row damages a good block of three items.
  struct Case {
    const char* what;
    size_t at;
    int value;
  } cases[] = {
      {"leading count above the range's", 0, 7},
      {"leading count below the range's", 0, 2},
      {"negative counts", 0, -1},
      {"a newer format", 2, 99},
      {"counts beyond a staff", 0, 30000},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> block = Block(from.Staff(), 1, 3);
    PutInt16(block, c.at, c.value);
    if (c.at == 0 && c.value == -1) PutInt16(block, 4, -1);
    if (c.value == 30000) PutInt16(block, 4, 30000);
    TClipItems clip = Read(block);
    EXPECT_EQ(clip.read, TClipRead::Refused) << c.what;
    TClipFixture to("q q");
    EXPECT_EQ(PasteClipItems(to.edit, clip, CM_PASTE), TPasteResult::Refused) << c.what;
    EXPECT_EQ(to.undo.UndoCount(), 0) << c.what;
    EXPECT_EQ(to.Text(), "q q") << c.what;
  }
  // A block cut short before its counts.
  std::vector<unsigned char> stub = {3, 0, 16};
  EXPECT_EQ(Read(stub).read, TClipRead::Refused);
}

TEST(ClipBlock, ABlockBrokenPartWayPastesWhatItHoldsAndUndoTakesOutJustThat) {
  TClipFixture from("q@1 q@2 q@3 q@4");
  std::vector<unsigned char> whole = Block(from.Staff(), 1, 4);
  // Cut the block in the middle of the third item's record.
  const std::vector<unsigned char> two = Block(from.Staff(), 1, 2);
  std::vector<unsigned char> broken(whole.begin(), whole.begin() + static_cast<long>(two.size()) - 4 + 3);
  TClipItems clip = Read(broken);
  ASSERT_EQ(clip.read, TClipRead::Partial);
  ASSERT_EQ(clip.items.size(), 2u);

  TClipFixture to("w | h@-1 h@-2");
  to.Select(3, 5);
  ASSERT_EQ(PasteClipItems(to.edit, clip, CM_PASTE), TPasteResult::Partial);
  EXPECT_EQ(to.Text(), "w | q@1 q@2");
  TUndoEffects effects;
  ASSERT_EQ(to.edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(to.Text(), "w | h@-1 h@-2") << "the record counts the two items really pasted";
}

TEST(ClipBlock, APasteLargerThanTheStaffsRoomIsRefused) {
  TClipFixture from("q@1 q@2 q@3");
  std::vector<unsigned char> block = Block(from.Staff(), 1, 3);
  TClipFixture to("q");
  while (to.Staff().FreeItemSlots() > 2) to.Staff().AppendItem(new TMusicNote(0, 2));
  TClipItems clip = Read(block);
  const int before = to.Staff().ItemCount();
  EXPECT_EQ(PasteClipItems(to.edit, clip, CM_PASTE), TPasteResult::Refused);
  EXPECT_EQ(to.Staff().ItemCount(), before);
  EXPECT_EQ(to.undo.UndoCount(), 0);
  // With two items selected to be replaced there is room.
  to.Select(1, 3);
  clip = Read(block);
  EXPECT_EQ(PasteClipItems(to.edit, clip, CM_PASTE), TPasteResult::Pasted);
  EXPECT_EQ(to.Staff().FreeItemSlots(), 1);
}

TEST(ClipBlock, CutAndClearDeleteTheSelectionUnderTheirCommand) {
  for (int command : {CM_CUT, CM_CLEAR}) {
    TClipFixture f("q@1 q@2 | q@3");
    EXPECT_FALSE(DeleteSelectionRecorded(f.edit, command)) << "nothing selected";
    f.Select(2, 4);
    ASSERT_TRUE(DeleteSelectionRecorded(f.edit, command));
    EXPECT_EQ(f.Text(), "q@1 q@3");
    EXPECT_EQ(f.edit.GetCaretIndex(), 2);
    TUndoKind kind;
    int recorded;
    f.undo.PeekUndo(kind, recorded);
    EXPECT_EQ(kind, TUndoKind::Items);
    EXPECT_EQ(recorded, command);
    TUndoEffects effects;
    ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
    EXPECT_EQ(f.Text(), "q@1 q@2 | q@3");
  }
}

TEST(ClipBlock, TheTextOfOneItemStaysInItsBuffer) {
  TClipFixture f("q@1");
  char text[kClipTextSize];
  const size_t length = ClipItemText(f.Staff(), 1, text, sizeof text);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(std::strlen(text), length);
  EXPECT_EQ(text[0], '|');
  // A long text expression in a small buffer: cut at the buffer's end, still terminated, and
  // nothing written past it (the guard bytes stay).
  auto* words = new TTextExpression;
  words->SetText(std::string(200, 'x'));
  f.Staff().InsertItem(words, 2);
  char small[48 + 8];
  std::memset(small, '#', sizeof small);
  const size_t cut = ClipItemText(f.Staff(), 2, small, 48);
  EXPECT_EQ(cut, 47u);
  EXPECT_EQ(std::strlen(small), 47u);
  for (size_t i = 48; i < sizeof small; ++i) EXPECT_EQ(small[i], '#') << i;
  EXPECT_EQ(ClipItemText(f.Staff(), 0, small, 48), 0u) << "a sentinel has no text";
  EXPECT_EQ(small[0], 0);
}
