#include "skin/win/win_skin_guard.h"

#include <windows.h>

namespace skin {

namespace {

int g_failures = 0;

FaultProbe& Probe() {
  static FaultProbe probe;
  return probe;
}

}  // namespace

void NoteSkinFailure() noexcept {
  ++g_failures;
  OutputDebugStringW(L"Vorlune skin: a skinning step failed; the window keeps the plain look\n");
}

int SkinFailures() { return g_failures; }

FaultProbe SetFaultProbe(FaultProbe probe) {
  FaultProbe old = std::move(Probe());
  Probe() = std::move(probe);
  return old;
}

void FaultPoint(std::string_view place) {
  if (Probe()) Probe()(place);
}

}  // namespace skin
