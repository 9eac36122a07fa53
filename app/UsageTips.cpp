#include "app/UsageTips.h"

#include <cstring>

namespace {

const char kNewTip[] = "!newtip";
const char kHelpKey[] = "help=";

}  // namespace

bool IsNewTipLine(const char* line) { return std::strncmp(line, kNewTip, sizeof kNewTip - 1) == 0; }

bool TUsageTips::NextLine(size_t& at, char* line, size_t room) const {
  if (at >= bytes_.size()) return false;
  size_t stored = 0;
  while (at < bytes_.size()) {
    const char c = bytes_[at++];
    if (c == '\n') break;
    if (c == '\r') continue;
    if (stored + 1 < room) line[stored++] = c;
  }
  line[stored] = '\0';
  return true;
}

void TUsageTips::Load(std::string bytes) {
  bytes_ = std::move(bytes);
  count_ = 0;
  size_t at = 0;
  char line[kCountLineRoom];
  while (count_ < kMaxTips && NextLine(at, line, sizeof line)) {
    if (IsNewTipLine(line)) ++count_;
  }
}

bool TUsageTips::Get(int k, char (&text)[kTextRoom], char (&macro)[kMacroRoom]) const {
  text[0] = '\0';
  macro[0] = '\0';
  if (k < 1 || k > count_) return false;
  size_t at = 0;
  char line[kShowLineRoom];
  int seen = 0;
  while (seen < k && NextLine(at, line, sizeof line)) {
    if (IsNewTipLine(line)) ++seen;
  }
  if (seen < k) return false;
  if (const char* help = std::strstr(line, kHelpKey)) {
    help += sizeof kHelpKey - 1;
    size_t n = 0;
    while (help[n] != '\0' && help[n] != ' ' && help[n] != '\t' && n + 1 < kMacroRoom) ++n;
    std::memcpy(macro, help, n);
    macro[n] = '\0';
  }
  size_t length = 0;
  bool first = true;
  while (NextLine(at, line, sizeof line) && !IsNewTipLine(line)) {
    // Joined lines are cut where the buffer is full; the text stays terminated.
    const char* parts[2] = {first ? "" : "\r\n", line};
    first = false;
    for (const char* part : parts) {
      const size_t n = std::strlen(part);
      const size_t fits = n < kTextRoom - 1 - length ? n : kTextRoom - 1 - length;
      std::memcpy(text + length, part, fits);
      length += fits;
    }
  }
  text[length] = '\0';
  return true;
}

int TUsageTips::Step(int current, int step, int count) {
  if (count <= 0) return 0;
  const int next = current + step;
  if (next <= 0) return count;
  if (next > count) return 1;
  return next;
}
