#pragma once

#include "kit/fieldbindings.h"
#include "kit/recordwindow.h"

#include <QStringList>

class CodePopupList;
class LookupComboBox;
class NavigatorBar;
class QDateEdit;
class QLineEdit;
class QPushButton;
struct Services;

// The controls every window that enters one transaction of the cashbook at a time has, made
// with their object names and their amounts bound: the type with its pop-up list, the
// number, the date picker and the hidden date, the description, the offset GL account with
// its department and description, the amount, the hidden total, status and double-entry
// fields, the bank GL account, the navigator bar and the commands. CashbookEntryWindow gives
// them their rules; the windows built on it lay them out with their own.
class CashbookEntryControls : public RecordWindow {
    Q_OBJECT
public:
    // The window's fixed texts and its set of rows.
    struct Setup {
        QString windowName;    // objectName
        QString caption;       // title
        QString helpTopic;     // page of the help opened with F1
        QString navigatorNoun; // "Receipt" gives "Receipt: 3 of 41"
        QString filter;        // the window's rows (program SQL text)
        QStringList typeCodes; // in list order
        QStringList typeTexts;
        QString defaultType; // a new row's type
        QString findRoutine;
        QString findCaption;
        QString findQuery;
        QString notFoundLabel; // "Receipt Number " + number + " was not found."
        QString datePickerRoutine;
        QString saveQuestion;
        bool askNegativeAmount = true; // a negative amount needs a Yes
    };

protected:
    CashbookEntryControls(Services& services, Setup setup, QWidget* parent);

    const Setup m_setup;
    FieldBindings m_bindings; // the fields' texts, amounts kept exact

    QLineEdit* m_transType = nullptr;
    CodePopupList* m_typeList = nullptr;
    QLineEdit* m_transId = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QLineEdit* m_transDate = nullptr;
    QLineEdit* m_desc = nullptr;
    LookupComboBox* m_account = nullptr;
    QLineEdit* m_dept = nullptr;
    QLineEdit* m_accountDesc = nullptr;
    QLineEdit* m_amount = nullptr; // txtOffsetAmount
    QLineEdit* m_total = nullptr;
    QLineEdit* m_status = nullptr;
    QLineEdit* m_statusMsg = nullptr;
    QLineEdit* m_deBank = nullptr;
    QLineEdit* m_deOffset = nullptr;
    QLineEdit* m_bankAccount = nullptr;
    QLineEdit* m_bankDept = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_close = nullptr;
    NavigatorBar* m_bar = nullptr;
};
