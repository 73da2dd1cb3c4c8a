#pragma once
// Input/output failures in the user's language. The file layers build their messages in
// English with the operating system's reason appended ("Cannot open file "X". Permission
// denied"); the error box shows them in Chinese with the file name kept. Every other text,
// the system's own quoted messages ("Invalid file format") among them, stays as it is.
#include <QString>

namespace quarlo {

// The Chinese reason for an errno value; unknown values give the system's own text.
QString SystemErrorReason(int errnum);

// The message as the error box shows it (see above).
QString LocalizedIoMessage(const QString& message);

// "无法打开文件“path”：reason" for a file that cannot be read.
QString CannotOpenFileText(const QString& path, int errnum);

}  // namespace quarlo
