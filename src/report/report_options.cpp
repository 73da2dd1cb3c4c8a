#include "report/report_options.h"

#include <ctime>

#include "platform/codepage.h"

namespace quarlo {

double CurrentDateTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  // Days from 1899-12-30 to 1970-01-01, plus the local calendar day and time.
  constexpr double kUnixEpochDays = 25569;
  std::tm utcDay = local;
  utcDay.tm_hour = utcDay.tm_min = utcDay.tm_sec = 0;
  const double days = static_cast<double>(timegm(&utcDay)) / 86400.0;
  const double time = (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) / 86400.0;
  return kUnixEpochDays + days + time;
}

const ClassInfo& TfrxReportOptions::StaticClass() {
  static const ClassInfo info = [] {
    using R = TfrxReportOptions;
    auto b = QUARLO_CLASS_BUILDER(TfrxReportOptions, TPersistent);
    b.String("Author", &R::Author, &R::SetAuthor);
    b.Bool("Compressed", &R::Compressed, &R::SetCompressed).Default(false);
    b.String("ConnectionName", &R::ConnectionName, &R::SetConnectionName);
    b.Float("CreateDate", &R::CreateDate, &R::SetCreateDate);
    b.Object<TStringList>("Description", [](const R& r) { return &r.description_; });
    b.String("InitString", &R::InitString, &R::SetInitString);
    b.Float("LastChange", &R::LastChange, &R::SetLastChange);
    b.String("Name", &R::Name, &R::SetName);
    b.String("Password", &R::Password, &R::SetPassword);
    b.Object<TPicture>("Picture", [](const R& r) { return &r.picture_; });
    b.String("VersionBuild", &R::VersionBuild, &R::SetVersionBuild);
    b.String("VersionMajor", &R::VersionMajor, &R::SetVersionMajor);
    b.String("VersionMinor", &R::VersionMinor, &R::SetVersionMinor);
    b.String("VersionRelease", &R::VersionRelease, &R::SetVersionRelease);
    return b.Build();
  }();
  return info;
}

TfrxReportOptions::TfrxReportOptions() : createDate_(CurrentDateTime()), lastChange_(createDate_) {}

std::string TfrxReportOptions::NameUtf8() const { return SystemToUtf8(name_); }

}  // namespace quarlo
