#include "grid/headtreenode.h"

THeadTreeNode::THeadTreeNode(QString text) : Text(std::move(text)) {}

THeadTreeNode::~THeadTreeNode() = default;

int THeadTreeNode::indexOf(const THeadTreeNode *child) const {
  for (int i = 0; i < ChildCount(); ++i)
    if (m_children[i].get() == child)
      return i;
  return -1;
}

THeadTreeNode *THeadTreeNode::AddChild(std::unique_ptr<THeadTreeNode> child) {
  child->m_parent = this;
  m_children.push_back(std::move(child));
  return m_children.back().get();
}

THeadTreeNode *THeadTreeNode::InsertGroup(int first, int count, QString text) {
  auto group = std::make_unique<THeadTreeNode>(std::move(text));
  group->m_parent = this;
  const auto begin = m_children.begin() + first;
  const auto end = begin + count;
  for (auto it = begin; it != end; ++it) {
    (*it)->m_parent = group.get();
    group->m_children.push_back(std::move(*it));
  }
  const auto at = m_children.erase(begin, end);
  return m_children.insert(at, std::move(group))->get();
}

void THeadTreeNode::Clear() { m_children.clear(); }
