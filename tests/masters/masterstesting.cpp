#include "masterstesting.h"

#include "masters/partykind.h"
#include "support/testbook.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QtTest>

void typeInCell(QAbstractItemView* grid, int row, int column, const QString& text) {
    const QModelIndex index = grid->model()->index(row, column);
    grid->setCurrentIndex(index);
    QVERIFY2(grid->currentIndex() == index, "the cursor could not move to the cell");
    grid->edit(index);
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : grid->viewport()->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    QVERIFY2(editor, "no cell editor opened");
    editor->selectAll();
    editor->del();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text over once the key has been handled.
    QCoreApplication::processEvents();
}

void doubleClickRow(QAbstractItemView* view, int row, int column) {
    const QRect rect = view->visualRect(view->model()->index(row, column));
    QVERIFY2(rect.isValid(), "the row is not on screen");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

void expectBox(TestBook& book, const QString& text) {
    if (text.startsWith(QLatin1Char('^')))
        book.prompts.expectMatch(text);
    else
        book.prompts.expect(text);
}

void storeParties(TestBook& book, const PartyKind& kind, const QList<QStringList>& records) {
    for (const QStringList& values : records) {
        QVariantList binds;
        for (int i = 0; i < PartyKind::FieldCount; ++i)
            binds << values.value(i);
        book.sql(QStringLiteral("INSERT INTO %1 (%2) VALUES (?,?,?,?,?,?,?)")
                     .arg(kind.table, kind.columnList()),
                 binds);
    }
}
