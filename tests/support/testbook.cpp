#include "testbook.h"

#include "data/schema.h"

TestBook::TestBook(Open open)
    : db(QStringLiteral("quillan")),
      services{db, prompts, fileDialogs, launcher, lookup, busy, clock, m_dir.path(), {}} {
    services.endProgram = [this] { ++endProgramCalls; };
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
