// The toolbar model: the command table, the factory toolbars, the stored state value, the
// "toolbars.dat" records and the customisation rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/ToolbarCommands.h"
#include "app/ToolbarEditing.h"
#include "app/ToolbarFile.h"
#include "app/ToolbarState.h"
#include "foundation/QXTFlatRamStream.h"

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

void PutName(std::vector<uint8_t>& b, const std::string& name) {
  b.insert(b.end(), name.begin(), name.end());
  b.push_back(0);
}

void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v & 0xFF));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

TToolbarFileStatus Read(std::vector<uint8_t> bytes, std::vector<TToolbarRecord>& records) {
  TQXTFlatRamStream in(bytes.data(), static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(bytes.size()));
  return ReadToolbarRecords(in, records);
}

TEST(ToolbarCommandsTest, FactoryToolbarsUseEveryCommandOnceAndOnlyKnownOnes) {
  std::vector<int> seen;
  for (int n = 0; n < kFactoryToolbarCount; ++n) {
    const TFactoryToolbar* f = FactoryToolbar(n);
    ASSERT_NE(f, nullptr);
    for (int i = 0; i < f->count; ++i) {
      if (f->items[i] == kToolbarFileSeparator) continue;
      EXPECT_NE(FindToolbarCommand(f->items[i]), nullptr) << f->items[i];
      seen.push_back(f->items[i]);
    }
  }
  EXPECT_EQ(FactoryToolbar(4), nullptr);
  EXPECT_EQ(FactoryToolbar(-1), nullptr);
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
  EXPECT_EQ(static_cast<int>(seen.size()), ToolbarCommandCount());
  EXPECT_STREQ(FactoryToolbar(0)->name, "File");
  EXPECT_EQ(FactoryToolbar(3)->flags, 0x1400);
  EXPECT_EQ(FactoryToolbar(1)->count, 25);
}

TEST(ToolbarCommandsTest, TextsNamedByTheMenu) {
  const struct {
    int id;
    const char* text;
  } cases[] = {{2, "File New..."},  {3, "File Open..."}, {80, "Midi Play"}, {103, "Note3: Quarter"},
               {256, "Fast Insert: Treble Clef"}, {24361, "Window Cascade"}};
  for (const auto& c : cases) {
    ASSERT_NE(FindToolbarCommand(c.id), nullptr);
    EXPECT_STREQ(FindToolbarCommand(c.id)->text, c.text);
    EXPECT_EQ(FindToolbarCommandByText(c.text), c.id);
  }
  EXPECT_EQ(FindToolbarCommandByText("Midi play"), 0);
  EXPECT_EQ(FindToolbarCommand(1), nullptr);
}

TEST(ToolbarStateTest, IniValueBytesAndNormalising) {
  TToolbarIniValue v;
  v.flags = 0x4010;
  v.floatX = -3;
  v.floatY = 760;
  v.shape = 2;
  v.order = 5;
  v.newRow = 1;
  uint8_t bytes[kToolbarIniBytes];
  EncodeToolbarIniValue(v, bytes);
  const std::vector<uint8_t> expect = Bytes({0x10, 0x40, 0xFD, 0xFF, 0xF8, 0x02, 2, 0, 5, 1});
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 10), expect);
  TToolbarIniValue back = DecodeToolbarIniValue(bytes);
  EXPECT_EQ(back.floatX, -3);
  NormaliseToolbarIniValue(back, 1024, 768);
  EXPECT_EQ(back.floatX, 10);   // negative
  EXPECT_EQ(back.floatY, 10);   // beyond height - 10
  EXPECT_EQ(back.flags, 0x4010);

  const struct {
    uint16_t stored, read;
  } flags[] = {{0x0010, 0x2810}, {0x0000, 0x2800}, {0x0FFF, 0x37FF}, {0x1000, 0x1000}, {0x8020, 0x8020}};
  for (const auto& f : flags) {
    TToolbarIniValue s;
    s.flags = f.stored;
    NormaliseToolbarIniValue(s, 1024, 768);
    EXPECT_EQ(s.flags, f.read) << f.stored;
  }
  TToolbarIniValue edge;
  edge.floatX = 1014;  // exactly width - 10 stays
  edge.floatY = 759;   // beyond height - 10 goes
  NormaliseToolbarIniValue(edge, 1024, 768);
  EXPECT_EQ(edge.floatX, 1014);
  EXPECT_EQ(edge.floatY, 10);
}

