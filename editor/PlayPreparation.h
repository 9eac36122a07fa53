// The questions Play, Record and Staff Play ask before the devices are used: a record device that
// was never chosen, no output port at all, ports or an input that fail to open. Each can lead to
// the options sheet's MIDI or Record page; the answers decide whether the command goes on.
#pragma once

enum class TPlayKind { Play, Record, StaffPlay };
enum class TPlayQuestion { NoRecordDevice, NoPlayDevices, OutputsFailed, InputFailed };
enum class TPlayAnswer { Yes, No, Cancel };
enum class TOptionsPage { Midi, Record };

class TPlayDeviceHost {
public:
  virtual ~TPlayDeviceHost() = default;
  virtual bool HasRecordDevice() = 0;
  virtual bool HasOutputPorts() = 0;
  // Makes the system's MIDI mapper the only output port, when there is one.
  virtual void UseMapperPort() = 0;
  virtual void OpenDevices() = 0;
  virtual bool OutputsFailed() = 0;
  virtual bool InputFailed() = 0;
  virtual TPlayAnswer Ask(TPlayQuestion question) = 0;
  virtual void OpenOptionsPage(TOptionsPage page) = 0;
};

// Asks what needs asking and opens the devices; false when the user stopped the command.
bool PreparePlayDevices(TPlayDeviceHost& host, TPlayKind kind);
