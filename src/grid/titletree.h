#pragma once

#include "grid/headtreenode.h"

#include <QString>
#include <QStringView>
#include <vector>

class TFont;
class TextMetrics;
class TColumnEh;

// What the title tree needs of one column, in collection order.
struct TitleLeafSource {
  TColumnEh *column = nullptr;
  QString caption;
  int width = 0;               // the column's Width when visible, else -1 or 0
  int indent = 0;              // 16 with a sort marker
  const TFont *font = nullptr; // the title's font
  bool vertical = false;       // title orientation
};

struct TitleTreeSettings {
  int lineWidth = 1; // vertical line width: 1 with column lines
  int vTitleMargin = 10;
  const TFont *groupFont = nullptr; // the grid's TitleFont
  const TextMetrics *metrics = nullptr;
};

// A caption split at its first "|": the part before it, and the rest after
// the run of "|" that follows (empty when there is no second part). Leading
// "|" are skipped. Captions are held as characters, never bytes, so the
// second byte of a double-byte character can never be taken for a "|".
struct CaptionParts {
  QString first;
  QString rest;
  bool hasRest = false;
};
CaptionParts splitCaption(QStringView caption);

// Rebuilds the tree under `root` (emptied first): one leaf per source, then
// group nodes for shared first parts pass by pass, then the heights. Returns
// the leaf of each source in order. Throws Error("ATo not in level") when a
// run of equal first parts would span columns standing under different
// groups.
std::vector<THeadTreeNode *>
buildTitleTree(THeadTreeNode &root, const std::vector<TitleLeafSource> &leaves,
               const TitleTreeSettings &settings);
