// The fault guard on Windows (MinGW): _controlfp, signal, _fpreset, longjmp.
#include <windows.h>
#include <float.h>

#include <cfenv>
#include <csignal>

#include "engine/fault_guard.h"

// MSVCRT reports the status in the same bit layout as the masks; older
// MinGW-w64 headers do not define the _SW_ names.
#ifndef _SW_OVERFLOW
#define _SW_INVALID _EM_INVALID
#define _SW_ZERODIVIDE _EM_ZERODIVIDE
#define _SW_OVERFLOW _EM_OVERFLOW
#endif

namespace {

constexpr unsigned kTrappedMask = _EM_OVERFLOW | _EM_ZERODIVIDE | _EM_INVALID;

void enableTraps() {
  _clearfp();
  // A cleared mask bit lets that exception trap.
  _controlfp(_controlfp(0, 0) & ~kTrappedMask, _MCW_EM);
}

[[noreturn]] void onFloatingPointFault(int) {
  _fpreset();
  // A handler installed with signal() is reset when it runs.
  std::signal(SIGFPE, onFloatingPointFault);
  checkFaultIsGuarded();  // does not return for a fault outside a guarded step
  enableTraps();
  std::longjmp(faultGuard.faultResume, -1);
}

// A fault inside a window procedure does not reach the C runtime's filter
// that turns it into SIGFPE: the window manager's own exception handling is
// in between. A vectored handler sees it first, wherever it happens.
LONG CALLBACK onProcessorFault(EXCEPTION_POINTERS* info) {
  switch (info->ExceptionRecord->ExceptionCode) {
    case STATUS_FLOAT_DIVIDE_BY_ZERO:
    case STATUS_FLOAT_INVALID_OPERATION:
    case STATUS_FLOAT_OVERFLOW:
    case STATUS_FLOAT_STACK_CHECK:
    case STATUS_FLOAT_DENORMAL_OPERAND:
    case STATUS_FLOAT_INEXACT_RESULT:
    case STATUS_FLOAT_UNDERFLOW:
    case STATUS_INTEGER_DIVIDE_BY_ZERO:
    case STATUS_INTEGER_OVERFLOW:
      onFloatingPointFault(SIGFPE);  // does not return
    default:
      return EXCEPTION_CONTINUE_SEARCH;
  }
}

}  // namespace

void installFaultGuard(void (*fatalExit)()) {
  faultGuard.fatalExit = fatalExit;
  static bool vectored = AddVectoredExceptionHandler(1, onProcessorFault) != nullptr;
  (void)vectored;
  std::signal(SIGFPE, onFloatingPointFault);
  enableTraps();
}

void raiseArithmeticFault() { std::raise(SIGFPE); }

unsigned maskFaultTraps() {
  unsigned saved = _controlfp(0, 0) & _MCW_EM;
  _controlfp(_MCW_EM, _MCW_EM);
  _clearfp();
  return saved;
}

unsigned restoreFaultTraps(unsigned saved) {
  unsigned status = _clearfp();  // returns the flags, then clears them
  unsigned flags = ((status & _SW_OVERFLOW) ? kFaultOverflow : 0) |
                   ((status & _SW_ZERODIVIDE) ? kFaultDivideByZero : 0) |
                   ((status & _SW_INVALID) ? kFaultInvalid : 0);
  _controlfp(saved, _MCW_EM);
  return flags;
}
