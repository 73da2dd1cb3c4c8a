#pragma once
// Options of the report engine. Of these only NewSilentMode is acted on here: it
// decides how report errors reach the user.

#include <string>

#include "objects/property_model.h"

namespace quarlo {

enum TfrxSilentMode : int { simMessageBoxes, simSilent, simReThrow };
const EnumInfo& SilentModeNames();

class TfrxEngineOptions : public TPersistent {
  QUARLO_CLASS(TfrxEngineOptions)
 public:
  TfrxEngineOptions() = default;
  TfrxEngineOptions(const TfrxEngineOptions&) = default;
  TfrxEngineOptions& operator=(const TfrxEngineOptions&) = default;

  bool ConvertNulls() const { return convertNulls_; }
  void SetConvertNulls(bool v) { convertNulls_ = v; }
  bool DoublePass() const { return doublePass_; }
  void SetDoublePass(bool v) { doublePass_ = v; }
  int MaxMemSize() const { return maxMemSize_; }
  void SetMaxMemSize(int v) { maxMemSize_ = v; }
  bool PrintIfEmpty() const { return printIfEmpty_; }
  void SetPrintIfEmpty(bool v) { printIfEmpty_ = v; }
  // A view of NewSilentMode: true exactly for simSilent.
  bool SilentMode() const { return newSilentMode_ == simSilent; }
  void SetSilentMode(bool v) { newSilentMode_ = v ? simSilent : simMessageBoxes; }
  TfrxSilentMode NewSilentMode() const { return newSilentMode_; }
  void SetNewSilentMode(TfrxSilentMode v) { newSilentMode_ = v; }
  const std::string& TempDir() const { return tempDir_; }
  void SetTempDir(const std::string& v) { tempDir_ = v; }
  bool UseFileCache() const { return useFileCache_; }
  void SetUseFileCache(bool v) { useFileCache_ = v; }
  bool IgnoreDevByZero() const { return ignoreDevByZero_; }
  void SetIgnoreDevByZero(bool v) { ignoreDevByZero_ = v; }
  // Read components under one process-wide lock; never switched on in this system.
  bool ThreadSafe() const { return threadSafe_; }
  void SetThreadSafe(bool v) { threadSafe_ = v; }

 private:
  bool convertNulls_ = true;
  bool doublePass_ = false;
  int maxMemSize_ = 10;
  bool printIfEmpty_ = true;
  TfrxSilentMode newSilentMode_ = simMessageBoxes;
  std::string tempDir_;
  bool useFileCache_ = false;
  bool ignoreDevByZero_ = false;
  bool threadSafe_ = false;
};

}  // namespace quarlo
