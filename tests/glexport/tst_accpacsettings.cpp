// The Accpac / Adagio settings window, driven as a user does.
#include "glexport/accpacsettingswindow.h"
#include "shell/switchboardwindow.h"
#include "support/testbook.h"
#include "support/windowdriving.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

namespace {

bool enabled(QWidget* window, const QString& name) {
    return child<QWidget>(window, name)->isEnabled();
}

QString textOf(QWidget* window, const QString& name) {
    QWidget* w = child<QWidget>(window, name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    return qobject_cast<QLineEdit*>(w)->text();
}

void setTextOf(QWidget* window, const QString& name, const QString& text) {
    QWidget* w = child<QWidget>(window, name);
    if (auto* combo = qobject_cast<QComboBox*>(w))
        combo->setEditText(text);
    else
        qobject_cast<QLineEdit*>(w)->setText(text);
}

// Clicks a button without moving the focus, as the keyboard's accelerators do.
void click(QWidget* window, const char* button) {
    child<QPushButton>(window, QString::fromLatin1(button))->click();
}
void click(QWidget& window, const char* button) {
    click(&window, button);
}

// A click on the box itself, as the user aims at it.
void clickBox(QWidget* window, const char* name) {
    auto* box = child<QCheckBox>(window, QString::fromLatin1(name));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// A complete row: both ledgers integrated, multi-currency.
void fillSettings(TestBook& book) {
    book.sql(QStringLiteral(
        "UPDATE tblAccpacSettings SET GLSourceCode = 'CB01', GLSingleMultiCurrency = 'M', "
        "GLHomeCurrency = 'S$', GLRateType = 'SP', IntegrateWithAR = 1, GLARControl = '1100', "
        "GLARControlDept = 'D1', GLARControlDesc = 'AR Control', GLARClearing = '1150', "
        "GLARClearingDept = 'D2', GLARClearingDesc = 'AR Clearing', ARControlAccountSet = 'SET1', "
        "IntegrateWithAP = 1, GLAPControl = '2000', GLAPControlDept = 'D3', "
        "GLAPControlDesc = 'AP Control', GLAPClearing = '2050', GLAPClearingDept = 'D4', "
        "GLAPClearingDesc = 'AP Clearing', APBankCode = 'BK1'"));
}

QString storedRow(TestBook& book) {
    QSqlQuery q = book.db.exec(QStringLiteral(
        "SELECT GLSourceCode, GLSingleMultiCurrency, GLHomeCurrency, GLRateType, IntegrateWithAR, "
        "GLARControl, GLARControlDept, GLARControlDesc, GLARClearing, GLARClearingDept, "
        "GLARClearingDesc, ARControlAccountSet, IntegrateWithAP, GLAPControl, GLAPControlDept, "
        "GLAPControlDesc, GLAPClearing, GLAPClearingDept, GLAPClearingDesc, APBankCode "
        "FROM tblAccpacSettings"));
    if (!q.next())
        return QStringLiteral("(no row)");
    QStringList values;
    for (int i = 0; i < 20; ++i)
        values << q.value(i).toString();
    return values.join(QLatin1Char('|'));
}

// An account list's code, department and description as stored, "code/dept/desc".
QString storedAccount(TestBook& book, const QString& column) {
    return book
        .value(QStringLiteral("SELECT %1 || '/' || %1Dept || '/' || %1Desc FROM tblAccpacSettings")
                   .arg(column))
        .toString();
}

const QString kFilledRow =
    QStringLiteral("CB01|M|S$|SP|1|1100|D1|AR Control|1150|D2|AR Clearing|SET1|"
                   "1|2000|D3|AP Control|2050|D4|AP Clearing|BK1");

const QStringList kARFields = {QStringLiteral("txtARControlAccount"),
                               QStringLiteral("txtARClearingAccount"),
                               QStringLiteral("txtARControlAccountSet")};
const QStringList kAPFields = {QStringLiteral("txtAPControlAccount"),
                               QStringLiteral("txtAPClearingAccount"),
                               QStringLiteral("txtAPBankCode")};
const QStringList kCurrencyFields = {QStringLiteral("txtGLHomeCurrency"),
                                     QStringLiteral("txtGLRateType")};

} // namespace

class TestAccpacSettings : public QObject {
    Q_OBJECT

private slots:
    void openingEnablesGroups_data();
    void openingEnablesGroups();
    void sourceCodeAloneSaves();
    void uncheckingKeepsValuesAndSavesThem();
    void saveRefusesEachMissingValue_data();
    void saveRefusesEachMissingValue();
    void currencyChoiceSetsCode_data();
    void currencyChoiceSetsCode();
    void accountListTypingAndChoosing_data();
    void accountListTypingAndChoosing();
    void closeDiscardsEdits();
    void switchboardOpensTheWindow_data();
    void switchboardOpensTheWindow();
};

void TestAccpacSettings::openingEnablesGroups_data() {
    QTest::addColumn<int>("ar");
    QTest::addColumn<int>("ap");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("shownCurrency");
    QTest::newRow("none, single") << 0 << 0 << "S" << "Single-Currency";
    QTest::newRow("AR only, multi") << 1 << 0 << "M" << "Multi-Currency";
    QTest::newRow("AP only, multi") << 0 << 1 << "M" << "Multi-Currency";
    QTest::newRow("both, empty currency shows multi") << 1 << 1 << "" << "Multi-Currency";
    QTest::newRow("lower-case s is not S") << 0 << 0 << "s" << "Multi-Currency";
}

void TestAccpacSettings::openingEnablesGroups() {
    QFETCH(int, ar);
    QFETCH(int, ap);
    QFETCH(QString, currency);
    QFETCH(QString, shownCurrency);
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblAccpacSettings SET IntegrateWithAR = ?, "
                            "IntegrateWithAP = ?, GLSingleMultiCurrency = ?"),
             {ar, ap, currency});
    AccpacSettingsWindow window(book.services);
    QCOMPARE(child<QCheckBox>(&window, QStringLiteral("chkIntegrateWithAR"))->isChecked(), ar == 1);
    QCOMPARE(child<QCheckBox>(&window, QStringLiteral("chkIntegrateWithAP"))->isChecked(), ap == 1);
    for (const QString& name : kARFields)
        QCOMPARE(enabled(&window, name), ar == 1);
    for (const QString& name : kAPFields)
        QCOMPARE(enabled(&window, name), ap == 1);
    QCOMPARE(textOf(&window, QStringLiteral("cboSingleMultiCurrency")), shownCurrency);
    const QString code = shownCurrency.left(1);
    QCOMPARE(textOf(&window, QStringLiteral("txtSingleMultiCurrency")), code);
    for (const QString& name : kCurrencyFields)
        QCOMPARE(enabled(&window, name), code == QLatin1String("M"));
}

