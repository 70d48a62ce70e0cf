// Tests of the character pool: the standard slots, the search and the drawing window.
#include "core/CharacterPool.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace kelvaro {
namespace {

TEST(CharacterPool, StartsWithTheStandardCharactersAndTheAllWindow) {
    const CharacterPool pool;
    EXPECT_EQ(pool.Slot(0), 'a');
    EXPECT_EQ(pool.Slot(25), 'z');
    EXPECT_EQ(pool.Slot(26), '0');
    EXPECT_EQ(pool.Slot(36), '.');
    EXPECT_EQ(pool.Slot(43), '=');
    EXPECT_EQ(pool.Slot(CharacterPool::kLocalStart), 0);
    EXPECT_EQ(pool.Slot(CharacterPool::kSlotCount - 1), 0);
    EXPECT_EQ(pool.PoolStart(), 0);
    EXPECT_EQ(pool.PoolSize(), 44);
}

TEST(CharacterPool, StandardCharactersIgnoreCase) {
    for (std::uint8_t code : {'a', 'E', 'Z', '0', '=', '\'', '?'}) {
        EXPECT_TRUE(CharacterPool::IsStandard(code)) << code;
    }
    for (int code : std::initializer_list<int>{0, ' ', '@', '!', '(', ':', 0xE9, 0xC9}) {
        EXPECT_FALSE(CharacterPool::IsStandard(static_cast<std::uint8_t>(code))) << code;
    }
}

TEST(CharacterPool, FindSlotSearchesOnlyTheGivenRange) {
    CharacterPool pool;
    pool.SetSlot(44, 0xE9);
    pool.SetSlot(71, 'e');
    EXPECT_EQ(pool.FindSlot(0xE9, 44, 1), 44);
    EXPECT_EQ(pool.FindSlot(0xE9, 44, 0), std::nullopt);
    EXPECT_EQ(pool.FindSlot(0xE9, 45, 26), std::nullopt);
    EXPECT_EQ(pool.FindSlot('e', 0, 44), 4);
    EXPECT_EQ(pool.FindSlot('e', 70, 10), 71);
}

}  // namespace
}  // namespace kelvaro
