#include <windows.h>

#include "app/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Nothing is taken from the command line or the start-up information.
  return quorvane::app::RunApplication();
}
