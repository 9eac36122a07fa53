// The OK pass over a sheet's pages (validation of every page before any page takes its data,
// each page applied once), the wizard's button states, the sheet keys, mnemonics and the
// remembered-page key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AboutText.h"
#include "foundation/Mnemonic.h"
#include "foundation/PropertySheetStyle.h"
#include "foundation/SheetRules.h"

namespace {

struct TLog {
  std::vector<std::string> calls;
};

class TFakePage : public TOkPassPage {
public:
  TFakePage(TLog& log, std::string name, bool window) : log_(log), name_(std::move(name)), window_(window) {}
  bool HasWindow() const override { return window_; }
  bool CreateForCheck() override {
    log_.calls.push_back("create " + name_);
    window_ = true;
    return true;
  }
  void DestroyAfterCheck() override {
    log_.calls.push_back("destroy " + name_);
    window_ = false;
  }
  bool ControlsValid() override {
    log_.calls.push_back("controls " + name_);
    return controlsValid;
  }
  bool IsPageValid() override {
    log_.calls.push_back("valid " + name_);
    return pageValid;
  }
  bool Apply() override {
    log_.calls.push_back("apply " + name_);
    return applies;
  }
  void MakeCurrent() override { log_.calls.push_back("current " + name_); }

  bool controlsValid = true, pageValid = true, applies = true;

private:
  TLog& log_;
  std::string name_;
  bool window_;
};

using TCalls = std::vector<std::string>;

TEST(SheetOkPass, ValidatesEveryPageBeforeApplyingEachOnce) {
  TLog log;
  TFakePage a(log, "a", true), b(log, "b", false), c(log, "c", true);
  EXPECT_TRUE(RunSheetOkPass({&a, &b, &c}, psfNormal));
  EXPECT_EQ(log.calls, (TCalls{"controls a", "valid a", "controls c", "valid c", "apply a", "apply c"}));
}

TEST(SheetOkPass, AnInvalidPageComesForwardAndNothingIsApplied) {
  TLog log;
  TFakePage a(log, "a", true), b(log, "b", true), c(log, "c", true);
  b.controlsValid = false;
  EXPECT_FALSE(RunSheetOkPass({&a, &b, &c}, psfNormal));
  EXPECT_EQ(log.calls, (TCalls{"controls a", "valid a", "controls b", "current b"}));

  log.calls.clear();
  b.controlsValid = true;
  c.pageValid = false;
  EXPECT_FALSE(RunSheetOkPass({&a, &b, &c}, psfNormal));
  EXPECT_EQ(log.calls.back(), "current c");
  for (const std::string& call : log.calls) EXPECT_NE(call.rfind("apply", 0), 0u) << call;

  log.calls.clear();
  c.pageValid = true;
  b.applies = false;
  EXPECT_FALSE(RunSheetOkPass({&a, &b, &c}, psfNormal));
  EXPECT_EQ(log.calls.back(), "apply b") << "the first refusal stops the applying";
}

TEST(SheetOkPass, UncreatedPagesAreCheckedOnlyWhenAskedFor) {
  TLog log;
  TFakePage a(log, "a", true), b(log, "b", false);
  EXPECT_TRUE(RunSheetOkPass({&a, &b}, psfDestroyOnLeave));
  EXPECT_EQ(log.calls, (TCalls{"controls a", "valid a", "apply a"}));

  log.calls.clear();
  EXPECT_TRUE(RunSheetOkPass({&a, &b}, psfDestroyOnLeave | psfValidateUncreated));
  EXPECT_EQ(log.calls, (TCalls{"controls a", "valid a", "create b", "controls b", "valid b", "destroy b", "apply a"}));

  log.calls.clear();
  b.pageValid = false;
  EXPECT_FALSE(RunSheetOkPass({&a, &b}, psfDestroyOnLeave | psfValidateUncreated));
  EXPECT_EQ(log.calls, (TCalls{"controls a", "valid a", "create b", "controls b", "valid b", "destroy b", "current b"}));
}

TEST(WizardButtons, FollowTheEnabledPages) {
  struct Case {
    std::vector<bool> enabled;
    int index;
    bool back, last;
    int defaultId;
  };
  const Case cases[] = {
      {{true, true, true}, 0, false, false, 501},
      {{true, true, true}, 1, true, false, 501},
      {{true, true, true}, 2, true, true, 1},
      {{true}, 0, false, true, 1},
      {{true, true, false, false}, 1, true, true, 1},   // later pages disabled: this is the last
      {{false, true, true}, 1, false, false, 501},      // nothing enabled before
  };
  for (const Case& c : cases) {
    const TWizardButtons b = WizardButtonsFor(c.enabled, c.index);
    EXPECT_EQ(b.back, c.back) << c.index;
    EXPECT_EQ(b.last, c.last) << c.index;
    EXPECT_EQ(b.defaultId, c.defaultId) << c.index;
  }
}

TEST(SheetKeys, StepsMnemonicsAndHistoryKey) {
  constexpr unsigned kTab = 0x09, kPrior = 0x21, kNext = 0x22, kHome = 0x24;
  EXPECT_EQ(SheetStepForKey(kTab, true, false, false), TSheetStep::Next);
  EXPECT_EQ(SheetStepForKey(kTab, true, true, false), TSheetStep::Previous);
  EXPECT_EQ(SheetStepForKey(kNext, true, false, false), TSheetStep::Next);
  EXPECT_EQ(SheetStepForKey(kPrior, true, false, false), TSheetStep::Previous);
  EXPECT_EQ(SheetStepForKey(kHome, false, false, true), TSheetStep::First);
  EXPECT_EQ(SheetStepForKey(kTab, false, false, false), TSheetStep::None);
  EXPECT_EQ(SheetStepForKey(kNext, false, false, false), TSheetStep::None);

  struct Case {
    const char* caption;
    char mnemonic;
  };
  const Case cases[] = {{"&File", 'F'}, {"Save &as", 'A'}, {"R&&B &music", 'M'}, {"Tom && Jerry", 0},
                        {"End&", 0},    {"", 0},           {nullptr, 0},        {"&&&x", 'X'}};
  for (const Case& c : cases) EXPECT_EQ(MnemonicOf(c.caption), c.mnemonic) << (c.caption ? c.caption : "null");

  char key[12];
  TabHistoryKey(569, key);
  EXPECT_STREQ(key, "239");
  TabHistoryKey(0xABC, key);
  EXPECT_STREQ(key, "abc");

  char version[40];
  FormatAboutVersion(version, sizeof version);
  EXPECT_STREQ(version, "1.75b (32-bit)");
}

}  // namespace
