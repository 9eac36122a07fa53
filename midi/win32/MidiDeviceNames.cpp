#include "midi/win32/MidiDeviceNames.h"

#include <mmsystem.h>

#include <cstring>

namespace {

void CopyName(const char* from, char (&name)[kMidiDeviceNameSize]) {
  lstrcpynA(name, from, kMidiDeviceNameSize);
}

}  // namespace

bool MidiOutDeviceName(int id, char (&name)[kMidiDeviceNameSize]) {
  MIDIOUTCAPSA caps;
  if (midiOutGetDevCapsA(UINT(id), &caps, sizeof caps) != MMSYSERR_NOERROR) return false;
  CopyName(caps.szPname, name);
  return true;
}

bool MidiInDeviceName(int id, char (&name)[kMidiDeviceNameSize]) {
  MIDIINCAPSA caps;
  if (midiInGetDevCapsA(UINT(id), &caps, sizeof caps) != MMSYSERR_NOERROR) return false;
  CopyName(caps.szPname, name);
  return true;
}

int MidiOutDeviceCount() { return int(midiOutGetNumDevs()); }
int MidiInDeviceCount() { return int(midiInGetNumDevs()); }

int FindMidiOutDevice(const char* name) {
  if (!name || !*name) return kMidiDeviceNotFound;
  char found[kMidiDeviceNameSize];
  for (int id = -1; id < MidiOutDeviceCount(); ++id) {
    if (MidiOutDeviceName(id, found) && std::strcmp(found, name) == 0) {
      return id < 0 ? kMidiMapperDeviceNumber : id;
    }
  }
  return kMidiDeviceNotFound;
}

int FindMidiInDevice(const char* name) {
  if (!name || !*name) return kMidiDeviceNotFound;
  char found[kMidiDeviceNameSize];
  for (int id = 0; id < MidiInDeviceCount(); ++id) {
    if (MidiInDeviceName(id, found) && lstrcmpiA(found, name) == 0) return id;
  }
  return kMidiDeviceNotFound;
}
