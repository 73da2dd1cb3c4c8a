#pragma once
// Names of the common paper sizes, as printing tools and print dialogs spell them
// ("A4", "Letter"), beside the platform's paper codes the report files store.
#include <string_view>

namespace quarlo::cli {

// The paper code of a name, in any case ("a4" gives 9), or 0 when no paper has it.
int PaperCodeOfName(std::string_view name);

// The name of the paper of this size in millimetres, in either orientation, within half
// a millimetre; an empty view when no named paper has it.
std::string_view PaperNameOfSize(double width, double height);

// The names, comma-separated, for the help and error texts.
std::string_view PaperNameList();

}  // namespace quarlo::cli
