#pragma once

#include "entry/entryrules.h"

struct Services;

// The settings the entry rules read (the bank's GL account, the AP/AR integration and
// control accounts), as they stand in the book now.
EntryRules::Settings readEntrySettings(Services& services);
