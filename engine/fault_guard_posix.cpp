// The fault guard on POSIX systems: feenableexcept, sigaction, siglongjmp.
#include <cfenv>
#include <csignal>

#include "engine/fault_guard.h"

namespace {

constexpr int kTrappedExceptions = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;

void enableTraps() {
  std::feclearexcept(FE_ALL_EXCEPT);
  feenableexcept(kTrappedExceptions);
}

[[noreturn]] void onFloatingPointFault(int) {
  // The kernel hands the handler a fresh FPU state; start from the default
  // and clear what the faulting instruction left behind.
  std::fesetenv(FE_DFL_ENV);
  sigset_t fpe;
  sigemptyset(&fpe);
  sigaddset(&fpe, SIGFPE);
  sigprocmask(SIG_UNBLOCK, &fpe, nullptr);
  checkFaultIsGuarded();  // does not return for a fault outside a guarded step
  enableTraps();
  siglongjmp(faultGuard.faultResume, -1);
}

}  // namespace

void installFaultGuard(void (*fatalExit)()) {
  faultGuard.fatalExit = fatalExit;
  struct sigaction action = {};
  action.sa_handler = onFloatingPointFault;
  sigemptyset(&action.sa_mask);
  sigaction(SIGFPE, &action, nullptr);
  enableTraps();
}

void raiseArithmeticFault() { std::raise(SIGFPE); }

unsigned maskFaultTraps() {
  unsigned saved = static_cast<unsigned>(fegetexcept());
  fedisableexcept(FE_ALL_EXCEPT);
  std::feclearexcept(FE_ALL_EXCEPT);
  return saved;
}

unsigned restoreFaultTraps(unsigned saved) {
  int raised = std::fetestexcept(FE_ALL_EXCEPT);
  unsigned flags = ((raised & FE_OVERFLOW) ? kFaultOverflow : 0) |
                   ((raised & FE_DIVBYZERO) ? kFaultDivideByZero : 0) |
                   ((raised & FE_INVALID) ? kFaultInvalid : 0);
  // Clear first: an x87 flag left standing would trap as soon as it is unmasked.
  std::feclearexcept(FE_ALL_EXCEPT);
  feenableexcept(static_cast<int>(saved));
  return flags;
}
