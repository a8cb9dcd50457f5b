#pragma once
// Plain HTTP GET for the postal update: directly or through an HTTP proxy given by host
// and port (an empty host means no proxy at all, whatever the environment says), cookies
// accepted, redirects not followed. Only a 2xx answer whose whole body arrived counts.
#include <string>

namespace qm::postal {

struct HttpOptions {
  std::string proxyHost;  // empty: connect directly
  int proxyPort = 0;      // 0: the proxy's default port
  long connectTimeoutSeconds = 15;
  // A transfer that moves fewer than 1 byte a second for this long is given up.
  long stallSeconds = 30;
};

struct HttpResult {
  bool ok = false;
  long status = 0;   // the HTTP status, 0 when none came
  std::string body;  // the bytes as received
  std::string error; // why it failed, for the log and the command line
};

inline constexpr const char* kUserAgent = "Mozilla/3.0 (compatible; Velora Quillmark)";
inline constexpr const char* kAccept = "text/html, */*";

HttpResult HttpGet(const std::string& url, const HttpOptions& options);

}  // namespace qm::postal
