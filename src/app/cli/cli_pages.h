#pragma once
// --pages LIST, shared by the verbs that take pages: the print dialog's list syntax
// ("1,3,5-12", "5-" to the last page, empty for all), 1-based.
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/cli_options.h"

namespace quarlo::cli {

inline constexpr CliOption kPagesOption{
    "--pages", "LIST", "the pages, as 1,3,5-12 (1-based; 5- runs to the last page; default all)"};

// What is wrong with the list's syntax, or an empty text. Checked before the report is
// read: a bad list is a wrong command line.
std::string PageListProblem(std::string_view list);

// The 0-based indexes of the report's pages the list names, in list order and each
// once; pages beyond the report are left out. Empty when the list names none.
std::vector<int> ListedPages(std::string_view list, int pageCount);

// "the page list '9-12' names no page of the report (5 pages)".
std::string NoListedPageText(std::string_view list, int pageCount);

}  // namespace quarlo::cli
