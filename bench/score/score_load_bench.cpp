// Loading a large score file (read, inflate, parse, build the model, then the audit pass over
// every staff, as opening a file in the editor does) against the bare cost of reading the same
// file's bytes and inflating them with zlib in one call: the fastest and the median of the
// rounds, each round timing every case in turn. Then the same in fresh processes, once each: the
// first load's time, the model's heap bytes per item and the peak resident memory.
//   score_load_bench [big|stress] [rounds]
//   score_load_bench --loop load|plain|parse|inflate [count]   (one case again and again, for a
//     profiler: "parse" reads the compressed file without the audit)
// Pin it to fewer cores with taskset (Linux) or start /affinity (Windows); it prints how many
// cores it was allowed.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "bench/BenchBuildKind.h"
#include "bench/BenchMachine.h"
#include "bench/score/BenchTimer.h"
#include "bench/score/ScoreGenerator.h"
#include "foundation/AllowedProcessors.h"
#include "foundation/QXTSegRamStream.h"
#include "tests/support/model/BareModelHooks.h"

namespace {

std::vector<unsigned char> ReadAll(const std::string& path) {
  std::vector<unsigned char> bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  std::fseek(f, 0, SEEK_END);
  bytes.resize(static_cast<size_t>(std::ftell(f)));
  std::fseek(f, 0, SEEK_SET);
  if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
  std::fclose(f);
  return bytes;
}


// The figures one fresh process gives for one case; -1 where the platform has none.
struct TFreshRun {
  double ms = -1;
  long long heapBytes = -1;
  long peakKiB = -1;
  long long items = 0;
};

void PrintFresh(const char* mode, const TFreshRun& r) {
  std::printf("fresh %s %.3f %lld %ld %lld\n", mode, r.ms, r.heapBytes, r.peakKiB, r.items);
}

// Items of the model, chord heads counted apart from their chords.
void CountItems(const TMusicScore& score, long long& items, long long& heads) {
  items = heads = 0;
  for (int s = 0; s < score.StaffCount(); ++s) {
    const TMusicStaff* staff = score.GetStaff(s);
    items += staff->ItemCount();
    for (int i = 0; i < staff->ItemCount(); ++i) {
      const TNotatedItem* item = staff->GetItem(i);
      if (item->GetType() == ntChord) heads += item->GetNoteCount();
    }
  }
}

// The child side: one case, once, in this fresh process.
int RunFresh(const char* mode, const char* path) {
  InstallAuditPass();
  TFreshRun r;
  const long long before = HeapBytesInUse();
  if (std::strcmp(mode, "inflate") == 0) {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<unsigned char> file = ReadAll(path);
    // Left uninitialised: only the pages the inflation writes become resident, as in the reader.
    const size_t room = file.size() * 16;
    std::unique_ptr<unsigned char[]> out(new unsigned char[room]);
    uLongf size = static_cast<uLongf>(room);
    if (file.size() < 6 || uncompress(out.get(), &size, file.data() + 6, static_cast<uLong>(file.size() - 6)) != Z_OK) return 1;
    r.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  } else {
    const auto start = std::chrono::steady_clock::now();
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> score(ReadScoreFile(path, info));
    if (!score || info.status != slRead) return 1;
    r.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (before >= 0) r.heapBytes = HeapBytesInUse() - before;
    long long heads = 0;
    CountItems(*score, r.items, heads);
    r.items += heads;
    r.peakKiB = PeakResidentKiB();
    PrintFresh(mode, r);
    std::fflush(stdout);
    std::_Exit(0);  // the model is not freed: only loading is measured
  }
  r.peakKiB = PeakResidentKiB();
  PrintFresh(mode, r);
  return 0;
}

// Runs this program on one case in a fresh process and reads back what it printed.
bool Fresh(const char* self, const char* mode, const std::string& path, TFreshRun& r) {
  std::string command = std::string("\"") + self + "\" --fresh " + mode + " \"" + path + "\"";
#ifdef _WIN32
  // The command interpreter takes off the outermost pair of quotes.
  command = "\"" + command + "\"";
#endif
  FILE* child = popen(command.c_str(), "r");
  if (!child) return false;
  char line[256];
  bool ok = false;
  while (std::fgets(line, sizeof line, child)) {
    char seen[16];
    if (std::sscanf(line, "fresh %15s %lf %lld %ld %lld", seen, &r.ms, &r.heapBytes, &r.peakKiB, &r.items) == 5) ok = true;
  }
  return pclose(child) == 0 && ok;
}

struct TTimes {
  std::vector<double> ms;
  void Add(double t) { ms.push_back(t); }
  double Min() const { return *std::min_element(ms.begin(), ms.end()); }
  double Median() const {
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
};

void PrintRow(const char* what, const TTimes& t, const TTimes& base, const char* limit) {
  std::printf("  %-30s min %8.1f ms  median %8.1f ms   ratio min %.2f  median %.2f%s\n", what, t.Min(), t.Median(),
              t.Min() / base.Min(), t.Median() / base.Median(), limit);
}

}  // namespace

// One case, `count` times over, for a profiler to sample; nothing else runs in the process.
int RunLoop(const char* mode, int count) {
  InstallAuditPass();
  const auto dir = std::filesystem::temp_directory_path();
  const std::string packed = (dir / "vc_bench_loop_z.qvk").string();
  const std::string plain = (dir / "vc_bench_loop_p.qvk").string();
  {
    std::unique_ptr<TMusicScore> score = GenerateScore(kBigScore);
    if (!SaveScoreFile(packed.c_str(), 1, *score, skAutoSave) || !SaveScoreFile(plain.c_str(), 0, *score, skAutoSave))
      return 1;
  }
  const bool inflateOnly = std::strcmp(mode, "inflate") == 0;
  if (std::strcmp(mode, "parse") == 0) SetScoreAuditHooks(BareModelHooks());
  const std::string& path = std::strcmp(mode, "plain") == 0 ? plain : packed;
  std::vector<unsigned char> out(ReadAll(plain).size());
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) {
    if (inflateOnly) {
      const std::vector<unsigned char> file = ReadAll(packed);
      uLongf size = static_cast<uLongf>(out.size());
      if (uncompress(out.data(), &size, file.data() + 6, static_cast<uLong>(file.size() - 6)) != Z_OK) return 1;
      continue;
    }
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> score(ReadScoreFile(path.c_str(), info));
    if (!score || info.status != slRead) return 1;
  }
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("%s, %d cores allowed: %s x %d, %.1f ms each\n", kBuildKind, AllowedProcessors(), mode, count, ms / count);
  std::remove(packed.c_str());
  std::remove(plain.c_str());
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--fresh") == 0) return RunFresh(argv[2], argv[3]);
  if (argc >= 3 && std::strcmp(argv[1], "--loop") == 0) return RunLoop(argv[2], argc > 3 ? std::max(std::atoi(argv[3]), 1) : 50);
  const bool stress = argc > 1 && std::strcmp(argv[1], "stress") == 0;
  const int rounds = std::max(argc > 2 ? std::atoi(argv[2]) : 7, 1);
  const TScoreShape shape = stress ? kStressScore : kBigScore;
  // The reader's audit hooks run the real pass, as in the editor.
  InstallAuditPass();
  const auto dir = std::filesystem::temp_directory_path();
  const std::string packed = (dir / "vc_bench_load_z.qvk").string();
  const std::string plain = (dir / "vc_bench_load_p.qvk").string();
  {
    std::unique_ptr<TMusicScore> score = GenerateScore(shape);
    if (!SaveScoreFile(packed.c_str(), 1, *score, skAutoSave) || !SaveScoreFile(plain.c_str(), 0, *score, skAutoSave)) {
      std::fprintf(stderr, "cannot write the benchmark files\n");
      return 1;
    }
  }
  const std::vector<unsigned char> body = ReadAll(plain);
  std::vector<unsigned char> out(body.size());

