#pragma once
// Descriptive options of a report: author, dates, version, name. The name is saved
// in every prepared file.

#include <string>

#include "objects/picture_view_graphic.h"
#include "objects/property_model.h"
#include "objects/wide_strings.h"

namespace quarlo {

// The current local date and time as days since 30 December 1899 (the fraction is
// the time of day).
double CurrentDateTime();

class TfrxReportOptions : public TPersistent {
  QUARLO_CLASS(TfrxReportOptions)
 public:
  // CreateDate and LastChange start at the current date and time.
  TfrxReportOptions();
  TfrxReportOptions(const TfrxReportOptions&) = default;
  TfrxReportOptions& operator=(const TfrxReportOptions&) = default;

  const std::string& Author() const { return author_; }
  void SetAuthor(const std::string& v) { author_ = v; }
  // No effect here: files are always written uncompressed.
  bool Compressed() const { return compressed_; }
  void SetCompressed(bool v) { compressed_ = v; }
  const std::string& ConnectionName() const { return connectionName_; }
  void SetConnectionName(const std::string& v) { connectionName_ = v; }
  double CreateDate() const { return createDate_; }
  void SetCreateDate(double v) { createDate_ = v; }
  TStringList& Description() { return description_; }
  const TStringList& Description() const { return description_; }
  const std::string& InitString() const { return initString_; }
  void SetInitString(const std::string& v) { initString_ = v; }
  double LastChange() const { return lastChange_; }
  void SetLastChange(double v) { lastChange_ = v; }
  const std::string& Name() const { return name_; }
  // The name (code page bytes) in UTF-8, as print jobs and PDF files carry it as title.
  std::string NameUtf8() const;
  void SetName(const std::string& v) { name_ = v; }
  const std::string& Password() const { return password_; }
  void SetPassword(const std::string& v) { password_ = v; }
  TPicture& Picture() { return picture_; }
  const TPicture& Picture() const { return picture_; }
  const std::string& VersionBuild() const { return versionBuild_; }
  void SetVersionBuild(const std::string& v) { versionBuild_ = v; }
  const std::string& VersionMajor() const { return versionMajor_; }
  void SetVersionMajor(const std::string& v) { versionMajor_ = v; }
  const std::string& VersionMinor() const { return versionMinor_; }
  void SetVersionMinor(const std::string& v) { versionMinor_ = v; }
  const std::string& VersionRelease() const { return versionRelease_; }
  void SetVersionRelease(const std::string& v) { versionRelease_ = v; }

 private:
  std::string author_;
  bool compressed_ = false;
  std::string connectionName_;
  double createDate_ = 0;
  TStringList description_;
  std::string initString_;
  double lastChange_ = 0;
  std::string name_;
  std::string password_;
  TPicture picture_;
  std::string versionBuild_, versionMajor_, versionMinor_, versionRelease_;
};

}  // namespace quarlo
