// The system's MIDI devices by product name: finding the device a configured name stands for,
// and the names the options pages list.
#pragma once
#include <windows.h>

constexpr int kMidiDeviceNameSize = 32;  // product names hold at most 31 characters
// The device number that makes the engine open the MIDI mapper.
constexpr WORD kMidiMapperDeviceNumber = 0xFFFF;
constexpr int kMidiDeviceNotFound = -2;

// Output device ids run from -1 (the mapper) to the device count less one. Names match exactly,
// case included. Answers the device number to open, or kMidiDeviceNotFound.
int FindMidiOutDevice(const char* name);
// Input names match without regard to case. Answers the device id or kMidiDeviceNotFound.
int FindMidiInDevice(const char* name);

// The product name of output id (-1 = the mapper) or input id; false when the id has none.
bool MidiOutDeviceName(int id, char (&name)[kMidiDeviceNameSize]);
bool MidiInDeviceName(int id, char (&name)[kMidiDeviceNameSize]);
int MidiOutDeviceCount();
int MidiInDeviceCount();
