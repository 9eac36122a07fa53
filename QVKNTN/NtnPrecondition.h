// The failure raised by internal consistency checks of the notation core: a caller broke a rule
// that the code cannot recover from, so it names the module and line the way a diagnostic would.
#pragma once
#include <stdexcept>

class TNtnPreconditionFailure : public std::logic_error {
public:
  TNtnPreconditionFailure(const char* text, const char* source, int line);

  const char* GetText() const { return text_; }
  const char* GetSource() const { return source_; }
  int GetLine() const { return line_; }

private:
  const char* text_;
  const char* source_;
  int line_;
};

// Raises the failure; never returns.
[[noreturn]] void NtnPreconditionFailed(const char* text, const char* source, int line);
