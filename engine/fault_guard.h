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

// Each thread has its own guard: a fault comes back to the guarded step of
// the thread that raised it. The handler only reads the phase and jumps.
struct FaultGuard {
  volatile bool guarding = false;
  ResumePoint faultResume{};
  // Called for a fault outside every guarded step; must not return.
  void (*fatalExit)() = nullptr;
};

extern constinit thread_local FaultGuard faultGuard;

// Installs the signal handler and unmasks overflow, division by zero and
// invalid operation for the calling thread; fatalExit (may be null: a
// message and exit status 1) ends the program for a fault outside every
// guarded step. Call once in every thread that calculates.
void installFaultGuard(void (*fatalExit)() = nullptr);

// Lets a pending x87 exception arrive now, while the step is still guarded.
inline void faultGuardSync() {
#if defined(__i386__) || defined(__x86_64__)
  __asm__ __volatile__("fwait");
#endif
}

// Runs compute() as a guarded step: a fault inside comes back here. True
// when the step ran to its end; false after a fault, whose message the
// caller writes from what it knows of the step.
// The fault jumps over compute's frame, so compute keeps to plain values
// (no object with a destructor) and hands its result out through a volatile.
template <typename Compute>
bool runGuarded(Compute&& compute) {
  FaultGuard& guard = faultGuard;
  volatile bool finished = false;
  guard.guarding = true;
  if (GUARD_RESUME_POINT(guard.faultResume) == 0) {
    compute();
    faultGuardSync();
    finished = true;
  }
  guard.guarding = false;
  return finished;
}

// Raises the fault the processor raises for an integer division by zero or
// an invalid integer conversion, without doing the undefined operation in C++.
void raiseArithmeticFault();

// Masking around library calls whose own reports we want rather than a trap.
constexpr unsigned kFaultOverflow = 1, kFaultDivideByZero = 2, kFaultInvalid = 4;
unsigned maskFaultTraps();                       // returns the state to restore
unsigned restoreFaultTraps(unsigned saved);      // returns the FaultFlags raised meanwhile

// Shared by the platform handlers: ends the program through fatalExit when
// no guarded step is running.
void checkFaultIsGuarded();