TEST(ToolbarStateTest, DockEdges) {
  EXPECT_EQ(DockEdgeOf(0x1400), TDockEdge::Left);
  EXPECT_EQ(DockEdgeOf(0x2800), TDockEdge::Top);
  EXPECT_EQ(DockEdgeOf(0x4100), TDockEdge::Right);
  EXPECT_EQ(DockEdgeOf(0x8200), TDockEdge::Bottom);
  EXPECT_TRUE(IsVerticalState(0x1000));
  EXPECT_FALSE(IsVerticalState(0x1010));  // floating is laid out as rows
  EXPECT_FALSE(IsVerticalState(0x8000));
}

TEST(ToolbarFileTest, ReadsRecordsAndMapsValues) {
  std::vector<uint8_t> b;
  PutName(b, "File");
  for (uint16_t v : {2, 0xFFFF, 3, 999}) Put16(b, v);
  Put16(b, 0);
  PutName(b, "Empty");
  Put16(b, 0);
  PutName(b, std::string(40, 'x'));
  Put16(b, 80);
  Put16(b, 0);
  std::vector<TToolbarRecord> records;
  ASSERT_EQ(Read(b, records), TToolbarFileStatus::Ok);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].name, "File");
  EXPECT_EQ(records[0].items, (std::vector<uint16_t>{2, 0xFFFF, 3, kPlaceholderCommand}));
  EXPECT_TRUE(records[1].items.empty());  // no toolbar comes of it
  EXPECT_EQ(records[2].name, std::string(31, 'x'));

  // Written back: the unknown command as the placeholder, names as read.
  TQXTFlatRamStream out(256, 256);
  WriteToolbarRecords(out, records);
  out.Seek(0);
  std::vector<TToolbarRecord> again;
  ASSERT_EQ(ReadToolbarRecords(out, again), TToolbarFileStatus::Ok);
  ASSERT_EQ(again.size(), 3u);
  EXPECT_EQ(again[0].items, records[0].items);
  EXPECT_EQ(again[2].name, records[2].name);
}

TEST(ToolbarFileTest, EndsCleanlyOrReportsDamage) {
  std::vector<TToolbarRecord> records;
  EXPECT_EQ(Read({}, records), TToolbarFileStatus::Ok);
  EXPECT_TRUE(records.empty());
  // An empty name ends the list; what follows is not read.
  EXPECT_EQ(Read(Bytes({'A', 0, 2, 0, 0, 0, 0, 'B', 0, 3, 0, 0, 0}), records), TToolbarFileStatus::Ok);
  EXPECT_EQ(records.size(), 1u);

  std::vector<uint8_t> tooMany;
  PutName(tooMany, "Big");
  for (int i = 0; i < kMaxToolbarGadgets + 1; ++i) Put16(tooMany, 2);
  Put16(tooMany, 0);
  std::vector<uint8_t> full;
  PutName(full, "Full");
  for (int i = 0; i < kMaxToolbarGadgets; ++i) Put16(full, 2);
  Put16(full, 0);
  std::vector<uint8_t> twice;
  PutName(twice, "Notes");
  Put16(twice, 2);
  Put16(twice, 0);
  PutName(twice, "NOTES");
  Put16(twice, 2);
  Put16(twice, 0);
  std::vector<uint8_t> ninetyOne;
  for (int i = 0; i <= kMaxToolbars; ++i) {
    PutName(ninetyOne, "T" + std::to_string(i));
    Put16(ninetyOne, 2);
    Put16(ninetyOne, 0);
  }
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    TToolbarFileStatus status;
  } cases[] = {
      {"cut in a name", Bytes({'F', 'i'}), TToolbarFileStatus::Damaged},
      {"cut in a gadget", Bytes({'F', 0, 2, 0, 3}), TToolbarFileStatus::Damaged},
      {"cut before the end mark", Bytes({'F', 0, 2, 0}), TToolbarFileStatus::Damaged},
      {"49 gadgets", tooMany, TToolbarFileStatus::Damaged},
      {"48 gadgets", full, TToolbarFileStatus::Ok},
      {"a name twice", twice, TToolbarFileStatus::Damaged},
      {"91 toolbars", ninetyOne, TToolbarFileStatus::Damaged},
  };
  for (const auto& c : cases) {
    records.assign(1, TToolbarRecord{"stale", {}});
    EXPECT_EQ(Read(c.bytes, records), c.status) << c.what;
    if (c.status == TToolbarFileStatus::Damaged) {
      EXPECT_TRUE(records.empty()) << c.what;
    }
  }
}