void TestAccpacSettings::sourceCodeAloneSaves() {
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblAccpacSettings SET GLSourceCode = NULL, "
                            "GLSingleMultiCurrency = 'S', GLHomeCurrency = NULL, GLRateType = NULL"));
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* source = child<QLineEdit>(&window, QStringLiteral("txtGLSourceCode"));
    source->setFocus();
    QTest::keyClicks(source, QStringLiteral("CBGLX"));
    QCOMPARE(source->text(), QStringLiteral("CBGL"));
    book.prompts.expect(QStringLiteral("Saved!"));
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Information);
    QCOMPARE(storedRow(book), QStringLiteral("CBGL|S|||0||||||||0|||||||"));
}

void TestAccpacSettings::uncheckingKeepsValuesAndSavesThem() {
    TestBook book;
    fillSettings(book);
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    clickBox(&window, "chkIntegrateWithAR");
    auto* ap = child<QCheckBox>(&window, QStringLiteral("chkIntegrateWithAP"));
    ap->setFocus();
    QTest::keyClick(ap, Qt::Key_Space);
    for (const QString& name : kARFields + kAPFields)
        QVERIFY2(!enabled(&window, name), qPrintable(name));
    QCOMPARE(textOf(&window, QStringLiteral("txtARControlAccount")), QStringLiteral("1100"));

    // A disabled group is not checked, even with a value missing.
    setTextOf(&window, QStringLiteral("txtARControlAccountSet"), QString());
    book.prompts.expect(QStringLiteral("Saved!"));
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(storedRow(book),
             QStringLiteral("CB01|M|S$|SP|0|1100|D1|AR Control|1150|D2|AR Clearing||"
                            "0|2000|D3|AP Control|2050|D4|AP Clearing|BK1"));

    // Checked again, the AR group is enabled and its values are needed.
    clickBox(&window, "chkIntegrateWithAR");
    for (const QString& name : kARFields)
        QVERIFY(enabled(&window, name));
    QVERIFY(!enabled(&window, QStringLiteral("txtAPBankCode")));
    book.prompts.expect(QStringLiteral("Must enter AR Control Account Set."));
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.value(QStringLiteral("SELECT IntegrateWithAR FROM tblAccpacSettings")).toInt(), 0);
}

