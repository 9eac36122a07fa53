#include "installer/UpgradeTexts.h"

#include "foundation/QXTStream.h"

static const char kEmptyLine[] = "-|-|-|";

TUpgTexts::TUpgTexts() {
  for (std::string& line : lines) line = kEmptyLine;
}

void TUpgTexts::Load(TQXTStream& stream) {
  for (std::string& line : lines) {
    char text[kLineMax + 1];
    text[0] = '\0';
    if (!stream.IsFailed()) stream.ReadLine(text, sizeof text);
    line = text[0] ? text : kEmptyLine;
  }
}

std::string TUpgTexts::Part(TUpgText role, int index) const {
  const std::string& line = Line(role);
  size_t start = 0;
  for (int i = 0; i < index; ++i) {
    const size_t bar = line.find('|', start);
    if (bar == std::string::npos) return std::string();
    start = bar + 1;
  }
  const size_t end = line.find('|', start);
  return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
