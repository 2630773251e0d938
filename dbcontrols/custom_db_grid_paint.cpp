// Data grid painting: the indicator glyphs, titles, data cells and their text.
#include <algorithm>
#include <utility>

#include "core/stream.h"
#include "data/dataset.h"
#include "data/field.h"
#include "dbcontrols/custom_db_grid.h"
#include "dbcontrols/field_datalink.h"
#include "graphics/bitmap.h"
#include "platform/drawedge.h"
#include "platform/resource.h"
#include "platform/text.h"

using namespace platform;

namespace {

// The glyphs' resource names, in the order of TIndicatorGlyph.
constexpr const char* kGlyphNames[] = {"DBGARROW", "DBEDIT", "DBINSERT", "DBMULTIDOT",
                                       "DBMULTIARROW"};

RECT Inflated(RECT rect, int by) {
  return {rect.left - by, rect.top - by, rect.right + by, rect.bottom + by};
}

}  // namespace

void TCustomDBGrid::LoadGlyphs() {
  for (std::size_t i = 0; i < glyphs_.size(); ++i) {
    TResourceStream stream(GetModuleHandleA(nullptr), kGlyphNames[i], RT_BITMAP);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(stream);
    bitmap->SetTransparentMode(TTransparentMode::tmFixed);
    bitmap->SetTransparentColor(clWhite);
    bitmap->SetTransparent(true);
    glyphs_[i] = std::move(bitmap);
  }
}

TBitmap& TCustomDBGrid::Glyph(TIndicatorGlyph glyph) {
  return *glyphs_[static_cast<std::size_t>(glyph)];
}

bool TCustomDBGrid::HighlightsCell(int col, int row, TGridDrawState state) const {
  if (!state.Contains(TGridDrawStateFlag::gdSelected)) return false;
  if (!options_.Contains(TDBGridOption::dgAlwaysShowSelection) && !Focused()) return false;
  return updateDepth_ == 0 || options_.Contains(TDBGridOption::dgRowSelect);
}

bool TCustomDBGrid::GridFieldRightToLeft(const TField* field) const {
  return DataAwareRightToLeftAlignment(this, field);
}

void TCustomDBGrid::DrawCellText(TCanvas& canvas, const RECT& rect, int dx, int dy,
                                 const AnsiString& text, TAlignment alignment, bool rightToLeft) {
  // Every colour of the 32-bit surfaces is pure, so text is always drawn straight into the cell.
  if (CanvasMirrored() && !rightToLeft) {
    if (alignment == TAlignment::taLeftJustify) {
      alignment = TAlignment::taRightJustify;
    } else if (alignment == TAlignment::taRightJustify) {
      alignment = TAlignment::taLeftJustify;
    }
  }
  int width = canvas.TextWidth(text);
  int x = rect.left + dx;
  if (alignment == TAlignment::taRightJustify) {
    x = rect.right - width - 3;
  } else if (alignment == TAlignment::taCenter) {
    x = rect.left + (rect.right - rect.left) / 2 - width / 2;
  }
  UINT savedFlags = canvas.TextFlags();
  canvas.SetTextFlags(rightToLeft ? (savedFlags | ETO_RTLREADING) : (savedFlags & ~ETO_RTLREADING));
  canvas.TextRect(rect, x, rect.top + dy, text);
  canvas.SetTextFlags(savedFlags);
}

void TCustomDBGrid::DrawRaisedEdge(const RECT& rect) {
  RECT edge = rect;
  HDC dc = Canvas()->Handle();
  DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
  DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_TOPLEFT);
}

void TCustomDBGrid::PaintIndicatorCell(int dataRow, const RECT& rect, int frameOffset) {
  TCanvas& canvas = *Canvas();
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(FixedColor());
  canvas.FillRect(rect);
  if (!link_->Active() || dataRow != link_->LinkActiveRecord()) return;
  TIndicatorGlyph glyph = TIndicatorGlyph::current;
  TDataSet* dataset = link_->DataSet();
  if (dataset && dataset->State() == DataSetState::Editing) glyph = TIndicatorGlyph::editing;
  if (dataset && dataset->State() == DataSetState::Inserting) glyph = TIndicatorGlyph::inserting;
  TBitmap& bitmap = Glyph(glyph);
  int x = rect.right - bitmap.Width() - frameOffset + (CanvasMirrored() ? 1 : 0);
  int y = (rect.top + rect.bottom - bitmap.Height()) / 2;
  canvas.Draw(x, y, &bitmap);
  indicatorRow_ = dataRow + titleRows_;
}

