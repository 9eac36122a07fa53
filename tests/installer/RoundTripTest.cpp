// Packages written by tools/make-upgrade from random old and new folders, read back and applied
// with the package reader and the patch runner: old folder + package = new folder, byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../utility/ScratchPath.h"
#include "foundation/QXTFStream.h"
#include "installer/PatchRunner.h"
#include "installer/UpgradePackage.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadAll(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& p, const Bytes& data) {
  fs::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary);
  f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

struct TFolders {
  std::mt19937 rng;
  explicit TFolders(unsigned seed) : rng(seed) {}

  Bytes Random(size_t n) {
    Bytes b(n);
    for (auto& c : b) c = static_cast<unsigned char>(rng());
    return b;
  }
  static void Append(Bytes& to, const Bytes& from, size_t at, size_t n) {
    to.insert(to.end(), from.begin() + static_cast<long>(at), from.begin() + static_cast<long>(at + n));
  }
  // An old and new file whose differences need every command: copies of each count width, both
  // relative to a moved base and by absolute offset, and literal runs of each width.
  void EveryCommand(Bytes& oldFile, Bytes& newFile) {
    oldFile = Random(300000);
    const Bytes lit10 = Random(10), lit1000 = Random(1000), lit70000 = Random(70000);
    newFile.clear();
    Append(newFile, oldFile, 0, 70000);
    newFile.insert(newFile.end(), lit10.begin(), lit10.end());
    Append(newFile, oldFile, 100000, 100);
    newFile.insert(newFile.end(), lit1000.begin(), lit1000.end());
    Append(newFile, oldFile, 140000, 300);
    newFile.insert(newFile.end(), lit10.begin(), lit10.end());
    Append(newFile, oldFile, 200000, 70000);
    newFile.insert(newFile.end(), lit70000.begin(), lit70000.end());
    Append(newFile, oldFile, 75000, 1000);
    newFile.insert(newFile.end(), lit10.begin(), lit10.end());
    Append(newFile, oldFile, 150000, 2000);
    newFile.insert(newFile.end(), lit10.begin(), lit10.end());
    Append(newFile, oldFile, 66000, 50);
  }
  // A random edit of a file: kept stretches, replaced, inserted and dropped bytes.
  Bytes Edit(const Bytes& old) {
    Bytes out;
    size_t at = 0;
    while (at < old.size()) {
      const size_t keep = std::min<size_t>(old.size() - at, rng() % 3000);
      Append(out, old, at, keep);
      at += keep;
      switch (rng() % 3) {
        case 0: { Bytes ins = Random(rng() % 400); out.insert(out.end(), ins.begin(), ins.end()); break; }
        case 1: at = std::min(old.size(), at + rng() % 300); break;
        default: { Bytes ins = Random(rng() % 40); out.insert(out.end(), ins.begin(), ins.end()); at = std::min(old.size(), at + rng() % 40); }
      }
    }
    return out;
  }
  void Make(const fs::path& oldDir, const fs::path& newDir) {
    Bytes o, n;
    EveryCommand(o, n);
    WriteAll(oldDir / "QVK32.EXE", o);
    WriteAll(newDir / "QVK32.EXE", n);
    for (int i = 0; i < 6; ++i) {
      const std::string name = (i % 2 ? "sub/" : "") + std::string("file") + std::to_string(i) + ".dat";
      const Bytes base = Random(rng() % 20000);
      WriteAll(oldDir / name, base);
      WriteAll(newDir / name, Edit(base));
    }
    const Bytes same = Random(777);
    WriteAll(oldDir / "same.txt", same);
    WriteAll(newDir / "same.txt", same);
    WriteAll(oldDir / "gone/old.dll", Random(rng() % 5000));
    WriteAll(newDir / "added/deeper/new.hlp", Random(rng() % 5000));
    WriteAll(newDir / "empty.ini", Bytes());
    WriteAll(oldDir / "whole.dat", Random(3000));
    WriteAll(newDir / "whole.dat", Random(rng() % 3000));
  }
};

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
  if (pclose(pipe) != 0) out = "FAILED: " + out;
  return out;
}

