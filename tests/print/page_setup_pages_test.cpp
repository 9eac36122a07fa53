// The page-setup sheet's Options, Fonts and Contents rules.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "app/PageSetupPages.h"
#include "app/PrinterDiagnostics.h"
#include "foundation/QVBoolArray.h"

namespace {

TEST(PageSetupOptions, NumberingStartOfZeroShowsOneAndAppliesAsOff) {
  TMusicScore score;
  TPageOptions o = LoadPageOptions(score);
  EXPECT_FALSE(o.numbering);
  EXPECT_EQ(o.numberFrom, 1);
  o.numberFrom = 7;
  EXPECT_FALSE(ApplyPageOptions(o, score));
  EXPECT_EQ(score.GetPageNumberingFrom(), 0) << "a start with numbering off is not kept";
  o.numbering = true;
  ApplyPageOptions(o, score);
  EXPECT_EQ(score.GetPageNumberingFrom(), 7);
  EXPECT_EQ(LoadPageOptions(score).numberFrom, 7);
}

TEST(PageSetupOptions, RangesAreChecked) {
  struct Case {
    bool numbering;
    int from, size, start;
    TPageOptionsField bad;
  } cases[] = {
      {true, 1, 4, 0, TPageOptionsField::None},
      {true, 10000, 40, 1000, TPageOptionsField::None},
      {true, 0, 16, 1, TPageOptionsField::NumberFrom},
      {true, 10001, 16, 1, TPageOptionsField::NumberFrom},
      {false, 0, 16, 1, TPageOptionsField::None},
      {false, 1, 3, 1, TPageOptionsField::StaffSize},
      {false, 1, 41, 1, TPageOptionsField::StaffSize},
      {false, 1, 16, -1, TPageOptionsField::MeasureStart},
      {false, 1, 16, 1001, TPageOptionsField::MeasureStart},
  };
  for (const Case& c : cases) {
    TPageOptions o;
    o.numbering = c.numbering;
    o.numberFrom = c.from;
    o.staffSize = c.size;
    o.measureStart = c.start;
    EXPECT_EQ(FirstInvalidOption(o), c.bad) << c.from << " " << c.size << " " << c.start;
  }
}

TEST(PageSetupOptions, ANewStaffSizeScalesTheStaffFontsOnly) {
  TMusicScore score;
  TMusicFontsData& f = *score.GetFonts();
  ASSERT_EQ(f.GetStaffSize(), 16);
  const int sizes[4] = {f.GetFont(0).size, f.GetFont(1).size, f.GetFont(2).size, f.GetFont(3).size};
  TPageOptions o = LoadPageOptions(score);
  o.staffSize = 24;
  o.titlePageInfo = true;
  o.staffLabels = 2;
  EXPECT_TRUE(ApplyPageOptions(o, score));
  EXPECT_EQ(f.GetStaffSize(), 24);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f.GetFont(i).size, (sizes[i] * 24 + 8) / 16) << "font " << i;
  EXPECT_EQ(f.GetFont(3).size, sizes[3]);
  EXPECT_TRUE(score.GetTitlePageInfo());
  EXPECT_EQ(score.GetStaffLabels(), 2);
  EXPECT_FALSE(ApplyPageOptions(o, score)) << "the same size again changes no font";
}

TEST(PageSetupFonts, RowsAndChosenSizes) {
  TMusicFontsData::Font font{};
  std::snprintf(font.face, sizeof font.face, "%s", "Times New Roman");
  font.size = 12;
  font.style = 3;
  EXPECT_EQ(FontRowText("Page Text", font), "Page Text\t12\tTimes New Roman\tBold Italic");
  font.style = 1;
  EXPECT_EQ(FontRowText("Page Text", font), "Page Text\t12\tTimes New Roman\tBold ");
  font.style = 0;
  EXPECT_EQ(FontRowText("Page Text", font), "Page Text\t12\tTimes New Roman\tRegular");
  // A face that fills its 32 bytes has no terminator.
  std::memset(font.face, 'A', sizeof font.face);
  EXPECT_EQ(FontRowText("X", font), "X\t12\t" + std::string(32, 'A') + "\tRegular");
  EXPECT_EQ(FontSizeFromTenths(120), 12);
  EXPECT_EQ(FontSizeFromTenths(125), 13);
  EXPECT_EQ(FontSizeFromTenths(124), 12);
}