void TCustomDBGrid::PaintTitleCell(int dataCol, const RECT& rect) {
  TCanvas& canvas = *Canvas();
  TColumn* column = ColumnAt(dataCol);
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  if (!column) {
    canvas.FillRect(rect);
    return;
  }
  bool lines = options_.Contains(TDBGridOption::dgRowLines) &&
               options_.Contains(TDBGridOption::dgColLines);
  int frameOffset = lines ? 1 : 2;
  canvas.SetFont(*column->Title()->Font());
  canvas.Brush().SetColor(column->Title()->Color());
  RECT text = lines ? Inflated(rect, -1) : rect;
  DrawCellText(canvas, text, frameOffset, frameOffset, column->Title()->Caption(),
               column->Title()->Alignment(), UseRightToLeftAlignment());
  if (lines) DrawRaisedEdge(rect);
}

void TCustomDBGrid::PaintCell(int col, int row, const RECT& rect, TGridDrawState state) {
  TCanvas& canvas = *Canvas();
  if (IsLoading()) {
    canvas.Brush().SetColor(Color());
    canvas.FillRect(rect);
    return;
  }
  int dataRow = row - titleRows_;
  int dataCol = col - indicatorCols_;
  bool fixed = state.Contains(TGridDrawStateFlag::gdFixed);
  bool lines = options_.Contains(TDBGridOption::dgRowLines) &&
               options_.Contains(TDBGridOption::dgColLines);
  if (fixed && dataCol < 0) {
    PaintIndicatorCell(dataRow, lines ? Inflated(rect, -1) : rect, lines ? 1 : 2);
    if (lines) DrawRaisedEdge(rect);
    return;
  }
  TColumn* column = ColumnAt(dataCol);
  if (!column || !column->Showing()) return;
  if (dataRow < 0) {
    PaintTitleCell(dataCol, rect);
    return;
  }
  canvas.SetFont(*column->Font());
  canvas.Brush().SetStyle(TBrushStyle::bsSolid);
  canvas.Brush().SetColor(column->Color());
  if (!link_->Active()) {
    canvas.FillRect(rect);
    return;
  }
  TField* field = column->Field();
  AnsiString text;
  int saved = link_->LinkActiveRecord();
  // The field reads the record of this row while the row is painted.
  link_->SetLinkActiveRecord(dataRow);
  try {
    if (field) text = field->TextForDisplay();
  } catch (...) {
    link_->SetLinkActiveRecord(saved);
    throw;
  }
  link_->SetLinkActiveRecord(saved);
  if (HighlightsCell(col, row, state)) {
    canvas.Brush().SetColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
  }
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  if (DefaultDrawing()) {
    DrawCellText(canvas, rect, 2, 2, text, column->Alignment(), GridFieldRightToLeft(field));
  }
  if (columns_->State() == TDBGridColumnsState::csDefault && OnDrawDataCell) {
    OnDrawDataCell(this, rect, field, state);
  }
  if (OnDrawColumnCell) OnDrawColumnCell(this, rect, dataCol, column, state);
  // The grid base frames the focused cell itself; a second XOR frame would erase it.
  if (DefaultDrawing() && state.Contains(TGridDrawStateFlag::gdSelected) &&
      !state.Contains(TGridDrawStateFlag::gdFocused) &&
      (options_.Contains(TDBGridOption::dgAlwaysShowSelection) || Focused()) && !Designing() &&
      !options_.Contains(TDBGridOption::dgRowSelect) && updateDepth_ == 0 && IsActiveControl()) {
    RECT focus = rect;
    if (CanvasMirrored()) std::swap(focus.left, focus.right);
    canvas.DrawFocusRect(focus);
  }
}
