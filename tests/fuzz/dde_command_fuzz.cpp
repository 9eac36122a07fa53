// Arbitrary execute data through the DDE server's copy and parser: nothing is read or written
// outside the fixed buffers, a refused copy leaves no text behind, and a valid command's argument
// is a piece of the text that reads back the same when written as an Open command.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/DdeCommand.h"

static void Check(bool condition) {
  if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  char buffer[kDdeExecuteSize];
  const bool copied = CopyDdeExecuteData(data, size, buffer);
  const void* zero = std::memchr(data, 0, size);
  const size_t length = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data) : size;
  Check(copied == (length < kDdeExecuteSize));
  if (!copied) {
    Check(buffer[0] == '\0');
    return 0;
  }
  Check(std::strlen(buffer) == length && std::memcmp(buffer, data, length) == 0);

  int command = 7;
  char argument[kDdeArgumentSize];
  const bool valid = ParseDdeCommand(buffer, command, argument);
  Check(valid == (command != kDdeInvalid));
  Check(command == kDdeInvalid || command == kDdeOpen || command == kDdeNull);
  const size_t argumentLength = std::strlen(argument);
  Check(argumentLength < kDdeArgumentSize);
  if (!valid) {
    Check(argumentLength == 0);
    return 0;
  }
  Check(std::strstr(buffer, argument) != nullptr);
  // Written back without quotes: an argument that does not begin or end with a quote is read
  // back unchanged.
  if (argumentLength > 0 && argument[0] != '"' && argument[argumentLength - 1] != '"') {
    const std::string again = "[Open(" + std::string(argument) + ")]";
    int command2 = 7;
    char argument2[kDdeArgumentSize];
    Check(ParseDdeCommand(again.c_str(), command2, argument2));
    Check(command2 == kDdeOpen && std::strcmp(argument, argument2) == 0);
  }
  return 0;
}
