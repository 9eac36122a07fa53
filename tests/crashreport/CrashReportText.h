// Checks shared by the crash report tests: the advice every report ends with, and the section
// position " at SSSS:OOOOOOOO" where the exact offset is not known to the test.
#pragma once
#include <cctype>
#include <string>

constexpr char kAdvice[] =
    "\n\nA serious problem has been detected. This is a sign of system instability. It is recommended that you "
    "save your work as soon as possible.\n";

// "<name> at SSSS:OOOOOOOO" with lower-case hexadecimal digits.
inline bool IsModuleWithSection(const std::string& text, const std::string& name) {
  const std::string head = name + " at ";
  if (text.size() != head.size() + 13 || text.compare(0, head.size(), head) != 0) return false;
  for (std::size_t i = head.size(); i < text.size(); ++i) {
    char c = text[i];
    bool colon = i == head.size() + 4;
    if (colon ? c != ':' : !(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}
