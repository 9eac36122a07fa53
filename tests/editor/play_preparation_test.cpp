// The questions before Play and Record: each row is a device state and the user's answers, and
// shows which questions came, which options pages opened and whether the command went on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/PlayPreparation.h"

namespace {

struct TFakeDevices : TPlayDeviceHost {
  bool recordDevice = true, ports = true, mapper = false, outputsFail = false, inputFails = false;
  std::vector<TPlayAnswer> answers;
  std::string log;

  bool HasRecordDevice() override { return recordDevice; }
  bool HasOutputPorts() override { return ports; }
  void UseMapperPort() override {
    log += "mapper ";
    ports = ports || mapper;
  }
  void OpenDevices() override { log += "open "; }
  bool OutputsFailed() override { return outputsFail; }
  bool InputFailed() override { return inputFails; }
  TPlayAnswer Ask(TPlayQuestion question) override {
    static const char* const kNames[] = {"ask-record ", "ask-ports ", "ask-outputs ", "ask-input "};
    log += kNames[static_cast<int>(question)];
    if (answers.empty()) return TPlayAnswer::Cancel;
    const TPlayAnswer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  void OpenOptionsPage(TOptionsPage page) override {
    log += page == TOptionsPage::Midi ? "page-midi " : "page-record ";
    // Choosing on the page sets the devices up.
    if (page == TOptionsPage::Record) recordDevice = true;
  }
};

using A = TPlayAnswer;

struct TCase {
  const char* name;
  TPlayKind kind;
  bool recordDevice, ports, mapper, outputsFail, inputFails;
  std::vector<TPlayAnswer> answers;
  bool goesOn;
  const char* log;
};

}  // namespace

TEST(PlayPreparation, AsksWhatTheDevicesNeedAndFollowsTheAnswers) {
  const TCase cases[] = {
      {"all set", TPlayKind::Play, true, true, false, false, false, {}, true, "open "},
      {"play ignores the record device", TPlayKind::Play, false, true, false, false, false, {}, true, "open "},
      {"record without device, No", TPlayKind::Record, false, true, false, false, false, {A::No}, false, "ask-record "},
      {"record without device, Yes", TPlayKind::Record, false, true, false, false, false, {A::Yes}, true,
       "ask-record page-record open "},
      {"mapper stands in quietly", TPlayKind::Play, true, false, true, false, false, {}, true, "mapper open "},
      {"no ports, Cancel", TPlayKind::StaffPlay, true, false, false, false, false, {A::Cancel}, false,
       "mapper ask-ports "},
      {"no ports, No plays on", TPlayKind::Play, true, false, false, false, false, {A::No}, true,
       "mapper ask-ports open "},
      {"no ports, Yes", TPlayKind::Play, true, false, false, false, false, {A::Yes}, true,
       "mapper ask-ports page-midi open "},
      {"ports fail, No", TPlayKind::Play, true, true, false, true, false, {A::No}, true, "open ask-outputs "},
      {"ports fail, Yes", TPlayKind::Play, true, true, false, true, false, {A::Yes}, true,
       "open ask-outputs page-midi "},
      {"input fails on record", TPlayKind::Record, true, true, false, false, true, {A::Yes}, true,
       "open ask-input page-record "},
      {"input failing does not matter to play", TPlayKind::Play, true, true, false, false, true, {}, true, "open "},
  };
  for (const TCase& c : cases) {
    TFakeDevices host;
    host.recordDevice = c.recordDevice;
    host.ports = c.ports;
    host.mapper = c.mapper;
    host.outputsFail = c.outputsFail;
    host.inputFails = c.inputFails;
    host.answers = c.answers;
    EXPECT_EQ(PreparePlayDevices(host, c.kind), c.goesOn) << c.name;
    EXPECT_EQ(host.log, c.log) << c.name;
  }
}
