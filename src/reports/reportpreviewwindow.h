#pragma once

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;
class Report;
class ReportPageView;
class ReportPrinting;
struct Services;

// The preview of a paginated report: page through it (first, previous, next, last, a page
// by number), zoom, print through the system's print dialog, save it as PDF, and save a
// listing's rows as CSV. The window is named after the report ("rptCashbook").
class ReportPreviewWindow : public QDialog {
    Q_OBJECT
public:
    // `printing` stands for the system's printers; the program's own when null.
    ReportPreviewWindow(Services& services, std::unique_ptr<Report> report,
                        ReportPrinting* printing = nullptr, QWidget* parent = nullptr);
    ~ReportPreviewWindow() override;

    Report& report() { return *m_report; }
    ReportPageView* pageView() const { return m_view; }
    void goToPage(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void print();
    void savePdf();
    void saveCsv();
    void updateCommands();
    void applyZoom();

    Services& m_services;
    std::unique_ptr<Report> m_report;
    std::unique_ptr<ReportPrinting> m_ownPrinting;
    ReportPrinting* m_printing;
    ReportPageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QPushButton* m_first = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
    QSpinBox* m_pageNumber = nullptr;
    QLabel* m_pageCount = nullptr;
    QComboBox* m_zoom = nullptr;
};
