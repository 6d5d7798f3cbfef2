// The text rules of the palette readers: integer tokens, header strings and line ends,
// as the editor's runtime reads text.
#include <gtest/gtest.h>

#include <string>

#include "paletteeditor/core/PaletteText.h"

namespace {

struct Text {
  explicit Text(std::string s)
      : bytes(std::move(s)), source(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        input(source) {}
  std::string bytes;
  pal::MemorySource source;
  pal::TextInput input;
};

TEST(PaletteText, IntegerTokens) {
  const struct {
    const char* text;
    bool ok;
    std::int32_t value;
  } cases[] = {
      {"0", true, 0},
      {"255", true, 255},
      {"  \t 17 ", true, 17},
      {"\r\n\r\n42", true, 42},  // an integer may stand on a following line
      {"-1", true, -1},
      {"+7", true, 7},
      {"007", true, 7},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"4294967296", false, 0},
      {"4294967551", false, 0},            // 255 in 32 bits
      {"18446744073709551617", false, 0},  // 1 in 64 bits
      {"99999999999999999999999", false, 0},
      {"12a", false, 0},
      {"a12", false, 0},
      {"-", false, 0},
      {"+", false, 0},
      {"--1", false, 0},
      {"1-", false, 0},
      {"$FF", false, 0},
      {"0x10", false, 0},
      {"1.5", false, 0},
      {"", true, 0},           // the end of the text reads as 0 without an error
      {"   \r\n\t", true, 0},
      {"\x1a" "12", true, 0},  // nothing after a Ctrl-Z is read
      {"12\x1a" "34", true, 12},
  };
  for (const auto& c : cases) {
    Text t(c.text);
    std::int32_t v = 12345;
    const pal::Status s = t.input.ReadInteger(v);
    EXPECT_EQ(c.ok, s.ok()) << '"' << c.text << '"';
    if (c.ok) {
      EXPECT_EQ(c.value, v) << '"' << c.text << '"';
    } else {
      EXPECT_EQ(pal::Code::InvalidNumeric, s.code) << '"' << c.text << '"';
    }
  }
}

TEST(PaletteText, TokensEndAtAnyControlCharacter) {
  Text t("1\x01" "2\x7f" "3");
  std::int32_t a = 0, b = 0;
  ASSERT_TRUE(t.input.ReadInteger(a).ok());
  EXPECT_EQ(1, a);
  // DEL (127) is above 32, so "2\x7f3" is one token and not a number.
  EXPECT_EQ(pal::Code::InvalidNumeric, t.input.ReadInteger(b).code);
}

TEST(PaletteText, HeaderTakesAtMostTenCharactersOfTheLine) {
  const struct {
    const char* text;
    const char* header;
  } cases[] = {
      {"JASC-PAL\r\n0100", "JASC-PAL"},
      {"JASC-PAL \r\n", "JASC-PAL "},
      {"JASC-PAL\n0100\n", "JASC-PAL\n0"},  // a bare LF ends no line
      {"ABCDEFGHIJKLMNOP\r\n", "ABCDEFGHIJ"},
      {"JASC\x1a-PAL", "JASC"},
      {"", ""},
      {"\r\n", ""},
  };
  for (const auto& c : cases) {
    Text t(c.text);
    EXPECT_EQ(c.header, t.input.ReadHeader()) << '"' << c.text << '"';
  }
}

TEST(PaletteText, SkipLineConsumesCrAndOneLf) {
  Text t("junk 1 2\r\n5\r\r\n6\n7\r\n8");
  std::int32_t v = 0;
  t.input.SkipLine();
  ASSERT_TRUE(t.input.ReadInteger(v).ok());
  EXPECT_EQ(5, v);
  t.input.SkipLine();  // the rest of "5\r"
  EXPECT_EQ("", t.input.ReadHeader());  // an empty line ended by "\r\n"
  t.input.SkipLine();
  ASSERT_TRUE(t.input.ReadInteger(v).ok());
  EXPECT_EQ(6, v);
  t.input.SkipLine();  // "\n7\r\n": the LF does not end the line, the CR does
  ASSERT_TRUE(t.input.ReadInteger(v).ok());
  EXPECT_EQ(8, v);
}

TEST(PaletteText, HeaderAfterSkippedLongLine) {
  Text t("ABCDEFGHIJKLMNOP\r\nQRS\r\n");
  EXPECT_EQ("ABCDEFGHIJ", t.input.ReadHeader());
  t.input.SkipLine();
  EXPECT_EQ("QRS", t.input.ReadHeader());
}

}  // namespace
