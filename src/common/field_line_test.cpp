#include "common/field_line.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

TEST(FieldLine, LabelPaddedToWidth) {
  EXPECT_EQ(format_field_line("key", 15, "K"), "key             : K\n");
  EXPECT_EQ(format_field_line("operation/code", 15, "RfcOpen"), "operation/code  : RfcOpen\n");
  EXPECT_EQ(format_field_line("internal status", 15, ""), "internal status : \n");
}

TEST(FieldLine, LongLabelShownWhole) {
  EXPECT_EQ(format_field_line("a much longer label", 5, "v"), "a much longer label : v\n");
}

}  // namespace
}  // namespace kestrovan
