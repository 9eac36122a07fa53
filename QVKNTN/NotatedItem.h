// The root of every staff item: its type code, visibility and colour, and the virtual operations
// through which walks apply items to the staff context, play them and follow repeats and jumps.
#pragma once
#include <cstddef>
#include <cstdint>
#include "QVKNTN/ItemPool.h"
#include "QVKNTN/NotationTypes.h"

class TStaffContext;
class TMidiEventSink;
struct TStaffItems;
class TMusicNote;
class TRestNote;
class TStaffDrawInfo;

class TNotatedItem {
 public:
  // Visibility (flag bits 0-1) and colour (bits 2-3).
  enum { visDefault = 0, visAlways = 1, visOnTopStaff = 2, visNever = 3 };

  TNotatedItem(const TNotatedItem&) = delete;
  TNotatedItem& operator=(const TNotatedItem&) = delete;
  virtual ~TNotatedItem();

  // Items come from the item pool: a large score holds close to a million of them. The virtual
  // destructor hands the sized delete the size of the whole item.
  static void* operator new(std::size_t size) { return ItemPoolAllocate(size); }
  static void operator delete(void* block, std::size_t size) { ItemPoolFree(block, size); }

  // The type code is stored rather than answered by a virtual: walks ask it of every item they
  // pass, several times over, and a large score holds close to a million items.
  int GetType() const { return fHead & kTypeMask; }
  // Copies visibility and colour; song notes copy their note fields too.
  virtual void CopyProps(const TNotatedItem& other);
  virtual int GetDefaultVisibility() const { return visAlways; }

  // Note heads carried by the item.
  virtual int GetNoteCount() const { return 0; }
  virtual TMusicNote* GetNote(int i) { return nullptr; }
  const TMusicNote* GetNote(int i) const { return const_cast<TNotatedItem*>(this)->GetNote(i); }
  virtual TRestNote* AsRest() { return nullptr; }
  virtual TMusicNote* FindNoteAtPosition(int position) { return nullptr; }

  // Kinds follow from the type code alone.
  bool IsNoteOrChord() const { return GetType() == ntNote || GetType() == ntChord; }
  bool IsSongNote() const { return IsNoteOrChord() || IsRest(); }
  virtual bool HasNotes() const { return GetNoteCount() > 0; }
  bool IsRest() const { return GetType() == ntRest || GetType() == ntRestChord; }
  bool IsExpression() const {
    return GetType() == ntPatch || GetType() == ntTempo || GetType() == ntDynamicLevel ||
           (GetType() >= ntSustainPedal && GetType() <= ntTextExpression);
  }

  // Vertical placement in staff positions; low is the smallest (highest on the staff).
  virtual int GetPosition() const { return 0; }
  virtual int GetLowPosition() const { return GetPosition(); }
  virtual int GetHighPosition() const { return GetPosition(); }
  virtual void SetPosition(int position) {}

  // Walks: the item's effect on the running context, its length, its MIDI events, and the index
  // playback goes on with (repeats and jumps answer something other than index + 1).
  virtual void UpdateContext(TStaffContext& context) const {}
  virtual int32_t GetDuration() const { return 0; }
  virtual void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {}
  virtual int Perform(TStaffContext& context, const TStaffItems& items, int index) const;
  virtual void ResolveAccidental(const TStaffContext& context, bool resolve) {}

  // Layout and drawing through the line that holds the item's cell: the lead width (from the
  // cell's left edge to the item's anchor), the space after it, and the item drawn at the cell's x.
  virtual int GetWidth(const TStaffDrawInfo& line, int cell) const;
  virtual int GetTrailingSpace(const TStaffDrawInfo& line, int cell) const { return 0; }
  virtual void Draw(TStaffDrawInfo& line, int cell, int x) const {}

  int GetVisibility() const { return GetFlags() & 3; }
  void SetVisibility(int visibility) { SetFlags(uint8_t((GetFlags() & ~3) | (visibility & 3))); }
  int GetColor() const { return (GetFlags() >> 2) & 3; }
  void SetColor(int color) { SetFlags(uint8_t((GetFlags() & ~0x0C) | ((color & 3) << 2))); }
  // Visibility and colour together (bits 0-3), for the item record.
  uint8_t GetFlags() const { return uint8_t((fHead >> kFlagsShift) & 0x0F); }
  void SetFlags(uint8_t flags) { fHead = uint16_t((fHead & ~kFlagsMask) | ((flags & 0x0F) << kFlagsShift)); }

 protected:
  explicit TNotatedItem(int type) : fHead(uint16_t(type & kTypeMask)) {}

  // Seven bits of the head word that no base field uses: a song note keeps its group byte there,
  // which makes a note as small as its pointer-sized header allows (16 bytes on x86-64).
  static constexpr int kSpareBits = 7;
  int GetSpareBits() const { return fHead >> kSpareShift; }
  void SetSpareBits(int bits) {
    fHead = uint16_t((fHead & ~kSpareMask) | ((bits & ((1 << kSpareBits) - 1)) << kSpareShift));
  }

 private:
  // The head word: type code (bits 0-4), visibility and colour (bits 5-8), spare bits (9-15).
  // A large score holds close to a million items, so every byte of an item counts.
  static constexpr uint16_t kTypeMask = 0x1F;
  static constexpr int kFlagsShift = 5;
  static constexpr uint16_t kFlagsMask = 0x0F << kFlagsShift;
  static constexpr int kSpareShift = 9;
  static constexpr uint16_t kSpareMask = uint16_t(0x7F << kSpareShift);
  static_assert(ntRestChord <= kTypeMask, "every type code fits the head word");

  uint16_t fHead;
};
