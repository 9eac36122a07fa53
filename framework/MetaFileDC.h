// A Windows metafile recording context, in memory or to a file; Close hands over the metafile.
#pragma once
#include "framework/DC.h"

class TMetaFileDC : public TDC {
public:
  explicit TMetaFileDC(const char* fileName = nullptr) { SetHDC(CreateMetaFileA(fileName)); }
  ~TMetaFileDC() override;
  // Ends the recording; the caller owns the metafile (DeleteMetaFile).
  HMETAFILE Close();
};
