#include "app/StatusTexts.h"

#include <cstdio>
#include <cstring>

#include "QVKNTN/EditorLine.h"

void FormatPaneText(char* out, std::size_t size, const char* format, va_list args) {
  if (size == 0) return;
  out[0] = '\0';
  if (size < 3) return;
  out[0] = ' ';
  std::vsnprintf(out + 1, size - 1, format ? format : "", args);
}

void FormatPaneTextF(char* out, std::size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatPaneText(out, size, format, args);
  va_end(args);
}

void SplitHint(const char* hint, char (&status)[kHintCopySize], char (&tooltip)[kHintCopySize]) {
  std::snprintf(status, sizeof status, "%s", hint ? hint : "");
  tooltip[0] = '\0';
  char* lf = std::strchr(status, '\n');
  if (!lf) return;
  *lf = '\0';
  const char* tip = lf + 1;
  const char* end = std::strchr(tip, '\n');
  const std::size_t n = end ? static_cast<std::size_t>(end - tip) : std::strlen(tip);
  std::memcpy(tooltip, tip, n);
  tooltip[n] = '\0';
}

void RouteHint(const char* hint, int toolbarHintCount, bool haveTooltipWindow, THintRoute& route) {
  SplitHint(hint, route.status, route.tooltip);
  char copy[kHintCopySize];
  std::snprintf(copy, sizeof copy, "%s", hint ? hint : "");
  const bool hasTooltipPart = std::strchr(copy, '\n') != nullptr;
  route.toTooltip = toolbarHintCount > 0 && haveTooltipWindow && hasTooltipPart;
}

const char* PlayModeText(bool playing, bool recording) {
  if (!playing) return " ";
  return recording ? "Rec" : "Play";
}

void FormatClockTime(uint32_t ms, char* out, std::size_t size) {
  const unsigned hours = ms / 3600000u;
  const unsigned minutes = ms / 60000u % 60u;
  const unsigned seconds = ms / 1000u % 60u;
  if (hours != 0) {
    std::snprintf(out, size, "%u:%u:%02u", hours, minutes, seconds);
  } else {
    std::snprintf(out, size, "%u:%02u", minutes, seconds);
  }
}

void FormatPlayTime(uint32_t lengthMs, uint32_t startPositionMs, uint32_t now, uint32_t& playStart, char* out,
                    std::size_t size) {
  if (now < playStart) playStart = now;
  const uint32_t total = lengthMs + 600u;
  uint32_t elapsed = startPositionMs + (now - playStart);
  if (elapsed > total) elapsed = total;
  char a[32], b[32];
  FormatClockTime(elapsed, a, sizeof a);
  FormatClockTime(total, b, sizeof b);
  std::snprintf(out, size, "%s / %s", a, b);
}

void FormatWallClock(int hour, int minute, char* out, std::size_t size) {
  const char* half = hour >= 12 ? "PM" : "AM";
  if (hour >= 12) hour -= 12;
  if (hour == 0) hour = 12;
  std::snprintf(out, size, "%2d:%02d %s", hour, minute, half);
}

namespace {

struct THelpRange {
  int first, last, context;
};

constexpr THelpRange kHelpContexts[] = {
    {193, 204, 192}, {206, 206, 192}, {228, 229, 192}, {226, 227, 223}, {590, 590, 223}, {529, 529, 15},
    {530, 530, 210}, {531, 531, 11},  {532, 532, 16},  {533, 533, 3},   {575, 580, 3},   {543, 543, 211},
    {591, 591, 211}, {545, 545, 64},  {546, 546, 20304}, {547, 547, 36}, {569, 569, 36}, {551, 551, 528},
    {552, 552, 66},  {553, 553, 73},  {555, 557, 37},  {562, 562, 38},  {566, 568, 208}, {593, 593, 208},
    {595, 595, 208}, {598, 598, 208}, {570, 570, 50},  {572, 573, 2},   {584, 584, 221}, {589, 589, 219},
    {601, 601, 224}, {607, 607, 30},
};

// The earlier line: every item dialog leads to its Insert command's topic, the import dialogs to
// Import, and both transpose dialogs to Transpose Staff.
constexpr THelpRange kEarlierHelpContexts[] = {
    {193, 204, 192}, {206, 206, 192}, {529, 529, 15},  {530, 530, 210}, {531, 531, 11},  {532, 532, 16},
    {533, 533, 9},   {575, 580, 9},   {534, 534, 146}, {535, 535, 145}, {536, 536, 147}, {537, 537, 148},
    {538, 538, 149}, {539, 539, 144}, {540, 540, 150}, {541, 541, 152}, {542, 542, 151}, {543, 543, 211},
    {591, 591, 211}, {545, 545, 64},  {546, 546, 20304}, {547, 547, 36}, {569, 569, 36}, {548, 548, 157},
    {549, 549, 158}, {550, 550, 12},  {551, 551, 528}, {552, 553, 66},  {555, 557, 37},  {558, 558, 153},
    {559, 559, 154}, {560, 560, 155}, {561, 561, 156}, {562, 562, 38},  {566, 568, 208}, {593, 593, 208},
    {595, 595, 208}, {598, 598, 208}, {570, 570, 50},  {572, 573, 2},   {584, 584, 221}, {586, 589, 219},
    {590, 590, 223},
};

}  // namespace

int HelpContextForHint(int hintId) {
  auto find = [hintId](const auto& table) {
    for (const THelpRange& r : table) {
      if (hintId >= r.first && hintId <= r.last) return r.context;
    }
    return hintId;
  };
  return kEarlierLine ? find(kEarlierHelpContexts) : find(kHelpContexts);
}

bool IsAutoSaveDue(uint32_t now, uint32_t last, int minutes) {
  if (minutes <= 0) return false;
  // The difference, not a sum compared with now, so a clock that wrapped in between still counts.
  return now - last > static_cast<uint32_t>(minutes) * 60000u;
}
