#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for tests, on a thread of its own: it answers
// each request from a table of paths, records the request line and headers, and can
// misbehave on purpose (a body cut short, a body that stalls). As a proxy it answers
// the absolute URLs a proxy receives from the same table.
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qmtest {

class TestHttpServer {
 public:
  struct Response {
    int status = 200;
    std::string reason = "OK";
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    // Content-Length as announced; -1: the body's size.
    long long announcedLength = -1;
    // Sends this many bytes of the body, then holds the connection without sending more
    // until the client gives up; -1: sends everything.
    long long stallAfter = -1;
  };
  struct Request {
    std::string line;  // "GET /path HTTP/1.1"
    std::string target;  // the request target as sent (a path, or an absolute URL)
    std::map<std::string, std::string> headers;  // names in lower case
    std::string Header(const std::string& lowerName) const;
  };

  TestHttpServer();
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  int Port() const { return port_; }
  // http://127.0.0.1:PORT
  std::string BaseUrl() const;

  // The answer for a path (of a plain or an absolute request target). Paths without an
  // answer get 404.
  void Serve(const std::string& path, Response response);
  void Serve(const std::string& path, const std::string& body);
  std::vector<Request> Requests() const;
  void ClearRequests();

 private:
  void Run();
  void Handle(int client);

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::map<std::string, Response> responses_;
  std::vector<Request> requests_;
  std::thread thread_;
};

}  // namespace qmtest
