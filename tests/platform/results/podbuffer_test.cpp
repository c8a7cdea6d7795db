#include "platform/results/podbuffer.h"

#include <gtest/gtest.h>

namespace {

TEST(PodBuffer, GrowsKeepsValuesAndCopiesIndependently) {
  PodBuffer<int> values;
  for (int i = 0; i < 100000; ++i)
    values.push_back(i);
  const int tail[] = {-1, -2};
  values.append(tail, 2);
  values.shrink_to_fit();
  ASSERT_EQ(values.size(), 100002u);
  EXPECT_EQ(values[99999], 99999);
  EXPECT_EQ(values[100001], -2);

  PodBuffer<int> copy = values;
  copy.push_back(7);
  EXPECT_EQ(values.size(), 100002u) << "a copy owns its own block";
  PodBuffer<int> moved = std::move(copy);
  EXPECT_EQ(moved.size(), 100003u);
  EXPECT_EQ(moved[0], 0);

  PodBuffer<int> empty;
  empty.shrink_to_fit();
  moved = empty;
  EXPECT_EQ(moved.size(), 0u);
}

} // namespace
