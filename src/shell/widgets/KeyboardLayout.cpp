#include "shell/widgets/KeyboardLayout.h"

#ifdef _WIN32
#include <windows.h>
#endif

void ActivateRussianKeyboardLayout() {
#ifdef _WIN32
  HKL layout = LoadKeyboardLayoutW(L"00000419", KLF_ACTIVATE);
  if (layout) ActivateKeyboardLayout(layout, 0);
#endif
}
