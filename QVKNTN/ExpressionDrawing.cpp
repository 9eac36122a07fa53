// How expressions measure and draw themselves: where the text goes by justification and
// placement, and what each kind shows.
#include <algorithm>
#include <cstdio>
#include <string>

#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/ExpressionText.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/ItemDrawing.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/StaffDrawInfo.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "foundation/VocabularyLists.h"

using namespace MusicGlyphs;

namespace {

constexpr int kTextFonts = 12;

std::string Format(const char* format, int a) {
  char text[32];
  std::snprintf(text, sizeof text, format, a);
  return text;
}

int PieceWidth(TMusicPrimitives& fonts, const TExpressionPiece& piece) {
  if (piece.tempoBase >= 0) return fonts.GetTempoLabelWidth(piece.text.c_str(), piece.tempoBase, piece.tempo);
  if (piece.glyph > 0) return fonts.GetGlyphWidth(piece.glyph);
  return fonts.GetTextWidth(std::clamp(piece.font, 0, kTextFonts - 1), piece.text.c_str());
}

}  // namespace

int TNtnGeneralExpression::GetTextWidth(TMusicPrimitives& fonts, bool editView) const {
  TExpressionText text;
  GetText(text, editView);
  int width = 0;
  for (int i = 0; i < text.count; ++i) width += PieceWidth(fonts, text.pieces[i]);
  return width;
}

int TNtnGeneralExpression::DrawExpressionText(TMusicPrimitives& fonts, int x, int position, bool editView,
                                    int color) const {
  TExpressionText text;
  GetText(text, editView);
  const int start = x;
  for (int i = 0; i < text.count; ++i) {
    const TExpressionPiece& piece = text.pieces[i];
    fonts.SelectColor(piece.hiddenColor ? 3 : color);
    if (piece.tempoBase >= 0) {
      fonts.DrawTempoLabel(piece.text.c_str(), piece.tempoBase, piece.tempo, x, position);
    } else if (piece.glyph > 0) {
      fonts.DrawGlyph(piece.glyph, x, position - piece.raise);
    } else {
      fonts.DrawText(std::clamp(piece.font, 0, kTextFonts - 1), x, position, piece.text.c_str());
    }
    x += PieceWidth(fonts, piece);
  }
  fonts.SelectColor(color);
  return x - start;
}

int TNtnGeneralExpression::GetWidth(const TStaffDrawInfo& line, int cell) const {
  if (NtnItemIsVisible(this, line.GetShownIndex())) return GetTextWidth(line.GetFonts(), line.IsEditView());
  return line.IsEditView() ? 2 * line.GetFonts().GetGlyphWidth(kEditTag) : 0;
}

void TNtnGeneralExpression::Draw(TStaffDrawInfo& line, int cell, int x) const {
  TMusicPrimitives& fonts = line.GetFonts();
  const bool edit = line.IsEditView();
  const int color = fonts.GetColorIndex();
  if (!NtnItemIsVisible(this, line.GetShownIndex())) {
    if (!edit) return;
    fonts.SelectColor(3);
    fonts.DrawGlyph(kEditTag, x, GetPosition());
    fonts.SelectColor(color);
    return;
  }
  const int width = GetTextWidth(fonts, edit);
  const int cellWidth = cell >= 0 && cell < line.GetCellCount() ? line.Cell(cell).width : width;
  int textX;
  if (GetPlacement() == plAtNextNote) {
    const int lineX = x - line.GetCellX(cell);
    const int noteX = lineX + line.GetNoteX(cell, static_cast<TStaffDrawInfo::Justify>(GetJustify() % 3));
    if (edit) {
      fonts.SelectColor(3);
      const int tag = fonts.DrawGlyph(kEditTag, x, GetPosition());
      if (noteX > x + tag) {
        const int y = fonts.PositionToY(GetPosition());
        fonts.DrawLine(x + tag, y, noteX, y);
      }
      fonts.SelectColor(color);
    }
    textX = GetJustify() == jsCenter ? noteX - width / 2 : GetJustify() == jsRight ? noteX - width : noteX;
  } else {
    textX = GetJustify() == jsCenter ? x + (cellWidth - width) / 2 : GetJustify() == jsRight ? x + cellWidth - width : x;
  }
  DrawExpressionText(fonts, textX, GetPosition(), edit, color);
}

// --- what each kind shows -------------------------------------------------------------------

void TTextExpression::GetText(TExpressionText& text, bool) const {
  // A font index beyond the score's twelve fonts (a damaged file) shows in the first.
  const int font = fFont < kFonts ? fFont : 0;
  text.AddText(font, fText);
}

