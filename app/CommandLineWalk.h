// Splits the editor's command line into tokens: quoted paths, unquoted paths that may hold
// blanks, and switches that begin with a slash. Each token is cut to its 512-byte buffer.
#pragma once
#include <cstddef>

class TCommandLineWalk {
public:
  static constexpr std::size_t kTokenSize = 512;

  explicit TCommandLineWalk(const char* commandLine) : p_(commandLine ? commandLine : "") {}
  // The next non-empty token; false when the line is used up.
  bool Next();
  const char* Token() const { return token_; }
  // The token was longer than its buffer and was cut.
  bool WasCut() const { return cut_; }

private:
  void Put(char c);

  const char* p_;
  char token_[kTokenSize] = {};
  std::size_t length_ = 0;
  bool cut_ = false;
};

enum class TCommandLineSwitch { None, Ignored, EnableExperimentation, DisableExperimentation, Path };
// What a token asks for: "/play" and "/close" and unknown switches are ignored.
TCommandLineSwitch ClassifyCommandLineToken(const char* token);
