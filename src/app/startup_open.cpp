#include "app/startup_open.h"

#include <sys/stat.h>

namespace quarlo {

void XmlDocumentOpener::operator()(const std::string& path) const {
  document_->Clear();
  document_->Root()->Name.clear();
  document_->Root()->Text.clear();
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return;
  try {
    document_->LoadFromFile(path);
  } catch (...) {
    // Half a tree is no document: what was read before the error is dropped.
    document_->Clear();
    document_->Root()->Name.clear();
    document_->Root()->Text.clear();
    throw;
  }
}

}  // namespace quarlo
