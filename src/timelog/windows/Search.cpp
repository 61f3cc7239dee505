#include "Search.h"

#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "frmDisplay.h"
#include "frmEntryWithFrames.h"
#include "frmSearch.h"
#include "frmSearchDatePicker.h"
#include "frmSearchList.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Clock.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/data/VbString.h"
#include "platform/reporting/ReportData.h"
#include "platform/widgets/ModalWindows.h"
#include "reports/DataReport1.h"
#include "timelog/logic/SearchStatements.h"

#include <QComboBox>
#include <QLineEdit>

using namespace SearchStatements;

namespace {

// The captions of the pick list: the search's and the report's.
struct Captions {
    const char* client;
    const char* employee;
    const char* project;
};
constexpr Captions SearchCaptions{"Select a client", "Select an employee", "Select a project"};
constexpr Captions ReportCaptions{"Select Client", "Select Employee", "Select Project"};

// Puts the shared range back at every way out of a routine.
class KeptRange {
public:
    KeptRange() : m_begin(gvarBeginDate), m_end(gvarEndDate) {}
    ~KeptRange() {
        gvarBeginDate = m_begin;
        gvarEndDate = m_end;
    }
    KeptRange(const KeptRange&) = delete;
    KeptRange& operator=(const KeptRange&) = delete;

private:
    QVariant m_begin;
    QVariant m_end;
};

void closeSearchWindow() {
    if (frmSearch* search = frmSearch::loaded())
        search->close();
}

// The window that the search's dialogs stand over: the search window while it is open (a
// window manager gives the front back to that window when they close), else the main window.
QWidget* dialogOwner() {
    if (frmSearch* search = frmSearch::loaded())
        return search;
    return frmMain::instance();
}

// After one of its dialogs the search window comes back to the front.
void searchWindowToFront() {
    if (frmSearch* search = frmSearch::loaded())
        Forms::setFocus(search);
}

int execOverSearch(QDialog& dialog) {
    const int result = ModalWindows::exec(dialog);
    searchWindowToFront();
    return result;
}

// The pick list of a selector; false when it was closed without a choice.
bool pick(int selector, const char* caption) {
    gintSearchType = selector;
    frmSearchList list(dialogOwner());
    list.setWindowTitle(QLatin1String(caption));
    return execOverSearch(list) == QDialog::Accepted;
}

// The client of the window the search is for: the Display window's shown log, or the text of
// the Data entry window's client box. Without such a window gstrClient stays as it is.
void takeCurrentClient(bool fromDisplay) {
    if (fromDisplay) {
        if (auto* display = qobject_cast<frmDisplay*>(currentDisplayWindow()))
            gstrClient = display->Text1->text();
    } else if (auto* entry = qobject_cast<frmEntryWithFrames*>(currentEntryWindow())) {
        // Trimmed as Log completed stores it, so the typed client finds its logs.
        gstrClient = vbTrim(entry->Combo1->currentText());
    }
}

// Asks for what the search type looks for (pick list or input box) into the shared values;
// false when the user left the dialog without a choice.
bool askSought(int searchType, bool fromDisplay, const Captions& captions) {
    switch (searchType) {
    case CurrentClient:
        takeCurrentClient(fromDisplay);
        return true;
    case AnotherClient:
        return pick(AnotherClient, captions.client);
    case Employee:
        return pick(Employee, captions.employee);
    case Project:
        return pick(Project, captions.project);
    case LogText: {
        const std::optional<QString> text = Dialogs::inputBoxOrCancel(
            QStringLiteral("Enter the text being sought in your Vellagons"),
            QStringLiteral("Search for Vellagon text"));
        searchWindowToFront();
        if (!text)
            return false;
        gstrSearchText = *text;
        return true;
    }
    case AllActiveClients: {
        const QStringList& clients = mainLists().List1[MainLists::Clients].items();
        if (!clients.isEmpty())
            gstrClient = clients.last();
        return true;
    }
    default:
        return true;
    }
}

Sought sought() {
    return {gstrClient, gstrEmployee, gstrProject, gstrSearchText,
            mainLists().List1[MainLists::Clients].items()};
}

// The range of the time frame into the shared dates: fixed frames end today, a customised one
// comes from the date range dialog. False when that dialog was left without a range.
bool askRange(int timeFrame, std::optional<DateRange>& range) {
    range.reset();
    if (timeFrame == CustomRange) {
        frmSearchDatePicker picker(dialogOwner());
        if (execOverSearch(picker) != QDialog::Accepted)
            return false;
        range = DateRange{gvarBeginDate.toDate(), gvarEndDate.toDate()};
        return true;
    }
    range = recentRange(timeFrame, Clock::today());
    if (range) {
        gvarBeginDate = range->begin.startOfDay();
        gvarEndDate = range->end.startOfDay();
    }
    return true;
}

void noRecords() {
    Dialogs::msgBox(QStringLiteral("No such records were found."));
}

// Opens a new Display window on the statement and the WHERE clause it keeps, on its newest log.
void openResult(const QString& statement) {
    BusyCursor busy;
    {
        // The window loads straight on the statement, not on every log first.
        const frmDisplay::OpeningSource source(statement);
        NewDisplayForm();
    }
    auto* window = qobject_cast<frmDisplay*>(currentDisplayWindow());
    if (!window)
        return;
    gstrRecordSource = statement;
    window->setSqlWhereCaption(statement);
    window->setSqlWhereTag(gstrSQLWhere);
    DataControl* records = window->Adodc1;
    // A statement the engine refused has been reported by the window as it loaded.
    if (!records->database().isValid())
        return;
    if (records->isBOF() && records->isEOF()) {
        busy.release();
        noRecords();
        Forms::setFocus(window);
    } else {
        records->MoveLast();
    }
}

} // namespace

