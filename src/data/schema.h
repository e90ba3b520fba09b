#pragma once

#include <QString>
#include <QStringList>

class Database;

// The book's tables, declared once, with the template rows a new book starts with.
namespace Schema {

// The fourteen tables in creation order.
QStringList tableNames();
// The fields of one of those tables, in declaration order.
QStringList columnNames(const QString& table);
// The fields of one of those tables as its CREATE TABLE declares them (empty for another
// name): a table of the program's own that holds the same rows is made from them.
QString columnDefinitions(const QString& table);
// The three single-row settings tables.
QStringList settingsTables();

// Creates every table and index of an empty book.
void createTables(const Database& db);
// Fills the code tables, the single settings rows and the sample chart.
// `today` dates the starting fiscal period.
void insertTemplateRows(const Database& db, int currentMonth, int currentYear);

// Makes a new template book at path. Throws Failure if a file is already there,
// so an existing book is never overwritten.
void createBook(const QString& path);

} // namespace Schema
