#include "engine/fault_guard.h"

#include <cstdio>
#include <cstdlib>

constinit thread_local FaultGuard faultGuard;

void checkFaultIsGuarded() {
  if (faultGuard.guarding) return;
  if (faultGuard.fatalExit) faultGuard.fatalExit();
  std::fputs("floating-point fault outside the calculation\n", stderr);
  std::exit(1);
}
