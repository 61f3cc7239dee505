#include "LetterHeading.h"

#include "core/logic/SharedState.h"
#include "platform/data/Database.h"
#include "platform/data/InputMask.h"
#include "platform/data/VbFormat.h"
#include "platform/data/VbString.h"
#include "platform/reporting/Report.h"

#include <QSqlQuery>
#include <cmath>

namespace LetterHeading {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Separator = QStringLiteral(", ");

// Neither NULL nor empty once its blanks are trimmed.
bool hasText(const QVariant& field) {
    return !field.isNull() && !vbTrim(field.toString()).isEmpty();
}

bool isEmptyOrNull(const QVariant& field) {
    return field.isNull() || field.toString().isEmpty();
}

// A size text as a point size: the invoice takes the nearest whole number, halves to even.
std::optional<double> pointSize(const QString& sizeText, Letter letter) {
    const std::optional<double> points = VbFormat::parseNumber(sizeText);
    if (!points || !std::isfinite(*points))
        return std::nullopt;
    const double size = letter == Letter::Invoice ? std::nearbyint(*points) : *points;
    if (!(size > 0))
        return std::nullopt;
    return size;
}

void setSectionFont(ReportSection& section, const QString& name, const QString& sizeText,
                    Letter letter) {
    section.setFontName(name);
    if (const std::optional<double> size = pointSize(sizeText, letter))
        section.setFontSize(*size);
}

} // namespace

ClientName splitName(const QString& displayName) {
    const qsizetype at = displayName.indexOf(Separator);
    gintScratch = int(at + 1);
    if (at < 0)
        return {displayName, QString()};
    return {displayName.left(at), displayName.mid(at + Separator.size())};
}

std::optional<ClientFields> findClient(const Database& db, const ClientName& name) {
    // The key index finds the row; the names must then match to the character.
    QSqlQuery query = db.exec(
        QStringLiteral("SELECT [Client Last Name], [Client First Name], "
                       "[Active Client First Address], [Active Client Second Address], "
                       "[Active Client Third Address], [Active Client City], "
                       "[Active Client State], [Active Client Zip Code], [Active Client Re Line], "
                       "[Active Client Greeting], [Active Client Closing] FROM [Active Clients] "
                       "WHERE [Client Last Name] = ? AND [Client First Name] = ?"),
        {name.last, name.first});
    while (db.next(query)) {
        if (query.value(0).toString() != name.last || query.value(1).toString() != name.first)
            continue;
        return ClientFields{query.value(2), query.value(3), query.value(4),
                            query.value(5), query.value(6), query.value(7),
                            query.value(8), query.value(9), query.value(10)};
    }
    return std::nullopt;
}

Parts compose(const ClientName& name, const std::optional<ClientFields>& row, Letter letter) {
    if (!row)
        return {name.first + QLatin1Char(' ') + name.last + CrLf, {}, {}, {}};
    return {addressPart(name, *row), rePart(*row), greetingPart(*row, letter),
            closingPart(*row, letter)};
}

QString addressPart(const ClientName& name, const ClientFields& row) {
    QString text = name.first + QLatin1Char(' ') + name.last + CrLf;
    for (const QVariant* line : {&row.firstAddress, &row.secondAddress, &row.thirdAddress})
        if (hasText(*line))
            text += line->toString() + CrLf;
    if (hasText(row.city) && hasText(row.state))
        text += vbTrim(row.city.toString()) + Separator + vbTrim(row.state.toString());
    return text + QStringLiteral("  ") + zipText(row.zipCode);
}

QString rePart(const ClientFields& row) {
    if (!row.reLine.isNull() && row.reLine.toString().isEmpty())
        return {};
    return row.reLine.toString() + CrLf;
}

QString greetingPart(const ClientFields& row, Letter letter) {
    const QString sentence =
        isEmptyOrNull(row.greeting) ? defaultSentence(letter) : row.greeting.toString();
    return QStringLiteral("Dear Client:") + CrLf + CrLf + sentence + CrLf;
}

QString closingPart(const ClientFields& row, Letter letter) {
    const QString yours = QStringLiteral("Very truly yours,") + CrLf + CrLf + CrLf;
    if (isEmptyOrNull(row.closing))
        return yours;
    if (letter == Letter::Invoice)
        return row.closing.toString() + CrLf;
    return row.closing.toString() + CrLf + CrLf + CrLf + yours;
}

QString defaultSentence(Letter letter) {
    switch (letter) {
    case Letter::Invoice:
        return QStringLiteral("This is your current statement for services rendered.");
    case Letter::DisbursementsStatement:
        return QStringLiteral(
            "This is your current statement for disbursements we have rendered on your behalf.");
    case Letter::PaymentsStatement:
        return QStringLiteral("This is your current statement of payments made by you.");
    }
    return {};
}

QString zipText(const QVariant& zipCode) {
    if (!hasText(zipCode))
        return {};
    // The contact window's mask: digits alone fill its places, a dash already there stays.
    static const InputMask mask(QStringLiteral("#####-####"));
    return mask.normalized(vbTrim(zipCode.toString()));
}

QString letterheadPart(const QString& invoiceHeader) {
    return invoiceHeader + CrLf + CrLf;
}

void setCaptions(Report& report, const QString& letterhead, const Parts& parts,
                 const QDate& today) {
    ReportSection& header = report.section(QLatin1String(ReportLayout::ReportHeader));
    const QString blank = CrLf + CrLf;
    header.control(QStringLiteral("Label1")).caption = letterhead + CrLf;
    header.control(QStringLiteral("Label2")).caption =
        VbFormat::format(QVariant(today.startOfDay()), QStringLiteral("mmmm d, yyyy")) + blank;
    header.control(QStringLiteral("Label3")).caption = parts.address + blank;
    header.control(QStringLiteral("Label4")).caption = parts.re + blank;
    header.control(QStringLiteral("Label5")).caption = parts.greeting + blank;
    report.section(QLatin1String(ReportLayout::ReportFooter))
        .control(QStringLiteral("Label6"))
        .caption = parts.closing + blank;
}

Fonts Fonts::current() {
    return {gstrLetterheadFontName, gstrLetterheadFontSize, gstrReportFontName,
            gstrReportFontSize,     gstrVellagonFontName,   gstrVellagonFontSize};
}

void applyFonts(Report& report, const Fonts& fonts, Letter letter) {
    if (!fonts.detailName.isEmpty())
        setSectionFont(report.section(QLatin1String(ReportLayout::Detail)), fonts.detailName,
                       fonts.detailSize, letter);
    if (!fonts.reportName.isEmpty())
        for (const char* name : {ReportLayout::ReportHeader, ReportLayout::ReportFooter})
            setSectionFont(report.section(QLatin1String(name)), fonts.reportName, fonts.reportSize,
                           letter);

    ReportControl& label1 =
        report.section(QLatin1String(ReportLayout::ReportHeader)).control(QStringLiteral("Label1"));
    const bool setName = !fonts.letterheadName.isEmpty();
    const bool setSize = letter == Letter::Invoice ? !fonts.letterheadSize.isEmpty() : setName;
    if (setName)
        label1.font.name = fonts.letterheadName;
    if (setSize)
        if (const std::optional<double> size = pointSize(fonts.letterheadSize, letter))
            label1.font.size = *size;
}

} // namespace LetterHeading
