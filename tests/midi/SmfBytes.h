// Standard MIDI File bytes built by hand for tests: a header and track chunks whose lengths are
// filled in, or left as given to make damaged files.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

inline void PutBig(TBytes& b, uint32_t v, int n) {
  for (int i = n - 1; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
}

inline TBytes SmfHeader(int format, int tracks, int division, uint32_t length = 6) {
  TBytes b = {'M', 'T', 'h', 'd'};
  PutBig(b, length, 4);
  PutBig(b, uint32_t(format), 2);
  PutBig(b, uint32_t(tracks), 2);
  PutBig(b, uint32_t(division), 2);
  return b;
}

// A track chunk around the body; `length` overrides the true length.
inline TBytes SmfTrack(const TBytes& body, int64_t length = -1) {
  TBytes b = {'M', 'T', 'r', 'k'};
  PutBig(b, uint32_t(length < 0 ? int64_t(body.size()) : length), 4);
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

inline TBytes Cat(std::initializer_list<TBytes> parts) {
  TBytes all;
  for (const TBytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

inline TBytes Meta(uint8_t type, const std::string& payload, uint8_t delta = 0) {
  TBytes b = {delta, 0xFF, type, uint8_t(payload.size())};
  for (char c : payload) b.push_back(uint8_t(c));
  return b;
}

inline TBytes EndOfTrack() { return {0x00, 0xFF, 0x2F, 0x00}; }
