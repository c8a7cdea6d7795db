#pragma once

#include "gridfixture.h"

#include "grid/bomgridsettings.h"

#include <QApplication>
#include <QImage>
#include <QTest>

// A grid set up as both windows set theirs (12-pixel
// "宋体", 16-pixel rows under a 19-pixel title row), shown with the focus,
// over `records` rows of a code, a name and a quantity (2.50, 3.50, ...).
class ShownGrid : public GridFixture {
protected:
  void SetUp() override {
    applyBomGridSettings(grid);
    grid.BeginLayout();
    addColumn("Code").setWidth(60);
    addColumn("Name").setWidth(80);
    TColumnEh &qty = addColumn("Qty");
    qty.setWidth(70);
    qty.setDisplayFormat(QStringLiteral("0.00"));
    grid.EndLayout();
  }

  void fill(int records) {
    std::vector<std::vector<QVariant>> rows;
    for (int i = 0; i < records; ++i)
      rows.push_back({QStringLiteral("C%1").arg(i),
                      QStringLiteral("N%1").arg(i), qint64(25000 + 10000 * i)});
    open(makeTable({{"Code", FieldType::String},
                    {"Name", FieldType::String},
                    {"Qty", FieldType::BCD}},
                   rows));
  }

  // Shows the grid with a client area that holds `rows` whole data rows.
  void show(int rows, int width = 300) {
    const int frame = grid.width() - grid.viewport()->width();
    grid.resize(width, 19 + 1 + rows * 17 + frame);
    grid.show();
    grid.activateWindow();
    grid.setFocus();
    QApplication::processEvents();
  }

  QImage picture() { return grid.viewport()->grab().toImage(); }

  // Centre of a cell in viewport coordinates.
  QPoint centre(int col, int row) const {
    return grid.CellRect(col, row).center();
  }
  QWidget *view() { return grid.viewport(); }

  int current() const { return query.currentPosition(); }
};
