#include "grid/titletree.h"

#include "grid/textmetrics.h"
#include "grid/tfont.h"
#include "platform/errors.h"

#include <algorithm>

namespace {

constexpr QChar separator = QLatin1Char('|');
constexpr int initialGroupHeight = 20;

qsizetype skipSeparators(QStringView text, qsizetype from) {
  while (from < text.size() && text[from] == separator)
    ++from;
  return from;
}

struct Builder {
  const TitleTreeSettings &settings;
  const std::vector<TitleLeafSource> &sources;
  std::vector<THeadTreeNode *> leaves;

  // One grouping pass; false when nothing was left to group.
  bool groupOnce() {
    for (size_t i = 0; i < leaves.size(); ++i) {
      const CaptionParts parts = splitCaption(leaves[i]->Text);
      if (!parts.hasRest)
        continue;
      size_t end = i + 1;
      while (end < leaves.size() &&
             splitCaption(leaves[end]->Text).first == parts.first)
        ++end;
      makeGroup(i, end, parts.first);
      return true;
    }
    return false;
  }

  void makeGroup(size_t begin, size_t end, const QString &text) {
    THeadTreeNode *parent = leaves[begin]->Parent();
    for (size_t k = begin; k < end; ++k)
      if (leaves[k]->Parent() != parent)
        throw Error(QStringLiteral("ATo not in level"));
    int width = 0;
    for (size_t k = begin; k < end; ++k) {
      THeadTreeNode *leaf = leaves[k];
      leaf->Text = splitCaption(leaf->Text).rest;
      width += leaf->Width + settings.lineWidth;
    }
    THeadTreeNode *group = parent->InsertGroup(parent->indexOf(leaves[begin]),
                                               int(end - begin), text);
    group->Width = width - settings.lineWidth;
    group->Height = initialGroupHeight;
    group->VLineWidth = settings.lineWidth;
  }

  const TitleLeafSource *sourceOf(const THeadTreeNode &node) const {
    for (size_t k = 0; k < leaves.size(); ++k)
      if (leaves[k] == &node)
        return &sources[k];
    return nullptr;
  }

  // Height of a node's own text: word-wrapped in its width less the indent
  // and 4 pixels, plus the margin.
  int ownHeight(const THeadTreeNode &node) const {
    const TitleLeafSource *source =
        node.ChildCount() ? nullptr : sourceOf(node);
    const TFont &font =
        source && source->font ? *source->font : *settings.groupFont;
    const QString text = node.Text.isEmpty() ? QStringLiteral(" ") : node.Text;
    if (source && source->vertical)
      return node.Width > 0 ? settings.metrics->textWidth(font, text) + 6 : 0;
    const int measured =
        node.Width > 0
            ? settings.metrics->wrappedTextHeight(
                  font, text, std::max(1, node.Width - node.Indent - 4))
            : 0;
    return measured + settings.vTitleMargin;
  }

  // Sets the heights of `parent`'s children and returns their level's
  // height, which becomes `parent`'s height too.
  int computeHeights(THeadTreeNode &parent) const {
    std::vector<int> below(parent.ChildCount(), 0);
    int level = 0;
    for (int i = 0; i < parent.ChildCount(); ++i) {
      THeadTreeNode &child = *parent.Child(i);
      if (child.ChildCount())
        below[i] = computeHeights(child);
      level = std::max(level, ownHeight(child) + below[i]);
    }
    for (int i = 0; i < parent.ChildCount(); ++i)
      parent.Child(i)->Height = level - below[i];
    parent.Height = level;
    return level;
  }
};

} // namespace

CaptionParts splitCaption(QStringView caption) {
  CaptionParts parts;
  const qsizetype start = skipSeparators(caption, 0);
  qsizetype end = caption.indexOf(separator, start);
  if (end < 0)
    end = caption.size();
  parts.first = caption.mid(start, end - start).toString();
  parts.rest = caption.mid(skipSeparators(caption, end)).toString();
  parts.hasRest = !parts.rest.isEmpty();
  return parts;
}

std::vector<THeadTreeNode *>
buildTitleTree(THeadTreeNode &root, const std::vector<TitleLeafSource> &leaves,
               const TitleTreeSettings &settings) {
  root.Clear();
  root.Text = QStringLiteral("Root");
  Builder builder{settings, leaves, {}};
  for (const TitleLeafSource &source : leaves) {
    auto leaf = std::make_unique<THeadTreeNode>(source.caption);
    leaf->Width = source.width;
    leaf->Indent = source.indent;
    leaf->VLineWidth = settings.lineWidth;
    leaf->Column = source.column;
    builder.leaves.push_back(root.AddChild(std::move(leaf)));
  }
  while (builder.groupOnce()) {
  }
  builder.computeHeights(root);
  return builder.leaves;
}