// Applies the package to a copy of the old folder as the installer's phases would.
void Apply(const fs::path& package, const fs::path& oldDir, const fs::path& result) {
  fs::copy(oldDir, result, fs::copy_options::recursive);
  TQXTFStream stream(TQXTFStream::ModeRead, package.string().c_str());
  TUpgPackage upg;
  ASSERT_TRUE(upg.ReadHeader(stream));
  ASSERT_GT(upg.ReadRecords(stream), 0u);
  int index = 0;
  for (const TUpgFileRecord& r : upg.Records()) {
    std::string name = r.name;
    for (char& c : name)
      if (c == '\\') c = '/';
    const fs::path installed = result / name;
    if (r.HasOldInfo()) {
      TUpgFileInfo info;
      // The copy has new times; the package describes the old folder's files.
      ASSERT_TRUE(ReadUpgFileInfo((oldDir / name).string().c_str(), info)) << name;
      EXPECT_TRUE(info == r.oldInfo) << name;
    }
    if (r.operation == TUpgOperation::Delete) fs::remove(installed);
    if (!r.HasPatchStream()) continue;
    const fs::path temp = result / ("built" + std::to_string(index++) + ".tmp");
    {
      TQXTFStream out(TQXTFStream::ModeWrite, temp.string().c_str());
      TQXTFStream source;
      TPatchRun run;
      if (r.operation == TUpgOperation::Patch) {
        ASSERT_TRUE(source.Open(TQXTFStream::ModeRead, installed.string().c_str()));
        run.source = &source;
      }
      run.output = &out;
      run.outputLimit = r.newInfo.size;
      ASSERT_EQ(RunPatchStream(stream, run), TPatchResult::Done) << name;
    }
    TUpgFileInfo built;
    ASSERT_TRUE(ReadUpgFileInfo(temp.string().c_str(), built));
    EXPECT_TRUE(built.SameContents(r.newInfo)) << name;
    fs::create_directories(installed.parent_path());
    fs::rename(temp, installed);
  }
  // Folders emptied by deletes go too, so the trees compare.
  fs::remove(result / "gone");
}

std::set<std::string> Files(const fs::path& root) {
  std::set<std::string> names;
  for (auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file()) names.insert(fs::relative(e.path(), root).generic_string());
  return names;
}

TEST(UpgRoundTrip, OldFolderPlusPackageIsTheNewFolder) {
  const char* source = std::getenv("VC_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const unsigned firstSeed = std::random_device()();
  for (unsigned round = 0; round < 3; ++round) {
    const unsigned seed = firstSeed + round;
    SCOPED_TRACE("seed " + std::to_string(seed));
    const fs::path work = ScratchPath("upg_roundtrip_" + std::to_string(round));
    fs::remove_all(work);
    TFolders folders(seed);
    folders.Make(work / "old", work / "new");
    const std::string stats = RunCommand("python3 " + std::string(source) + "/tools/make-upgrade --stats --replace whole.dat " +
                                  (work / "old").string() + " " + (work / "new").string() + " " +
                                  (work / "p.upg").string());
    ASSERT_EQ(stats.find("FAILED"), std::string::npos) << stats;
    for (int opcode = 0; opcode <= 10; ++opcode)
      EXPECT_NE((" " + stats).find(" " + std::to_string(opcode) + ":"), std::string::npos) << opcode << " in " << stats;
    Apply(work / "p.upg", work / "old", work / "result");
    const auto expected = Files(work / "new");
    ASSERT_EQ(Files(work / "result"), expected);
    for (const std::string& name : expected) EXPECT_EQ(ReadAll(work / "result" / name), ReadAll(work / "new" / name)) << name;
    if (!HasFailure()) fs::remove_all(work);
  }
}

}  // namespace
