#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <QtGlobal>
#include <optional>

class Database;

// The external GL batch file that Accpac Plus and Adagio import: the rows of
// tblGLDistributionAccpacGL selected by currency and by whether lines already exported are
// included, one line each, fields separated by commas, CR LF after every line, in
// Windows-1252. A carriage return, line feed or tab inside a text is written as a blank
// (the outside package reads lines); then each field is written by the first of these
// rules that applies:
//  1. Null, empty or blanks only: "".
//  2. EntryDate, GLAccountCode, TransDateAccpac, RateDate: the text without its outer
//     blanks between double quotes.
//  3. A numeric value: a number field (EntryNumber, FiscalPeriod, TransID, Amount, Rate,
//     SourceAmount) in plain decimals with a full stop, no trailing zeros, a blank after it
//     and, when not negative, one before it (" 107 ", "-107 "); a numeric text as it stands
//     (department 00), unless it holds a comma ("1,000"), which is then quoted as in rule 4.
//  4. Any other text: without its outer blanks between double quotes, a double quote
//     inside it doubled.
class GlBatchFile {
public:
    // Whether text reads as a number: blanks around it, an optional sign, digits (with
    // thousands separators) and an optional decimal point and decimals, or a decimal point
    // and decimals, then an optional exponent.
    static bool isNumeric(QStringView text);
    // The batch number of a transaction ID: a numeric ID as a whole number (leading zeros
    // drop away, a fraction is rounded half to even), any other 99999. Throws Failure
    // (overflow) when the number does not fit in 32 bits.
    static qint32 batchNumber(const QString& transId);
    static constexpr qint32 kOtherNumber = 99999;

    // The selection of batch lines the file is written from: the eleven single-currency
    // fields or those and the five currency fields, ordered by TransID and GLAccountCode.
    static QString selectionQuery(bool multiCurrency, bool includeExported);
    // The number of lines that selection holds.
    static qint64 selectionCount(const Database& db, bool includeExported);

    // One field by the rules above; column is its place in the selection (0 to 15).
    static QString field(const QVariant& value, int column);
    // One line, CR LF included, in Windows-1252. Throws Failure when a text of it has no
    // Windows-1252 byte.
    static QByteArray line(const QVariantList& values);

    // A text of the selection that Windows-1252 cannot hold, and where it is.
    struct Unwritable {
        // The transaction's ID and stored date; both empty for a setting.
        QString transId;
        QString date;
        // The field of tblGLDistribution, or of tblAccpacSettings for a setting.
        QString field;
        QString text;
    };
    // The first such text in the lines of the selection, in the order of the distribution;
    // the currency settings count only for a multi-currency file.
    static std::optional<Unwritable> findUnwritable(const Database& db, bool multiCurrency,
                                                    bool includeExported);
};
