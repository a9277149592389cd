// Everything the framework offers, for code written against it.
#pragma once
#include "framework/controls.h"
#include "framework/cstring.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/stdio_file.h"
#include "framework/win_app.h"
#include "framework/wnd.h"
