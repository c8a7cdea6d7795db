#pragma once

#include "grid/color.h"
#include "grid/gridoptions.h"
#include "platform/dataset/alignment.h"

#include <QString>

class TFont;

// Check-box state of a cell.
enum TCheckBoxState { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

// Parameters of one data cell, filled before a cell is painted or exported
// and handed to the column's OnGetCellParams, which may change any of them.
struct TColCellParamsEh {
  TAlignment Alignment = taLeftJustify;
  TColor Background = clWhite;
  TCheckBoxState CheckboxState = cbUnchecked;
  int Col = -1;
  TFont *Font = nullptr; // not owned
  int ImageIndex = -1;
  bool ReadOnly = false;
  int Row = -1;
  TGridDrawState State;
  QString Text;
};
