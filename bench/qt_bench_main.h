#pragma once

#include <benchmark/benchmark.h>

#include <QtGlobal>

namespace qmbench {

// The main function of a benchmark that needs a Qt application object (fonts, painters,
// widgets): without a display it runs on the offscreen platform.
template <class Application>
int RunWithQt(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Application app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace qmbench
