#include "app/win32/ToolbarSet.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "app/BesideHelpFile.h"
#include "app/ToolbarCommands.h"
#include "app/ToolbarEditing.h"
#include "app/ToolbarFile.h"
#include "app/ToolbarState.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/Toolbar.h"
#include "app/win32/VellichordApp.h"
#include "foundation/QXTFStream.h"
#include "foundation/SysInfo.h"
#include "foundation/win32/FileUtils.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/DecoratedFrame.h"
#include "resources/StringIds.h"

namespace {

const char kSection[] = "Toolbars";
const char kFileName[] = "toolbars.dat";

std::unique_ptr<TToolbarGadget> MakeGadget(uint16_t value) {
  if (value == kToolbarFileSeparator) return std::make_unique<TQVToolbarSeparatorGadget>();
  const int id = FindToolbarCommand(value) ? value : kPlaceholderCommand;
  return std::make_unique<TToolbarButtonGadget>(id, id);
}

bool ReplaceFile(const char* from, const char* to) { return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0; }

}  // namespace

void ToolbarDataPath(char (&path)[260]) {
  char program[260] = {};
  const char* help = gApp ? gApp->GetHelpFile() : nullptr;
  // Without a help file path the program's own folder holds the file.
  if (!help || !*help) {
    GetModuleFileNameA(nullptr, program, sizeof program);
    help = program;
  }
  PathBesideHelpFile(help, kFileName, path);
}

HFONT ToolbarGadgetFont() {
  static HFONT font = nullptr;
  if (!font) {
    const int points = GetSysInfo().IsWin4OrLater() ? 8 : 10;
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  }
  return font;
}

void LoadToolbars(TDecoratedFrame& frame) {
  char path[260];
  ToolbarDataPath(path);
  if (path[0] && FileExists(path)) {
    std::vector<TToolbarRecord> records;
    TToolbarFileStatus status;
    {
      TQXTFStream in(TQXTFStream::ModeRead | TQXTFStream::ShareRead, path);
      status = in.IsOpen() ? ReadToolbarRecords(in, records) : TToolbarFileStatus::Ok;
    }
    if (status == TToolbarFileStatus::Damaged) {
      MBLMessage(nullptr, MB_OK | MB_ICONEXCLAMATION, IDS_TOOLBARS_DAMAGED, IDS_TOOLBARS_DAMAGED_TEXT, path);
    }
    for (const TToolbarRecord& r : records) {
      if (r.items.empty() || !CanAddToolbar(static_cast<int>(ToolbarList().size()))) continue;
      if (FindToolbar(r.name.c_str()) >= 0) continue;
      auto* t = new TToolbar(frame, r.name.c_str(), 0x2800, true, ToolbarGadgetFont());
      for (uint16_t v : r.items) t->AppendGadget(MakeGadget(v));
    }
  }
  if (!ToolbarList().empty()) return;
  for (int n = 0; n < kFactoryToolbarCount; ++n) CreateFactoryToolbar(frame, n);
}

TToolbar* CreateFactoryToolbar(TDecoratedFrame& frame, int n) {
  const TFactoryToolbar* f = FactoryToolbar(n);
  if (!f || !CanAddToolbar(static_cast<int>(ToolbarList().size()))) return nullptr;
  auto* t = new TToolbar(frame, f->name, f->flags, true, ToolbarGadgetFont());
  for (int i = 0; i < f->count; ++i) t->AppendGadget(MakeGadget(f->items[i]));
  return t;
}

bool SaveToolbars() {
  char path[260];
  ToolbarDataPath(path);
  if (!path[0]) return false;
  std::vector<TToolbarRecord> records;
  for (TToolbar* t : ToolbarList()) records.push_back(TToolbarRecord{t->GetName(), t->FileValues()});
  return SaveToolbarFile(path, records, ReplaceFile);
}

void ClearToolbarSection() {
  TSysInfo& settings = GetSysInfo();
  settings.WriteString(kSection, nullptr, nullptr);
  if (settings.GetRegistryFlag() == 0) settings.FlushSettings();
}

bool ToggleToolbar(int commandId) {
  const int index = commandId - kFirstToolbarCommand;
  std::vector<TToolbar*>& list = ToolbarList();
  if (index < 0 || index >= static_cast<int>(list.size()) || index >= kMaxToolbars) return false;
  TToolbar* t = list[index];
  t->ChangeState(static_cast<uint16_t>(t->GetFlags() ^ kTbHidden), true);
  return true;
}

void DeleteToolbar(TToolbar* toolbar) {
  if (!toolbar) return;
  if (!toolbar->IsHidden()) toolbar->ChangeState(static_cast<uint16_t>(toolbar->GetFlags() | kTbHidden), true);
  delete toolbar;
}
