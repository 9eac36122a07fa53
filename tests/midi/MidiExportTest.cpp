// The score window's MIDI export under Wine: a file that cannot be written is reported with the
// file name as caption and answers failure; a written file replaces the old one and reads back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "MidiTestScores.h"
#include "foundation/QXTFStream.h"
#include "midi/SMFImport.h"
#include "midi/win32/MidiExport.h"

namespace {

struct TBox {
  std::string caption, text;
};
std::vector<TBox> gBoxes;

int RecordBox(HWND, const char* caption, const char* text) {
  gBoxes.push_back({caption, text});
  return IDOK;
}

std::string TempPath(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

TEST(MidiExport, AFileThatCannotBeWrittenIsReportedAndAnswersFailure) {
  TAuditCount audit;
  TMusicScore score;
  AddStaff(score, "q q q q");
  gBoxes.clear();
  const std::string path = TempPath("no such folder\\Song.mid");
  EXPECT_EQ(ExportMidiFile(nullptr, score, path.c_str(), 1, {}, RecordBox), 0);
  ASSERT_EQ(gBoxes.size(), 1u);
  EXPECT_EQ(gBoxes[0].caption, "Song.mid");
  EXPECT_EQ(gBoxes[0].text, "There was a problem saving the file!");
}

TEST(MidiExport, AWrittenFileReplacesTheOldOneAndReadsBack) {
  TAuditCount audit;
  TMusicScore score;
  AddStaff(score, "q q q q | w", 0, "One");
  AddStaff(score, "h h | w", 1, "Two");
  const std::string path = TempPath("vc_midi_export.mid");
  {
    TQXTFStream old(TQXTFStream::ModeWrite, path.c_str());
    old.Write("old", 3);
  }
  gBoxes.clear();
  for (int format : {0, 1}) {
    EXPECT_EQ(ExportMidiFile(nullptr, score, path.c_str(), format, {}, RecordBox), 1);
    TSMFData data;
    TQXTFStream in(TQXTFStream::ModeRead, path.c_str());
    EXPECT_TRUE(ImportMidiFile(data, in, nullptr));
    EXPECT_EQ(data.TrackCount(), format == 0 ? 1 : 3);
  }
  EXPECT_TRUE(gBoxes.empty());
  EXPECT_EQ(GetFileAttributesA((path + ".$$$").c_str()), INVALID_FILE_ATTRIBUTES) << "no temporary file left";
  DeleteFileA(path.c_str());
}

}  // namespace
