#pragma once

#include <QDialog>
#include <memory>

class CashPositionChart;
class ReportPrinting;
struct Services;

// frmCashPosition, "Cash Position": the cash position chart in a window of its own, which
// saves the picture as PNG or SVG and prints it on one page through the reports' printing.
class CashPositionWindow : public QDialog {
    Q_OBJECT
public:
    // `printing` null: the system's printers.
    CashPositionWindow(Services& services, ReportPrinting* printing, QWidget* parent);
    ~CashPositionWindow() override;

    CashPositionChart* chart() const { return m_chart; }

    // Writes the two charts to `path`: SVG when it ends in .svg, PNG otherwise. False when
    // the file could not be written.
    bool savePicture(const QString& path) const;

private:
    void save();
    void print();

    Services& m_services;
    std::unique_ptr<ReportPrinting> m_ownPrinting;
    ReportPrinting* m_printing = nullptr;
    CashPositionChart* m_chart = nullptr;
};
