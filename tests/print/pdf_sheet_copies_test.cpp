// Uncollated copies laid out in a PDF, read back with poppler: the pages in order, each
// at its own size, and the blank backs of two-sided sheets.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "print/pdf_sheet_copies.h"
#include "support/spooler.h"

namespace quarlo {
namespace {

struct FixturePage {
  const char* word;
  int width, height;  // points
};

// A PDF of pages showing one word each, written with a correct cross-reference table.
void WriteWordPages(const std::string& path, const std::vector<FixturePage>& pages) {
  std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>", "",
                                      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
  std::string kids;
  for (const FixturePage& p : pages) {
    const std::string content = std::string("BT /F1 14 Tf 30 30 Td (") + p.word + ") Tj ET";
    objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
                      "\nendstream");
    const std::string contentRef = std::to_string(objects.size()) + " 0 R";
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(p.width) + " " +
                      std::to_string(p.height) + "] /Resources << /Font << /F1 3 0 R >> >> /Contents " +
                      contentRef + " >>");
    kids += std::to_string(objects.size()) + " 0 R ";
  }
  objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>";
  std::string file = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(file.size());
    file += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = file.size();
  file += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    char line[24];
    std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
    file += line;
  }
  file += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
          std::to_string(xref) + "\n%%EOF\n";
  std::ofstream(path, std::ios::binary) << file;
}

struct PrintedPage {
  std::string word;
  int width, height;
  bool operator==(const PrintedPage&) const = default;
};

std::vector<PrintedPage> ReadPages(const std::string& path) {
  std::vector<PrintedPage> pages;
  const auto info = spooler::ReadPdfInfo(path);
  if (!info) return pages;
  for (int p = 1; p <= info->pages; ++p) {
    std::string text = spooler::PdfPageText(path, p);
    text.erase(0, text.find_first_not_of(" \n\f"));
    text.erase(text.find_last_not_of(" \n\f") + 1);
    const spooler::PdfPage& size = info->sizes[static_cast<std::size_t>(p - 1)];
    pages.push_back({text, static_cast<int>(size.width + 0.5), static_cast<int>(size.height + 0.5)});
  }
  return pages;
}

class PdfSheetCopies : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("quarlo-sheet-copies-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    in_ = (dir_ / "in.pdf").string();
    out_ = (dir_ / "out.pdf").string();
    WriteWordPages(in_, {{"One", 595, 842}, {"Two", 420, 595}, {"Three", 842, 595}});
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
  std::string in_, out_;
};

const PrintedPage kOne{"One", 595, 842}, kTwo{"Two", 420, 595}, kThree{"Three", 842, 595};
const PrintedPage kBlankA4Landscape{"", 842, 595};

struct CopiesCase {
  int copies;
  bool twoSided;
  std::vector<PrintedPage> expected;
};

TEST_F(PdfSheetCopies, EverySheetRepeatedInPlace) {
  const CopiesCase cases[] = {
      {3, false, {kOne, kOne, kOne, kTwo, kTwo, kTwo, kThree, kThree, kThree}},
      // Two-sided: the sheet of pages one and two twice, then page three with a blank
      // back of its own size twice.
      {2, true, {kOne, kTwo, kOne, kTwo, kThree, kBlankA4Landscape, kThree, kBlankA4Landscape}},
      {1, true, {kOne, kTwo, kThree, kBlankA4Landscape}},
  };
  for (const CopiesCase& c : cases) {
    SCOPED_TRACE(c.copies);
    std::string error;
    ASSERT_TRUE(WriteUncollatedCopies(in_, out_, c.copies, c.twoSided, error)) << error;
    EXPECT_EQ(ReadPages(out_), c.expected);
  }
}

TEST_F(PdfSheetCopies, TooManyPagesOrAnUnreadableFileIsRefused) {
  std::string error;
  EXPECT_FALSE(WriteUncollatedCopies(in_, out_, kMaxLaidOutPages / 3 + 1, false, error));
  EXPECT_NE(error.find(std::to_string(kMaxLaidOutPages)), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out_));
  std::ofstream(in_, std::ios::binary | std::ios::trunc) << "not a PDF";
  error.clear();
  EXPECT_FALSE(WriteUncollatedCopies(in_, out_, 2, false, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(WriteUncollatedCopies((dir_ / "missing.pdf").string(), out_, 2, false, error));
}

}  // namespace
}  // namespace quarlo