TEST(PageSetupContents, GroupsFollowTheirStaves) {
  TMusicScore score;
  const char* groups[] = {"Strings", "Strings", "", "Winds", "Strings"};
  for (const char* g : groups) {
    auto* staff = new TMusicStaff();
    staff->SetGroupName(g);
    score.AppendStaff(staff);
  }
  const std::vector<std::string> names = StaffGroups(score);
  ASSERT_EQ(names, (std::vector<std::string>{"Strings", "Winds"}));
  TQVBoolArray staves(TMusicScore::kSelectionSize);
  staves.SetBit(0, true);
  staves.SetBit(1, true);
  EXPECT_EQ(SelectedGroups(score, names, staves), (std::vector<bool>{false, false}));
  staves.SetBit(4, true);
  EXPECT_EQ(SelectedGroups(score, names, staves), (std::vector<bool>{true, false}));
  SelectGroup(score, "Winds", true, staves);
  EXPECT_TRUE(staves.GetBit(3));
  EXPECT_FALSE(staves.GetBit(2));
  SelectGroup(score, "Strings", false, staves);
  EXPECT_FALSE(staves.GetBit(0));
  EXPECT_FALSE(staves.GetBit(4));
  EXPECT_TRUE(staves.GetBit(3));
  EXPECT_EQ(SelectedGroups(score, names, staves), (std::vector<bool>{false, true}));
}

}  // namespace

namespace {

TEST(PrinterDiagnostics, WithoutAPrinterOnlyTheTitle) {
  TPrinterDiagnostics d;
  d.title = "Evening Hymn";
  EXPECT_EQ(DiagnosticsText(d), "Song Title\tEvening Hymn\n");
}

TEST(PrinterDiagnostics, LinesAndRows) {
  TPrinterDiagnostics d;
  d.title = "T";
  d.hasPrinter = true;
  d.pages = 1;
  d.name = "VellichordPDF";
  d.driver = "winspool";
  d.output = "CUPS:VellichordPDF";
  d.metrics.physicalWidth = 2550;
  d.metrics.physicalHeight = 3300;
  d.metrics.physicalOffsetX = 75;
  d.metrics.physicalOffsetY = 60;
  d.area = {150, 90, 2000, 3000};
  std::string text = DiagnosticsText(d);
  EXPECT_NE(text.find("Page Count\t1 page\n"), std::string::npos);
  EXPECT_NE(text.find("  DevMode\tNo\nPrinted Page Sizes\n"), std::string::npos) << "no device mode lines";
  EXPECT_NE(text.find("  Physical Size\t(2550,3300)\n"), std::string::npos);
  EXPECT_NE(text.find("  Print Offset\t(75,60)\n  Top Corner\t(150,90)\n"), std::string::npos);
  d.pages = 12;
  d.hasDevMode = true;
  d.devMode.deviceName = "VellichordPDF";
  d.devMode.copies = 2;
  text = DiagnosticsText(d);
  EXPECT_NE(text.find("Page Count\t12 pages\n"), std::string::npos);
  EXPECT_NE(text.find("Dev Mode Data\n  dmDeviceName\tVellichordPDF\n"), std::string::npos);
  EXPECT_NE(text.find("  dmCopies\t2\n"), std::string::npos);

  const auto rows = DiagnosticRows(text);
  ASSERT_GE(rows.size(), 30u);
  EXPECT_EQ(rows[0], (std::pair<std::string, std::string>{"Song Title", "T"}));
  EXPECT_EQ(rows[2], (std::pair<std::string, std::string>{"Printer Device", ""}));
  EXPECT_EQ(rows[3], (std::pair<std::string, std::string>{"  Name", "VellichordPDF"}));
  // A very long title is cut to one line's room.
  d.title = std::string(5000, 'x');
  const auto cut = DiagnosticRows(DiagnosticsText(d));
  EXPECT_EQ(cut[0].second, std::string(kDiagnosticLineLimit - 1 - std::string("Song Title\t").size(), 'x'));
  EXPECT_EQ(cut[1].first, "Page Count");
}

}  // namespace
