#include "bookbackupcommands.h"

#include "data/bookfiles.h"
#include "data/bookrestore.h"
#include "data/messages.h"
#include "data/serverrestore.h"
#include "kit/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

FileDialogRequest backupRequest(const Services& services, const QString& title) {
    FileDialogRequest request;
    request.title = title;
    request.filter = QStringLiteral("Books (*.mdb)|*.mdb");
    request.defaultSuffix = QStringLiteral("mdb");
    request.directory = BookBackup::folderFor(services.bookPath());
    return request;
}

QString overBookReason(const QString& path) {
    return QStringLiteral("%1 is the book itself or one of its working files.")
        .arg(QDir::toNativeSeparators(path));
}

// The steps of a backup, shown through the wait pointer.
BookBackup::Steps stepsShown(Services& services) {
    return [&busy = services.busy](const QString& step, qint64 done, qint64 total) {
        busy.step(step, done, total);
    };
}

// Restore Book on a server book: the chosen file checked on a copy, the question, the server
// book's rows kept as an automatic backup, then replaced in one transaction.
bool restoreServerBook(Services& services, const QString& chosen) {
    std::optional<ServerRestore> restore;
    try {
        BusyScope busy(services.busy);
        services.busy.step(Messages::checkingCopy());
        restore.emplace(chosen);
    } catch (const Failure& failure) {
        services.prompts.critical(Messages::restoreFailed(failure.description()));
        return false;
    }
    if (!services.prompts.ask(Messages::restoreQuestion(chosen)))
        return false;
    QString kept;
    try {
        BusyScope busy(services.busy);
        services.busy.step(Messages::copyingBook());
        kept = restore->keepCurrentBook(services.db, services.bookPath(), stepsShown(services));
        services.busy.step(Messages::movingIntoPlace());
        restore->replace(services.db);
    } catch (const Failure& failure) {
        services.prompts.critical(Messages::restoreFailed(failure.description()));
        return false;
    }
    services.prompts.information(Messages::bookRestored(chosen, kept));
    for (const QString& notice : restore->upgrade().notices)
        services.prompts.information(notice);
    return true;
}

} // namespace

void BackUpBook(Services& services, const BookBackup::AfterWrite& afterWrite) {
    const WorkGuard work(services.busy);
    if (!work)
        return;
    const QString book = services.bookPath();
    try {
        BookBackup::makeFolder(book);
    } catch (const Failure&) {
        // The dialog opens all the same: the user may keep the backup elsewhere (a book in a
        // folder that may not be written), and the copy itself is as private as the book.
    }
    FileDialogRequest request = backupRequest(services, QStringLiteral("Back Up Book"));
    request.fileName =
        QFileInfo(BookBackup::pathFor(book, QDateTime::currentDateTime())).fileName();
    const std::optional<QString> path = services.fileDialogs.saveFileName(request);
    if (!path)
        return;
    if (!services.db.dialect().isServer() && isBookFile(*path, book)) {
        services.prompts.critical(Messages::backupFailed(overBookReason(*path)));
        return;
    }
    try {
        BusyScope busy(services.busy);
        // The engine writes only to a new file; a file the user chose to replace goes only
        // once its successor has passed the check.
        const bool replacing = QFileInfo::exists(*path);
        const QString target = replacing ? *path + QStringLiteral(".part") : *path;
        if (replacing)
            QFile::remove(target);
        BookBackup::make(services.db, target, afterWrite, stepsShown(services));
        if (replacing && (!QFile::remove(*path) || !QFile::rename(target, *path))) {
            QFile::remove(target);
            throw Failure(ErrorNumber::PathFileAccessError,
                          QStringLiteral("The file %1 cannot be replaced.")
                              .arg(QDir::toNativeSeparators(*path)));
        }
    } catch (const Failure& failure) {
        services.prompts.critical(Messages::backupFailed(failure.description()));
        return;
    }
    services.prompts.information(Messages::backupMade(*path));
}

bool RestoreBook(Services& services, const BookRestore::BeforeReopen& beforeReopen) {
    const WorkGuard work(services.busy);
    if (!work)
        return false;
    const QString book = services.bookPath();
    if (services.db.dialect().isServer()) {
        FileDialogRequest request = backupRequest(services, QStringLiteral("Restore Book"));
        request.confirmOverwrite = false;
        const std::optional<QString> path = services.fileDialogs.openFileName(request);
        return path && restoreServerBook(services, *path);
    }
    try {
        // The restored file would take the book's place under the other program's connection.
        services.bookLock.claim(book);
    } catch (const Failure& failure) {
        services.prompts.critical(failure.description());
        return false;
    }
    FileDialogRequest request = backupRequest(services, QStringLiteral("Restore Book"));
    request.confirmOverwrite = false;
    const std::optional<QString> path = services.fileDialogs.openFileName(request);
    if (!path)
        return false;
    std::optional<BookRestore> restore;
    try {
        if (isBookFile(*path, book))
            throw Failure(ErrorNumber::Unnumbered, overBookReason(*path));
        BusyScope busy(services.busy);
        services.busy.step(Messages::checkingCopy());
        restore.emplace(book, *path);
    } catch (const Failure& failure) {
        services.prompts.critical(Messages::restoreFailed(failure.description()));
        return false;
    }
    if (!services.prompts.ask(Messages::restoreQuestion(*path)))
        return false;
    QString kept;
    try {
        BusyScope busy(services.busy);
        services.busy.step(Messages::copyingBook());
        kept = restore->keepCurrentBook(services.db, stepsShown(services));
    } catch (const Failure& failure) {
        services.prompts.critical(Messages::restoreFailed(failure.description()));
        return false;
    }
    try {
        BusyScope busy(services.busy);
        services.busy.step(Messages::movingIntoPlace());
        restore->replace(services.db, beforeReopen);
    } catch (const Failure& failure) {
        // The failure tells exactly which book is in place and whether it is open.
        services.prompts.critical(failure.description());
        if (!services.db.isOpen() && services.endProgram)
            services.endProgram();
        return false;
    }
    services.prompts.information(restore->currentBookDamaged()
                                     ? Messages::bookRestoredOverDamaged(*path, kept)
                                     : Messages::bookRestored(*path, kept));
    for (const QString& notice : restore->upgrade().notices)
        services.prompts.information(notice);
    return true;
}
