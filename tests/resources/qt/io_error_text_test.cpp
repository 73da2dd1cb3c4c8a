// Input/output failures as the error box shows them: Chinese, with the file name kept;
// every other text exactly as it was raised.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "resources/qt/io_error_text.h"

namespace quarlo {
namespace {

QString Sys(int errnum) { return QString::fromLocal8Bit(std::strerror(errnum)); }

TEST(IoErrorTextTest, FileSentencesBecomeChineseWithTheirFileName) {
  const QString report = QString::fromUtf8("/home/用户/报表 1.fp3");
  struct Case {
    QString message;
    QString shown;
  } cases[] = {
      {"Cannot open file \"" + report + "\". " + Sys(EACCES), "无法打开文件“" + report + "”：权限不够"},
      {"Cannot open file \"" + report + "\". " + Sys(ENOENT), "无法打开文件“" + report + "”：没有那个文件或目录"},
      {"Cannot create file \"/ro/a.fp3\". " + Sys(EROFS), "无法创建文件“/ro/a.fp3”：只读文件系统"},
      {"Cannot create file \"/x/a.fp3\": " + Sys(EACCES), "无法创建文件“/x/a.fp3”：权限不够"},
      {"Cannot create file \"/x/\": not a file name", "无法创建文件“/x/”：不是文件名"},
      {"Cannot create file \"/x/a.fp3\"", "无法创建文件“/x/a.fp3”"},
      {"Stream write error: /full/a.fp3: " + Sys(ENOSPC), "写入文件“/full/a.fp3”出错：设备上没有空间"},
      // A name holding ": " keeps it; the reason is what follows the last one.
      {"Stream write error: /a: b.fp3: " + Sys(EIO), "写入文件“/a: b.fp3”出错：输入/输出错误"},
      {"Stream read error", "读取数据出错"},
      {"Stream write error", "写入数据出错"},
      {"cannot write /tmp/out.pdf", "无法写入文件“/tmp/out.pdf”"},
      {"cannot write /tmp/out.pdf: " + Sys(EISDIR), "无法写入文件“/tmp/out.pdf”：是一个目录"},
      {"cannot write the job file /tmp/job.prn", "无法写入打印作业文件“/tmp/job.prn”"},
      // An unknown reason is kept as the system gave it.
      {"Cannot open file \"a.fp3\". Strange failure", "无法打开文件“a.fp3”：Strange failure"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message.toStdString());
    EXPECT_EQ(LocalizedIoMessage(c.message), c.shown);
  }
}

TEST(IoErrorTextTest, TheSystemsOwnTextsStayAsTheyAre) {
  for (const char* text : {"Invalid file format", "Printer selected is not valid", "Class TfrxFooView not found",
                           "Page too large", "'12a' is not a valid integer value", "Text not found", ""}) {
    EXPECT_EQ(LocalizedIoMessage(QString::fromUtf8(text)), QString::fromUtf8(text));
  }
}

TEST(IoErrorTextTest, ReasonsByNumber) {
  EXPECT_EQ(SystemErrorReason(EACCES), QStringLiteral("权限不够"));
  EXPECT_EQ(SystemErrorReason(EISDIR), QStringLiteral("是一个目录"));
  EXPECT_EQ(CannotOpenFileText(QStringLiteral("/a/b.fp3"), ENOENT),
            QStringLiteral("无法打开文件“/a/b.fp3”：没有那个文件或目录"));
  // A number without a Chinese text still says something.
  EXPECT_FALSE(SystemErrorReason(EHOSTDOWN).isEmpty());
}

}  // namespace
}  // namespace quarlo
