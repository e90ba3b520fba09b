#include "compactdatabase.h"

#include "data/messages.h"
#include "kit/handlerguard.h"
#include "kit/services.h"

#include <QCoreApplication>
#include <QEventLoop>

QString compactDatabaseQuestion() {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("This will compact the database file Cashbook.mdb, that ") + crlf +
           QStringLiteral("is remove unwanted space.  It may takes several moments.") + crlf +
           crlf + QStringLiteral("You are strongly advised to have a good ") + crlf +
           QStringLiteral("backup before you do this procedure.") + crlf + crlf +
           QStringLiteral("Do you wish to proceed?");
}

void CompactDatabase(Services& services, const BookCompaction::StepHook& beforeStep) {
    const WorkGuard work(services.busy);
    if (!work)
        return;
    if (!services.prompts.ask(compactDatabaseQuestion()))
        return;
    const QString bookPath = services.bookPath();
    // The replacement is shown before it starts, while the connection is still open: the
    // windows painted between steps may read the book.
    BookCompaction compaction(services.db, bookPath, [&](BookCompaction::Step step) {
        if (step == BookCompaction::Step::Compact)
            services.busy.step(Messages::copyingBook());
        else if (step == BookCompaction::Step::Check)
            services.busy.step(Messages::checkingCopy());
        if (beforeStep)
            beforeStep(step);
    });
    try {
        // The new file would take the book's place under the other program's connection.
        services.bookLock.claim(bookPath);
        compaction.checkBook();
    } catch (const Failure& failure) {
        if (failure.kind() != Failure::Kind::BookRefused)
            throw;
        services.prompts.critical(failure.description());
        return;
    }
    compaction.removeLeftover();
    services.busy.set();
    // Let the window repaint under the hourglass; clicks wait until the work is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const QString routine = QStringLiteral("CompactDB");
    bool replaced = false;
    if (guarded(services, QString(), routine, [&] { compaction.makeCheckedCopy(); })) {
        services.busy.step(Messages::movingIntoPlace());
        replaced = guarded(services, QString(), routine, [&] { compaction.replaceBook(); });
        if (!replaced) {
            // The rename did not happen: the book is the old file and the copy is of no use.
            compaction.discardCopy();
            services.busy.reset();
            services.prompts.critical(
                QStringLiteral("An error occurred while attempting to compact database."));
        }
    } else {
        // The book was not touched; the copy, if any, is incomplete or unchecked.
        compaction.discardCopy();
    }
    // The connection is open on the book again, exactly as at start-up, whatever happened.
    if (!services.db.isOpen())
        services.db.open(bookPath);
    services.busy.reset();
    if (replaced)
        services.prompts.information(QStringLiteral("Database compacted."));
}
