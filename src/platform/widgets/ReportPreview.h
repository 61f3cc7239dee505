#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class Report;

// The report window: one page at a time, zoom, page navigation, Print and Save as PDF.
// The first page shows at once; the remaining pages are laid out while the window is idle.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(Report& report, QWidget* parent = nullptr);

    int currentPage() const { return m_index; } // from 0
    void goToPage(int index);
    // "Page 2 of 5" ("of 5..." while pages are still being laid out).
    QString pageText();
    const QImage& pageImage() const { return m_image; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOutMore();
    void updateControls();
    void render();
    int dotsPerInch() const;
    void printReport();
    void savePdf();

    Report& m_report;
    int m_index = 0;
    QImage m_image;
    QTimer m_layoutTimer;
    QTimer m_fitTimer;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_view = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QLabel* m_countLabel = nullptr;
    QComboBox* m_zoom = nullptr;
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
};
