// The payments and disbursements window on the generator's practice file (20,000 disbursements
// and 20,000 payments): opening it (both navigators on their last row, the payee list read
// whole), a navigator step, and the searches (a client's whole last name, those with an
// apostrophe first; part of one; a fragment of an amount; over all the file's dates), each
// against a routine over the sqlite3 C API on its own connection in the same process that reads
// the same rows (the same row ids in the same order, the same payees, the same row of every
// column). Opening and the step are to take at most twice as long as raw SQLite's routine.
// Raw SQLite opens no window: its side of the opening reads what the window reads and shows
// nothing. The step is timed twice: shown (raw SQLite's row made texts and put into boxes of
// the same kinds by code of its own, as the window's boxes show it) and the data control's
// move alone (against the row read). A search's raw routine runs the statement the window's
// data control runs for its row ids, with the same values bound; each search is to take at
// most 1.2 times as long.
//   bench_payments [practice.mdb]
// It only reads the file: browsing and searching write nothing.
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "billing/logic/PaymentSearch.h"
#include "billing/windows/frmPaymentsDisbursements.h"
#include "core/logic/DatabaseFile.h"
#include "core/logic/SharedState.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/data/JetFunctions.h"
#include "platform/data/JetSql.h"
#include "platform/data/RecordSource.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/WidgetSeams.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QSqlQuery>
#include <QVBoxLayout>
#include <cstdio>
#include <sqlite3.h>

using namespace BenchTools;

namespace {

const QString DisbursementIds =
    QStringLiteral("SELECT rowid FROM Disbursements ORDER BY [Disbursement Client Last Name], "
                   "[Disbursement Client First Name], [Disbursement Date], rowid");
const QString PaymentIds =
    QStringLiteral("SELECT rowid FROM Payments ORDER BY [Payment Client Last Name], [Payment "
                   "Client First Name], [Payment Date], rowid");

// Each payee once, where it first comes in the order of the rows, as the window lists them.
QList<QByteArray> rawPayees(const RawSqlite& raw) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(raw.handle(),
                           "SELECT [Disbursement Payee] FROM Disbursements ORDER BY "
                           "[Disbursement Client Last Name], [Disbursement Client First Name], "
                           "[Disbursement Date], rowid",
                           -1, &statement, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(raw.handle()));
    QSet<QByteArray> seen;
    QList<QByteArray> payees;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        const QByteArray payee(text ? text : "");
        if (!seen.contains(payee)) {
            seen.insert(payee);
            payees << payee;
        }
    }
    sqlite3_finalize(statement);
    return payees;
}

// A disbursement shown as the display tab shows it, by code of one's own: the row read by id
// (every column, as the data control reads it), its values made texts and put into boxes of
// the same kinds (the client's two names, the payee, the description, the amount in dollars,
// the date), and the scroll bar moved.
class RawShownRow {
public:
    explicit RawShownRow(const RawSqlite& raw)
        : m_row(raw, "SELECT * FROM Disbursements WHERE rowid = ?"),
          m_dollars(QLocale::English, QLocale::UnitedStates) {
        const auto column = [&](const char* name) {
            for (int i = 0; i < m_row.columns(); ++i)
                if (qstrcmp(sqlite3_column_name(m_row.handle(), i), name) == 0)
                    return i;
            qFatal("no column %s", name);
        };
        m_last = column("Disbursement Client Last Name");
        m_first = column("Disbursement Client First Name");
        m_payee = column("Disbursement Payee");
        m_description = column("Disbursement Description");
        m_amount = column("Disbursement Amount");
        m_date = column("Disbursement Date");
        auto* layout = new QVBoxLayout(&m_window);
        for (QLineEdit** box : {&m_clientBox, &m_payeeBox, &m_descriptionBox, &m_amountBox})
            layout->addWidget(*box = new QLineEdit);
        layout->addWidget(m_dateBox = new QDateTimeEdit);
        m_dateBox->setDisplayFormat(QStringLiteral("M/d/yyyy"));
        layout->addWidget(m_scrollBar = new QScrollBar(Qt::Horizontal));
        m_scrollBar->setRange(0, 100);
        m_window.show();
    }
    void show(qint64 id, qint64 position, qint64 count) {
        sqlite3_stmt* row = m_row.handle();
        sqlite3_bind_int64(row, 1, id);
        if (!m_row.next())
            qFatal("raw sqlite: no row %lld", static_cast<long long>(id));
        QList<QString> values(m_row.columns());
        for (int i = 0; i < values.size(); ++i)
            values[i] = m_row.text(i);
        sqlite3_reset(row);
        m_clientBox->setText(values[m_last] + QStringLiteral(", ") + values[m_first]);
        m_payeeBox->setText(values[m_payee]);
        m_descriptionBox->setText(values[m_description]);
        m_amountBox->setText(QLatin1Char('$') +
                             m_dollars.toString(values[m_amount].toDouble(), 'f', 2));
        m_dateBox->setDate(QDate::fromString(values[m_date].left(10), Qt::ISODate));
        m_scrollBar->setValue(int(position * 100 / count));
    }

private:
    RawStatement m_row;
    QLocale m_dollars;
    int m_last, m_first, m_payee, m_description, m_amount, m_date;
    QWidget m_window;
    QLineEdit* m_clientBox;
    QLineEdit* m_payeeBox;
    QLineEdit* m_descriptionBox;
    QLineEdit* m_amountBox;
    QDateTimeEdit* m_dateBox;
    QScrollBar* m_scrollBar;
};

