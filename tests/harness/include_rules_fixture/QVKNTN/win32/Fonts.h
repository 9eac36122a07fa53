// Allowed: the drawing seam uses the framework's GDI classes. A breach: the application shell.
#include "framework/Font.h"
#include "app/win32/ShellGlobals.h"
