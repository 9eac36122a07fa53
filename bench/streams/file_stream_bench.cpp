// Writes and reads back 32 MB one byte at a time through TQXTFStream and compares the time
// with one WriteFile and one ReadFile of the same 32 MB. Each side is timed five times and
// the best run counts, so a stray pause of the machine does not decide the ratio.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "foundation/QXTFStream.h"

namespace {

constexpr DWORD kBytes = 32u * 1024 * 1024;

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

unsigned char ByteAt(DWORD i) { return static_cast<unsigned char>(i * 7 + (i >> 13)); }

// One WriteFile, one ReadFile; answers seconds, or -1 when the data does not come back.
double Bulk(const char* path, std::vector<unsigned char>& data, std::vector<unsigned char>& back) {
  const double start = Now();
  HANDLE out = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD put = 0;
  WriteFile(out, data.data(), kBytes, &put, nullptr);
  CloseHandle(out);
  HANDLE in = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD got = 0;
  ReadFile(in, back.data(), kBytes, &got, nullptr);
  CloseHandle(in);
  const double seconds = Now() - start;
  return put == kBytes && got == kBytes && back == data ? seconds : -1;
}

// Writes and reads back through Out and In, each given the concrete stream and answering the
// reference the loop calls through.
template <typename Access>
double ByteByByte(const char* path, Access access) {
  const double start = Now();
  {
    TQXTFStream file(TQXTFStream::ModeWrite, path);
    auto& out = access(file);
    for (DWORD i = 0; i < kBytes; ++i) out.PutByte(ByteAt(i));
    if (out.IsFailed()) return -1;
  }
  bool same = true;
  {
    TQXTFStream file(TQXTFStream::ModeRead, path);
    auto& in = access(file);
    for (DWORD i = 0; i < kBytes; ++i) same &= in.GetByte() == ByteAt(i);
    same &= !in.IsFailed();
  }
  const double seconds = Now() - start;
  return same ? seconds : -1;
}

// A caller that holds the file stream itself: the compiler may inline the byte paths.
TQXTFStream& Direct(TQXTFStream& stream) { return stream; }

// A caller that holds only the base class, as the score reader and writer do: the volatile hides
// the concrete type, so every byte is a virtual call.
TQXTStream& ThroughBase(TQXTFStream& stream) {
  TQXTStream* volatile hidden = &stream;
  return *hidden;
}

double Best(double a, double b) { return a < 0 || b < 0 ? -1 : (a < b ? a : b); }

}  // namespace

int main() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  char path[MAX_PATH + 32];
  std::snprintf(path, sizeof path, "%sbench_file_stream.tmp", folder);

  std::vector<unsigned char> data(kBytes), back(kBytes);
  for (DWORD i = 0; i < kBytes; ++i) data[i] = ByteAt(i);

  double bulk = 1e9, direct = 1e9, virtualCalls = 1e9;
  for (int run = 0; run < 5; ++run) {
    bulk = Best(bulk, Bulk(path, data, back));
    direct = Best(direct, ByteByByte(path, Direct));
    virtualCalls = Best(virtualCalls, ByteByByte(path, ThroughBase));
  }
  DeleteFileA(path);
  if (bulk < 0 || direct < 0 || virtualCalls < 0) {
    std::printf("bench_file_stream: data did not come back intact\n");
    return 1;
  }
  std::printf("32 MB written and read back (best of 5)\n");
  std::printf("  one WriteFile + one ReadFile         : %7.3f s\n", bulk);
  std::printf("  byte by byte, called as TQXTFStream  : %7.3f s  ratio %5.2f x\n", direct, direct / bulk);
  std::printf("  byte by byte, called as TQXTStream&  : %7.3f s  ratio %5.2f x\n", virtualCalls, virtualCalls / bulk);
  return 0;
}
