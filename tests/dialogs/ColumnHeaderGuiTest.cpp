// The column header and its list box under the real mouse: divider drags and their
// notifications (and a parent that refuses them), closing and reopening a column, clicks on
// column buttons, the list scrolling the header, and lines too long or indexes out of range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/ColumnHeader.h"
#include "framework/ColumnListBox.h"
#include "tests/dialogs/DialogsFixture.h"

using namespace guidriver;
using namespace dialogs_test;

namespace {

// The codes the header sends (the system header's ANSI codes).
constexpr int kItemClick = -302, kBeginTrack = -306, kEndTrack = -307, kTrack = -308, kDividerDblClick = -305;

struct TSeen {
  int code;
  int item;
};
std::vector<TSeen> seen;
LRESULT refuseBegin = 0;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    const auto* n = reinterpret_cast<const THeaderNotify*>(lParam);
    seen.push_back({static_cast<int>(n->hdr.code), n->item});
    if (static_cast<int>(n->hdr.code) == kBeginTrack) return refuseBegin;
    return 0;
  }
  // Owner-drawn list lines: the list box draws itself.
  if (msg == WM_DRAWITEM || msg == WM_MEASUREITEM) {
    if (msg == WM_MEASUREITEM) {
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 16;
      return TRUE;
    }
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (TWindow* w = TWindow::FromHandle(d->hwndItem)) return w->DrawItem(*d);
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class ColumnHeaderTest : public ::testing::Test {
protected:
  void SetUp() override {
    seen.clear();
    refuseBegin = 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VcHeaderParent";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    hwnd = CreateWindowA("VcHeaderParent", "Columns", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 420, 260,
                         nullptr, nullptr, wc.hInstance, nullptr);
    parent = new TWindow(hwnd);
    header = new TQVColumnHeader(parent, 300, 10, 10, 380, 20);
    header->Attr.style |= HDS_BUTTONS;
    header->AddItem(new TQVHdrItem("Staff", nullptr, 100));
    header->AddItem(new TQVHdrItem("Channel", nullptr, 80));
    header->AddItem(new TQVHdrItem("Patch", nullptr, 120));
    header->SetOption(0);
    list = new TQVColumnListBox(header, 301, 10, 40, 380, 150);
    ASSERT_TRUE(header->Create());
    ASSERT_TRUE(list->Create());
    list->AddString("Soprano\t1\tChoir Aahs");
    list->AddString("Alto\t2");
    PumpAppFor(app, 80);
    seen.clear();
  }
  void TearDown() override {
    delete parent;
    DestroyWindow(hwnd);
  }
  std::vector<int> Codes() {
    std::vector<int> out;
    for (const TSeen& s : seen) {
      if (out.empty() || out.back() != s.code) out.push_back(s.code);
    }
    return out;
  }
  void Drag(int fromX, int toX) {
    MouseMoveTo(header->GetHandle(), fromX, 8);
    MouseButton(true);
    PumpAppFor(app, 40);
    MouseMoveTo(header->GetHandle(), (fromX + toX) / 2, 8);
    PumpAppFor(app, 40);
    MouseMoveTo(header->GetHandle(), toX, 8);
    PumpAppFor(app, 40);
    MouseButton(false);
    PumpAppFor(app, 60);
  }

  TApplication app{"Columns"};
  HWND hwnd = nullptr;
  TWindow* parent = nullptr;
  TQVColumnHeader* header = nullptr;
  TQVColumnListBox* list = nullptr;
};

