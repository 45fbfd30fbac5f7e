// The libFuzzer entry of one target: the target object is made once, on
// the first input, and kept for the process (Qt targets need a
// QApplication, made before it on the offscreen platform).
#pragma once

#include <QApplication>
#include <QStandardPaths>
#include <cstdint>
#include <cstdlib>

namespace fuzz {

inline void StartQt() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QStandardPaths::setTestModeEnabled(true);  // leave the user's settings alone
  static int argc = 1;
  static char name[] = "lumira-fuzz";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
}

template <class Target>
int RunOne(const uint8_t* data, size_t size) {
  static Target* target = new Target;  // lives as long as the process
  target->Run(data, size);
  return 0;
}

}  // namespace fuzz

// One target per program: LUMIRA_FUZZ_TARGET(class, whether it needs Qt).
#define LUMIRA_FUZZ_TARGET(Target, needsQt)                                      \
  extern "C" int LLVMFuzzerInitialize(int*, char***) {                         \
    if (needsQt) fuzz::StartQt();                                              \
    return 0;                                                                  \
  }                                                                            \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {    \
    return fuzz::RunOne<Target>(data, size);                                   \
  }
