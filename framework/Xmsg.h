// The framework's message exception: a user-readable text that the message loop reports in a
// message box before it carries on.
#pragma once
#include <stdexcept>
#include <string>

class xmsg : public std::runtime_error {
public:
  explicit xmsg(const std::string& text) : std::runtime_error(text) {}
  const char* why() const { return what(); }
};
