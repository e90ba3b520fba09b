#include "testbook.h"

#include "data/bookformat.h"
#include "data/schema.h"
#include "data/serverschema.h"
#include "serverdatabase.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTextStream>

void writeEarlierBuildBook(const QString& path) {
    QFile script(QStringLiteral(QUILLAN_TEST_SUPPORT_DIR "/earlierbook.sql"));
    if (!script.open(QIODevice::ReadOnly | QIODevice::Text))
        throw Failure(-1, QStringLiteral("Cannot read ") + script.fileName());
    Database db(QStringLiteral("earlier-build"));
    db.openForCreate(path);
    QTextStream lines(&script);
    while (!lines.atEnd()) {
        const QString line = lines.readLine();
        if (!line.startsWith(QLatin1String("--")) && !line.trimmed().isEmpty())
            db.exec(line);
    }
}

void writeBookOfVersion(const QString& path, int version) {
    writeEarlierBuildBook(path);
    Database db(QStringLiteral("book-of-version"));
    // The copy the upgrade kept beside the book is no part of the book under test.
    QFile::remove(db.open(path, BookFormat::steps().mid(0, version)).copyPath);
}

void changeFile(const QString& path, const QStringList& statements) {
    Database raw(QStringLiteral("raw"));
    raw.openForCreate(path);
    for (const QString& statement : statements)
        raw.exec(statement);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
            file.write(bytes) == bytes.size());
}

BookEngine testEngine() {
    return qEnvironmentVariable("QUILLAN_TEST_ENGINE") == QLatin1String("postgresql")
               ? BookEngine::PostgreSql
               : BookEngine::Sqlite;
}

struct TestBook::Server {
    ServerDatabase database;
};

TestBook::TestBook(Open open)
    : m_server(testEngine() == BookEngine::PostgreSql ? std::make_unique<Server>() : nullptr),
      db(QStringLiteral("quillan")),
      services{db,           prompts,
               fileDialogs,  launcher,
               busy,         clock,
               m_dir.path(), {},
               {},           m_dir.filePath(QStringLiteral("cashbook.mdb"))} {
    services.endProgram = [this] { ++endProgramCalls; };
    if (m_server) {
        const ServerDatabase& server = m_server->database;
        if (!server.isMade())
            throw Failure(-1, QStringLiteral("No test database on the server: ") + server.error());
        const BookLocation location = BookLocation::parse(server.uri());
        ServerSchema::createBook(location);
        if (open == Open::Yes)
            db.open(location);
        return;
    }
    Schema::createBook(services.bookPath());
    if (open == Open::Yes)
        db.open(services.bookPath());
}

TestBook::~TestBook() {
    db.close();
}

void TestBook::sql(const QString& statement, const QVariantList& values) {
    db.exec(statement, values);
}

QVariant TestBook::value(const QString& query, const QVariantList& values) {
    return db.scalar(query, values);
}

QStringList TestBook::rows(const QString& query, const QVariantList& values) {
    QSqlQuery q = db.exec(query, values);
    QStringList out;
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < q.record().count(); ++i)
            row << q.value(i).toString();
        out << row.join(QLatin1Char('|'));
    }
    return out;
}