bool RenameOver(const char* from, const char* to) {
  std::remove(to);
  return std::rename(from, to) == 0;
}
bool RefuseReplace(const char*, const char*) { return false; }

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ToolbarFileTest, SaveReplacesOnlyAfterAWholeWrite) {
  const std::string path = ::testing::TempDir() + "vc_toolbars_save.dat";
  std::remove(path.c_str());
  const std::vector<TToolbarRecord> records{{"File", {2, 0xFFFF, 3}}};
  ASSERT_TRUE(SaveToolbarFile(path.c_str(), records, RenameOver));
  const std::string first = FileText(path);
  EXPECT_EQ(first, std::string("File\0\x02\0\xFF\xFF\x03\0\0\0", 13));
  // A replacement that fails leaves the old file and no temporary one.
  EXPECT_FALSE(SaveToolbarFile(path.c_str(), {{"Other", {4}}}, RefuseReplace));
  EXPECT_EQ(FileText(path), first);
  EXPECT_FALSE(std::ifstream(path + ".new").good());
  // A folder that does not exist cannot take the temporary file.
  EXPECT_FALSE(SaveToolbarFile((::testing::TempDir() + "no_such_folder/x/toolbars.dat").c_str(), records, RenameOver));
  std::remove(path.c_str());
}

TEST(ToolbarEditingTest, NamesIgnoreCaseAndNewNamesTakeTheFirstFreeNumber) {
  std::vector<std::string> names{"File", "Notes", "Custom 2"};
  EXPECT_EQ(FindToolbarName(names, "notes"), 1);
  EXPECT_EQ(FindToolbarName(names, "Xtra"), -1);
  EXPECT_EQ(NewCustomToolbarName(names), "Custom 1");
  names.push_back("CUSTOM 1");
  EXPECT_EQ(NewCustomToolbarName(names), "Custom 3");
  EXPECT_TRUE(CanAddToolbar(89));
  EXPECT_FALSE(CanAddToolbar(90));
}

TEST(ToolbarEditingTest, RenameRules) {
  const std::vector<std::string> names{"File", "Custom 1"};
  std::string taken;
  const struct {
    const char* entered;
    TRenameCheck check;
    const char* name;
  } cases[] = {
      {"Custom 1", TRenameCheck::Unchanged, ""},
      {" \t Custom 1\r\n", TRenameCheck::Unchanged, ""},
      {"custom 1", TRenameCheck::Take, "custom 1"},
      {"  Strings ", TRenameCheck::Take, "Strings"},
      {"FILE", TRenameCheck::NotUnique, ""},
      {"   ", TRenameCheck::NotUnique, ""},
      {"0123456789012345678901234567890123456789", TRenameCheck::Take, "0123456789012345678901234567890"},
  };
  for (const auto& c : cases) {
    taken.clear();
    EXPECT_EQ(CheckToolbarRename(names, 1, c.entered, taken), c.check) << c.entered;
    EXPECT_EQ(taken, c.name) << c.entered;
  }
}

