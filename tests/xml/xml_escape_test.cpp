#include <gtest/gtest.h>

#include <string>

#include "xml/xml_document.h"

namespace quarlo {
namespace {

struct EscapeCase {
  const char* label;
  std::string raw;
  std::string escaped;
};

class EscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTest, WritesTheSixBytesAsReferencesAndReadsThemBack) {
  const EscapeCase& c = GetParam();
  EXPECT_EQ(frxEscape(c.raw), c.escaped);
  EXPECT_EQ(frxUnescape(c.escaped), c.raw);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EscapeTest,
    ::testing::Values(
        EscapeCase{"plain", "Memo1", "Memo1"},
        EscapeCase{"less_than", "a<b", "a&#60;b"},
        EscapeCase{"greater_than", "a>b", "a&#62;b"},
        EscapeCase{"ampersand", "R&D", "R&#38;D"},
        EscapeCase{"double_quote", "say \"hi\"", "say &#34;hi&#34;"},
        EscapeCase{"line_break", "one\r\ntwo", "one&#13;&#10;two"},
        EscapeCase{"tab_and_control_kept", std::string("a\tb\x01" "c", 5), std::string("a\tb\x01" "c", 5)},
        EscapeCase{"high_bytes_kept", "\xe4\xb8\xad\xb1\xa8", "\xe4\xb8\xad\xb1\xa8"},
        EscapeCase{"nul_kept", std::string("a\0b", 3), std::string("a\0b", 3)},
        EscapeCase{"empty", "", ""},
        EscapeCase{"reference_text_is_escaped", "&#65;", "&#38;#65;"}),
    [](const auto& info) { return std::string(info.param.label); });

// A value that holds entity text reads back as that text, not as the character the
// entity names (a memo showing "&quot;" keeps showing it after a save).
TEST(EscapeTest, EntityTextInAValueReadsBackAsItself) {
  for (const char* value : {"&quot;x", "a&quot", "&amp;&lt;", "&#34;"}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(frxUnescape(frxEscape(value)), value);
  }
  EXPECT_EQ(frxEscape("&quot;x"), "&#38;quot;x");
}

struct UnescapeCase {
  const char* label;
  std::string escaped;
  std::string raw;
};

class UnescapeTest : public ::testing::TestWithParam<UnescapeCase> {};

TEST_P(UnescapeTest, ReadsReferencesAndEntities) {
  EXPECT_EQ(frxUnescape(GetParam().escaped), GetParam().raw);
}

INSTANTIATE_TEST_SUITE_P(
    Values, UnescapeTest,
    ::testing::Values(
        UnescapeCase{"code_65", "&#65;", "A"},
        UnescapeCase{"modulo_256", "&#321;", "A"},
        UnescapeCase{"code_zero", "&#0;", std::string(1, '\0')},
        UnescapeCase{"code_255", "&#255;", "\xff"},
        UnescapeCase{"leading_zeros", "&#0065;", "A"},
        UnescapeCase{"huge_number_wraps", "&#4294967361;", "A"},  // 2^32 + 65
        UnescapeCase{"negative_wraps", "&#-191;", "A"},
        UnescapeCase{"named_entities", "&lt;&gt;&amp;&quot;", "<>&\""},
        UnescapeCase{"no_apostrophe_entity", "&apos;", "&apos;"},
        UnescapeCase{"lone_ampersand", "a & b", "a & b"},
        UnescapeCase{"ampersand_at_end", "a&", "a&"},
        UnescapeCase{"hash_at_end", "a&#", "a&#"},
        UnescapeCase{"unterminated_reference_kept", "x&#65 and more", "x&#65 and more"},
        UnescapeCase{"produced_ampersand_not_reread", "&amp;lt;", "&lt;"},
        UnescapeCase{"produced_reference_not_reread", "&#38;#65;", "&#65;"},
        UnescapeCase{"entity_needs_semicolon", "&lt", "&lt"},
        UnescapeCase{"mixed", "x&#60;y&gt;z", "x<y>z"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(UnescapeTest, DigitsThatAreNoIntegerRaiseAConversionError) {
  struct {
    const char* escaped;
    const char* message;
  } cases[] = {
      {"&#x41;", "'x41' is not a valid integer value"},
      {"&#;", "'' is not a valid integer value"},
      {"&#6 5;", "'6 5' is not a valid integer value"},
      {"&#-;", "'-' is not a valid integer value"},
      {"ok&#12a;", "'12a' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    try {
      frxUnescape(c.escaped);
      ADD_FAILURE() << c.escaped << " was accepted";
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.escaped;
    }
  }
}

// Every byte value survives a write and a read.
TEST(EscapeTest, AllByteValuesRoundTrip) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  EXPECT_EQ(frxUnescape(frxEscape(all)), all);
  EXPECT_EQ(frxEscape(all).find_first_of("<>\"\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quarlo
