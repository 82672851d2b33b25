#pragma once
// What a list box answers to an index it cannot take. The real list box and
// the fake both run this, so a handler that passes a bad index behaves the
// same in the tests as in the product.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls.h"

namespace kvex::contract {

// Leaves the list holding "a", "b", nothing selected.
inline void ExpectBadIndexesRefused(ui::IListBox& list) {
    list.Clear();
    ASSERT_TRUE(list.AddItem("b"));
    ASSERT_TRUE(list.AddItem("a", 0));
    ASSERT_TRUE(list.AddItem("c", 2));  // at the count: the end
    ASSERT_TRUE(list.RemoveItem(2));
    EXPECT_FALSE(list.AddItem("x", 3));  // past the end
    EXPECT_FALSE(list.RemoveItem(2));
    EXPECT_FALSE(list.RemoveItem(-1));
    EXPECT_FALSE(list.SetSelected(2, true));
    EXPECT_EQ(list.List(2), "");
    EXPECT_EQ(list.List(-1), "");
    EXPECT_FALSE(list.Selected(2));
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.List(0), "a");
    EXPECT_EQ(list.List(1), "b");
    EXPECT_EQ(list.SelCount(), 0);
}

}  // namespace kvex::contract