void TestAccpacSettings::saveRefusesEachMissingValue_data() {
    QTest::addColumn<QStringList>("emptied");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    // The focus goes to the last field emptied, whose message is "Must enter <label>.".
    const auto row = [](const char* name, const QStringList& emptied, const char* label) {
        QTest::newRow(name) << emptied << QStringLiteral("Must enter %1.").arg(label)
                            << (emptied.isEmpty() ? QStringLiteral("txtGLSourceCode") : emptied.last());
    };
    row("source code", {"txtGLSourceCode"}, "GL Source Code");
    row("source code blanks", {}, "GL Source Code");
    row("AR control", {"txtARControlAccount"}, "AR Control Account");
    row("AR clearing", {"txtARClearingAccount"}, "AR Clearing Account");
    row("AR control account set", {"txtARControlAccountSet"}, "AR Control Account Set");
    row("AP control", {"txtAPControlAccount"}, "AP Control Account");
    row("AP clearing", {"txtAPClearingAccount"}, "AP Clearing Account");
    row("AP bank code", {"txtAPBankCode"}, "AP Bank Code");
    row("home currency", {"txtGLHomeCurrency"}, "GL Home Currency Code");
    row("rate type", {"txtGLRateType"}, "GL Rate Type");
    row("source code before AR", {"txtARControlAccount", "txtGLSourceCode"}, "GL Source Code");
    row("AR set before AP", {"txtAPControlAccount", "txtARControlAccountSet"},
        "AR Control Account Set");
    row("AP before currency", {"txtGLRateType", "txtAPBankCode"}, "AP Bank Code");
}

void TestAccpacSettings::saveRefusesEachMissingValue() {
    QFETCH(QStringList, emptied);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TestBook book;
    fillSettings(book);
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    if (emptied.isEmpty())
        setTextOf(&window, QStringLiteral("txtGLSourceCode"), QStringLiteral("   "));
    for (const QString& name : emptied)
        setTextOf(&window, name, QString());
    book.prompts.expect(message);
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(book.prompts.shown().last().icon, Prompts::Icon::Critical);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(storedRow(book), kFilledRow);
    // The edits stay in the window.
    for (const QString& name : emptied)
        QCOMPARE(textOf(&window, name), QString());
}

void TestAccpacSettings::currencyChoiceSetsCode_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("saved");
    QTest::newRow("multi to single") << "M" << int(Qt::Key_Up) << "S";
    QTest::newRow("single to multi") << "S" << int(Qt::Key_Down) << "M";
}

void TestAccpacSettings::currencyChoiceSetsCode() {
    QFETCH(QString, stored);
    QFETCH(int, key);
    QFETCH(QString, saved);
    TestBook book;
    book.sql(QStringLiteral("UPDATE tblAccpacSettings SET GLSingleMultiCurrency = ?, "
                            "GLHomeCurrency = 'US$', GLRateType = 'AV'"),
             {stored});
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* combo = child<QComboBox>(&window, QStringLiteral("cboSingleMultiCurrency"));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key(key));
    QCOMPARE(textOf(&window, QStringLiteral("txtSingleMultiCurrency")), saved);
    for (const QString& name : kCurrencyFields)
        QCOMPARE(enabled(&window, name), saved == QLatin1String("M"));
    book.prompts.expect(QStringLiteral("Saved!"));
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    // The currency values are kept whichever is chosen.
    QCOMPARE(book.value(QStringLiteral("SELECT GLSingleMultiCurrency || GLHomeCurrency || "
                                       "GLRateType FROM tblAccpacSettings"))
                 .toString(),
             saved + QStringLiteral("US$AV"));
}

