// What the Standard MIDI File reader and writer share: the header values of the file at hand,
// the running tick of the current track, and the error flag and warning count of the pass.
#pragma once
#include <cstdint>

class TSMFStream {
public:
  // Every file the system writes uses the score's own resolution.
  static constexpr int kDivision = 192;

  TSMFStream() = default;
  virtual ~TSMFStream() = default;
  TSMFStream(const TSMFStream&) = delete;
  TSMFStream& operator=(const TSMFStream&) = delete;

  virtual void SetError(const char* message) { error_ = true; }
  virtual void AddWarning(const char* message) { ++warnings_; }

  bool HasError() const { return error_; }
  int WarningCount() const { return warnings_; }
  int Format() const { return format_; }
  int TrackCount() const { return trackCount_; }
  int Division() const { return division_; }

protected:
  int format_ = 1;
  int trackCount_ = 0;
  int division_ = kDivision;
  // Ticks since the start of the current track, in the file's units.
  uint64_t trackTick_ = 0;

private:
  bool error_ = false;
  int warnings_ = 0;
};
