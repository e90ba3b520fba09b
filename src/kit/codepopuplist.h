#pragma once

#include <QListWidget>

class QLineEdit;

// The list of codes that pops up under a read-only code field while the field has the focus.
// Up and Down step through it, Return, Enter and Space take the current entry, a typed code
// takes its entry, and a click takes the entry clicked; each puts the code in the field and
// reports it. It never takes the focus and hides when the field is left.
class CodePopupList : public QListWidget {
    Q_OBJECT
public:
    // A child of `parent`, shown below `field`.
    CodePopupList(QLineEdit* field, QWidget* parent);

    // The entries in list order: each code with the text shown for it.
    void setCodes(const QStringList& codes, const QStringList& texts);
    // Shows the list under the field with the field's code as its current entry.
    void popUp();

signals:
    void chosen(const QString& code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int row);

    QLineEdit* m_field;
    QStringList m_codes;
};
