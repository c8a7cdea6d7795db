#pragma once

#include <QString>
#include <memory>
#include <vector>

class TColumnEh;

// A node of the title tree: the root ("Root", never drawn or written), group
// nodes for shared caption parts, and one leaf per column. A node owns its
// children, kept in column order.
class THeadTreeNode {
public:
  explicit THeadTreeNode(QString text = QString());
  ~THeadTreeNode();
  THeadTreeNode(const THeadTreeNode &) = delete;
  THeadTreeNode &operator=(const THeadTreeNode &) = delete;

  QString Text;
  int Width = 0;      // pixels; -1 or 0 for an invisible column
  int Height = 0;     // pixels; a leaf's height reaches down to the data
  int Indent = 0;     // pixels kept free for a sort marker
  int VLineWidth = 0; // 1 with column lines, else 0
  TColumnEh *Column = nullptr; // leaves only

  THeadTreeNode *Parent() const { return m_parent; }
  int ChildCount() const { return int(m_children.size()); }
  THeadTreeNode *Child(int index) const { return m_children.at(index).get(); }
  int indexOf(const THeadTreeNode *child) const;

  THeadTreeNode *AddChild(std::unique_ptr<THeadTreeNode> child);
  // Puts `count` children from `first` on under a new node that takes their
  // place; returns the new node.
  THeadTreeNode *InsertGroup(int first, int count, QString text);
  void Clear();

private:
  THeadTreeNode *m_parent = nullptr;
  std::vector<std::unique_ptr<THeadTreeNode>> m_children;
};
