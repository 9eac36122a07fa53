#include "app/PrinterDiagnostics.h"

#include <cstdarg>
#include <algorithm>
#include <cstdio>

namespace {

void Line(std::string& out, const char* format, ...) {
  char line[kDiagnosticLineLimit + 1];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  // A line cut short still ends, so the next fact keeps its own row.
  if (n >= static_cast<int>(sizeof line)) line[sizeof line - 2] = '\n';
  out += line;
}

}  // namespace

std::string DiagnosticsText(const TPrinterDiagnostics& d) {
  std::string out;
  Line(out, "Song Title\t%s\n", d.title.c_str());
  if (!d.hasPrinter) return out;
  Line(out, "Page Count\t%d page%s\n", d.pages, d.pages > 1 ? "s" : "");
  Line(out, "Printer Device\n");
  Line(out, "  Name\t%s\n", d.name.c_str());
  Line(out, "  Driver\t%s\n", d.driver.c_str());
  Line(out, "  Output\t%s\n", d.output.c_str());
  Line(out, "  DevMode\t%s\n", d.hasDevMode ? "Yes" : "No");
  if (d.hasDevMode) {
    const TDevModeSummary& m = d.devMode;
    Line(out, "Dev Mode Data\n");
    Line(out, "  dmDeviceName\t%s\n", m.deviceName.c_str());
    Line(out, "  dmSpecVersion\t%u\n", m.specVersion);
    Line(out, "  dmDriverVersion\t%u\n", m.driverVersion);
    Line(out, "  dmSize\t%u\n", m.size);
    Line(out, "  dmDriverExtra\t%u\n", m.driverExtra);
    Line(out, "  dmFields\t%lu\n", m.fields);
    Line(out, "  dmOrientation\t%d\n", m.orientation);
    Line(out, "  dmPaperSize\t%d\n", m.paperSize);
    Line(out, "  dmPaperLength\t%d\n", m.paperLength);
    Line(out, "  dmPaperWidth\t%d\n", m.paperWidth);
    Line(out, "  dmScale\t%d\n", m.scale);
    Line(out, "  dmCopies\t%d\n", m.copies);
    Line(out, "  dmDefaultSource\t%d\n", m.defaultSource);
    Line(out, "  dmPrintQuality\t%d\n", m.printQuality);
    Line(out, "  dmColor\t%d\n", m.color);
    Line(out, "  dmDuplex\t%d\n", m.duplex);
    Line(out, "  dmYResolution\t%d\n", m.yResolution);
    Line(out, "  dmTTOption\t%d\n", m.ttOption);
  }
  const TPrinterMetrics& p = d.metrics;
  Line(out, "Printed Page Sizes\n");
  Line(out, "  Physical Size\t(%d,%d)\n", p.physicalWidth, p.physicalHeight);
  Line(out, "  Printable Area\t(%d,%d)\n", p.horzRes, p.vertRes);
  Line(out, "  Area Inside Margins\t(%d,%d)\n", d.area.width, d.area.height);
  Line(out, "  Logical Pixels\t(%d,%d)\n", p.logPixelsX, p.logPixelsY);
  Line(out, "  Aspect Ratio\t(%d,%d)\n", p.aspectX, p.aspectY);
  Line(out, "Printed Page Positions\n");
  Line(out, "  Print Offset\t(%d,%d)\n", p.physicalOffsetX, p.physicalOffsetY);
  Line(out, "  Top Corner\t(%d,%d)\n", d.area.left, d.area.top);
  if (out.size() > kDiagnosticsLimit) out.resize(kDiagnosticsLimit);
  return out;
}

std::vector<std::pair<std::string, std::string>> DiagnosticRows(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> rows;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, std::min(end - at, kDiagnosticLineLimit));
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) {
      rows.emplace_back(line, "");
    } else {
      rows.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    }
    at = end + 1;
  }
  return rows;
}
