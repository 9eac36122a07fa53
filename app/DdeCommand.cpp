#include "app/DdeCommand.h"

#include <cstring>

#include "foundation/TextUtils.h"

namespace {

bool IsTrimmed(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

struct TKeyword {
  const char* text;
  int command;
};
// Open is tried first.
constexpr TKeyword kKeywords[] = {{"Open(", kDdeOpen}, {"Null(", kDdeNull}};
constexpr std::size_t kKeywordLength = 5;

bool StartsWithNoCase(const char* text, std::size_t length, const char* keyword) {
  return length >= kKeywordLength && CompareNoCaseN(text, keyword, kKeywordLength) == 0;
}

}  // namespace

bool CopyDdeExecuteData(const void* data, std::size_t size, char (&buffer)[kDdeExecuteSize]) {
  buffer[0] = '\0';
  if (!data) return size == 0;
  const char* bytes = static_cast<const char*>(data);
  const void* zero = std::memchr(bytes, '\0', size);
  const std::size_t length = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes) : size;
  if (length + 1 > kDdeExecuteSize) return false;
  std::memcpy(buffer, bytes, length);
  buffer[length] = '\0';
  return true;
}

bool ParseDdeCommand(const char* text, int& command, char (&argument)[kDdeArgumentSize]) {
  command = kDdeInvalid;
  argument[0] = '\0';
  if (!text) return false;
  const char* begin = text;
  const char* end = text + std::strlen(text);
  while (begin < end && IsTrimmed(*begin)) ++begin;
  while (end > begin && IsTrimmed(end[-1])) --end;
  if (end - begin < 2 || *begin != '[' || end[-1] != ']') return false;

  const char* body = begin + 1;
  const std::size_t bodyLength = static_cast<std::size_t>(end - body);
  int found = kDdeInvalid;
  for (const TKeyword& k : kKeywords) {
    if (StartsWithNoCase(body, bodyLength, k.text)) {
      found = k.command;
      break;
    }
  }
  if (found == kDdeInvalid) return false;

  const char* first = body + kKeywordLength;
  const char* close = nullptr;
  for (const char* p = end; p > first; --p) {
    if (p[-1] == ')') {
      close = p - 1;
      break;
    }
  }
  if (!close) return false;
  // One quote on each side of the argument is dropped; a lone quote is dropped once.
  if (first < close && *first == '"') ++first;
  const char* last = close;
  if (last > first && last[-1] == '"') --last;
  const std::size_t length = static_cast<std::size_t>(last - first);
  if (length + 1 > kDdeArgumentSize) return false;
  std::memcpy(argument, first, length);
  argument[length] = '\0';
  command = found;
  return true;
}
