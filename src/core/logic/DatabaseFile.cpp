#include "DatabaseFile.h"

#include "DatabaseSchema.h"
#include "ListTables.h"
#include "LookupLists.h"
#include "ProgramFolder.h"
#include "SharedState.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/data/FileOps.h"

using FileOps::quotedPath;

namespace {

// The tables whose presence makes a file one of this program's, in the order they are tested.
const QStringList& requiredTables() {
    static const QStringList names{
        QStringLiteral("Active Clients"), QStringLiteral("Inactive Clients"),
        QStringLiteral("Vellagons"),      QStringLiteral("Employees"),
        QStringLiteral("Activities"),     QStringLiteral("Projects"),
        QStringLiteral("Rates"),          QStringLiteral("Things To Do"),
        QStringLiteral("Disbursements"),  QStringLiteral("Payments"),
        QStringLiteral("Invoices")};
    return names;
}

bool hasAllTables(const Database& db) {
    for (const QString& name : requiredTables())
        if (!db.hasTable(name))
            return false;
    return true;
}

// Moves a file that failed validation out of the way, beside it, under a name that says why.
QString setAside(const QString& path) {
    const QString aside = FileOps::asidePath(path, QStringLiteral("not a valid Vellagon file"));
    FileOps::renameNoReplace(path, aside);
    return aside;
}

// Puts the default database file in place of a file that failed validation. The user's file
// is never deleted (it may hold years of logs and lack one table): it is moved aside once its
// replacement stands ready. Returns where it went; "" when it stayed where it was.
QString replaceByDefaultFile(const QString& chosen) {
    const QString defaultPath = ProgramFolder::defaultDatabasePath();
    QString aside;
    if (FileOps::sameFile(chosen, defaultPath)) {
        // The new default file stands ready beside the old one before that goes aside.
        const FileOps::WorkFile temp(defaultPath);
        {
            const Database db = Database::createIn(temp.path());
            Schema::build(db);
        }
        FileOps::syncFile(temp.path());
        try {
            aside = setAside(defaultPath);
            FileOps::renameNoReplace(temp.path(), defaultPath);
        } catch (const AppError&) {
            if (!aside.isEmpty() && !FileOps::exists(defaultPath))
                FileOps::renameNoReplace(aside, defaultPath);
            throw;
        }
    } else {
        if (!FileOps::exists(defaultPath)) {
            createDatabaseFile(defaultPath);
        } else if (!hasAllTables(Database::open(defaultPath))) {
            throw AppError(
                AppError::FileError,
                QStringLiteral("The default file \"%1\" is not a valid Vellagon file either; "
                               "nothing was changed.")
                    .arg(defaultPath));
        }
        if (!Database::isOpen(chosen))
            aside = setAside(chosen);
    }
    gstrDatabasePath = defaultPath;
    return aside;
}

} // namespace

bool ValidateDatabase() {
    if (!FileOps::exists(gstrDatabasePath)) {
        CreateNewDatabase();
        return true;
    }
    {
        const Database db = Database::open(gstrDatabasePath);
        if (hasAllTables(db))
            return true;
    }
    const int answer = Dialogs::msgBox(
        QStringLiteral("Selected file is not a valid Vellagon file.  Do you want to "
                       "overwrite it with a valid Vellagon.MDB file?"),
        Dialogs::vbYesNo);
    if (answer == Dialogs::vbYes) {
        const QString chosen = gstrDatabasePath;
        const QString aside = replaceByDefaultFile(chosen);
        if (!aside.isEmpty())
            Dialogs::msgBox(QStringLiteral("Your file %1 was not deleted: it is kept beside it as "
                                           "%2.")
                                .arg(quotedPath(chosen), quotedPath(aside)));
        return true;
    }
    Dialogs::msgBox(
        QStringLiteral("The operation was cancelled by the user.  Your file was left exactly as it "
                       "was; no bytes were harmed."));
    return false;
}

void validateDatabaseOrRefuse() {
    if (!ValidateDatabase())
        throw AppError(AppError::FileError, NotValidVellagonFile);
}

void OpenDatabaseAndFillLists() {
    gblnNoClients = true;
    gblnNoEmployees = true;
    if (!FileOps::exists(gstrDatabasePath))
        CreateNewDatabase();
    const Database db = Database::open(gstrDatabasePath);
    Schema::ensureIndexes(db);

    MainLists& lists = mainLists();
    const auto fill = [&](int list, const QList<ListItem>& items) {
        for (const ListItem& item : items)
            lists.List1[std::size_t(list)].addItem(item.text);
    };
    const QList<ListItem> clients = ListTables::read(db, MainLists::Clients);
    for (LookupList& list : lists.List1)
        list.clear();
    fill(MainLists::Clients, clients);
    gblnNoClients = clients.isEmpty();

    const QList<ListItem> employees = ListTables::read(db, MainLists::Employees);
    fill(MainLists::Employees, employees);
    gblnNoEmployees = employees.isEmpty();

    for (int list : {MainLists::Projects, MainLists::Rates, MainLists::Activities})
        fill(list, ListTables::read(db, list));
}

void requireVellagonFile(const Database& db) {
    for (const QString& table : requiredTables())
        ListTables::requireTable(db, table);
}