void TGenericControl::GetText(TExpressionText& text, bool editView) const {
  if (kEarlierLine) {
    // The earlier line marks a controller in the editing view only, without its kind.
    if (editView) text.AddText(1, "{mpc}");
    return;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "{mpc:%s}", GetListEntry(kVocabControllerMarks, fController));
  text.AddText(1, buffer);
}

void TSustainPedal::GetText(TExpressionText& text, bool) const {
  text.AddGlyph(fState != 0 ? kPedalDown : kPedalUp);
}

void TPerformanceStyle::GetText(TExpressionText& text, bool) const { text.AddText(0, GetStyleName()); }

namespace {

// The earlier line's tempo names, by the index a tempo keeps.
constexpr const char* kEarlierTempoNames[] = {"Largo",   "Larghetto",  "Adagio",  "Lento",  "Moderato", "Andante",
                                              "Andantino", "Allegretto", "Allegro", "Vivace", "Presto",   "Prestissimo"};
constexpr int kEarlierTempoNameCount = sizeof kEarlierTempoNames / sizeof kEarlierTempoNames[0];

// A hidden mark shows in the editing view between braces.
void AddBraced(TExpressionText& text, bool braced, const char* mark) {
  if (braced) text.AddText(0, mark);
}

}  // namespace

void TTempoData::GetText(TExpressionText& text, bool editView) const {
  if (!kEarlierLine) {
    text.AddTempo(fText, fBase, GetTempo(fBase));
    return;
  }
  const bool braced = editView && IsHidden();
  const int index = GetNameIndex();
  const std::string name = ShowsName() ? kEarlierTempoNames[index < kEarlierTempoNameCount ? index : 0] : "";
  AddBraced(text, braced, "{");
  if (editView || ShowsValue())
    text.AddTempo(name, fBase, GetTempo(fBase));
  else
    text.AddText(0, name);
  AddBraced(text, braced, "}");
}

void TTempoVariance::GetText(TExpressionText& text, bool editView) const {
  if (fStyle == tvBreathMark) {
    text.AddGlyph(kBreath);
  } else if (fStyle == tvFermata) {
    text.AddGlyph(kFermata);
    if (editView && !kEarlierLine) text.AddText(0, Format(":%d", fPause), true);
  } else {
    text.AddText(0, GetStyleName());
  }
  // The earlier line shows any pause that is set, after whichever mark.
  if (kEarlierLine && editView && fPause != 0) text.AddText(0, Format(":%d", fPause), true);
}

void TDynamicLevelData::GetText(TExpressionText& text, bool editView) const {
  // The earlier line keeps a dynamic's hidden bit where the visibility is.
  const bool braced = kEarlierLine && editView && GetVisibility() == visNever;
  AddBraced(text, braced, "{");
  text.AddText(0, GetListEntry(kVocabDynamicLevelMarks, GetDynamic()));
  if (!editView) return;
  const bool velocity = GetOverride(0), volume = GetOverride(1);
  char buffer[32];
  if (velocity && volume) {
    std::snprintf(buffer, sizeof buffer, "(%d,%d)", GetVelocity(), GetVolume());
  } else if (velocity) {
    std::snprintf(buffer, sizeof buffer, "(%d,-)", GetVelocity());
  } else if (volume) {
    std::snprintf(buffer, sizeof buffer, "(-,%d)", GetVolume());
  } else {
    AddBraced(text, braced, "}");
    return;
  }
  text.AddText(0, buffer, true);
  AddBraced(text, braced, "}");
}

void TDynamicVariance::GetText(TExpressionText& text, bool) const { text.AddText(0, GetStyleName()); }

void TPatchData::GetText(TExpressionText& text, bool editView) const {
  if (kEarlierLine && !editView) return;
  text.AddText(1, Format("{#%03d}", fInstrument.patch));
}

void TFlowDirection::GetText(TExpressionText& text, bool) const {
  switch (fStyle) {
    case fdCoda:
      text.AddGlyph(kCoda, 5);
      text.AddText(0, "Coda");
      break;
    case fdSegno: text.AddGlyph(kSegno); break;
    case fdFine: text.AddText(0, "Fine"); break;
    case fdToCoda:
      text.AddText(0, kEarlierLine ? "To Coda" : "To Coda ");
      text.AddGlyph(kCoda);
      break;
    case fdDaCapo: text.AddText(0, "D.C."); break;
    case fdDCAlCoda: text.AddText(0, "D.C. al Coda"); break;
    case fdDCAlFine: text.AddText(0, "D.C. al Fine"); break;
    default:
      text.AddText(0, "D.S.");
      text.AddGlyph(kSegno);
      if (fStyle == fdDSAlCoda) text.AddText(0, " al Coda");
      if (fStyle == fdDSAlFine) text.AddText(0, " al Fine");
      break;
  }
}
