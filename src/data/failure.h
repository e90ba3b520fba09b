#pragma once

#include <QString>
#include <exception>
#include <string>

// The error numbers the error report shows. They are the numbers of the database engine and
// of the runtime the program's users and support already know, so they never change.
namespace ErrorNumber {
constexpr qint64 Unnumbered = -1; // no engine number applies; the description says it all
constexpr qint64 Overflow = 6;
constexpr qint64 TypeMismatch = 13;
constexpr qint64 FileNotFound = 53; // also a file or program that cannot be read or started
constexpr qint64 DeviceIoError = 57;
constexpr qint64 FileAlreadyExists = 58;
constexpr qint64 PathFileAccessError = 75;
constexpr qint64 ObjectNotSet = 91;
constexpr qint64 InvalidUseOfNull = 94;
constexpr qint64 NoCurrentRecord = 3021;
constexpr qint64 ObjectClosed = 3704;
constexpr qint64 UnknownSetting = 3709; // the engine's "connection cannot be used"
constexpr qint64 MultipleStepErrors = -2147217887;
constexpr qint64 OperationCancelled = -2147217842; // a row rule refused the write or move
constexpr qint64 RowNotFound = -2147217864;        // the row to update is no longer there
constexpr qint64 TableNotFound = -2147217865;
constexpr qint64 DuplicateKey = -2147467259;
constexpr qint64 SqliteNotADatabase = 26; // SQLite's result code, compared, never shown
} // namespace ErrorNumber

// What core code throws when something unexpected happens. The error report shows
// `number` and `description`; callers decide on `kind`, never on the text.
class Failure : public std::exception {
public:
    // BookRefused: the book cannot be opened as it is (not a book of this program, a newer
    // format, a failed upgrade); the description is the whole message for the user.
    enum class Kind { Other, DuplicateKey, BookRefused };

    Failure(qint64 number, QString description, Kind kind = Kind::Other)
        : m_number(number), m_description(std::move(description)), m_kind(kind),
          m_what(m_description.toStdString()) {}

    // The failures raised in several places, with the engine's own words.
    static Failure overflow() { return {ErrorNumber::Overflow, QStringLiteral("Overflow")}; }
    static Failure typeMismatch() {
        return {ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch")};
    }
    static Failure operationCancelled() {
        return {ErrorNumber::OperationCancelled, QStringLiteral("Operation was cancelled.")};
    }
    static Failure noCurrentRecord() {
        return {ErrorNumber::NoCurrentRecord,
                QStringLiteral("Either BOF or EOF is True, or the current record has been "
                               "deleted. Requested operation requires a current record.")};
    }

    qint64 number() const { return m_number; }
    const QString& description() const { return m_description; }
    Kind kind() const { return m_kind; }
    // The one test for a write the database refused as a duplicate key.
    bool isDuplicateKey() const { return m_kind == Kind::DuplicateKey; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    qint64 m_number;
    QString m_description;
    Kind m_kind;
    std::string m_what;
};