TEST_F(ColumnHeaderTest, DividerDragSendsTrackNotificationsAndResizes) {
  EXPECT_EQ(header->GetWindowRect().bottom + 1, list->GetWindowRect().top) << "the list docks 1 pixel below";
  Drag(100, 140);
  EXPECT_EQ(Codes(), (std::vector<int>{kBeginTrack, kTrack, kEndTrack}));
  EXPECT_EQ(seen.front().item, 0);
  EXPECT_EQ(header->GetColumnWidth(0), 140);
  EXPECT_EQ(list->SendMessage(LB_GETHORIZONTALEXTENT), 340) << "the list learns the new total";

  // Dragged past its left edge the column closes; its divider zone reopens it.
  seen.clear();
  Drag(140 + 80, 100);
  EXPECT_EQ(header->GetColumnWidth(1), 0);
  EXPECT_EQ(header->HitTest(POINT{141, 5}).code, kHitOnDivOpen);
  EXPECT_EQ(header->HitTest(POINT{141, 5}).column, 1);
  Drag(141, 171);
  EXPECT_EQ(header->GetColumnWidth(1), 30);
}

TEST_F(ColumnHeaderTest, AParentCanRefuseTheDrag) {
  refuseBegin = 1;
  Drag(100, 150);
  EXPECT_EQ(Codes(), (std::vector<int>{kBeginTrack}));
  EXPECT_EQ(header->GetColumnWidth(0), 100);
}

TEST_F(ColumnHeaderTest, ColumnButtonsClickOnlyWhenReleasedOnThem) {
  Click(header->GetHandle(), 40, 8);
  PumpAppFor(app, 60);
  ASSERT_EQ(Codes(), (std::vector<int>{kItemClick}));
  EXPECT_EQ(seen.front().item, 0);
  seen.clear();
  Drag(250, 40);  // pressed on the last column, released on the first
  EXPECT_TRUE(seen.empty());
}

TEST_F(ColumnHeaderTest, ListScrollsTheHeaderAndFitsColumns) {
  header->SetColumnWidth(2, 600);
  list->SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
  list->SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
  PumpAppFor(app, 30);
  const int pos = GetScrollPos(list->GetHandle(), SB_HORZ);
  EXPECT_GT(pos, 0);
  EXPECT_EQ(header->GetHorzOffset(), pos);

  const int content = list->MeasureColumnContent(0);
  header->SetColumnWidth(0, 10);
  LRESULT result = -1;
  THeaderNotify n{};
  n.hdr.code = static_cast<UINT>(kDividerDblClick);
  n.item = 0;
  EXPECT_TRUE(list->HeaderNotify(n, result));
  EXPECT_EQ(header->GetColumnWidth(0), std::max(content, header->MeasureColumn(0))) << "narrow: fitted";
  EXPECT_TRUE(list->HeaderNotify(n, result));
  EXPECT_EQ(header->GetColumnWidth(0), header->MeasureColumn(0)) << "fitted: compact";
  EXPECT_EQ(list->AutoSizeColumns(1), 3);
}

TEST_F(ColumnHeaderTest, LongLinesAndBadIndexesAreRefused) {
  std::string huge(TQVColumnListBox::kLineSize + 100, 'x');
  const int index = list->AddString(huge.c_str());
  char buffer[TQVColumnListBox::kLineSize];
  EXPECT_FALSE(list->LineText(index, buffer, sizeof buffer)) << "too long for the line buffer";
  EXPECT_STREQ(buffer, "");
  EXPECT_FALSE(list->LineText(99, buffer, sizeof buffer));
  EXPECT_TRUE(list->LineText(1, buffer, sizeof buffer));
  EXPECT_STREQ(buffer, "Alto\t2");
  list->Invalidate();
  list->UpdateWindow();  // draws the long line without reading past the buffer

  EXPECT_EQ(header->GetColumnWidth(7), 0);
  header->SetColumnWidth(-1, 50);
  EXPECT_EQ(header->GetTotalWidth(), 300);
  EXPECT_FALSE(header->DeleteItem(3));
  EXPECT_EQ(header->InsertItem(new TQVHdrItem("Bad"), -1), -1);
  EXPECT_EQ(header->InsertItem(new TQVHdrItem("End", nullptr, 10), 40), 3) << "past the end appends";
  EXPECT_STREQ(header->GetItemText(3), "End");
  EXPECT_STREQ(header->GetItemText(9), "");
  list->AutoSizeColumn(12, 2);
  EXPECT_EQ(list->MeasureColumnContent(-1), 0);
}

}  // namespace