void SearchRoutine(int searchType, int timeFrame, bool fromDisplay) {
    const QString keptSource = gstrRecordSource;
    const KeptRange keptRange;
    gstrSQLSelect = QStringLiteral("SELECT * FROM Vellagons ");
    // A Display window's search refines the clause that produced its logs; a Data entry
    // window's starts afresh each time, so one quick search never hides the next.
    ChildWindow* caller = fromDisplay ? currentDisplayWindow() : nullptr;
    gstrSQLWhere = caller ? caller->sqlWhereTag() : QString();

    if (!askSought(searchType, fromDisplay, SearchCaptions))
        return;
    const std::optional<Search> search =
        SearchStatements::search(searchType, gstrSQLWhere, sought());
    if (!search) {
        // All active clients without a client: nothing can match.
        noRecords();
        closeSearchWindow();
        return;
    }
    std::optional<DateRange> range;
    if (!askRange(timeFrame, range))
        return;
    const QString statement = finish(*search, searchType, range);
    gstrSQLWhere = search->where;
    if (caller)
        gstrDatabasePath = caller->path();
    openResult(statement);
    gstrRecordSource = keptSource;
    closeSearchWindow();
}

void ReportRoutine(int searchType, int timeFrame) {
    const KeptRange keptRange;
    if (searchType == CurrentClient)
        takeCurrentClient(true);
    else if (!askSought(searchType, false, ReportCaptions))
        return;
    std::optional<DateRange> range;
    if (!askRange(timeFrame, range))
        return;
    const std::optional<QString> statement = SearchStatements::report(searchType, sought(), range);
    try {
        DataReport1 report;
        {
            BusyCursor busy;
            if (statement)
                report.setDataSource(std::make_shared<SqlRecordSource>(
                    Database::open(gstrDatabasePath), *statement, QVariantList(),
                    report.layout().boundColumns()));
        }
        if (!report.dataSource() || report.dataSource()->rowCount() == 0)
            report.section(QStringLiteral("Section4")).control(QStringLiteral("Label1")).caption =
                QStringLiteral("Sorry, no records were found meeting your search criteria.  "
                               "Closing this report window will return you to your Vellagon "
                               "display window.");
        report.show();
    } catch (const AppError& e) {
        Dialogs::msgBox(e.description());
    }
    closeSearchWindow();
}
