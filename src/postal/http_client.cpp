#include "postal/http_client.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace qm::postal {
namespace {

std::size_t Append(char* data, std::size_t size, std::size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

HttpResult HttpGet(const std::string& url, const HttpOptions& options) {
  GlobalInit();
  HttpResult result;
  const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
  if (!curl) {
    result.error = "HTTP を使えません。";
    return result;
  }
  CURL* c = curl.get();
  curl_slist* headers = curl_slist_append(nullptr, (std::string("Accept: ") + kAccept).c_str());
  const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(headers, &curl_slist_free_all);
  char message[CURL_ERROR_SIZE] = {};

  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(c, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");  // cookies on, kept for this transfer
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);     // time-outs without signals: safe on a worker thread
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, options.connectTimeoutSeconds);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, options.stallSeconds);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, message);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Append);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &result.body);
  // An empty proxy string switches proxies off, including those of http_proxy and the
  // like: the dialog's empty proxy field means a direct connection.
  curl_easy_setopt(c, CURLOPT_PROXY, options.proxyHost.c_str());
  if (!options.proxyHost.empty()) {
    curl_easy_setopt(c, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
    if (options.proxyPort > 0) curl_easy_setopt(c, CURLOPT_PROXYPORT, static_cast<long>(options.proxyPort));
  }
  curl_easy_setopt(c, CURLOPT_NOPROXY, "");

  const CURLcode code = curl_easy_perform(c);
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &result.status);
  if (code != CURLE_OK) {
    result.error = message[0] ? message : curl_easy_strerror(code);
    return result;
  }
  if (result.status < 200 || result.status > 299) {
    result.error = "HTTP " + std::to_string(result.status);
    return result;
  }
  result.ok = true;
  return result;
}

}  // namespace qm::postal
