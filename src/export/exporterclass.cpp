#include "export/exporterclass.h"

#include "export/dbgridehexportashtml.h"
#include "export/dbgridehexportasrtf.h"
#include "export/dbgridehexportastext.h"
#include "export/dbgridehexportasxls.h"
#include "export/dbgridehexportasxlsx.h"

TDBGridEhExportClass exporterClassOfFilterIndex(int filterIndex) {
  switch (filterIndex) {
  case 1:
    return &createExporter<TDBGridEhExportAsXLS>;
  case 2:
    return &createExporter<TDBGridEhExportAsRTF>;
  case 3:
    return &createExporter<TDBGridEhExportAsHTML>;
  case 4:
    return &createExporter<TDBGridEhExportAsText>;
  case 5:
    return &createExporter<TDBGridEhExportAsXLSX>;
  default:
    return nullptr;
  }
}
