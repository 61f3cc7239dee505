#pragma once

#include <QString>

class QTextDocument;

// The stored form of formatted notes: Qt's HTML with every picture inlined as a data: URI
// (base64 PNG), so that one text column carries the notes without loss.
namespace RichText {

// The document as HTML, each picture it shows written into the HTML itself.
QString toStoredHtml(const QTextDocument& document);
// Replaces the document's content by stored HTML; inlined pictures become the document's
// own resources again.
void loadStoredHtml(QTextDocument& document, const QString& html);
// The document's text without its pictures' placeholder characters.
QString plainText(const QTextDocument& document);

} // namespace RichText
