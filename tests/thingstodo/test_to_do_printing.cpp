#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "ToDoFixture.h"
#include "core/logic/SharedState.h"
#include "thingstodo/logic/ToDoItems.h"
#include "thingstodo/logic/ToDoPrinting.h"

// The printed to-do list as the recording printer sees it: where each heading and row lands,
// the fitting of long texts, the page breaks and their footers.
namespace {

ToDoItem item(const QString& name, const QString& text, const QString& priority = "2",
              bool client = false) {
    const QDate start(2025, 9, 30);
    const QDate deadline(2025, 10, 1);
    return client ? ToDoFixture::clientItem(name.section(", ", 0, 0), name.section(", ", 1), text,
                                            priority, start, deadline)
                  : ToDoFixture::projectItem(name, text, priority, start, deadline);
}

const PrintedText* find(const PrintJob& job, const QString& text, int page = 0) {
    for (const PrintedText& t : job.texts)
        if (t.text == text && (page == 0 || t.page == page))
            return &t;
    return nullptr;
}

bool isFooter(const QString& text) {
    return text.startsWith("- ") && text.endsWith(" -");
}

} // namespace

class TestToDoPrinting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        gstrPrintFontName = "DejaVu Serif";
        gstrPrintFontSize = "12";
    }

    void anEmptyListPrintsNothing() {
        PrintRecorder printer;
        ScriptedDialogs dialogs;
        ToDoPrinting::print({});
        QVERIFY(printer.jobs().isEmpty());
        QVERIFY(dialogs.shown().isEmpty());
    }

    void onePageHeadingsAndRowsInTheirColumns() {
        PrintRecorder printer;
        ToDoItem noDates = item("Smith, Mary", "call her", "", true);
        noDates.startDate = QDate();
        noDates.deadline = QDate();
        ToDoPrinting::print({item("Lease", "sign the lease", "4"), noDates});
        const PrintJob& job = printer.lastJob();
        QVERIFY(job.ended);
        QCOMPARE(job.pageCount, 1);
        const QList<std::pair<QString, double>> headings = {{"Priority", 0.4},
                                                            {"Client or Project", 1.0},
                                                            {"Thing To Do", 2.7},
                                                            {"Start Date", 5.94},
                                                            {"Deadline", 6.72}};
        for (const auto& [text, x] : headings) {
            const PrintedText* h = find(job, text);
            QVERIFY2(h, qPrintable(text));
            QCOMPARE(h->x, x);
            QCOMPARE(h->y, 1.0);
            QCOMPARE(h->fontSize, 12.0);
            QCOMPARE(h->fontName, "DejaVu Serif");
        }
        const PrintedText* priority = find(job, " 4");
        QVERIFY(priority);
        QCOMPARE(priority->x, 0.6);
        QCOMPARE(priority->y, 1.4);
        QCOMPARE(find(job, "Lease")->y, 1.4);
        QCOMPARE(find(job, "sign the lease")->x, 2.7);
        QCOMPARE(find(job, "9/30/2025")->x, 5.94);
        QCOMPARE(find(job, "10/1/2025")->x, 6.72);
        // The second row: the client's name; no priority and no dates print blank.
        const PrintedText* second = find(job, "Smith, Mary");
        QVERIFY(second && second->y > 1.4);
        for (const PrintedText& t : job.texts)
            if (t.y == second->y && t.x != 1.0 && t.x != 2.7)
                QCOMPARE(t.text, QString());
        QCOMPARE(gToDoItems.size(), 2);
        QCOMPARE(gToDoItems[1].Client, "Smith, Mary");
        QCOMPARE(gToDoItems[0].Project, "Lease");
        QVERIFY(std::none_of(job.texts.begin(), job.texts.end(),
                             [](const PrintedText& t) { return isFooter(t.text); }));
    }

    void longListsBreakBeforeTheFooter() {
        PrintRecorder printer;
        QList<ToDoItem> items;
        for (int i = 0; i < 130; ++i)
            items << item(QStringLiteral("Project %1").arg(i), QStringLiteral("row %1").arg(i));
        ToDoPrinting::print(items);
        const PrintJob& job = printer.lastJob();
        QVERIFY(job.pageCount >= 3);
        const double spacing = find(job, "row 1")->y - find(job, "row 0")->y;
        QVERIFY(spacing > 0);
        int rows = 0;
        for (int page = 1; page <= job.pageCount; ++page) {
            const QList<PrintedText> texts = job.textsOnPage(page);
            QVERIFY(find(job, "Priority", page) && find(job, "Deadline", page));
            const PrintedText* footer = nullptr;
            for (const PrintedText& t : texts)
                if (isFooter(t.text))
                    footer = &t;
            if (page == job.pageCount) {
                QVERIFY2(!footer, "the last page has no footer");
            } else {
                QVERIFY(footer);
                QCOMPARE(footer->text, QStringLiteral("- %1 -").arg(page));
                QCOMPARE(footer->y, 10.0);
                // Centred: half the page's width less half its own.
                QVERIFY(footer->x > 3.75 && footer->x < 4.25);
            }
            for (const PrintedText& t : texts) {
                if (t.text.startsWith("row ")) {
                    ++rows;
                    // No row reaches into the footer's place.
                    QVERIFY2(t.y + spacing <= 10.0 + 1e-9, qPrintable(t.text));
                }
            }
        }
        QCOMPARE(rows, 130);
        // In list order, across pages.
        QVERIFY(find(job, "row 129")->page == job.pageCount);
    }

    void longTextsAreFittedIntoTheirColumns() {
        PrintRecorder printer;
        const QString longName = "Featherstonehaugh-Cholmondeley, Bartholomew";
        const QString unbreakable = QString(400, 'W');
        ToDoPrinting::print({item(longName, "short", "1", true), item("P", unbreakable, "1")});
        const PrintJob& job = printer.lastJob();
        const PrintedText* name = find(job, longName);
        QVERIFY(name);
        QVERIFY(name->fontSize < 12);
        QVERIFY(name->fontSize >= ToDoPrinting::SmallestSize);
        QVERIFY2(name->y > 1.4, "the smaller text sits centred on the row");
        // The next column is printed in the base size again.
        QCOMPARE(find(job, "short")->fontSize, 12.0);
        // A text that fits at no size stops at the smallest one and is shortened.
        const PrintedText* shortened = nullptr;
        for (const PrintedText& t : job.texts)
            if (t.text.startsWith("WWW"))
                shortened = &t;
        QVERIFY(shortened);
        QCOMPARE(shortened->fontSize, ToDoPrinting::SmallestSize);
        QVERIFY(shortened->text.endsWith(QChar(0x2026)));
        QVERIFY(shortened->text.size() < unbreakable.size());
    }

    void aFailureIsOneMessageAndNoPages() {
        PrintRecorder printer;
        ScriptedDialogs dialogs;
        gstrPrintFontSize = "large";
        QList<ToDoItem> items;
        for (int i = 0; i < 20; ++i)
            items << item("P", QString::number(i));
        ToDoPrinting::print(items);
        QCOMPARE(dialogs.messages(), QStringList({"Type mismatch in Print function."}));
        QVERIFY(printer.lastJob().aborted);
        // Cancelled by the user: nothing more is said.
        dialogs.clear();
        gstrPrintFontSize = "12";
        printer.cancelNext();
        ToDoPrinting::print(items);
        QVERIFY(dialogs.shown().isEmpty());
    }
};

VELLAGON_TEST_MAIN(TestToDoPrinting)
#include "test_to_do_printing.moc"
