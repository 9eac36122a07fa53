// Small helpers the expressions share to put their events into a sink.
#pragma once
#include <cstdint>

class TStaffContext;
class TMidiEventSink;

// A controller change on the context's channel and port; values outside 0..127 are clamped.
void NtnSendController(const TStaffContext& context, TMidiEventSink& sink, int32_t tick, int controller, int value);
// A tempo change; a tempo below 1 is sent as 1 so that no tempo of 0 reaches a division.
void NtnSendTempo(TMidiEventSink& sink, int32_t tick, int beatsPerMinute);
// Calls send(tick, value) for value = from, from +- 1, .., to spread evenly over length ticks from
// start, skipping a step whose tick does not advance. Nothing when length <= 0 or from == to.
template <class Send>
void NtnSweepBySteps(int32_t start, int32_t length, int from, int to, Send send) {
  if (length <= 0 || from == to) return;
  const int steps = from < to ? to - from : from - to;
  const int dir = from < to ? 1 : -1;
  int32_t last = start - 1;
  for (int i = 0; i <= steps; ++i) {
    const int32_t tick = start + int32_t(double(i) * length / steps);
    if (tick <= last) continue;
    if (tick > start + length) break;
    send(tick, from + dir * i);
    last = tick;
  }
}
