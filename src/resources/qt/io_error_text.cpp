#include "resources/qt/io_error_text.h"

#include <QHash>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <vector>

namespace quarlo {

namespace {

struct Reason {
  int errnum;
  const char16_t* text;
};

// The reasons a file operation meets in practice.
constexpr Reason kReasons[] = {
    {EPERM, u"不允许的操作"},
    {ENOENT, u"没有那个文件或目录"},
    {EIO, u"输入/输出错误"},
    {ENXIO, u"没有那个设备或地址"},
    {EBADF, u"错误的文件描述符"},
    {EAGAIN, u"资源暂时不可用"},
    {ENOMEM, u"无法分配内存"},
    {EACCES, u"权限不够"},
    {EBUSY, u"设备或资源忙"},
    {EEXIST, u"文件已存在"},
    {EXDEV, u"无效的跨设备连接"},
    {ENODEV, u"没有那个设备"},
    {ENOTDIR, u"不是目录"},
    {EISDIR, u"是一个目录"},
    {EINVAL, u"无效的参数"},
    {ENFILE, u"系统中打开的文件过多"},
    {EMFILE, u"打开的文件过多"},
    {ETXTBSY, u"文本文件忙"},
    {EFBIG, u"文件过大"},
    {ENOSPC, u"设备上没有空间"},
    {ESPIPE, u"非法 seek 操作"},
    {EROFS, u"只读文件系统"},
    {EMLINK, u"过多的链接"},
    {EPIPE, u"断开的管道"},
    {ENAMETOOLONG, u"文件名过长"},
    {ENOTEMPTY, u"目录非空"},
    {ELOOP, u"符号链接的层数过多"},
    {EINTR, u"被中断的系统调用"},
    {EDQUOT, u"超出磁盘限额"},
    {ESTALE, u"失效的文件句柄"},
    {EOVERFLOW, u"对已定义的数据类型来说值过大"},
};

// The system's text of each known reason (in whatever language the C library speaks)
// to its Chinese form.
const QHash<QString, QString>& ReasonsBySystemText() {
  static const QHash<QString, QString> table = [] {
    QHash<QString, QString> t;
    for (const Reason& r : kReasons) t.insert(QString::fromLocal8Bit(std::strerror(r.errnum)), QString::fromUtf16(r.text));
    t.insert(QStringLiteral("not a file name"), QStringLiteral("不是文件名"));
    return t;
  }();
  return table;
}

QString LocalizedReason(const QString& reason) { return ReasonsBySystemText().value(reason, reason); }

QString Quoted(const QString& name) { return QStringLiteral("“") + name + QStringLiteral("”"); }

struct Sentence {
  QRegularExpression pattern;
  // The Chinese sentence before the reason; %1 is the quoted file name.
  const char16_t* text;
};

// Most specific first: "cannot write the job file X" before "cannot write X".
const std::vector<Sentence>& Sentences() {
  static const std::vector<Sentence> sentences = [] {
    auto re = [](const char* p) { return QRegularExpression(QString::fromLatin1(p), QRegularExpression::DotMatchesEverythingOption); };
    return std::vector<Sentence>{
        {re(R"re(^Cannot open file "(.*)"(?:\. (.*))?$)re"), u"无法打开文件%1"},
        {re(R"re(^Cannot create file "(.*)"(?:[.:] (.*))?$)re"), u"无法创建文件%1"},
        {re(R"re(^Stream write error: (.*): ([^:]*)$)re"), u"写入文件%1出错"},
        {re(R"re(^cannot write the job file (.*?)(?:: ([^:]*))?$)re"), u"无法写入打印作业文件%1"},
        {re(R"re(^cannot write (.*?)(?:: ([^:]*))?$)re"), u"无法写入文件%1"},
    };
  }();
  return sentences;
}

}  // namespace

QString SystemErrorReason(int errnum) {
  for (const Reason& r : kReasons)
    if (r.errnum == errnum) return QString::fromUtf16(r.text);
  return QString::fromLocal8Bit(std::strerror(errnum));
}

QString LocalizedIoMessage(const QString& message) {
  if (message == QLatin1String("Stream read error")) return QStringLiteral("读取数据出错");
  if (message == QLatin1String("Stream write error")) return QStringLiteral("写入数据出错");
  for (const Sentence& s : Sentences()) {
    const QRegularExpressionMatch m = s.pattern.match(message);
    if (!m.hasMatch()) continue;
    QString out = QString::fromUtf16(s.text).arg(Quoted(m.captured(1)));
    const QString reason = m.captured(2);
    if (!reason.isEmpty()) out += QStringLiteral("：") + LocalizedReason(reason);
    return out;
  }
  return message;
}

QString CannotOpenFileText(const QString& path, int errnum) {
  return QStringLiteral("无法打开文件") + Quoted(path) + QStringLiteral("：") + SystemErrorReason(errnum);
}

}  // namespace quarlo
