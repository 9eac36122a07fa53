#include "editor/PlayPreparation.h"

bool PreparePlayDevices(TPlayDeviceHost& host, TPlayKind kind) {
  const bool record = kind == TPlayKind::Record;
  if (record && !host.HasRecordDevice()) {
    if (host.Ask(TPlayQuestion::NoRecordDevice) != TPlayAnswer::Yes) return false;
    host.OpenOptionsPage(TOptionsPage::Record);
  }
  if (!host.HasOutputPorts()) host.UseMapperPort();
  if (!host.HasOutputPorts()) {
    // No plays on without sound: the performance still runs, and records, through the engine.
    const TPlayAnswer answer = host.Ask(TPlayQuestion::NoPlayDevices);
    if (answer == TPlayAnswer::Cancel) return false;
    if (answer == TPlayAnswer::Yes) host.OpenOptionsPage(TOptionsPage::Midi);
  }
  host.OpenDevices();
  if (host.OutputsFailed() && host.Ask(TPlayQuestion::OutputsFailed) == TPlayAnswer::Yes) {
    host.OpenOptionsPage(TOptionsPage::Midi);
  }
  if (record && host.InputFailed() && host.Ask(TPlayQuestion::InputFailed) == TPlayAnswer::Yes) {
    host.OpenOptionsPage(TOptionsPage::Record);
  }
  return true;
}
