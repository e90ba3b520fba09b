#include "messages.h"

#include <QDir>

namespace Messages {

// ---- amounts -------------------------------------------------------------------------

QString amountOutOfRange() {
    return QStringLiteral("Amounts must lie between -$999,999,999,999.99 and "
                          "$999,999,999,999.99.");
}

// ---- book ----------------------------------------------------------------------------

QString missingBook(const QString& appDir) {
    return QStringLiteral("The Cashbook.mdb file is not in the \r\napplication directory of %1."
                          "\r\n\r\nIn order to continue, you must copy it\r\ninto the "
                          "directory.")
        .arg(QDir::toNativeSeparators(appDir));
}

QString notABook(const QString& path) {
    return QStringLiteral("The file %1 is not a Quillan book.\r\n\r\nIt was left as it is.")
        .arg(QDir::toNativeSeparators(path));
}

QString newerBook(const QString& path) {
    return QStringLiteral("The book %1 was made by a newer version of Quillan and cannot be "
                          "opened by this one.\r\n\r\nIt was left as it is.")
        .arg(QDir::toNativeSeparators(path));
}

QString upgradeFailed(const QString& path, const QString& reason) {
    return QStringLiteral("The book %1 could not be brought up to date for this version of "
                          "Quillan, so it was left exactly as it was.\r\n\r\n%2")
        .arg(QDir::toNativeSeparators(path), reason);
}

QString bookUpgraded(const QString& copyPath) {
    return QStringLiteral("The book was brought up to date for this version of Quillan. A copy "
                          "of it as it was before is kept as %1.")
        .arg(QDir::toNativeSeparators(copyPath));
}

QString mergeAccounts(const QStringList& accountCodes) {
    return QStringLiteral("These accounts are held twice in the chart of accounts, once with no "
                          "department and once with a blank one: %1.\r\n\r\nEntries now use "
                          "the one with no department. In the Chart of Accounts, keep the right "
                          "description on it and delete the other.")
        .arg(accountCodes.join(QStringLiteral(", ")));
}

// ---- entry ---------------------------------------------------------------------------

// ---- masters -------------------------------------------------------------------------

// ---- master files --------------------------------------------------------------------

// ---- setup ---------------------------------------------------------------------------

// ---- shell ---------------------------------------------------------------------------

} // namespace Messages
