// Turns a floating-point (or integer-division) fault inside one of the
// engine's guarded steps into an ordinary error message. A fault anywhere
// else ends the program through the fatal handler.
#pragma once

#include <csetjmp>

#if defined(_WIN32)
using ResumePoint = jmp_buf;
// Sets the resume point; 0 on the way in, -1 when a fault came back here.
#define GUARD_RESUME_POINT(point) setjmp(point)
#else
using ResumePoint = sigjmp_buf;
// The signal mask is not saved: the handler unblocks SIGFPE itself, which
// keeps the hot path free of a system call per guarded step.
#define GUARD_RESUME_POINT(point) sigsetjmp(point, 0)
#endif

enum class FaultPhase : int { None = 0, Operation = 1, Literal = 2, Function = 3 };

struct FaultGuard {
  volatile FaultPhase faultPhase = FaultPhase::None;
  ResumePoint faultResume;
  // Data of the step under way, for the message.
  long double leftOperand = 0;
  long double rightOperand = 0;
  char operatorChar = 0;
  const char* literalText = "";
  const char* functionName = "";
  long double functionArgument = 0;
  // Called for a fault outside every guarded step; must not return.
  void (*fatalExit)() = nullptr;
};

extern FaultGuard faultGuard;

// Installs the signal handler and unmasks overflow, division by zero and
// invalid operation. Call once at start; calling again is harmless.
void installFaultGuard();

// Lets a pending x87 exception arrive now, while the step is still guarded.
inline void faultGuardSync() {
#if defined(__i386__) || defined(__x86_64__)
  __asm__ __volatile__("fwait");
#endif
}

// Runs compute() as a guarded step of the given phase: a fault inside comes
// back here, its message in errorText. True when the step ran to its end.
// The fault jumps over compute's frame, so compute keeps to plain values
// (no object with a destructor) and hands its result out through a volatile.
template <typename Compute>
bool runGuarded(FaultPhase phase, Compute&& compute) {
  volatile bool finished = false;
  faultGuard.faultPhase = phase;
  if (GUARD_RESUME_POINT(faultGuard.faultResume) == 0) {
    compute();
    faultGuardSync();
    finished = true;
  }
  faultGuard.faultPhase = FaultPhase::None;
  return finished;
}

// Raises the fault the processor raises for an integer division by zero or
// an invalid integer conversion, without doing the undefined operation in C++.
void raiseArithmeticFault();

// Masking around library calls whose own reports we want rather than a trap.
constexpr unsigned kFaultOverflow = 1, kFaultDivideByZero = 2, kFaultInvalid = 4;
unsigned maskFaultTraps();                       // returns the state to restore
unsigned restoreFaultTraps(unsigned saved);      // returns the FaultFlags raised meanwhile

// Shared by the platform handlers: writes the phase's message into errorText,
// or calls fatalExit when no guarded step is running.
void reportFault();
