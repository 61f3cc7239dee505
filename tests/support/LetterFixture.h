#pragma once

#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedWindows.h"
#include "timelog/frmSearchList.h"

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

// The next pick list, captioned so, picks that client.
inline void pick(ScriptedWindows& windows, const QString& caption, const QString& client) {
    windows.answer<frmSearchList>([caption, client](frmSearchList& list) {
        QCOMPARE(list.windowTitle(), caption);
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
