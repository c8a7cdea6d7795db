#pragma once

#include <memory>

class TDBGridEhExport;

// A writer class chosen at run time: calling it creates a writer of that
// class.
using TDBGridEhExportClass = std::unique_ptr<TDBGridEhExport> (*)();

template <class Writer> std::unique_ptr<TDBGridEhExport> createExporter() {
  return std::make_unique<Writer>();
}

// The writer class of a save-dialog file type, by the dialog's 1-based
// filter index: 1 spreadsheet (XLS), 2 rich text (RTF), 3 HTML, 4 plain
// text, 5 Excel workbook (XLSX). Null for any other index.
TDBGridEhExportClass exporterClassOfFilterIndex(int filterIndex);
