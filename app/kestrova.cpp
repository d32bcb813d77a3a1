#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MessageBoxW(nullptr, L"Vorlune", L"Vorlune", MB_OK);
  return 0;
}
