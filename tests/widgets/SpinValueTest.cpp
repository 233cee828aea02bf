// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QString>
#include <climits>
#include <optional>
#include <ostream>

#include "widgets/SpinValue.h"

namespace norumi {
namespace {

struct Row {
  const char* text;
  std::optional<int> value;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << '"' << row.text << '"';
}

class SpinValueRead : public testing::TestWithParam<Row> {};

TEST_P(SpinValueRead, ReadsWhatTheFieldMayHold) {
  const Row& row = GetParam();
  EXPECT_EQ(ReadSpinValue(QString::fromLatin1(row.text)), row.value) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SpinValueRead,
    testing::Values(Row{"0", 0}, Row{"42", 42}, Row{"  42", 42}, Row{"\t7", 7}, Row{"+5", 5},
                    Row{"-5", -5}, Row{"007", 7}, Row{"2147483647", INT_MAX},
                    Row{"-2147483648", INT_MIN}, Row{"$1F", 31}, Row{"x1f", 31}, Row{"X10", 16},
                    Row{"0x10", 16}, Row{"0X10", 16}, Row{"-$10", -16},
                    Row{" +0x7FFFFFFF", INT_MAX}, Row{"$FFFFFFFF", -1}, Row{"$80000000", INT_MIN},
                    // Nothing may be left over or missing, and nothing may overflow.
                    Row{"", std::nullopt}, Row{"   ", std::nullopt}, Row{"-", std::nullopt},
                    Row{"abc", std::nullopt}, Row{"12 ", std::nullopt}, Row{"1.5", std::nullopt},
                    Row{"1,000", std::nullopt}, Row{"- 5", std::nullopt}, Row{"--5", std::nullopt},
                    Row{"$", std::nullopt}, Row{"0x", std::nullopt}, Row{"$1G", std::nullopt},
                    Row{"1F", std::nullopt}, Row{"0$10", std::nullopt},
                    Row{"2147483648", std::nullopt}, Row{"-2147483649", std::nullopt},
                    Row{"99999999999999999999", std::nullopt}, Row{"$100000000", std::nullopt}));

}  // namespace
}  // namespace norumi
