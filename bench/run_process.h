#pragma once
// Runs a program to its end as one iteration of a benchmark, its standard output thrown
// away; a program that cannot start or fails ends the benchmark with an error.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace qmbench {

// `env` entries ("NAME=value") come before the inherited environment.
inline void RunProcess(benchmark::State& state, const std::vector<std::string>& args,
                       const std::vector<std::string>& env = {}) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> envStrings(env);
  for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    state.SkipWithError("cannot start the program");
    return;
  }
  int status = 0;
  waitpid(pid, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the program failed");
}

}  // namespace qmbench
