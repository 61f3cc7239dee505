#pragma once

#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedWindows.h"
#include "core/windows/frmMain.h"
#include "timelog/windows/frmSearchList.h"

#include <QListWidget>
#include <QStringList>

// What the tests of the letters (the invoice, the statements) share: a file with a letterhead
// and clients to write to, the client pick, and the texts of a report shown.
namespace LetterFixture {

// The letterhead "Law Office", "Albany" and four active clients: Smith, John with an address,
// a Re line and a closing; O'Brien, Pat, 100%_Corp, Ann and 100 Corp, Ann with their names
// alone.
inline void addLetterheadAndClients(const QString& path) {
    Fixtures::execRaw(
        path, {"INSERT INTO Invoices ([Invoice Header]) VALUES ('Law Office' || char(13, 10) || "
               "'Albany')",
               "INSERT INTO [Active Clients] ([Client Last Name], [Client First Name], [Active "
               "Client First Address], [Active Client City], [Active Client State], [Active Client "
               "Zip Code], [Active Client Re Line], [Active Client Closing]) VALUES ('Smith', "
               "'John', '12 Main St', 'Albany', 'NY', '122071234', 'Smith v. Jones', 'Regards')",
               "INSERT INTO [Active Clients] ([Client Last Name], [Client First Name]) VALUES "
               "('O''Brien', 'Pat'), ('100%_Corp', 'Ann'), ('100 Corp', 'Ann')"});
}

// Gives Smith, John a Re line of these lines, CR LF between them (no apostrophes).
inline void setReLine(const QString& path, const QStringList& lines) {
    Fixtures::execRaw(path, {QStringLiteral("UPDATE [Active Clients] SET [Active Client Re Line] "
                                            "= '%1' WHERE [Client Last Name] = 'Smith'")
                                 .arg(lines.join(QStringLiteral("' || char(13, 10) || '")))});
}

// What is wrong with the letter's parts above its records as laid out on the first page, or
// nothing: each part starts below the last line of the one above it, blank lines included;
// the Re line's lines stand in order, and at least two blank lines separate them from
// "Dear Client:".
inline QString letterFault(const ReportRecorder::Shown& shown, const QStringList& re) {
    if (shown.pages.isEmpty())
        return QStringLiteral("no report shown");
    const ReportPage& page = shown.pages.first();
    double bottom = 0;
    QList<PlacedText> parts;
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5"}) {
        const QList<PlacedText> placed = page.textsOf(QLatin1String(name));
        if (placed.size() != 1)
            return QStringLiteral("%1 is not placed once").arg(QLatin1String(name));
        const PlacedText& part = placed.first();
        if (part.rect.top() < bottom - 0.01)
            return QStringLiteral("%1 starts at %2, above the last line of the part above it (%3)")
                .arg(QLatin1String(name))
                .arg(part.rect.top())
                .arg(bottom);
        bottom = part.lineTop(int(part.lines.size()));
        parts << part;
    }
    const PlacedText& reLabel = parts[3];
    const PlacedText& greeting = parts[4];
    if (reLabel.lines.mid(0, re.size()) != re)
        return QStringLiteral("the Re lines are %1").arg(reLabel.lines.join(QLatin1Char('|')));
    if (greeting.lines.value(0) != QLatin1String("Dear Client:"))
        return QStringLiteral("the greeting starts with %1").arg(greeting.lines.value(0));
    const double blank = greeting.rect.top() - reLabel.lineTop(int(re.size()));
    if (blank < 2 * reLabel.lineHeight - 0.01)
        return QStringLiteral("%1 twips between the Re line and the greeting").arg(blank);
    return {};
}

// The next pick list, captioned so, picks that client.
inline void pick(ScriptedWindows& windows, const QString& caption, const QString& client) {
    windows.answer<frmSearchList>([caption, client](frmSearchList& list) {
        QCOMPARE(list.windowTitle(), caption);
        // In the main window's place and of its size.
        const QWidget* main = frmMain::instance();
        QCOMPARE(list.pos(), main->pos());
        QCOMPARE(list.size(), main->size());
        const QList<QListWidgetItem*> found = list.List1->findItems(client, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list.List1->setCurrentItem(found.first());
    });
}

// The texts of one control over every page shown, in order, without the blank lines that
// follow each part of a letter.
inline QStringList texts(const ReportRecorder::Shown& shown, const QString& control) {
    QStringList result;
    for (const ReportPage& page : shown.pages)
        for (const PlacedText& t : page.textsOf(control)) {
            QString text = t.text();
            while (text.endsWith(QLatin1Char('\n')))
                text.chop(1);
            result << text;
        }
    return result;
}

} // namespace LetterFixture
