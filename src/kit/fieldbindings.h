#pragma once

#include <QList>
#include <QString>

class QLineEdit;
class QSqlRecord;
class QWidget;

// How a record window's fields hold the texts of its row.
//
// Each field is bound to its member of the window's row of texts (a struct of QStrings)
// with a conversion, in a table declared once: one generic read and one generic write walk
// it, so reading and showing a row never drift apart.
//
// Amount fields show cents while a stored amount may hold ten-thousandths. A field bound
// as an amount keeps the exact stored amount for as long as the user leaves its text as
// shown, so that a save never changes an amount the user did not touch.
class FieldBindings {
public:
    // Text: a line edit; Amount: a line edit kept exact; Memo: a plain text edit, rewritten
    // only when changed; EditText: a combo box's edit text.
    enum class Conversion { Text, Amount, Memo, EditText };
    template <typename Fields> struct Bound {
        QWidget* control;
        QString Fields::*member;
        Conversion conversion;
    };

    // The texts of the bound fields; tables are read and written in their order.
    template <typename Fields> Fields read(const QList<Bound<Fields>>& table) const {
        Fields fields;
        for (const Bound<Fields>& bound : table)
            fields.*bound.member = text(bound.control, bound.conversion);
        return fields;
    }
    template <typename Fields> void write(const QList<Bound<Fields>>& table, const Fields& fields) {
        for (const Bound<Fields>& bound : table)
            setText(bound.control, bound.conversion, fields.*bound.member);
    }

    // Binds an amount field to the stored column it shows.
    void bindAmount(QLineEdit* edit, const QString& column);
    // The field's amount text: the exact stored amount while the shown text is untouched.
    QString amountText(const QLineEdit* edit) const;
    // Puts an amount into a field unless the field already holds that amount.
    void setAmountText(QLineEdit* edit, const QString& text);
    // Whether the field still shows the stored row's amount as it was shown.
    bool amountUntouched(const QLineEdit* edit) const;
    // Before a row is shown: every amount field is emptied and forgets its stored amount.
    void clearAmounts();
    // After a row is shown (record null: a new row): each amount field remembers the text
    // it shows for the stored amount and the amount in full.
    void rememberStoredAmounts(const QSqlRecord* record);

    QString text(const QWidget* control, Conversion conversion) const;
    void setText(QWidget* control, Conversion conversion, const QString& text);

private:
    struct StoredAmount {
        QLineEdit* edit = nullptr;
        QString column;
        QString shown; // the text shown for the stored amount; empty once replaced
        QString exact; // the stored amount in full
    };
    const StoredAmount* storedAmount(const QLineEdit* edit) const;

    QList<StoredAmount> m_amounts;
};
