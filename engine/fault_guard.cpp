#include "engine/fault_guard.h"

#include <cstdio>
#include <cstdlib>

#include "engine/run_status.h"
#include "engine/texts.h"

FaultGuard faultGuard;

namespace {

[[noreturn]] void defaultFatalExit() {
  std::fputs("floating-point fault outside the calculation\n", stderr);
  std::exit(1);
}

}  // namespace

void reportFault() {
  char detail[kErrorTextSize * 2];
  switch (faultGuard.faultPhase) {
    case FaultPhase::None:
      if (faultGuard.fatalExit) faultGuard.fatalExit();
      defaultFatalExit();
    case FaultPhase::Operation:
      std::snprintf(detail, sizeof detail, " %0.2Le %c %0.2Le", faultGuard.leftOperand,
                    faultGuard.operatorChar, faultGuard.rightOperand);
      setErrorPrefixed(pickText(Msg::ResultTooLarge), detail);
      break;
    case FaultPhase::Literal:
      setErrorPrefixed(pickText(Msg::NumberTooBigPrefix), faultGuard.literalText);
      break;
    case FaultPhase::Function:
      std::snprintf(detail, sizeof detail, " %s(%0.4Le)", faultGuard.functionName,
                    faultGuard.functionArgument);
      setErrorPrefixed(pickText(Msg::ErrorFunction), detail);
      break;
  }
}
