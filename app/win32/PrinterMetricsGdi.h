// The printer's device capabilities that page arithmetic works from, read from its context.
#pragma once
#include <windows.h>

#include "app/PrinterMetrics.h"

TPrinterMetrics ReadPrinterMetrics(HDC printer);
