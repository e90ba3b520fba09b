#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class FindListModel;
struct Services;

// frmFind: a modal list of the values of one column, filled from the caller's query, with
// a type-ahead box. A double-click (or Enter) on an entry chooses its text and closes the
// dialog; Cancel chooses nothing.
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
    // Entries in the list (0 before it is filled).
    int entryCount() const;
    // The entry chosen, once the dialog has closed; nothing after a cancel.
    std::optional<QString> chosen() const { return m_chosen; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void typeAhead(const QString& text);
    void choose(const QModelIndex& index);

    Services& m_services;
    std::optional<QString> m_chosen;
    QString m_recordSource;
    bool m_filled = false;

    QLabel* m_whichTable = nullptr;
    QLineEdit* m_find = nullptr;
    QListView* m_list = nullptr;
    FindListModel* m_model = nullptr;
    QPushButton* m_cancel = nullptr;
};
