#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;
struct Services;

// frmFind: a modal list of the values of one column, filled from the caller's query, with
// a type-ahead box. A double-click (or Enter) on an entry leaves its text in FindResult
// and closes the dialog; Cancel leaves FindResult as the caller set it.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    FindDialog(Services& services, QWidget* parent = nullptr);

    // The prompt shown above the list.
    void setAddCaption(const QString& caption);
    // The query whose first column fills the list.
    void setRecordSource(const QString& sql);

    // Runs the query and fills the list; done once per dialog (the first showing does it
    // when the caller has not). Throws Failure when the query fails.
    void fill();
    bool isFilled() const { return m_filled; }

    const QStringList& entries() const { return m_entries; }
    // Whether the entries came in case-insensitive order (the type-ahead halves them).
    bool isOrdered() const { return !m_folded.isEmpty(); }

    // The type-ahead search: the index of the first entry that begins with text (ignoring
    // case), searching from the second entry to the end and then from the first; -1 when
    // none does.
    int findPrefix(const QString& text) const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void typeAhead(const QString& text);
    void choose(const QModelIndex& index);

    Services& m_services;
    QString m_recordSource;
    QStringList m_entries;
    // The entries folded to lower case when they are in case-insensitive order, so that
    // the type-ahead can search them by halves; empty otherwise.
    QStringList m_folded;
    bool m_filled = false;

    QLabel* m_whichTable = nullptr;
    QLineEdit* m_find = nullptr;
    QListView* m_list = nullptr;
    QStringListModel* m_model = nullptr;
    QPushButton* m_cancel = nullptr;
};
