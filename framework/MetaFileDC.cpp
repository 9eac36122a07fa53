#include "framework/MetaFileDC.h"

TMetaFileDC::~TMetaFileDC() {
  HMETAFILE mf = Close();
  if (mf) DeleteMetaFile(mf);
}

HMETAFILE TMetaFileDC::Close() {
  if (!hdc_) return nullptr;
  RestoreObjects();
  HMETAFILE mf = CloseMetaFile(hdc_);
  hdc_ = nullptr;
  return mf;
}
