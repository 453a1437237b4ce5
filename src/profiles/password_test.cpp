#include "profiles/password.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "profiles/password_encoder.h"

namespace kestrovan {
namespace {

// A stored form from its decoded parts: the four header digits and the
// reordered text P (20 characters, before the body's interleaving).
std::string stored_form(const std::string& header, const std::string& text) {
  std::string stored(kStoredPasswordLength, '\0');
  bool digit = header[1] >= '0' && header[1] <= '9';
  std::size_t offset = digit ? static_cast<std::size_t>(header[1] - '0') : 0;
  for (std::size_t i = 0; i < 4; ++i) stored[i] = static_cast<char>(header[i] ^ kScramblingKey[i]);
  for (std::size_t n = 0; n < 20; ++n) {
    std::size_t b = body_index(n);
    stored[4 + b] = static_cast<char>(text[n] ^ kScramblingKey[offset + b]);
  }
  return stored;
}

// The check digit that makes `text` pass, worked out apart from the code.
char expected_check_digit(const std::string& text) {
  unsigned sum = 0;
  for (unsigned char c : text) {
    if (std::isalnum(c) && c < 0x80) sum += c;
  }
  return static_cast<char>('0' + sum % 10);
}

std::string header(const std::string& text, char offset, const std::string& length) {
  return std::string(1, expected_check_digit(text)) + offset + length;
}

TEST(Unscramble, RestoresPasswordOfGivenLength) {
  const std::string text = "Secret12xxxxxxxxxxxx";
  struct Row {
    char offset;
    std::string length;
    std::string password;
  };
  const Row rows[] = {
      {'3', "08", "Secret12"}, {'0', "01", "S"},  {'9', "08", "Secret12"}, {'5', "00", ""},
      {'2', "20", text},       {'2', "25", text}, {'7', "99", text},
  };
  for (const Row& row : rows) {
    std::string password = "old";
    EXPECT_EQ(
        unscramble_password(stored_form(header(text, row.offset, row.length), text), password),
        PasswordStatus::kOk)
        << row.offset << row.length;
    EXPECT_EQ(password, row.password);
  }
}

TEST(Unscramble, InvalidForms) {
  std::string text = "abcdefghijklmnopqrst";
  std::string good = stored_form(header(text, '1', "05"), text);
  std::string password;
  EXPECT_EQ(unscramble_password(good.substr(0, 23), password), PasswordStatus::kInvalid);
  EXPECT_EQ(unscramble_password(good + "x", password), PasswordStatus::kInvalid);
  EXPECT_EQ(unscramble_password("", password), PasswordStatus::kInvalid);
  for (const char* bad_header : {"a105", "1x05", "10 5", "105/"}) {
    EXPECT_EQ(unscramble_password(stored_form(bad_header, text), password),
              PasswordStatus::kInvalid)
        << bad_header;
  }
}

TEST(Unscramble, CheckDigitCoversTheWholeBody) {
  std::string text = "abcdefghijklmnopqrst";
  std::string stored = stored_form(header(text, '4', "03"), text);
  std::string password;
  ASSERT_EQ(unscramble_password(stored, password), PasswordStatus::kOk);
  // A change in the filler, beyond the password's three characters, is seen.
  std::string changed_text = text;
  changed_text[15] = 'q';
  EXPECT_EQ(unscramble_password(stored_form(header(text, '4', "03"), changed_text), password),
            PasswordStatus::kWrong);
  // A change between two characters outside the alphabet is not.
  std::string punct = "ab!defghijklmnopqrst";
  std::string other = "ab?defghijklmnopqrst";
  EXPECT_EQ(unscramble_password(stored_form(header(punct, '4', "03"), other), password),
            PasswordStatus::kOk);
  EXPECT_EQ(password, "ab?");
}

TEST(Unscramble, NonAlphabetCharactersStayInThePassword) {
  std::string text = "a b-\xE9xyzxyzxyzxyzxyz";
  std::string password;
  ASSERT_EQ(unscramble_password(stored_form(header(text, '6', "05"), text), password),
            PasswordStatus::kOk);
  EXPECT_EQ(password, "a b-\xE9");
}

TEST(Unscramble, ZeroByteIsLeftOut) {
  std::string text = std::string("ab") + '\0' + "cdefghijklmnopqrs";
  text.resize(20, 'z');
  std::string password;
  ASSERT_EQ(unscramble_password(stored_form(header(text, '0', "04"), text), password),
            PasswordStatus::kOk);
  EXPECT_EQ(password, "abcd");
}

TEST(Scramble, RoundTripOverManyRandomPasswords) {
  std::mt19937 random(20260210);
  std::uniform_int_distribution<int> length(1, 20), character(0x20, 0x7E);
  int stored_count = 0;
  for (int i = 0; i < 5000; ++i) {
    std::string password;
    for (int n = length(random); n > 0; --n)
      password.push_back(static_cast<char>(character(random)));
    auto stored = scramble_password(password, random);
    if (!stored) continue;  // rare: no offset keeps every character printable
    ++stored_count;
    ASSERT_EQ(stored->size(), kStoredPasswordLength);
    for (char c : *stored) ASSERT_TRUE(c > ' ' && c < 0x7F) << *stored;
    std::string decoded;
    ASSERT_EQ(unscramble_password(*stored, decoded), PasswordStatus::kOk) << password;
    ASSERT_EQ(decoded, password);
  }
  EXPECT_GT(stored_count, 4990);
}

TEST(Scramble, SamePasswordGivesDifferentStoredForms) {
  std::mt19937 random(7);
  auto first = scramble_password("Geheim99", random);
  auto second = scramble_password("Geheim99", random);
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
}

TEST(Scramble, RefusesWhatCannotBeStored) {
  std::mt19937 random(1);
  EXPECT_FALSE(scramble_password("", random));
  EXPECT_FALSE(scramble_password(std::string(21, 'a'), random));
  EXPECT_FALSE(scramble_password("tab\there", random));
  EXPECT_FALSE(scramble_password("\xE9t\xE9", random));
}

}  // namespace
}  // namespace kestrovan
