#include "engine/win32/EnginePlatformWin32.h"

#include <windows.h>
#include <mmsystem.h>

#include "engine/win32/EngineExports.h"

namespace {

class MultimediaPlatform final : public EnginePlatform {
public:
  constexpr MultimediaPlatform() = default;

  uint32_t Now() override { return timeGetTime(); }

  uint32_t SendShort(EngineHandle output, uint32_t message) override {
    return midiOutShortMsg(reinterpret_cast<HMIDIOUT>(output), message);
  }

  void Post(EngineHandle window, uint32_t message, uintptr_t wParam, uintptr_t lParam) override {
    PostMessageA(reinterpret_cast<HWND>(window), message, wParam, lParam);
  }

  bool BeginPeriod(uint32_t ms) override { return timeBeginPeriod(ms) == TIMERR_NOERROR; }
  void EndPeriod(uint32_t ms) override { timeEndPeriod(ms); }

  uint32_t StartTimer(uint32_t periodMs, uint32_t resolutionMs, EngineState* state) override {
    // Synchronous kill: Stop must know no tick is still sending when it sweeps the notes off.
    return timeSetEvent(periodMs, resolutionMs, ConductorCB, reinterpret_cast<DWORD_PTR>(state),
                        TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
  }

  void KillTimer(uint32_t id) override { timeKillEvent(id); }
};

// Stateless: the engine keeps all of its data in the callers' state blocks.
constinit MultimediaPlatform platform;

}  // namespace

EnginePlatform& Win32EnginePlatform() { return platform; }
