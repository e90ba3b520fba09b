#pragma once

#include "data/bookbackup.h"
#include "data/bookrestore.h"

struct Services;

// Tools > Back Up Book...: a verified backup (BookBackup::make) written where the user picks,
// by default a dated name in the backups folder beside the book. Success is told only after
// the backup passed its check; a backup that failed it is removed and the failure told.
// `afterWrite` lets tests damage the copy before its check.
void BackUpBook(Services& services, const BookBackup::AfterWrite& afterWrite = {});

// Tools > Restore Book...: refused while another Quillan program has the book open
// (BookLock::claim); checks a copy of the chosen file as start-up checks a book
// (BookRestore), asks, keeps the book as it is (a backup, or the bytes of a damaged book), then
// puts the checked copy in the book's place and reopens the connection on it, putting the old
// book back when the restored one does not open. Returns true when the book was replaced, so
// the caller shows the restored book. `beforeReopen` lets tests break the book after the swap.
// On a server book (ServerRestore) the checked file's rows replace the book's in one
// transaction, after the question and an automatic backup of the book's rows.
bool RestoreBook(Services& services, const BookRestore::BeforeReopen& beforeReopen = {});
