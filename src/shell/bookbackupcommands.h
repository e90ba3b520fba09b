#pragma once

#include "data/bookbackup.h"

struct Services;

// Tools > Back Up Book...: a verified backup (BookBackup::make) written where the user picks,
// by default a dated name in the backups folder beside the book. Success is told only after
// the backup passed its check; a backup that failed it is removed and the failure told.
// `afterWrite` lets tests damage the copy before its check.
void BackUpBook(Services& services, const BookBackup::AfterWrite& afterWrite = {});

// Tools > Restore Book...: refused while another Quillan program has the book open
// (BookLock::claim); checks the chosen backup, asks, backs up the book as it is, then
// puts the backup in the book's place and reopens the connection on it. Returns true when
// the book was replaced, so the caller shows the restored book.
bool RestoreBook(Services& services);
