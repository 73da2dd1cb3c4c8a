#pragma once
// What the verbs share about their files: "-" names the standard input or output, when
// the standard output carries a verb's data nothing else is printed there, and result
// files are written as every output is (platform/output_file.h): complete or not at all.
#include <iosfwd>
#include <string>
#include <string_view>

namespace quarlo {
class TfrxPreviewPages;
}

namespace quarlo::cli {

// Returns an empty text on success, otherwise "cannot write PATH: reason".
std::string WriteOutputFile(const std::string& path, std::string_view bytes);

// An argument that names a file: "-" or a word that is not an option.
bool IsFileArgument(const std::string& arg);

// Tells on out which file was written, except when the data itself went there.
void ReportWritten(std::ostream& out, const std::string& output);

// Warns on err, page by page, of the objects the pages built so far left out because
// their classes are not implemented here. The pages did print: the status is unchanged.
void WarnLeftOutClasses(std::ostream& err, const std::string& verb, const TfrxPreviewPages& pages);

}  // namespace quarlo::cli
