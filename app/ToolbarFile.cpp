#include "app/ToolbarFile.h"

#include <cstdio>

#include "app/ToolbarCommands.h"
#include "app/ToolbarState.h"
#include "foundation/QXTFStream.h"
#include "foundation/TextUtils.h"

uint16_t ToolbarItemFromFile(uint16_t value) {
  if (value == kToolbarFileSeparator) return value;
  return FindToolbarCommand(value) ? value : kPlaceholderCommand;
}

namespace {

bool HasName(const std::vector<TToolbarRecord>& records, const std::string& name) {
  for (const TToolbarRecord& r : records) {
    if (CompareNoCase(r.name.c_str(), name.c_str()) == 0) return true;
  }
  return false;
}

}  // namespace

TToolbarFileStatus ReadToolbarRecords(TQXTStream& in, std::vector<TToolbarRecord>& records) {
  records.clear();
  for (;;) {
    char name[kToolbarNameRoom];
    in.ReadString(name, sizeof name);
    // The end of the file where a name would start, or an empty name, ends the list.
    if (name[0] == '\0') break;
    if (in.IsFailed() || static_cast<int>(records.size()) == kMaxToolbars || HasName(records, name)) {
      records.clear();
      return TToolbarFileStatus::Damaged;
    }
    TToolbarRecord record;
    record.name = name;
    for (;;) {
      const uint16_t value = in.ReadUInt16();
      if (!in.IsFailed() && value == 0) break;
      if (in.IsFailed() || static_cast<int>(record.items.size()) == kMaxToolbarGadgets) {
        records.clear();
        return TToolbarFileStatus::Damaged;
      }
      record.items.push_back(ToolbarItemFromFile(value));
    }
    records.push_back(std::move(record));
  }
  return TToolbarFileStatus::Ok;
}

void WriteToolbarRecords(TQXTStream& out, const std::vector<TToolbarRecord>& records) {
  for (const TToolbarRecord& r : records) {
    out.WriteString(r.name.substr(0, kMaxToolbarNameLength).c_str());
    for (uint16_t item : r.items) out.WriteInt16(item);
    out.WriteInt16(0);
  }
}

bool SaveToolbarFile(const char* path, const std::vector<TToolbarRecord>& records,
                     bool (*replace)(const char* from, const char* to)) {
  char temp[260];
  if (std::snprintf(temp, sizeof temp, "%s.new", path) >= static_cast<int>(sizeof temp)) return false;
  bool written = false;
  {
    TQXTFStream out(TQXTFStream::ModeWrite, temp);
    if (out.IsOpen()) {
      WriteToolbarRecords(out, records);
      out.Flush();
      written = !out.IsFailed();
    }
  }
  if (written && replace(temp, path)) return true;
  std::remove(temp);
  return false;
}
