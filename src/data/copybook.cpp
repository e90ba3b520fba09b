// Copies a book between a book file and a database on a PostgreSQL server, either way:
//   quillan_copybook FROM TO
// Each of FROM and TO is a file's path or a postgresql:// URI. The target must be a new file or
// a database holding no tables; the copy is made in one transaction on it and kept only when
// every table's row count and sums are the same on both sides.
#include "booklocation.h"
#include "booktransfer.h"
#include "database.h"
#include "failure.h"
#include "messages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace {

// Asks on the terminal, without echo, for a password the server wants and nothing else gives.
std::optional<QString> askPassword(const QString& shownBook) {
    QFile terminal(QStringLiteral("/dev/tty"));
    if (!terminal.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return std::nullopt;
    terminal.write(QStringLiteral("Password for %1: ").arg(shownBook).toLocal8Bit());
    termios saved{};
    const bool quiet = tcgetattr(terminal.handle(), &saved) == 0;
    if (quiet) {
        termios silent = saved;
        silent.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(terminal.handle(), TCSAFLUSH, &silent);
    }
    QByteArray line;
    char c = 0;
    while (terminal.getChar(&c) && c != '\n')
        line += c;
    if (quiet)
        tcsetattr(terminal.handle(), TCSAFLUSH, &saved);
    terminal.write("\n");
    return QString::fromLocal8Bit(line);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: quillan_copybook FROM TO\n"
                             "  FROM, TO: a book file's path or postgresql://[user@]host[:port]/"
                             "dbname[?sslmode=...|service=...]\n");
        return 2;
    }
    bool madeFile = false;
    BookLocation target;
    try {
        const BookLocation source = BookLocation::parse(args.at(0));
        target = BookLocation::parse(args.at(1));
        Database from(QStringLiteral("quillan-copy-from"));
        from.setPasswordPrompt(askPassword);
        // The book is only read: an older book is refused rather than upgraded by a copy.
        from.setOnlyReading(true);
        from.open(source);
        Database to(QStringLiteral("quillan-copy-to"));
        to.setPasswordPrompt(askPassword);
        if (!target.isServer()) {
            if (QFileInfo::exists(target.path()) || QFileInfo(target.path()).isSymLink())
                throw Failure(ErrorNumber::FileAlreadyExists, Messages::bookExists(target.path()));
            madeFile = true;
        }
        to.openForCreate(target);
        const qint64 rows = BookTransfer::copy(from, to, target.shown());
        std::printf("Copied the book %s to %s: %lld rows, every table's count and sums the "
                    "same.\n",
                    qPrintable(source.shown()), qPrintable(target.shown()),
                    static_cast<long long>(rows));
    } catch (const Failure& failure) {
        // A file made for the copy and not kept goes; a server database is left as it was.
        if (madeFile)
            QFile::remove(target.path());
        std::fprintf(stderr, "%s\n", qPrintable(failure.description()));
        return 1;
    }
    return 0;
}
