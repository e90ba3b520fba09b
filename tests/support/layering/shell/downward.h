#pragma once

// The shell may include every layer below it.
#include "kit/upward.h"
