#include "foundation/ProfileStore.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/TextUtils.h"

// The file form the Windows profile functions use: "[section]" lines, "key=value" lines, names
// compared without case, blanks around names and values ignored, one pair of quotes around a
// value removed on reading.
namespace {

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const size_t last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

bool SectionLine(const std::string& line, std::string* name) {
  const std::string t = Trimmed(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const size_t close = t.find(']');
  if (close == std::string::npos) return false;
  *name = Trimmed(t.substr(1, close - 1));
  return true;
}

bool KeyLine(const std::string& line, std::string* key, std::string* value) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  *key = Trimmed(line.substr(0, eq));
  *value = Trimmed(line.substr(eq + 1));
  return true;
}

std::vector<std::string> ReadLines(const char* file) {
  std::vector<std::string> lines;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool WriteLines(const char* file, const std::vector<std::string>& lines) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line << "\r\n";
  return static_cast<bool>(out);
}

bool SameName(const std::string& a, const char* b) { return CompareNoCase(a.c_str(), b) == 0; }

// Index range [begin, end) of the section's lines after its header; begin = 0 when absent.
bool FindSection(const std::vector<std::string>& lines, const char* section, size_t* header, size_t* end) {
  std::string name;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!SectionLine(lines[i], &name) || !SameName(name, section)) continue;
    *header = i;
    size_t j = i + 1;
    while (j < lines.size() && !SectionLine(lines[j], &name)) ++j;
    *end = j;
    return true;
  }
  return false;
}

}  // namespace

int ProfileReadString(const char* file, const char* section, const char* key, const char* defaultText,
                      char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  std::string value = defaultText ? defaultText : "";
  const std::vector<std::string> lines = file && section && key ? ReadLines(file) : std::vector<std::string>();
  size_t header = 0, end = 0;
  if (section && key && FindSection(lines, section, &header, &end)) {
    std::string k, v;
    for (size_t i = header + 1; i < end; ++i) {
      if (KeyLine(lines[i], &k, &v) && SameName(k, key)) {
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
          v = v.substr(1, v.size() - 2);
        value = v;
        break;
      }
    }
  }
  StrCopyMax(buffer, value.c_str(), static_cast<size_t>(size));
  return static_cast<int>(std::string(buffer).size());
}

bool ProfileWriteString(const char* file, const char* section, const char* key, const char* value) {
  if (!file || !section) return false;
  std::vector<std::string> lines = ReadLines(file);
  size_t header = 0, end = 0;
  const bool found = FindSection(lines, section, &header, &end);
  if (!key) {
    if (found) lines.erase(lines.begin() + static_cast<long>(header), lines.begin() + static_cast<long>(end));
    return WriteLines(file, lines);
  }
  if (!found) {
    if (!value) return true;
    lines.push_back(std::string("[") + section + "]");
    header = lines.size() - 1;
    end = lines.size();
  }
  std::string k, v;
  for (size_t i = header + 1; i < end; ++i) {
    if (!KeyLine(lines[i], &k, &v) || !SameName(k, key)) continue;
    if (value)
      lines[i] = std::string(key) + "=" + value;
    else
      lines.erase(lines.begin() + static_cast<long>(i));
    return WriteLines(file, lines);
  }
  if (!value) return true;
  // New keys go after the section's last non-blank line.
  size_t at = end;
  while (at > header + 1 && Trimmed(lines[at - 1]).empty()) --at;
  lines.insert(lines.begin() + static_cast<long>(at), std::string(key) + "=" + value);
  return WriteLines(file, lines);
}

void ProfileFlush(const char*) {}
