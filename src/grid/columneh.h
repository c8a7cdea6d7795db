#pragma once

#include "grid/colcellparamseh.h"
#include "grid/color.h"
#include "grid/columnfootereh.h"
#include "grid/columnfooterseh.h"
#include "grid/columntitleeh.h"
#include "grid/followingfont.h"
#include "platform/dataset/alignment.h"

#include <QFlags>
#include <QString>
#include <QStringList>
#include <functional>

class TDBGridColumnsEh;
class TDBGridEh;
class TField;
class Query;

// Column properties that keep an "assigned" mark.
enum TColumnEhValue {
  cvWidth = 0x1,
  cvFont = 0x2,
  cvColor = 0x4,
  cvAlignment = 0x8,
  cvReadOnly = 0x10,
  cvEndEllipsis = 0x20,
  cvWordWrap = 0x40,
};
Q_DECLARE_FLAGS(TColumnEhValues, TColumnEhValue)
Q_DECLARE_OPERATORS_FOR_FLAGS(TColumnEhValues)

class TColumnEh;

// The column's own cell-parameters hook: may change any parameter of a cell
// about to be painted or exported (EditMode false for both).
using TColCellParamsEventEh = std::function<void(
    TColumnEh &Sender, bool EditMode, TColCellParamsEh &Params)>;

// One column of a grid's column collection. Every property but FieldName,
// Visible and DisplayFormat keeps an "assigned" mark; while unassigned it
// reads its default afresh (the grid's Font and Color, the field's
// alignment, ...). Changes repaint or re-lay out the grid.
class TColumnEh {
public:
  explicit TColumnEh(TDBGridColumnsEh &collection);
  ~TColumnEh();
  TColumnEh(const TColumnEh &) = delete;
  TColumnEh &operator=(const TColumnEh &) = delete;

  TDBGridColumnsEh &Collection() const { return m_collection; }
  TDBGridEh &Grid() const;
  // Position in the collection.
  int Index() const;

  const QString &FieldName() const { return m_fieldName; }
  void setFieldName(const QString &name);
  // The dataset field whose name equals FieldName ignoring case, looked up
  // when first asked for and kept until the grid's next layout (or until the
  // dataset drops its fields). A match rewrites FieldName in the field's
  // own letter case. Null while no field has that name or the dataset is
  // closed.
  TField *Field() const;

  // Pixels. Default with a field: ("0" width − overhang) × the field's
  // display width + overhang + 4 in the column's font; without one, 64.
  int Width() const;
  void setWidth(int pixels);
  bool Visible() const { return m_visible; }
  void setVisible(bool visible);
  // Default: the field's alignment; left without a field.
  TAlignment Alignment() const;
  void setAlignment(TAlignment alignment);
  // Default: the grid's Color.
  TColor Color() const;
  void setColor(TColor color);
  // Follows the grid's Font until changed through the object.
  TFont &Font() { return m_font.get(); }
  const TFont &Font() const { return m_font.get(); }
  void setFont(const TFont &font) { m_font.assign(font); }
  // Number or date-time pattern replacing the field's own text rules.
  const QString &DisplayFormat() const { return m_displayFormat; }
  void setDisplayFormat(const QString &pattern);
  // Default: ColumnDefValues.EndEllipsis.
  bool EndEllipsis() const;
  void setEndEllipsis(bool on);
  // Default: true for text fields, false for any other field and without one.
  bool WordWrap() const;
  void setWordWrap(bool on);
  // Default: the grid's ReadOnly.
  bool ReadOnly() const;
  void setReadOnly(bool on);

  TColumnTitleEh &Title() { return m_title; }
  const TColumnTitleEh &Title() const { return m_title; }
  TColumnFooterEh &Footer() { return m_footer; }
  const TColumnFooterEh &Footer() const { return m_footer; }
  TColumnFootersEh &Footers() { return m_footers; }
  const TColumnFootersEh &Footers() const { return m_footers; }
  // The footer of footer row `row`: Footers item `row` when there are that
  // many items, otherwise Footer.
  TColumnFooterEh &UsedFooter(int row);
  const TColumnFooterEh &UsedFooter(int row) const;

  // Check-box values: entry 0 holds the values meaning checked, entry 1
  // those meaning unchecked, each a ";"-separated list.
  const QStringList &KeyList() const { return m_keyList; }
  void setKeyList(const QStringList &keys);
  // Image shown for a value not in KeyList (with an image list).
  int NotInKeyListIndex() const { return m_notInKeyListIndex; }
  void setNotInKeyListIndex(int index);
  // Whether the column shows images from an image list by key.
  bool HasImageList() const { return m_hasImageList; }
  void setHasImageList(bool on);

  TColumnEhValues AssignedValues() const;
  void RestoreDefaults();

  TColCellParamsEventEh OnGetCellParams;

  // Called by the grid at every layout: the field is looked up afresh.
  void resetField();
  // A title, footer or font of this column changed; `layout` asks the grid
  // to lay out again whatever else happens.
  void changed(bool layout);

private:
  TColumnEhValues m_assigned;
  TDBGridColumnsEh &m_collection;
  mutable QString m_fieldName;
  mutable TField *m_field = nullptr;
  mutable const Query *m_fieldDataSet = nullptr;
  mutable quint64 m_fieldGeneration = 0;
  int m_width = 64;
  bool m_visible = true;
  TAlignment m_alignment = taLeftJustify;
  TColor m_color = clWindow;
  FollowingFont m_font;
  QString m_displayFormat;
  bool m_endEllipsis = false;
  bool m_wordWrap = false;
  bool m_readOnly = false;
  TColumnTitleEh m_title;
  TColumnFooterEh m_footer;
  TColumnFootersEh m_footers;
  QStringList m_keyList;
  int m_notInKeyListIndex = -1;
  bool m_hasImageList = false;
};
