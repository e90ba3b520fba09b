#pragma once

// Data-driven tests in fewer lines: a data function declares its columns in one call and adds
// each row in one, and the test reads its row's values in one.
#include <QTest>
#include <tuple>

// columns<int, QString>("which", "name") declares the columns in order.
template <typename... T, typename... Names> void columns(Names... names) {
    static_assert(sizeof...(T) == sizeof...(Names), "one name per column");
    (QTest::addColumn<T>(names), ...);
}

// auto [which, name] = fetch<int, QString>("which", "name") reads the current row's values.
template <typename... T, typename... Names> std::tuple<T...> fetch(Names... names) {
    static_assert(sizeof...(T) == sizeof...(Names), "one name per column");
    return {*static_cast<T*>(QTest::qData(names, qMetaTypeId<T>()))...};
}

// One row: its name, then a value for each column (a text given as const char*).
template <typename... T> void addRow(const char* name, const T&... values) {
    (QTest::newRow(name) << ... << values);
}
