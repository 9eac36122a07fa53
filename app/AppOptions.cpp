#include "app/AppOptions.h"

#include "foundation/SysInfo.h"

TAppOptions::TAppOptions() {
  for (int i = 0; i < kAppOptionSlots; ++i) values[i] = i < kAppOptionCount ? kAppOptionKeys[i].defaultValue : 0;
}

void TAppOptions::Load(TSysInfo& settings) {
  for (int i = 0; i < kAppOptionCount; ++i) {
    values[i] = settings.ReadInt(kOptionsSection, kAppOptionKeys[i].key, values[i]);
  }
}

void TAppOptions::Save(TSysInfo& settings) const {
  for (int i = 0; i < kAppOptionCount; ++i) settings.WriteInt(kOptionsSection, kAppOptionKeys[i].key, values[i]);
}
