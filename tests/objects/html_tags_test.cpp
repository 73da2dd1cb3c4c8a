// Inline markup: which tags are recognised, what each character's record says, and the
// state that carries from line to line.
#include "objects/html_tags.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"

namespace quarlo {
namespace {

std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

struct MarkupCase {
  const char* name;
  std::u16string input;
  bool allowTags;
  std::string text;
  std::string styles;    // one digit per character
  std::string defaults;  // T/F per character (IsDefault)
  std::string sizes;     // one letter per character: 'n' base size 10, 'r' reduced (7)
  std::string shifts;    // one digit per character
  TColor color;          // colour of the last character
};

TEST(HtmlTags, ParsesTheTagTable) {
  const MarkupCase cases[] = {
      {"bold middle", u"a<b>b</b>c", true, "abc", "010", "TFF", "nnn", "000", clBlack},
      {"case ignored", u"<B>x", true, "x", "1", "F", "n", "0", clBlack},
      {"unknown 3-char tag stays text", u"<q>x", true, "<q>x", "0000", "TTTT", "nnnn", "0000", clBlack},
      {"five-character tags always consumed", u"x<abc>y", true, "xy", "00", "TT", "nn", "00", clBlack},
      {"quoted hex colour", u"<font color=\"#FF0000\">r</font>", true, "r", "0", "F", "n", "0", 0x0000FF},
      {"colour name", u"<font color=red>r", true, "r", "0", "F", "n", "0", clRed},
      {"spaces after =", u"<font color=   navy>r", true, "r", "0", "F", "n", "0", clNavy},
      {"system colour name", u"<font color=BtnFace>r", true, "r", "0", "F", "n", "0", clBtnFace},
      {"quoted name is not a colour", u"<font color=\"red\">r", true, "<font color=\"red\">r",
       std::string(19, '0'), std::string(19, 'T'), std::string(19, 'n'), std::string(19, '0'), clBlack},
      {"subscript", u"H<sub>2</sub>O", true, "H2O", "000", "TFF", "nrn", "010", clBlack},
      {"superscript", u"x<sup>2</sup>", true, "x2", "00", "TF", "nr", "00", clBlack},
      {"nested styles add bits", u"<i><u>z</u></i>w", true, "zw", "60", "FF", "nn", "00", clBlack},
      {"strike", u"a<strike>s</strike>", true, "as", "08", "TF", "nn", "00", clBlack},
      {"closing without opening only clears", u"</b>a", true, "a", "0", "T", "n", "0", clBlack},
      {"tags off: plain characters", u"<b>x", false, "<b>x", "0000", "TTTT", "nnnn", "0000", clBlack},
      {"lone < and unfinished tags", u"a < b <font color=red", true, "a < b <font color=red",
       std::string(21, '0'), std::string(21, 'T'), std::string(21, 'n'), std::string(21, '0'), clBlack},
  };
  for (const MarkupCase& k : cases) {
    TfrxHTMLTagsList list;
    list.AllowTags = k.allowTags;
    list.Reset(clBlack, 10, 0);
    std::u16string line = k.input;
    list.ExpandTags(line);
    ASSERT_EQ(Narrow(line), k.text) << k.name;
    ASSERT_EQ(list.Count(), 1) << k.name;
    const TfrxHTMLTags& recs = list.Items(0);
    ASSERT_EQ(recs.size(), line.size()) << k.name;
    std::string styles, defaults, sizes, shifts;
    for (const TfrxHTMLTag& t : recs) {
      styles += static_cast<char>('0' + t.Style);
      defaults += t.IsDefault ? 'T' : 'F';
      sizes += t.Size == 10 ? 'n' : t.Size == 7 ? 'r' : '?';
      EXPECT_EQ(t.Reduced, t.Size != 10) << k.name;
      shifts += static_cast<char>('0' + t.BaselineShift);
    }
    EXPECT_EQ(styles, k.styles) << k.name;
    EXPECT_EQ(defaults, k.defaults) << k.name;
    EXPECT_EQ(sizes, k.sizes) << k.name;
    EXPECT_EQ(shifts, k.shifts) << k.name;
    EXPECT_EQ(recs.back().Color, k.color) << k.name;
  }
}

TEST(HtmlTags, PositionsCountTheSourceIncludingTagsAndLineBreaks) {
  TfrxHTMLTagsList list;
  list.Reset(clBlack, 10, 0);
  std::u16string first = u"a<b>b", second = u"c";
  list.ExpandTags(first);
  list.AdvancePosition(2);  // CR LF
  list.NewLine();
  list.ExpandTags(second);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0)[0].Position, 1);
  EXPECT_EQ(list.Items(0)[1].Position, 5);
  EXPECT_EQ(list.Items(1)[0].Position, 8);
}

TEST(HtmlTags, StateCarriesIntoTheNextLineAndATagOnlyLineBecomesASpace) {
  TfrxHTMLTagsList list;
  list.Reset(clBlack, 10, 0);
  std::u16string only = u"<b>", next = u"x</b>y";
  list.ExpandTags(only);
  list.NewLine();
  list.ExpandTags(next);
  EXPECT_EQ(only, u" ");
  ASSERT_EQ(list.Items(0).size(), 1u);
  EXPECT_EQ(list.Items(1)[0].Style, 1);
  EXPECT_TRUE(list.Items(1)[0].IsDefault);  // continues the bold of the line before
  EXPECT_EQ(list.Items(1)[1].Style, 0);
  EXPECT_FALSE(list.Items(1)[1].IsDefault);
}

TEST(HtmlTags, InvalidHexColourFailsWithTheConversionError) {
  const std::u16string bad[] = {u"<font color=\"#GG0000\">x", u"<font color=\"#123456789\">x"};
  for (const std::u16string& s : bad) {
    TfrxHTMLTagsList list;
    list.Reset(clBlack, 10, 0);
    std::u16string line = s;
    try {
      list.ExpandTags(line);
      ADD_FAILURE() << "no error for " << Narrow(s);
    } catch (const EConvertError& e) {
      EXPECT_NE(std::string(e.what()).find("is not a valid integer value"), std::string::npos);
    }
  }
}

TEST(HtmlTags, SplitAtCarriesStyleOntoTheContinuationLine) {
  struct Case {
    const char* name;
    int count;
    bool hyphen;
    int skip;
    std::size_t kept, moved;
    int movedFirstStyle;
  };
  const Case cases[] = {
      {"plain split", 2, false, 0, 2, 3, 1},
      {"hyphen copies the last kept record", 2, true, 0, 3, 3, 1},
      {"skipped space is dropped", 2, false, 1, 2, 2, 1},
  };
  for (const Case& k : cases) {
    TfrxHTMLTagsList list;
    list.Reset(clBlack, 10, 0);
    std::u16string line = u"<b>ab cd";
    list.ExpandTags(line);  // "ab cd", all bold; only 'a' starts a run
    list.SplitAt(k.count, k.hyphen, k.skip);
    ASSERT_EQ(list.Count(), 2) << k.name;
    EXPECT_EQ(list.Items(0).size(), k.kept) << k.name;
    EXPECT_EQ(list.Items(1).size(), k.moved) << k.name;
    EXPECT_EQ(list.Items(1).front().Style, k.movedFirstStyle) << k.name;
  }
}

}  // namespace
}  // namespace quarlo