// The statement that the window's data control runs for the row ids of a search, with the
// values it binds.
struct RawSearch {
    QByteArray sql;
    QVariantList parameters;
};

RawSearch rawSearch(PaymentSearch::Kind kind, const QString& term, QDate from, QDate to) {
    const PaymentSearch::Statement search = PaymentSearch::search(kind, term, from, to);
    const std::optional<RecordSource::SingleTable> source =
        RecordSource::singleTable(JetSql::translate(search.jetSql));
    if (!source)
        qFatal("the search is no statement of one table");
    return {RecordSource::idStatements(source->table, *source, {}).ids.toUtf8(), search.parameters};
}

// The row ids a search finds, in their order.
RawIds rawIds(const RawSqlite& raw, const RawSearch& search) {
    RawStatement statement(raw, search.sql);
    for (int i = 0; i < search.parameters.size(); ++i)
        statement.bind(i + 1, search.parameters[i]);
    RawIds ids;
    while (statement.next())
        ids.append(sqlite3_column_int64(statement.handle(), 0));
    return ids;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WidgetSeams::install();
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : PracticeGenerator::cachedPracticeFile(1000000);
    // The program has the file open and its lists filled, as its Data entry window has.
    gstrDatabasePath = path;
    OpenDatabaseAndFillLists();
    const Database db = Database::open(path);
    const RawSqlite raw(path);
    registerJetFunctions(raw.handle()); // CStr, as the program's statement has it
    RawRow disbursementRow(raw, QStringLiteral("Disbursements"));
    RawRow paymentRow(raw, QStringLiteral("Payments"));

    // Each list read, its first row read with it (as a data control's Refresh stands on it)
    // and then its last.
    const auto rawOpening = [&] {
        const RawIds disbursements = raw.ids(DisbursementIds);
        if (!disbursements.empty())
            disbursementRow.read(disbursements.front());
        rawPayees(raw);
        if (!disbursements.empty())
            disbursementRow.read(disbursements.back());
        const RawIds payments = raw.ids(PaymentIds);
        if (!payments.empty()) {
            paymentRow.read(payments.front());
            paymentRow.read(payments.back());
        }
    };
    const int disbursements = int(raw.ids(DisbursementIds).size());
    const auto programOpening = [&] {
        frmPaymentsDisbursements window;
        if (!window.Form_Load())
            qFatal("the window did not load");
        window.show();
        QCoreApplication::sendPostedEvents();
        if (window.Adodc1->AbsolutePosition() != disbursements)
            qFatal("the window did not open on its last row");
    };
    bool met = true;
    met &= report(QStringLiteral("open the window (raw: its reads, no window)"), Cache::Warm,
                  alternate(7, Cache::Warm, path, programOpening, rawOpening), 2, 200);

    frmPaymentsDisbursements window;
    window.Form_Load();
    window.show();
    // Both sides list the same payees in the same order.
    const QList<QByteArray> payees = rawPayees(raw);
    bool samePayees = window.Combo1_1->count() == payees.size();
    for (int i = 0; samePayees && i < payees.size(); ++i)
        samePayees = window.Combo1_1->itemText(i) == QString::fromUtf8(payees[i]);
    if (!samePayees)
        qFatal("the window lists other payees than raw SQLite");
    window.TabStrip1_Click(2);
    QCoreApplication::sendPostedEvents();
    window.Adodc1Navigator->first();
    const RawIds ids = raw.ids(DisbursementIds);
    // A round is 100 steps: one step takes less than the timer's noise.
    const auto perStep = [](BenchTools::Rounds rounds) {
        for (double& ms : rounds.program)
            ms /= 100;
        for (double& ms : rounds.raw)
            ms /= 100;
        return rounds;
    };
    // The whole step as the user sees it: the row read and shown in the display tab's boxes.
    RawShownRow shown(raw);
    size_t step = 0;
    met &= report(QStringLiteral("navigator step (next), shown"), Cache::Warm,
                  perStep(alternate(
                      9, Cache::Warm, path,
                      [&] {
                          for (int i = 0; i < 100; ++i)
                              window.Adodc1Navigator->next();
                      },
                      [&] {
                          for (int i = 0; i < 100; ++i) {
                              ++step;
                              shown.show(ids[step % ids.size()], step % ids.size() + 1,
                                         qint64(ids.size()));
                          }
                      })),
                  2, 16);
    // The data control's part of it: the move and the row read, no box shown.
    DataControl control;
    control.setDatabasePath(path);
    control.setRecordSource(PaymentSearch::fullList(PaymentSearch::Kind::Disbursements));
    if (!control.Refresh() || control.RecordCount() != int(ids.size()))
        qFatal("the data control did not list the disbursements");
    step = 0;
    met &= report(QStringLiteral("data control step (MoveNext), not shown"), Cache::Warm,
                  perStep(alternate(
                      9, Cache::Warm, path,
                      [&] {
                          for (int i = 0; i < 100; ++i)
                              if (!control.MoveNext() || control.isEOF())
                                  control.MoveFirst();
                      },
                      [&] {
                          for (int i = 0; i < 100; ++i)
                              disbursementRow.read(ids[++step % ids.size()]);
                      })),
                  2, 16);

    // Over all the file's dates: the generator's rows are years old.
    window.DTPicker5->setValue(QDate(2000, 1, 1));
    // A new term every round, as a search is seldom run twice: clients' last names, those
    // with an apostrophe first; the first three letters of each; fragments of amounts.
    constexpr int Rounds = 7;
    QStringList clients;
    {
        QSqlQuery names = db.exec(QStringLiteral(
            "SELECT DISTINCT [Payment Client Last Name] AS name FROM Payments ORDER BY name LIKE "
            "'%''%' DESC, name LIMIT 7"));
        while (db.next(names))
            clients << names.value(0).toString();
    }
    if (clients.size() < Rounds)
        qFatal("the file has too few clients");
    QStringList parts;
    for (const QString& client : clients)
        parts << client.left(3);
    QStringList amounts;
    for (int i = 0; i < Rounds; ++i)
        amounts << QString::number(50 + i);
    const QDate from = window.DTPicker5->date();
    const QDate to = window.DTPicker6->date();
    using PaymentSearch::Kind;
    struct Sought {
        const char* job;
        Kind kind;
        QStringList terms;
    };
    for (const Sought& s :
         {Sought{"search payments: a client", Kind::Payments, clients},
          Sought{"search disbursements: a client", Kind::Disbursements, clients},
          Sought{"search payments: part of a name", Kind::Payments, parts},
          Sought{"search disbursements: part of a name", Kind::Disbursements, parts},
          Sought{"search disbursements: an amount", Kind::Disbursements, amounts}}) {
        const bool disbursements = s.kind == Kind::Disbursements;
        QList<RawSearch> raws;
        QList<int> found;
        for (const QString& term : s.terms) {
            raws << rawSearch(s.kind, term, from, to);
            found << int(rawIds(raw, raws.last()).size());
            if (found.last() == 0)
                qFatal("nothing to find for %s", qPrintable(term));
        }
        int programRound = 0;
        int rawRound = 0;
        const BenchTools::Rounds rounds = alternate(
            Rounds - 1, Cache::Warm, path,
            [&] {
                const int i = programRound++ % Rounds;
                window.TabStrip1_Click(disbursements ? 4 : 2);
                window.mnuSearch_Click();
                (disbursements ? window.Option2_0 : window.Option2_1)->setChecked(true);
                window.Text5->setText(s.terms[i]);
                window.mnuContinue_Click();
                DataControl* control = disbursements ? window.Adodc1 : window.Adodc2;
                if (control->RecordCount() != found[i])
                    qFatal("the window found %d rows, raw SQLite %d", control->RecordCount(),
                           found[i]);
            },
            [&] {
                const RawIds hits = rawIds(raw, raws[rawRound++ % Rounds]);
                (disbursements ? disbursementRow : paymentRow).read(hits.back());
            });
        int rows = 0;
        for (int n : found)
            rows += n;
        std::printf("  (%s: %d rows a search on average)\n", s.job, rows / Rounds);
        met &= report(QString::fromLatin1(s.job), Cache::Warm, rounds, 1.2, 100);
    }
    return targets(met);
}
