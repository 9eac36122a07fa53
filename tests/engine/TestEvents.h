// Small builders of engine events and buffers for the tests.
#pragma once
#include <initializer_list>
#include <memory>

#include "engine/EngineRecords.h"

inline TMidiEvent Short(int32_t tick, uint8_t status, uint8_t d1, uint8_t d2, uint8_t port = 0) {
  return {tick, {status, d1, d2, port}};
}
inline TMidiEvent Tempo(int32_t tick, uint32_t us) {
  return {tick, {uint8_t(us), uint8_t(us >> 8), uint8_t(us >> 16), kMidiEventTempo << 4}};
}
inline TMidiEvent Hold(int32_t tick, uint16_t steps) {
  return {tick, {uint8_t(steps), uint8_t(steps >> 8), 0, kMidiEventHold << 4}};
}
inline uint32_t Word(uint8_t status, uint8_t d1, uint8_t d2) {
  return status | d1 << 8 | d2 << 16;
}

inline std::unique_ptr<TSingleMidiBuf> Buffer(std::initializer_list<TMidiEvent> events) {
  auto b = std::make_unique<TSingleMidiBuf>();
  b->count = 0;
  for (const TMidiEvent& e : events) b->events[b->count++] = e;
  return b;
}
