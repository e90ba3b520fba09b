#include "masterstesting.h"

#include "support/testbook.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace {

// Waits (polling) for a modal window other than `before` to be shown, then drives it.
void driveWhenShown(QPointer<QWidget> before, std::function<void(QDialog*)> drive, int tries) {
    QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || dialog == before || !dialog->isVisible()) {
        if (tries <= 0) {
            QTest::qFail("No modal window was opened", __FILE__, __LINE__);
            return;
        }
        QTimer::singleShot(10,
                           [before, drive, tries] { driveWhenShown(before, drive, tries - 1); });
        return;
    }
    QTimer::singleShot(5000, [dialog] {
        if (dialog && dialog->isVisible())
            dialog->hide();
    });
    drive(dialog);
}

} // namespace

void whenModal(std::function<void(QDialog*)> drive) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    QTimer::singleShot(0, [before, drive] { driveWhenShown(before, drive, 300); });
}

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

void press(QWidget* window, const char* name) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList columnTexts(QAbstractItemView* view, int column) {
    QStringList texts;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        texts << view->model()->index(row, column).data().toString();
    return texts;
}

void addAccounts(TestBook& book, const QList<QStringList>& accounts) {
    Transaction transaction(book.db);
    for (const QStringList& account : accounts)
        book.sql(QStringLiteral("INSERT INTO tblChartOfAccounts (AccountCode, DeptCode, "
                                "AccountDescription) VALUES (?, ?, ?)"),
                 {account.value(0), account.value(1), account.value(2)});
    transaction.commit();
}