void TestAccpacSettings::accountListTypingAndChoosing_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("choice");
    QTest::newRow("AR control") << "txtARControlAccount" << "GLARControl"
                                << "txtARClearingAccount" << "6000";
    QTest::newRow("AR clearing") << "txtARClearingAccount" << "GLARClearing"
                                 << "txtARControlAccountSet" << "6000";
    QTest::newRow("AP control") << "txtAPControlAccount" << "GLAPControl"
                                << "txtAPClearingAccount" << "6000";
    QTest::newRow("AP clearing") << "txtAPClearingAccount" << "GLAPClearing"
                                 << "txtAPBankCode" << "6000";
    QTest::newRow("AR control, chart closed") << "txtARControlAccount" << "GLARControl"
                                              << "txtARClearingAccount" << "";
    QTest::newRow("AP clearing, chart closed") << "txtAPClearingAccount" << "GLAPClearing"
                                               << "txtAPBankCode" << "";
}

void TestAccpacSettings::accountListTypingAndChoosing() {
    QFETCH(QString, list);
    QFETCH(QString, column);
    QFETCH(QString, next);
    QFETCH(QString, choice);
    TestBook book;
    fillSettings(book);
    addAccount(book, QStringLiteral("2000"), QStringLiteral(""), QStringLiteral("AP Control"));
    addAccount(book, QStringLiteral("6000"), QStringLiteral("SALES"),
               QStringLiteral("Salaries - Sales"));
    // Left over from an earlier lookup: must not be taken for a choice.
    book.lookup.LookupValue1 = QStringLiteral("2000");
    AccpacSettingsWindow window(book.services);
    QVERIFY(showActive(&window));
    auto* combo = child<QComboBox>(&window, list);
    combo->setFocus();
    // A seventh character is refused.
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, QStringLiteral("ABCDEFG"));
    QCOMPARE(combo->currentText(), QStringLiteral("ABCDEF"));
    const QString unchosen = QStringLiteral("ABCDEF/") + textOf(&window, list + "Dept") + '/' +
                             textOf(&window, list + "Desc");

    chooseInChart(choice);
    if (list == QLatin1String("txtAPClearingAccount"))
        QTest::keyClick(combo, Qt::Key_F4); // F4 opens the chart too
    else
        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    const QString shown = textOf(&window, list) + '/' + textOf(&window, list + "Dept") + '/' +
                          textOf(&window, list + "Desc");
    const QString expected = choice.isEmpty() ? unchosen : QStringLiteral("6000/SALES/Salaries - Sales");
    QCOMPARE(shown, expected);
    // The window gets the activation back from the chart later; its focus is already there.
    QVERIFY(window.focusWidget());
    QCOMPARE(window.focusWidget()->objectName(), next);
    book.prompts.expect(QStringLiteral("Saved!"));
    click(window, "cmdSave");
    QVERIFY(book.prompts.verifyAllShown());
    QCOMPARE(storedAccount(book, column), expected);
}

void TestAccpacSettings::closeDiscardsEdits() {
    TestBook book;
    fillSettings(book);
    {
        AccpacSettingsWindow window(book.services);
        QVERIFY(showActive(&window));
        setTextOf(&window, QStringLiteral("txtGLSourceCode"), QStringLiteral("ZZZZ"));
        clickBox(&window, "chkIntegrateWithAP");
        click(window, "cmdClose");
        QVERIFY(!window.isVisible());
    }
    QCOMPARE(storedRow(book), kFilledRow);
    // Opened again, the window shows the book, not the discarded edits.
    AccpacSettingsWindow again(book.services);
    QCOMPARE(textOf(&again, QStringLiteral("txtGLSourceCode")), QStringLiteral("CB01"));
    QVERIFY(book.prompts.verifyAllShown());
}

void TestAccpacSettings::switchboardOpensTheWindow_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("button") << "cmdAccpacSettings";
    QTest::newRow("menu item") << "mnuDataEntryAccpacAdagioSettings";
}

void TestAccpacSettings::switchboardOpensTheWindow() {
    QFETCH(QString, command);
    TestBook book;
    SwitchboardWindow switchboard(book.services);
    QString opened;
    QTimer::singleShot(0, &switchboard, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        opened = modal->objectName();
        click(modal, "cmdClose");
    });
    QVERIFY2(runCommand(&switchboard, command), qPrintable(command));
    QCOMPARE(opened, QStringLiteral("frmAccpacSettings"));
    QVERIFY(book.prompts.verifyAllShown());
}

QTEST_MAIN(TestAccpacSettings)
#include "tst_accpacsettings.moc"
