#include "print/page_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/errors.h"

namespace quarlo {
namespace {

std::vector<int> Entries(const TfrxPageList& list) {
  std::vector<int> out;
  for (std::int64_t i = 0; i < list.Count(); ++i) out.push_back(list.EntryAt(i));
  return out;
}

struct ParseCase {
  const char* text;
  int pageCount;
  std::vector<int> entries;
};

TEST(PageList, ParsesEntriesInOrderWithDuplicates) {
  const ParseCase cases[] = {
      {"", 8, {}},
      {"   ", 8, {}},
      {"1,3,5-12", 20, {1, 3, 5, 6, 7, 8, 9, 10, 11, 12}},
      {"5-", 8, {5, 6, 7, 8}},
      {"12-5", 20, {}},
      {" 1 , 3 - 4 ", 8, {1, 3, 4}},
      {"3,1,1", 8, {3, 1, 1}},
      {"0,9", 8, {0, 9}},            // kept, skipped when printing
      {"8", 8, {8}},
      {"1-3-5", 8, {3, 4, 5}},       // a second '-' restarts the range
      {"2-2", 8, {2}},
      {"+4", 8, {4}},
      {"5-", 0, {}},                 // open range on an empty report
      {"1\t,2", 8, {1, 2}},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.text);
    const TfrxPageList list = ParsePageList(c.text, c.pageCount);
    EXPECT_EQ(Entries(list), c.entries);
    EXPECT_EQ(list.Empty(), c.entries.empty());
  }
}

TEST(PageList, RejectsPiecesThatAreNotIntegersAndNamesThem) {
  struct Bad {
    const char* text;
    const char* piece;
  };
  const Bad cases[] = {
      {"-3", "''"},          {"a", "'a'"},   {"1,,2", "''"},   {"1,", "''"},
      {",", "''"},           {"-", "''"},    {"1-a", "'a'"},   {"3a", "'3a'"},
      {"2147483648", "'2147483648'"},        {"1.5", "'1.5'"}, {"++1", "'++1'"},
  };
  for (const Bad& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParsePageList(c.text, 8);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(std::string(c.piece) + " is not a valid integer value"), std::string::npos)
          << message;
      EXPECT_NE(message.find(c.text), std::string::npos) << message;
    }
  }
}

struct IndexCase {
  const char* text;
  int pageCount;
  std::int64_t position;
  int index;
};

TEST(PageList, PageIndexAtMapsPositionsToExistingPages) {
  const IndexCase cases[] = {
      {"", 3, 0, 0},   {"", 3, 2, 2},   {"", 3, 3, -1},  {"", 3, -1, -1},
      {"0,9,8", 8, 0, -1},  {"0,9,8", 8, 1, -1},  {"0,9,8", 8, 2, 7},
      {"0,9,8", 8, 3, -1},  // past the list
      {"5-", 8, 3, 7},
      {"2-1000000000", 5, 999999998, -1},
      {"2-1000000000", 1000000000, 999999998, 999999999},
  };
  for (const IndexCase& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " @" + std::to_string(c.position));
    EXPECT_EQ(ParsePageList(c.text, c.pageCount).PageIndexAt(c.position, c.pageCount), c.index);
  }
}

TEST(PageList, SequenceLengthNeverExceedsThePageCount) {
  EXPECT_EQ(ParsePageList("", 8).SequenceLength(8), 8);
  EXPECT_EQ(ParsePageList("1,1,1", 2).SequenceLength(2), 2);  // the third 1 is not reached
  EXPECT_EQ(ParsePageList("3", 8).SequenceLength(8), 1);
  EXPECT_EQ(ParsePageList("1-2000000000", 8).SequenceLength(8), 8);
}

TEST(PageList, HugeRangesCostNeitherMemoryNorTime) {
  const auto start = std::chrono::steady_clock::now();
  const TfrxPageList list = ParsePageList("1-2147483647,1-2147483647,7", 10);
  EXPECT_EQ(list.Count(), 2 * 2147483647LL + 1);
  EXPECT_EQ(list.EntryAt(2147483647LL), 1);       // first entry of the second range
  EXPECT_EQ(list.EntryAt(list.Count() - 1), 7);
  std::vector<int> visited;
  list.ForEachListedPage(10, [&](int idx) {
    visited.push_back(idx);
    return true;
  });
  EXPECT_EQ(visited.size(), 21u);  // each range clamped to the ten pages, then page 7
  EXPECT_EQ(visited.back(), 6);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(PageList, ForEachListedPageSkipsMissingPagesAndStopsWhenAsked) {
  std::vector<int> visited;
  ParsePageList("0,3,9,2-4", 3).ForEachListedPage(3, [&](int idx) {
    visited.push_back(idx);
    return visited.size() < 3;
  });
  EXPECT_EQ(visited, (std::vector<int>{2, 1, 2}));
  visited.clear();
  ParsePageList("0,3,9,2-4", 3).ForEachListedPageReversed(3, [&](int idx) {
    visited.push_back(idx);
    return true;
  });
  EXPECT_EQ(visited, (std::vector<int>{2, 1, 2}));  // 3, 2 (4 is missing), then 3
  visited.clear();
  ParsePageList("", 3).ForEachListedPageReversed(3, [&](int idx) {
    visited.push_back(idx);
    return true;
  });
  EXPECT_EQ(visited, (std::vector<int>{2, 1, 0}));
}

}  // namespace
}  // namespace quarlo
