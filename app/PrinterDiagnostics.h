// The page-setup sheet's Preview page: what it tells about the printer, a line per fact
// ("label\tvalue"), split into the two columns of its list.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/PrinterMetrics.h"

struct TDevModeSummary {
  std::string deviceName;
  unsigned specVersion = 0, driverVersion = 0, size = 0, driverExtra = 0;
  unsigned long fields = 0;
  int orientation = 0, paperSize = 0, paperLength = 0, paperWidth = 0, scale = 0, copies = 0;
  int defaultSource = 0, printQuality = 0, color = 0, duplex = 0, yResolution = 0, ttOption = 0;
};

struct TPrinterDiagnostics {
  std::string title;
  bool hasPrinter = false;  // without one only the title is told
  int pages = 0;
  std::string name, driver, output;
  bool hasDevMode = false;
  TDevModeSummary devMode;
  TPrinterMetrics metrics;
  TPrintArea area;
};

// The text holds at most this many bytes, as the page's memory stream did.
constexpr size_t kDiagnosticsLimit = 30000;
constexpr size_t kDiagnosticLineLimit = 2048;

std::string DiagnosticsText(const TPrinterDiagnostics& d);
// Each line split at its first tab: label and information.
std::vector<std::pair<std::string, std::string>> DiagnosticRows(const std::string& text);
