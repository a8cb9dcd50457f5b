#pragma once
// What every fuzz target defines: the libFuzzer entry points, plus what the target made
// of its last input, so that the replay runner can check what seed names promise.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// True when the last input was read as a valid file, false when it was refused.
bool FuzzLastInputAccepted();

// Stops the run on a broken promise, saying which target and what: the fuzzer and the
// replay runner report the input that did it.
[[noreturn]] inline void FuzzFail(const char* target, const std::string& what) {
  std::fprintf(stderr, "%s: %s\n", target, what.c_str());
  std::fflush(stderr);
  std::abort();
}
