#pragma once

// A kit header that reaches up into the shell: the layering check must refuse it.
#include "shell/switchboardwindow.h"
