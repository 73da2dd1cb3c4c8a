#pragma once
// The command line of the viewer: `quarlo [--page N] [FILE|file://URL]...`. Parsing
// needs no window system, so a wrong option is answered (usage, exit 2) without a
// display.
#include <QString>
#include <QStringList>

namespace quarlo {

struct ViewerCommandLine {
  enum class Action { Run, Help, Version, Usage };
  Action action = Action::Run;
  // Files as given: local paths or URLs.
  QStringList files;
  // Page to open each file at (1-based); 0 leaves the first page.
  int page = 0;
  // With Action::Usage: what was wrong, for the line above the usage text.
  QString problem;
};

// arguments: without the program name.
ViewerCommandLine ParseViewerCommandLine(const QStringList& arguments);

QString ViewerUsageText();

// A file argument as the local path it names. A file:// URL gives its percent-decoded
// path; any other scheme (http:, smb:, a file:// URL naming another host) gives an
// error text instead. An argument that exists as a local file is a path, whatever
// it looks like.
struct LocalFileArgument {
  QString path;
  QString error;  // empty when path holds the file
};
LocalFileArgument LocalFileOf(const QString& argument);

// Why the local file path cannot be opened ("无法打开文件“path”：没有那个文件或目录"),
// or an empty text when it can be read.
QString UnreadableFileProblem(const QString& path);

// The arguments that start the program once more for one further file.
QStringList ArgumentsForFile(const QString& file, int page);

}  // namespace quarlo
