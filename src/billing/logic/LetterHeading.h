#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

class Database;
class Report;

// The letter parts of an invoice or a statement to one active client: the letterhead, the
// date, the client's address block, Re line and greeting above the records, and the closing
// below them, composed from the client's row of Active Clients. Window-free: the invoice and
// the statements call the same pieces and differ only where the letter kind says.
namespace LetterHeading {

enum class Letter { Invoice, DisbursementsStatement, PaymentsStatement };

// A client's display name "Last, First" split at its first ", ". A name without ", " is all
// last name.
struct ClientName {
    QString last;
    QString first;
};
ClientName splitName(const QString& displayName);

// The letter fields of a client's row, as stored: any of them may be NULL or empty.
struct ClientFields {
    QVariant firstAddress;
    QVariant secondAddress;
    QVariant thirdAddress;
    QVariant city;
    QVariant state;
    QVariant zipCode;
    QVariant reLine;
    QVariant greeting;
    QVariant closing;
};

// The row whose first and last names equal the client's exactly (case and blanks count), or
// nothing when no row does (the client was deactivated or renamed). Throws AppError.
std::optional<ClientFields> findClient(const Database& db, const ClientName& name);

// The parts composed from a row; without a row, the address is the name line alone and the
// other parts are empty. CR LF breaks every line.
struct Parts {
    QString address;
    QString re;
    QString greeting;
    QString closing;
};
Parts compose(const ClientName& name, const std::optional<ClientFields>& row, Letter letter);

// The pieces of compose(), one by one.
QString addressPart(const ClientName& name, const ClientFields& row);
QString rePart(const ClientFields& row);
QString greetingPart(const ClientFields& row, Letter letter);
QString closingPart(const ClientFields& row, Letter letter);
// The sentence under "Dear Client:" when the client's row has no greeting of its own.
QString defaultSentence(Letter letter);
// A zip code as printed: trimmed; a zip of six to nine digits gets its dash after the fifth,
// one stored with the mask's dash keeps it, and a bare trailing dash is dropped.
QString zipText(const QVariant& zipCode);
// The letterhead as the letter's first part: the text and two CR LF.
QString letterheadPart(const QString& invoiceHeader);

// Sets the captions of the letter's labels: Label1 to Label5 of the report header (Section4)
// and Label6 of the report footer (Section5), each with the blank lines that follow it.
// The date is today's, as "mmmm d, yyyy".
void setCaptions(Report& report, const QString& letterhead, const Parts& parts, const QDate& today);

// The fonts of a letter: names and sizes as the settings hold them (texts). A font counts as
// set when its name is not empty.
struct Fonts {
    QString letterheadName;
    QString letterheadSize;
    QString reportName;
    QString reportSize;
    QString detailName; // the log-detail font
    QString detailSize;
    // The invoice fonts of the shared state.
    static Fonts current();
};

// Applies the fonts after the captions: the detail font to every control of the detail
// section, the report font to every control of the report header and footer, then the
// letterhead font to Label1. The invoice rounds each size to a whole number (halves to the
// even neighbour) and sets the letterhead name and size each when given; the statements keep
// the sizes as they are (10.5 stays 10.5) and set the letterhead font only with its name.
// A size that is no number leaves the layout's size.
void applyFonts(Report& report, const Fonts& fonts, Letter letter);

} // namespace LetterHeading
