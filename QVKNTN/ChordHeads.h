// The heads of a chord, highest first, and how they stand beside the stem: a compact array from
// the item pool (one pointer and two 16-bit counts) instead of a standard vector, since a large
// score holds a chord for every few notes and each vector would cost a third of its chord.
#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>

class TMusicNote;

class TChordHeads {
 public:
  // The counts are 16-bit; no chord comes near this (one head per staff position and a unison).
  static constexpr std::size_t kMostHeads = 0xFFFF;

  using iterator = TMusicNote**;
  using const_iterator = TMusicNote* const*;
  using reverse_iterator = std::reverse_iterator<iterator>;

  TChordHeads() = default;
  TChordHeads(const TChordHeads&) = delete;
  TChordHeads& operator=(const TChordHeads&) = delete;
  // Frees the array only: the chord deletes its heads.
  ~TChordHeads();

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  bool full() const { return size_ == kMostHeads; }
  TMusicNote* operator[](std::size_t i) const { return heads_[i]; }
  TMusicNote* front() const { return heads_[0]; }
  TMusicNote* back() const { return heads_[size_ - 1]; }
  iterator begin() { return heads_; }
  iterator end() { return heads_ + size_; }
  const_iterator begin() const { return heads_; }
  const_iterator end() const { return heads_ + size_; }
  reverse_iterator rbegin() { return reverse_iterator(end()); }
  reverse_iterator rend() { return reverse_iterator(begin()); }

  // False, with nothing changed, when the array is full; the pool's std::bad_alloc passes through.
  bool insert(iterator at, TMusicNote* head);
  void erase(iterator at);
  void reserve(std::size_t n);
  // Replaces the heads with [first, last); false, with nothing changed, when they do not fit.
  bool assign(const_iterator first, const_iterator last);

  // The chord's head arrangement byte (plain or with seconds): kept here, where the array's
  // alignment would leave a byte unused anyway.
  uint8_t arrangement() const { return arrangement_; }
  void set_arrangement(uint8_t b) { arrangement_ = b; }

 private:
  bool Grow(std::size_t least);

  TMusicNote** heads_ = nullptr;
  uint16_t size_ = 0;
  uint16_t capacity_ = 0;
  uint8_t arrangement_ = 0;
};
