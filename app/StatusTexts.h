// The texts of the status bar: every text stored with one leading blank and cut to its buffer,
// the hint split into status text and tooltip, the play clock and wall clock of the time pane,
// and the map from a hint id to its help topic.
#pragma once
#include <cstdarg>
#include <cstddef>
#include <cstdint>

constexpr std::size_t kStatusTextSize = 352;  // message pane: at most 350 characters after the blank
constexpr std::size_t kPaneTextSize = 256;    // panes: at most 254 characters after the blank
constexpr std::size_t kHintCopySize = 200;    // a hint is cut to 199 characters before it is split

// " " + the formatted text, cut so that blank, text and terminator fit `size` bytes.
void FormatPaneText(char* out, std::size_t size, const char* format, va_list args);
void FormatPaneTextF(char* out, std::size_t size, const char* format, ...);

// Splits a hint "status\ntooltip[\n...]" after cutting it to 199 characters: the status part
// goes to `status`, the part after the first line feed up to the next one to `tooltip`.
void SplitHint(const char* hint, char (&status)[kHintCopySize], char (&tooltip)[kHintCopySize]);

// Where a hint goes: the status part to the message pane; the tooltip part to the tooltip window
// only while a toolbar asks for a hint, a tooltip window exists and the hint has a tooltip part.
struct THintRoute {
  char status[kHintCopySize];
  char tooltip[kHintCopySize];
  bool toTooltip;
};
void RouteHint(const char* hint, int toolbarHintCount, bool haveTooltipWindow, THintRoute& route);

// The play-mode pane: "Rec" while playing and recording, "Play" while playing, else one blank.
const char* PlayModeText(bool playing, bool recording);

// "%d:%d:%02d" with hours, else "%d:%02d"; milliseconds are dropped.
void FormatClockTime(uint32_t ms, char* out, std::size_t size);
// "elapsed / total": total = length + 600 ms; elapsed = start position + (now - started), capped
// at the total. `playStart` is moved to `now` when the clock wrapped below it.
void FormatPlayTime(uint32_t lengthMs, uint32_t startPositionMs, uint32_t now, uint32_t& playStart, char* out,
                    std::size_t size);
// "%2d:%02d %s" in 12-hour form with AM or PM.
void FormatWallClock(int hour, int minute, char* out, std::size_t size);

// The help topic of a hint id (ids not in the table answer themselves).
int HelpContextForHint(int hintId);

// True when an auto-save pass is due: more than `minutes` minutes since `last` on a 32-bit
// millisecond clock that may have wrapped. 0 minutes: never.
bool IsAutoSaveDue(uint32_t now, uint32_t last, int minutes);
