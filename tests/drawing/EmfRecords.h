// Records drawing into an enhanced metafile and reads back what was drawn: texts with their
// reference points, fonts, colours and pen, and line segments, in the order they were recorded.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct EmfText {
  int x, y;
  std::string text;
  LOGFONTW font;
  COLORREF color;
  UINT align;
};

struct EmfLine {
  int x1, y1, x2, y2;
  COLORREF pen;
};

struct EmfPolyline {
  std::vector<POINT> points;
  COLORREF pen;
};

struct EmfRecords {
  std::vector<EmfText> texts;
  std::vector<EmfLine> lines;
  std::vector<EmfPolyline> polylines;
  std::vector<LOGFONTW> fontsCreated;
  std::vector<COLORREF> pensCreated;
  std::vector<EmfPolyline> beziers;
  int ellipseCount = 0;
  int rectangleCount = 0;
};

inline std::string Narrow(const WCHAR* w, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>(w[i] & 0xFF);
  return s;
}

inline std::string FaceOf(const LOGFONTW& lf) {
  int n = 0;
  while (n < LF_FACESIZE && lf.lfFaceName[n]) ++n;
  return Narrow(lf.lfFaceName, n);
}

// The points of a poly record, 16-bit (POINTS) or 32-bit (POINTL).
template <class Point>
EmfPolyline PointsOf(const Point* points, DWORD count, COLORREF pen) {
  EmfPolyline poly{{}, pen};
  for (DWORD i = 0; i < count; ++i) poly.points.push_back({points[i].x, points[i].y});
  return poly;
}

// Walks the metafile's records, keeping the objects each drawing record was made with.
inline EmfRecords ReadEmf(HENHMETAFILE emf) {
  EmfRecords out;
  UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
  std::vector<BYTE> bits(size);
  GetEnhMetaFileBits(emf, size, bits.data());

  std::map<DWORD, LOGFONTW> fonts;
  std::map<DWORD, COLORREF> pens;
  LOGFONTW font = {};
  COLORREF pen = 0, textColor = 0;
  UINT align = 0;
  POINT current = {0, 0};
  for (std::size_t at = 0; at + sizeof(EMR) <= bits.size();) {
    const auto* r = reinterpret_cast<const EMR*>(bits.data() + at);
    if (r->nSize < sizeof(EMR) || at + r->nSize > bits.size()) break;
    switch (r->iType) {
      case EMR_EXTCREATEFONTINDIRECTW: {
        auto* f = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(r);
        fonts[f->ihFont] = f->elfw.elfLogFont;
        out.fontsCreated.push_back(f->elfw.elfLogFont);
        break;
      }
      case EMR_CREATEPEN: {
        auto* p = reinterpret_cast<const EMRCREATEPEN*>(r);
        pens[p->ihPen] = p->lopn.lopnColor;
        out.pensCreated.push_back(p->lopn.lopnColor);
        break;
      }
      case EMR_SELECTOBJECT: {
        DWORD h = reinterpret_cast<const EMRSELECTOBJECT*>(r)->ihObject;
        if (fonts.count(h)) font = fonts[h];
        if (pens.count(h)) pen = pens[h];
        if (h == (0x80000000u | BLACK_PEN)) pen = 0;
        break;
      }
      case EMR_SETTEXTCOLOR:
        textColor = reinterpret_cast<const EMRSETTEXTCOLOR*>(r)->crColor;
        break;
      case EMR_SETTEXTALIGN:
        align = reinterpret_cast<const EMRSETTEXTALIGN*>(r)->iMode;
        break;
      case EMR_MOVETOEX: {
        auto* m = reinterpret_cast<const EMRMOVETOEX*>(r);
        current = {m->ptl.x, m->ptl.y};
        break;
      }
      case EMR_LINETO: {
        auto* l = reinterpret_cast<const EMRLINETO*>(r);
        out.lines.push_back({static_cast<int>(current.x), static_cast<int>(current.y),
                             static_cast<int>(l->ptl.x), static_cast<int>(l->ptl.y), pen});
        current = {l->ptl.x, l->ptl.y};
        break;
      }
      case EMR_POLYLINE16: {
        auto* p = reinterpret_cast<const EMRPOLYLINE16*>(r);
        out.polylines.push_back(PointsOf(p->apts, p->cpts, pen));
        break;
      }
      case EMR_POLYLINE: {
        auto* p = reinterpret_cast<const EMRPOLYLINE*>(r);
        out.polylines.push_back(PointsOf(p->aptl, p->cptl, pen));
        break;
      }
      case EMR_POLYBEZIER16: {
        auto* p = reinterpret_cast<const EMRPOLYBEZIER16*>(r);
        out.beziers.push_back(PointsOf(p->apts, p->cpts, pen));
        break;
      }
      case EMR_POLYBEZIER: {
        auto* p = reinterpret_cast<const EMRPOLYBEZIER*>(r);
        out.beziers.push_back(PointsOf(p->aptl, p->cptl, pen));
        break;
      }
      case EMR_ELLIPSE:
        ++out.ellipseCount;
        break;
      case EMR_RECTANGLE:
        ++out.rectangleCount;
        break;
      case EMR_EXTTEXTOUTW: {
        auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
        auto* chars = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(r) + t->emrtext.offString);
        out.texts.push_back({static_cast<int>(t->emrtext.ptlReference.x),
                             static_cast<int>(t->emrtext.ptlReference.y),
                             Narrow(chars, static_cast<int>(t->emrtext.nChars)), font, textColor, align});
        break;
      }
      case EMR_EXTTEXTOUTA: {
        auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(r);
        auto* chars = reinterpret_cast<const char*>(r) + t->emrtext.offString;
        out.texts.push_back({static_cast<int>(t->emrtext.ptlReference.x),
                             static_cast<int>(t->emrtext.ptlReference.y),
                             std::string(chars, t->emrtext.nChars), font, textColor, align});
        break;
      }
      default:
        break;
    }
    at += r->nSize;
  }
  return out;
}
