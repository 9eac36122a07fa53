// "toolbars.dat": one record per toolbar (its name, its gadgets as 16-bit command ids with 0xFFFF
// for a separator, a 16-bit 0), read into records and written from them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TQXTStream;

struct TToolbarRecord {
  std::string name;
  std::vector<uint16_t> items;
};

enum class TToolbarFileStatus {
  Ok,
  // Cut inside a record, more gadgets or toolbars than a toolbar list holds, or a name twice:
  // the records read are dropped and the factory toolbars take their place.
  Damaged,
};

// Reads until an empty name or the end of the stream. Records without gadgets are kept (they make
// no toolbar); names longer than 31 characters keep their first 31.
TToolbarFileStatus ReadToolbarRecords(TQXTStream& in, std::vector<TToolbarRecord>& records);
void WriteToolbarRecords(TQXTStream& out, const std::vector<TToolbarRecord>& records);
// The gadget a stored value makes: a separator, a known command, or the placeholder button.
uint16_t ToolbarItemFromFile(uint16_t value);

// Writes the records beside the target and then puts the new file in its place, so a failed
// write leaves the old file as it was. `replace` moves the first path over the second.
bool SaveToolbarFile(const char* path, const std::vector<TToolbarRecord>& records,
                     bool (*replace)(const char* from, const char* to));
