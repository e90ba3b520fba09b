#pragma once

#include <QString>
#include <exception>
#include <string>

// What core code throws when something unexpected happens. The error report shows
// `number` and `description`; callers decide on `kind`, never on the text.
class Failure : public std::exception {
public:
    // BookRefused: the book cannot be opened as it is (not a book of this program, a newer
    // format, a failed upgrade); the description is the whole message for the user.
    enum class Kind { Other, DuplicateKey, BookRefused };

    // The number the database engine gives a refused duplicate key; the error box shows it.
    static constexpr qint64 DuplicateKeyNumber = -2147467259;

    Failure(qint64 number, QString description, Kind kind = Kind::Other)
        : m_number(number), m_description(std::move(description)), m_kind(kind),
          m_what(m_description.toStdString()) {}

    qint64 number() const { return m_number; }
    const QString& description() const { return m_description; }
    Kind kind() const { return m_kind; }
    bool isDuplicateKey() const { return m_kind == Kind::DuplicateKey; }
    const char* what() const noexcept override { return m_what.c_str(); }

private:
    qint64 m_number;
    QString m_description;
    Kind m_kind;
    std::string m_what;
};
