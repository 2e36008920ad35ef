// How edit texts are read: numbers the C library's way, lengths in UTF-16 units.
#include <gtest/gtest.h>

#include "orvane/forms/text_input.h"

namespace orvane::forms {
namespace {

TEST(TextInput, Numbers) {
  struct Row {
    std::string text;
    std::int32_t signedValue;
    std::uint32_t unsignedValue;
  };
  const Row rows[] = {
      {"", 0, 0},
      {"abc", 0, 0},
      {"0", 0, 0},
      {"5abc", 5, 5},
      {"  \t42", 42, 42},
      {"+7", 7, 7},
      {"-1", -1, 4294967295u},
      {"- 1", 0, 0},
      {"2147483647", 2147483647, 2147483647u},
      {"2147483648", 2147483647, 2147483648u},
      {"4294967295", 2147483647, 4294967295u},
      {"4294967296", 2147483647, 4294967295u},
      {"99999999999999999999999", 2147483647, 4294967295u},
      {"-2147483648", -2147483647 - 1, 2147483648u},
      {"-99999999999", -2147483647 - 1, 4294967295u},
      {"１２", 0, 0},  // full-width digits are not digits
  };
  for (const auto& row : rows) {
    EXPECT_EQ(readInt(row.text), row.signedValue) << row.text;
    EXPECT_EQ(readUnsigned(row.text), row.unsignedValue) << row.text;
  }
}

TEST(TextInput, CharactersAreUtf16Units) {
  struct Row {
    std::string text;
    std::size_t count;
  };
  const Row rows[] = {
      {"", 0},
      {"abc", 3},
      {"一号线", 3},
      {"😀", 2},           // outside the basic plane: a surrogate pair
      {"\xFF\xFE", 2},     // bytes that are no UTF-8 count one each
      {"a\xE4\xB8", 3},    // a cut sequence
      {"\xC0\xAF", 2},     // an over-long form
      {"\xED\xA0\x80", 3}, // an encoded surrogate
  };
  for (const auto& row : rows) EXPECT_EQ(characterCount(row.text), row.count) << row.text;
}

}  // namespace
}  // namespace orvane::forms
