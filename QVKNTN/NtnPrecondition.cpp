#include "QVKNTN/NtnPrecondition.h"
#include <string>

namespace {
std::string Describe(const char* text, const char* source, int line) {
  return std::string("Precondition violated: ") + text + ", file " + source + ", line " + std::to_string(line);
}
}  // namespace

TNtnPreconditionFailure::TNtnPreconditionFailure(const char* text, const char* source, int line)
    : std::logic_error(Describe(text, source, line)), text_(text), source_(source), line_(line) {}

void NtnPreconditionFailed(const char* text, const char* source, int line) {
  throw TNtnPreconditionFailure(text, source, line);
}
