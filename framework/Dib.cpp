#include "framework/Dib.h"
#include <cstdlib>
#include <cstring>

namespace {

int ColorsUsed(const BITMAPINFOHEADER& h) {
  if (h.biClrUsed) return static_cast<int>(h.biClrUsed);
  return h.biBitCount <= 8 ? 1 << h.biBitCount : 0;
}

size_t LineBytes(int width, int bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

}  // namespace

TDib::TDib(int width, int height, int bitsPerPixel) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bitsPerPixel);
  h.biCompression = BI_RGB;
  numColors_ = ColorsUsed(h);
  bitsOffset_ = sizeof h + static_cast<size_t>(numColors_) * sizeof(RGBQUAD);
  data_.assign(bitsOffset_ + LineBytes(width, bitsPerPixel) * static_cast<size_t>(height), 0);
  std::memcpy(data_.data(), &h, sizeof h);
}

TDib::TDib(HINSTANCE module, LPCSTR resource) {
  HRSRC res = FindResourceA(module, resource, reinterpret_cast<LPCSTR>(RT_BITMAP));
  if (!res) return;
  HGLOBAL mem = LoadResource(module, res);
  const void* p = mem ? LockResource(mem) : nullptr;
  if (p) Adopt(static_cast<const uint8_t*>(p), SizeofResource(module, res));
}

TDib::TDib(const void* packed, size_t size) { Adopt(static_cast<const uint8_t*>(packed), size); }

void TDib::Adopt(const uint8_t* packed, size_t size) {
  if (size < sizeof(BITMAPINFOHEADER)) return;
  BITMAPINFOHEADER h;
  std::memcpy(&h, packed, sizeof h);
  // Only plain uncompressed DIBs with a sane header are taken.
  if (h.biSize < sizeof h || h.biSize > size || h.biWidth <= 0 || h.biHeight == 0 ||
      h.biCompression != BI_RGB || h.biPlanes != 1) {
    return;
  }
  int bits = h.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return;
  int colors = ColorsUsed(h);
  if (colors < 0 || colors > 256) return;
  size_t offset = h.biSize + static_cast<size_t>(colors) * sizeof(RGBQUAD);
  size_t pixels = LineBytes(h.biWidth, bits) * static_cast<size_t>(std::abs(h.biHeight));
  if (offset > size || pixels > size - offset) return;
  // Keep a standard header in front so that GetInfo works with any header size.
  data_.resize(sizeof h + static_cast<size_t>(colors) * sizeof(RGBQUAD) + pixels);
  h.biSize = sizeof h;
  std::memcpy(data_.data(), &h, sizeof h);
  std::memcpy(data_.data() + sizeof h, packed + reinterpret_cast<const BITMAPINFOHEADER*>(packed)->biSize,
              static_cast<size_t>(colors) * sizeof(RGBQUAD) + pixels);
  numColors_ = colors;
  bitsOffset_ = sizeof h + static_cast<size_t>(colors) * sizeof(RGBQUAD);
}

int TDib::Width() const { return IsOk() ? GetInfo()->bmiHeader.biWidth : 0; }
int TDib::Height() const { return IsOk() ? std::abs(GetInfo()->bmiHeader.biHeight) : 0; }
int TDib::BitsPixel() const { return IsOk() ? GetInfo()->bmiHeader.biBitCount : 0; }
size_t TDib::BytesPerLine() const { return IsOk() ? LineBytes(Width(), BitsPixel()) : 0; }

COLORREF TDib::GetColor(int index) const {
  if (index < 0 || index >= numColors_) return 0;
  const RGBQUAD& q = GetInfo()->bmiColors[index];
  return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

void TDib::SetColor(int index, COLORREF color) {
  if (index < 0 || index >= numColors_) return;
  RGBQUAD& q = GetInfo()->bmiColors[index];
  q.rgbRed = GetRValue(color);
  q.rgbGreen = GetGValue(color);
  q.rgbBlue = GetBValue(color);
  q.rgbReserved = 0;
}

int TDib::GetPixelIndex(int x, int y) const {
  int bits = BitsPixel();
  if (!IsOk() || bits > 8 || x < 0 || y < 0 || x >= Width() || y >= Height()) return -1;
  int row = GetInfo()->bmiHeader.biHeight > 0 ? Height() - 1 - y : y;
  const uint8_t* line = static_cast<const uint8_t*>(GetBits()) + BytesPerLine() * static_cast<size_t>(row);
  size_t bitPos = static_cast<size_t>(x) * bits;
  uint8_t byte = line[bitPos / 8];
  int shift = 8 - bits - static_cast<int>(bitPos % 8);
  return (byte >> shift) & ((1 << bits) - 1);
}
