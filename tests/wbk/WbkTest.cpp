#include <gtest/gtest.h>
TEST(Wbk, Placeholder) {}
