#pragma once

#include "BillingRows.h"
#include "Fixtures.h"
#include "LetterFixture.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "ScriptedWindows.h"
#include "WindowTestSupport.h"
#include "billing/windows/Billing.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/frmMain.h"
#include "platform/data/Clock.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmEntryWithFrames.h"

#include <QObject>
#include <QStringList>
#include <memory>

// What the tests of the billing windows share: the program started on a new file, with Display
// window 1 and Data entry window 1 on it as after start-up and a client list, its dialogs,
// modal windows and reports answered and recorded. A test class derives from it, registers
// the subsystems once and starts and finishes the program around each test function.
class BillingFixture : public QObject {
protected:
    frmMain* m_main = nullptr;
    QString m_path;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<ScriptedWindows> m_windows;
    std::unique_ptr<ReportRecorder> m_reports;

    static void registerSubsystems() {
        registerTimeLogging();
        registerBilling();
    }

    enum class Letterhead { None, WithClients };

    // The program on a new file of that name in a folder of its own, on December 8, 2026, its
    // client list holding those clients; with a letterhead and clients in the file when asked.
    void start(const QString& fileName, const QStringList& clients,
               Letterhead letterhead = Letterhead::WithClients) {
        TestSupport::freshProgram();
        Clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(9, 0)));
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + QLatin1Char('/') + fileName);
        if (letterhead == Letterhead::WithClients)
            LetterFixture::addLetterheadAndClients(m_path);
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_windows = std::make_unique<ScriptedWindows>();
        m_reports = std::make_unique<ReportRecorder>();
        m_main = TestSupport::showMainWindow();
        gstrDatabasePath = m_path;
        gstrRecordSource = QStringLiteral("Select * From Vellagons ORDER BY [Beginning Time]");
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
        LookupList& list = mainLists().List1[MainLists::Clients];
        list.clear();
        for (const QString& client : clients)
            list.addItem(client);
    }

    // Closes the program; returns how many scripted modal windows were never shown.
    int finish() {
        TestSupport::closeMainWindow(m_main);
        const int pending = m_windows->pending();
        m_reports.reset();
        m_windows.reset();
        m_dialogs.reset();
        return pending;
    }

    frmEntryWithFrames* entry() const {
        return static_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, "1"));
    }

    void addLogs(const QList<BillingRows::Log>& logs) { BillingRows::addLogs(m_path, logs); }
    void addDisbursements(const QList<BillingRows::Row>& rows) {
        BillingRows::addDisbursements(m_path, rows);
    }
    void addPayments(const QList<BillingRows::Row>& rows) {
        BillingRows::addPayments(m_path, rows);
    }
};