  auto inflateAll = [&] {
    const std::vector<unsigned char> file = ReadAll(packed);
    uLongf size = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &size, file.data() + 6, static_cast<uLong>(file.size() - 6)) != Z_OK) std::abort();
  };
  // The score is deleted outside the timed part: loading is what is measured.
  std::unique_ptr<TMusicScore> loaded;
  // Wall time per load; the processor time of all threads goes to `cpu`, which a machine busy
  // with other work disturbs far less.
  auto load = [&](const std::string& path, TTimes& cpu) {
    double spent = 0;
    const double wall = BestMilliseconds(1, [&] { loaded.reset(); }, [&] {
      const double before = ProcessCpuMilliseconds();
      TScoreLoadInfo info;
      loaded.reset(ReadScoreFile(path.c_str(), info));
      if (!loaded || info.status != slRead) std::abort();
      spent = ProcessCpuMilliseconds() - before;
    });
    cpu.Add(spent);
    return wall;
  };
  const TScoreAuditHooks audit = GetScoreAuditHooks();
  std::printf("score load, %s: %d staves x %d items, file %zu bytes compressed, %zu plain\n", stress ? "stress" : "big",
              shape.staves, shape.itemsPerStaff, ReadAll(packed).size(), body.size());
  std::printf("%s, %d cores allowed (of %u), %d rounds\n", kBuildKind, AllowedProcessors(),
              std::thread::hardware_concurrency(), rounds);
  // Each round times every case in turn, so that a machine busy with other work slows them alike.
  // The last case starts the threads a machine of many processors gets, whatever this one allows:
  // the reader's choice for few processors against what it would do without asking.
  TTimes baseline, loadPacked, loadPlain, readOnly, loadManyThreads;
  TTimes baselineCpu, loadPackedCpu, loadPlainCpu, readOnlyCpu, loadManyThreadsCpu;
  for (int round = 0; round < rounds; ++round) {
    const double before = ProcessCpuMilliseconds();
    baseline.Add(BestMilliseconds(1, inflateAll));
    baselineCpu.Add(ProcessCpuMilliseconds() - before);
    loadPacked.Add(load(packed, loadPackedCpu));
    loadPlain.Add(load(plain, loadPlainCpu));
    SetScoreAuditHooks(BareModelHooks());
    readOnly.Add(load(packed, readOnlyCpu));
    SetScoreAuditHooks(audit);
    SetAllowedProcessorsOverride(8);
    loadManyThreads.Add(load(packed, loadManyThreadsCpu));
    SetAllowedProcessorsOverride(0);
  }
  long long items = 0, heads = 0;
  CountItems(*loaded, items, heads);
  loaded.reset();
  const char* limit = "   (limit 2.00; 3.00 on one core)";
  const auto table = [&](const char* title, const TTimes& base, const TTimes& packedT, const TTimes& plainT,
                         const TTimes& readOnlyT, const TTimes& manyT, bool limits) {
    std::printf("%s\n  read + inflate in one call:    min %8.1f ms  median %8.1f ms\n", title, base.Min(), base.Median());
    PrintRow("load compressed + audit:", packedT, base, limits ? limit : "");
    PrintRow("load plain + audit:", plainT, base, limits ? limit : "");
    PrintRow("load compressed, no audit:", readOnlyT, base, "");
    PrintRow("compressed, threads as on 8:", manyT, base, "");
  };
  table("wall time:", baseline, loadPacked, loadPlain, readOnly, loadManyThreads, true);
  table("processor time of all threads (the clock's step is coarse):", baselineCpu, loadPackedCpu, loadPlainCpu, readOnlyCpu,
        loadManyThreadsCpu, false);

  // Fresh processes: a first load, with nothing of the program's memory warm.
  TFreshRun inflateRun, packedRun, plainRun;
  if (Fresh(argv[0], "inflate", packed, inflateRun) && Fresh(argv[0], "load", packed, packedRun) &&
      Fresh(argv[0], "load", plain, plainRun)) {
    std::printf("fresh process, first run of each:\n");
    std::printf("  read + inflate %.1f ms; load compressed + audit %.1f ms (ratio %.2f); plain %.1f ms (ratio %.2f)\n",
                inflateRun.ms, packedRun.ms, packedRun.ms / inflateRun.ms, plainRun.ms, plainRun.ms / inflateRun.ms);
    const double fileBytesPerItem = double(body.size()) / double(items + heads);
    std::printf("  model: %lld items + %lld chord heads; plain file %.1f bytes per item\n", items, heads, fileBytesPerItem);
    if (packedRun.heapBytes >= 0) {
      const double modelPerItem = double(packedRun.heapBytes) / double(packedRun.items);
      std::printf("  model heap: %.1f bytes per item, %.2fx the file's (limit 2.00)\n", modelPerItem,
                  modelPerItem / fileBytesPerItem);
    }
    if (packedRun.peakKiB > 0 && inflateRun.peakKiB > 0)
      std::printf("  peak resident: load %ld KiB, read + inflate %ld KiB, ratio %.2f (limit 2.00); plain load %ld KiB\n",
                  packedRun.peakKiB, inflateRun.peakKiB, double(packedRun.peakKiB) / double(inflateRun.peakKiB),
                  plainRun.peakKiB);
  } else {
    std::printf("fresh process runs failed\n");
  }
  std::remove(packed.c_str());
  std::remove(plain.c_str());
  return 0;
}
