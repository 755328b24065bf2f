// version.h: the version that the window title, the About box and the console program show.
#pragma once

#define TABRIX_VERSION "1.63"
