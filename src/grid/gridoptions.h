#pragma once

#include <QFlags>

// Options of a grid (TDBGridEh::Options).
enum TGridOption {
  dgEditing = 0x1,
  dgAlwaysShowEditor = 0x2,
  dgTitles = 0x4,
  dgIndicator = 0x8,
  dgColumnResize = 0x10,
  dgColLines = 0x20,
  dgRowLines = 0x40,
  dgTabs = 0x80,
  dgRowSelect = 0x100,
  dgAlwaysShowSelection = 0x200,
  dgConfirmDelete = 0x400,
  dgCancelOnExit = 0x800,
  dgMultiSelect = 0x1000,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

// Grid extensions (TDBGridEh::OptionsEh).
enum TDBGridEhOption {
  dghFixed3D = 0x1,
  dghFrozen3D = 0x2,
  dghFooter3D = 0x4,
  dghData3D = 0x8,
  dghResizeWholeRightPart = 0x10,
  dghHighlightFocus = 0x20,
  dghClearSelection = 0x40,
  dghFitRowHeightToText = 0x80,
  dghAutoSortMarking = 0x100,
  dghMultiSortMarking = 0x200,
  dghEnterAsTab = 0x400,
  dghTraceColSizing = 0x800,
  dghIncSearch = 0x1000,
  dghPreferIncSearch = 0x2000,
  dghRowHighlight = 0x4000,
  dghDblClickOptimizeColWidth = 0x8000,
};
Q_DECLARE_FLAGS(TDBGridEhOptions, TDBGridEhOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDBGridEhOptions)

// State of a cell being drawn or exported (empty while exporting).
enum TGridDrawStateFlag {
  gdSelected = 0x1,
  gdFocused = 0x2,
  gdFixed = 0x4,
};
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)
