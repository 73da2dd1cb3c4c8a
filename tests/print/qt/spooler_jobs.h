#pragma once
// What the spooler recorded of a job, through IPP Get-Job-Attributes.
#include <cups/cups.h>

#include <string>

namespace quarlo::spooler {

// The attribute's value as text ("3", "two-sided-long-edge"), empty when the job has none.
inline std::string JobAttribute(int jobId, const char* name) {
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
  const std::string uri = "ipp://localhost/jobs/" + std::to_string(jobId);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
  std::string value;
  if (response) {
    if (ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO)) {
      char buffer[256];
      ippAttributeString(a, buffer, sizeof buffer);
      value = buffer;
    }
    ippDelete(response);
  }
  return value;
}

}  // namespace quarlo::spooler
