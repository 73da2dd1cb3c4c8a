#include "app/cli/cli_pages.h"

#include "platform/errors.h"
#include "print/page_list.h"

namespace quarlo::cli {

std::string PageListProblem(std::string_view list) {
  try {
    TfrxPageList::Parse(list, 1);
  } catch (const Exception& e) {
    return std::string("--pages: ") + e.what();
  }
  return std::string();
}

std::vector<int> ListedPages(std::string_view list, int pageCount) {
  std::vector<int> pages;
  const TfrxPageList parsed = TfrxPageList::Parse(list, pageCount);
  // An empty list stands for all pages only when nothing was typed: "3-2" lists none.
  if (parsed.Empty() && list.find_first_not_of(' ') != std::string_view::npos) return pages;
  std::vector<bool> taken(static_cast<std::size_t>(pageCount > 0 ? pageCount : 0));
  parsed.ForEachListedPage(pageCount, [&](int index) {
    if (!taken[static_cast<std::size_t>(index)]) {
      taken[static_cast<std::size_t>(index)] = true;
      pages.push_back(index);
    }
    // Every page once at most: past that the rest of a long list adds nothing.
    return pages.size() < taken.size();
  });
  return pages;
}

std::string NoListedPageText(std::string_view list, int pageCount) {
  if (pageCount == 0) return "the report has no pages";
  return "the page list '" + std::string(list) + "' names no page of the report (" + std::to_string(pageCount) +
         (pageCount == 1 ? " page)" : " pages)");
}

}  // namespace quarlo::cli