TEST(ToolbarEditingTest, InsertRemoveAndMove) {
  // A new toolbar's lone separator goes when the first button comes, even while selected.
  std::vector<uint16_t> items{0xFFFF};
  bool lone = false;
  EXPECT_EQ(InsertToolbarItem(items, 0, 80, &lone), 0);
  EXPECT_TRUE(lone);
  EXPECT_EQ(items, (std::vector<uint16_t>{80}));
  EXPECT_EQ(InsertToolbarItem(items, -1, 81), 1);
  EXPECT_EQ(InsertToolbarItem(items, 0, 0xFFFF, &lone), 1);
  EXPECT_FALSE(lone);
  EXPECT_EQ(items, (std::vector<uint16_t>{80, 0xFFFF, 81}));

  EXPECT_TRUE(MoveToolbarItemUp(items, 2));
  EXPECT_FALSE(MoveToolbarItemUp(items, 0));
  EXPECT_TRUE(MoveToolbarItemDown(items, 0));
  EXPECT_FALSE(MoveToolbarItemDown(items, 2));
  EXPECT_EQ(items, (std::vector<uint16_t>{81, 80, 0xFFFF}));

  EXPECT_TRUE(RemoveToolbarItem(items, 2));
  EXPECT_FALSE(RemoveToolbarItem(items, 5));
  EXPECT_TRUE(RemoveToolbarItem(items, 0));
  EXPECT_FALSE(RemoveToolbarItem(items, 0));  // the last gadget stays
  EXPECT_EQ(items, (std::vector<uint16_t>{80}));

  std::vector<uint16_t> full(kMaxToolbarGadgets, 2);
  EXPECT_EQ(InsertToolbarItem(full, 3, 3), -1);
  EXPECT_EQ(full.size(), static_cast<size_t>(kMaxToolbarGadgets));
}

TEST(ToolbarEditingTest, TextsAndAvailableCommands) {
  EXPECT_STREQ(ToolbarItemText(0xFFFF), "--------Separator--------");
  EXPECT_STREQ(ToolbarItemText(1), "##Unknown##");
  EXPECT_STREQ(ToolbarItemText(80), "Midi Play");
  const std::vector<const char*> all = AvailableToolbarTexts({});
  EXPECT_EQ(static_cast<int>(all.size()), ToolbarCommandCount());
  const std::vector<const char*> some = AvailableToolbarTexts({80, 0xFFFF, 1, 2});
  EXPECT_EQ(static_cast<int>(some.size()), ToolbarCommandCount() - 2);
  for (const char* t : some) {
    EXPECT_STRNE(t, "Midi Play");
    EXPECT_STRNE(t, "File New...");
  }
}

}  // namespace

namespace {

std::string SourceText(const char* relative) {
  const char* root = std::getenv("VC_SOURCE_DIR");
  std::ifstream in(std::string(root ? root : ".") + "/" + relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The resource menu and the pictures agree with the command table the model uses.
TEST(ToolbarResourcesTest, MenuAndPicturesMatchTheCommandTable) {
  const std::string script = SourceText("resources/editor/toolbars.rc");
  const size_t start = script.find("TOOLBARCMDS MENU");
  ASSERT_NE(start, std::string::npos);
  const std::string body = script.substr(start, script.find("\nEND", start) - start);
  const std::regex item("MENUITEM \"([^\"]*)\", ([0-9]+)");
  int i = 0;
  for (std::sregex_iterator it(body.begin(), body.end(), item), last; it != last; ++it, ++i) {
    ASSERT_LT(i, ToolbarCommandCount());
    EXPECT_EQ(std::stoi((*it)[2]), ToolbarCommands()[i].id);
    EXPECT_EQ((*it)[1].str(), ToolbarCommands()[i].text);
  }
  EXPECT_EQ(i, 76);
  const std::string pictures = SourceText("resources/editor/toolbar_bitmaps.rc");
  std::vector<int> ids{kPlaceholderCommand};
  for (int k = 0; k < ToolbarCommandCount(); ++k) ids.push_back(ToolbarCommands()[k].id);
  for (int id : ids) {
    const std::string line = std::to_string(id) + " BITMAP \"resources/editor/toolbar/" + std::to_string(id) + ".bmp\"";
    EXPECT_NE(pictures.find(line), std::string::npos) << id;
    const std::string bmp = SourceText(("resources/editor/toolbar/" + std::to_string(id) + ".bmp").c_str());
    ASSERT_GE(bmp.size(), 54u) << id;
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<uint8_t>(bmp[18]), 16);  // 16 x 15 pixels, 4 bits each
    EXPECT_EQ(static_cast<uint8_t>(bmp[22]), 15);
    EXPECT_EQ(static_cast<uint8_t>(bmp[28]), 4);
  }
}

}  // namespace
