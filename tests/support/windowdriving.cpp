#include "windowdriving.h"

#include "support/testbook.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
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

QString textOf(QWidget* window, const QString& name) {
    QWidget* widget = child<QWidget>(window, name);
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    return child<QLineEdit>(window, name)->text();
}

bool showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void press(QWidget* window, const char* name) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void whenModal(std::function<void(QDialog*)> drive) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    QTimer::singleShot(0, [before, drive] { driveWhenShown(before, drive, 300); });
}

bool runCommand(QWidget* switchboard, const QString& command) {
    if (auto* button = switchboard->findChild<QAbstractButton*>(command)) {
        if (!button->isEnabled())
            return false;
        button->click();
        return true;
    }
    auto* item = switchboard->findChild<QAction*>(command);
    if (!item || !item->isEnabled())
        return false;
    item->trigger();
    return true;
}

void chooseInChart(const QString& code, int triesLeft) {
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [code, triesLeft] {
        QWidget* chart = QApplication::activeModalWidget();
        if (!chart || chart->objectName() != QLatin1String("frmChartOfAccounts") ||
            !chart->isVisible()) {
            if (triesLeft > 0)
                chooseInChart(code, triesLeft - 1);
            else
                QFAIL("the chart of accounts never opened");
            return;
        }
        if (code.isEmpty()) {
            child<QPushButton>(chart, QStringLiteral("cmdClose"))->click();
            return;
        }
        auto* grid = child<QAbstractItemView>(chart, QStringLiteral("grdDataGrid"));
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            if (grid->model()->index(row, 0).data().toString() == code)
                return doubleClickRow(grid, row);
        }
        QFAIL(qPrintable(QStringLiteral("no account %1 in the chart").arg(code)));
    });
}

void addAccount(TestBook& book, const QString& code, const QString& dept,
                const QString& description) {
    book.sql(QStringLiteral(R"(INSERT INTO "tblChartOfAccounts" ("AccountCode", "DeptCode", )"
                            R"("AccountDescription") VALUES (?, ?, ?))"),
             {code, dept, description});
}
