// The earlier line's shell texts and file-command rules: its version text and what its File Open,
// Import and Export dialogs offer.
#pragma once
#include <cstddef>
#include <string>

namespace earlier_shell {

// "major.minor", a sub-release letter ('a' for 1) when above 0, then " Alpha" (stage 0) or
// " Beta" (stage 1). Cut to the buffer.
void FormatReleaseVersion(char* buffer, std::size_t size, int number, int stage, int subRelease);
constexpr int kReleaseNumber = 311;
constexpr int kReleaseStage = 2;
constexpr int kSubRelease = 2;

// Filters of the common dialogs, in the framework's "name|pattern|" form.
constexpr const char kOpenFilter[] = "QVK Files|*.qvk|Song Files|*.qvk;*.qxt;*.mid;*.rmi;*.kar|";
constexpr const char kImportFilter[] = "MIDI Files|*.mid;*.rmi;*.kar|";
constexpr const char kExportFilter[] = "Type 1 MIDI File|*.mid|Type 0 MIDI File|*.mid|";
constexpr const char kImportTitle[] = "Import Midi File";
constexpr const char kExportTitle[] = "File Export/Publish";

// The file the Export dialog offers: "*.mid" in the remembered folder for an untitled score, else
// the score's name with ".mid" in place of its extension, in the score's folder.
struct TExportOffer {
  std::string folder;
  std::string name;
};
TExportOffer ExportOffer(const std::string& scorePath, const std::string& rememberedFolder);
// Filter entry 1 writes a format 1 file, entry 2 a format 0 file.
int ExportFormatForFilter(int filterIndex);

}  // namespace earlier_shell
