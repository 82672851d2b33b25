#pragma once
// What a list box answers to an index it cannot take: the real one and the
// fake both run this, so a bad index behaves in the tests as in the product.
#include <gtest/gtest.h>

#include "ui/controls.h"

namespace kvex::contract {

// Leaves the list holding "a", "b", nothing selected.
inline void ExpectBadIndexesRefused(ui::IListBox& list) {
    list.Clear();
    ASSERT_TRUE(list.AddItem("b") && list.AddItem("a", 0) && list.AddItem("c", 2) && list.RemoveItem(2));
    EXPECT_FALSE(list.AddItem("x", 3));  // past the end
    EXPECT_FALSE(list.RemoveItem(2) || list.RemoveItem(-1) || list.SetSelected(2, true) || list.Selected(2));
    EXPECT_EQ(list.List(2), "");
    EXPECT_EQ(list.List(-1), "");
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.List(0) + list.List(1), "ab");
    EXPECT_EQ(list.SelCount(), 0);
}

}  // namespace kvex::contract
