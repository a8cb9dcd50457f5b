#include "support/http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace qmtest {
namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

void SendAll(int fd, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

// The path of a request target: "/a/b" as it is, "http://host:port/a/b" without scheme
// and host.
std::string PathOf(const std::string& target) {
  if (target.rfind("http://", 0) != 0) return target;
  const std::size_t slash = target.find('/', 7);
  return slash == std::string::npos ? "/" : target.substr(slash);
}

}  // namespace

std::string TestHttpServer::Request::Header(const std::string& lowerName) const {
  const auto it = headers.find(lowerName);
  return it == headers.end() ? std::string() : it->second;
}

TestHttpServer::TestHttpServer() {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  if (listener_ < 0) throw std::runtime_error("socket");
  const int yes = 1;
  ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listener_, 16) != 0)
    throw std::runtime_error("bind");
  socklen_t len = sizeof addr;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Run(); });
}

TestHttpServer::~TestHttpServer() {
  stop_ = true;
  thread_.join();
  ::close(listener_);
}

std::string TestHttpServer::BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_); }

void TestHttpServer::Serve(const std::string& path, Response response) {
  const std::lock_guard lock(mutex_);
  responses_[path] = std::move(response);
}

void TestHttpServer::Serve(const std::string& path, const std::string& body) {
  Response r;
  r.body = body;
  Serve(path, std::move(r));
}

std::vector<TestHttpServer::Request> TestHttpServer::Requests() const {
  const std::lock_guard lock(mutex_);
  return requests_;
}

void TestHttpServer::ClearRequests() {
  const std::lock_guard lock(mutex_);
  requests_.clear();
}

void TestHttpServer::Run() {
  while (!stop_) {
    pollfd p{listener_, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    const int client = ::accept(listener_, nullptr, nullptr);
    if (client < 0) continue;
    Handle(client);
    ::close(client);
  }
}

void TestHttpServer::Handle(int client) {
  // The request head, up to the empty line.
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && !stop_) {
    pollfd p{client, POLLIN, 0};
    if (::poll(&p, 1, 50) <= 0) continue;
    const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    head.append(buffer, static_cast<std::size_t>(n));
  }
  Request request;
  std::size_t at = head.find("\r\n");
  request.line = head.substr(0, at);
  const std::size_t sp1 = request.line.find(' '), sp2 = request.line.rfind(' ');
  if (sp1 != std::string::npos && sp2 > sp1) request.target = request.line.substr(sp1 + 1, sp2 - sp1 - 1);
  while (true) {
    const std::size_t next = head.find("\r\n", at + 2);
    if (next == std::string::npos || next == at + 2) break;
    const std::string field = head.substr(at + 2, next - at - 2);
    const std::size_t colon = field.find(':');
    if (colon != std::string::npos) {
      std::string value = field.substr(colon + 1);
      while (!value.empty() && value.front() == ' ') value.erase(0, 1);
      request.headers[Lower(field.substr(0, colon))] = value;
    }
    at = next;
  }
  Response response;
  {
    const std::lock_guard lock(mutex_);
    requests_.push_back(request);
    const auto it = responses_.find(PathOf(request.target));
    if (it != responses_.end()) {
      response = it->second;
    } else {
      response.status = 404;
      response.reason = "Not Found";
      response.body = "<html><body>not found</body></html>";
    }
  }
  std::string out = "HTTP/1.1 " + std::to_string(response.status) + " " + response.reason + "\r\n";
  const long long length =
      response.announcedLength >= 0 ? response.announcedLength : static_cast<long long>(response.body.size());
  out += "Content-Length: " + std::to_string(length) + "\r\nConnection: close\r\n";
  for (const auto& [name, value] : response.headers) out += name + ": " + value + "\r\n";
  out += "\r\n";
  if (response.stallAfter < 0) {
    SendAll(client, out + response.body);
    return;
  }
  SendAll(client, out + response.body.substr(0, static_cast<std::size_t>(response.stallAfter)));
  // Hold the connection until the client gives up or the server stops.
  while (!stop_) {
    pollfd p{client, POLLIN, 0};
    if (::poll(&p, 1, 50) > 0) {
      if (::recv(client, buffer, sizeof buffer, 0) <= 0) return;
    }
  }
}

}  // namespace qmtest
