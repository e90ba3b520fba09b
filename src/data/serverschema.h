#pragma once

#include "database.h"

class BookLocation;

// A book in a PostgreSQL database: the same tables, fields and keys as the book file, named
// exactly so (quoted, case kept: "tblCashbook"."TransID"), in the server's types
// (SqlDialect::createTable): codes and texts compared without regard to case as citext,
// money as bigint. Server books begin at BookFormat::kFirstServerVersion, whose whole schema
// is made here; the upgrade steps after it run on both engines.
namespace ServerSchema {

// Whether the database open on db holds any table in its schema (a book is made only in an
// empty one).
bool holdsTables(const Database& db);

// Makes every table, index and trigger of a book of kFirstServerVersion, and the format table
// (not stamped), in the empty database open on db. Run inside the caller's transaction.
void createTables(const Database& db);

// The differences between the server book open on db and a book of `version` as
// createTables and the steps after kFirstServerVersion make it (each a phrase of Messages:
// schemaExtra, schemaMissing, schemaChanged); empty when there is none. The book of that
// version is made for the comparison among the session's temporary objects, in a transaction
// that is rolled back, so a login that may only read can be checked too.
QStringList differences(const Database& db, int version, const QList<BookFormat::Step>& steps);

// Throws Failure of kind BookRefused naming the book `shown` and the differences when there
// are any.
void check(const Database& db, const QString& shown, int version,
           const QList<BookFormat::Step>& steps);

// Makes a new book, with the template rows, in the empty database at `location`, in one
// transaction. Throws Failure of kind BookRefused when the database holds tables already
// (left as it is) or cannot be reached.
void createBook(const BookLocation& location, const Database::PasswordPrompt& prompt = {});

// After rows were copied in with their numbers: the numbers the server gives (a statement
// line's LineID) go on after the highest held.
void resumeNumbering(const Database& db);

} // namespace ServerSchema
