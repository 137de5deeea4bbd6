#include "core/value.h"

#include <gtest/gtest.h>

namespace vormel::core {
namespace {

TEST(Value, EmptyLikeKeepsTypeAndWidth) {
  EXPECT_EQ(std::get<std::string>(empty_like(Value{std::string("abc")})), "   ");
  Decimal zero = std::get<Decimal>(empty_like(Value{Decimal::from_units(1234, 2)}));
  EXPECT_TRUE(zero.is_zero());
  EXPECT_EQ(zero.scale(), 2);
  EXPECT_TRUE(std::get<Date>(empty_like(Value{Date::from_ymd(2016, 1, 1).value()})).is_empty());
  EXPECT_FALSE(std::get<bool>(empty_like(Value{true})));
}

}  // namespace
}  // namespace vormel::core
