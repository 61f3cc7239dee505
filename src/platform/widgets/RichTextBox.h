#pragma once

#include <QTextEdit>

// The notes box: rich text that also takes pictures, pasted or dropped, as the document's
// own resources (QTextEdit alone inserts only text and HTML).
class RichTextBox : public QTextEdit {
    Q_OBJECT

public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Inserts a picture at the caret.
    void insertPicture(const QImage& image);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
