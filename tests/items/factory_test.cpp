// Every type code builds its own class with its defaults; codes outside 0..18 build nothing.
#include <gtest/gtest.h>
#include <memory>
#include "QVKNTN/NotatedItemFactory.h"
#include "QVKNTN/NotatedItem.h"

TEST(NotatedItemFactory, EachCodeBuildsItsOwnKind) {
  for (int code = 0; code < kNtnTypeCount; ++code) {
    std::unique_ptr<TNotatedItem> item(NewNotatedItem(code));
    ASSERT_NE(item, nullptr) << code;
    EXPECT_EQ(item->GetType(), code);
    EXPECT_EQ(item->GetVisibility(), 0);
    EXPECT_EQ(item->GetColor(), 0);
  }
  EXPECT_EQ(NewNotatedItem(-1), nullptr);
  EXPECT_EQ(NewNotatedItem(19), nullptr);
}
