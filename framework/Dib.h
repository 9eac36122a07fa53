// A device-independent bitmap kept in memory as header, colour table and pixels, so that its
// colours can be changed before it is drawn or turned into a device bitmap.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>

class TDib {
public:
  // A blank bottom-up DIB (bits per pixel 1, 4, 8 or 24), colour table zeroed.
  TDib(int width, int height, int bitsPerPixel);
  // A bitmap resource of the module; IsOk answers false when it is missing.
  TDib(HINSTANCE module, LPCSTR resource);
  // A packed DIB (BITMAPINFOHEADER, colours, pixels) copied from memory, checked against its size.
  TDib(const void* packed, size_t size);

  bool IsOk() const { return !data_.empty(); }
  const BITMAPINFO* GetInfo() const { return reinterpret_cast<const BITMAPINFO*>(data_.data()); }
  BITMAPINFO* GetInfo() { return reinterpret_cast<BITMAPINFO*>(data_.data()); }
  const void* GetBits() const { return data_.data() + bitsOffset_; }
  void* GetBits() { return data_.data() + bitsOffset_; }
  int Width() const;
  int Height() const;  // always positive
  int BitsPixel() const;
  int NumColors() const { return numColors_; }
  size_t BytesPerLine() const;
  COLORREF GetColor(int index) const;
  void SetColor(int index, COLORREF color);
  // The colour-table index of a pixel (palette DIBs) counted from the top row.
  int GetPixelIndex(int x, int y) const;

private:
  void Adopt(const uint8_t* packed, size_t size);

  std::vector<uint8_t> data_;
  size_t bitsOffset_ = 0;
  int numColors_ = 0;
};
