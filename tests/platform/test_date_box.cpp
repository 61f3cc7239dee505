#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/widgets/BoundField.h"
#include "platform/widgets/DateBox.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

// The date box as a user types into it: a whole date over everything selected, after a click
// into a section, section by section, pasted; each read back from the file it was written to.
namespace {

// A day box and a date-and-time box bound to a log, as the program's windows use them.
struct Window {
    QWidget widget;
    DataControl* control = new DataControl(&widget);
    DateBox* day = new DateBox(&widget);
    DateBox* time = new DateBox(&widget);
    QLineEdit* other = new QLineEdit(&widget);

    explicit Window(const QString& path) {
        auto* layout = new QVBoxLayout(&widget);
        for (QWidget* w : std::initializer_list<QWidget*>{day, time, other})
            layout->addWidget(w);
        day->setDisplayFormat("M/d/yyyy");
        day->setAccessibleName("Ending date");
        time->setDisplayFormat("M/dd/yyyy hh:mm AP");
        time->setNullable(false);
        time->setAccessibleName("Beginning Time");
        bindFields(control, {{day, "Ending Time", BoundField::Date},
                             {time, "Beginning Time", BoundField::Date}});
        control->setDatabasePath(path);
        control->setRecordSource("Select * from Vellagons order by [Beginning Time]");
        widget.resize(400, 200);
        TestSupport::showActive(&widget);
        control->Refresh();
    }
};

QLineEdit* lineOf(DateBox* box) {
    return box->findChild<QLineEdit*>();
}

// A click just inside the section that starts at the text's `at`-th character.
void clickAt(DateBox* box, int at) {
    QLineEdit* line = lineOf(box);
    const int x = 3 + line->fontMetrics().horizontalAdvance(line->text().left(at));
    QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(x, line->height() / 2));
}

// Types as a keyboard does: Shift goes down on its own before a capital or a colon.
void typeOnKeyboard(DateBox* box, const QString& text) {
    for (const QChar c : text) {
        const bool shifted = c.isUpper() || c == QLatin1Char(':');
        if (shifted)
            QTest::keyPress(box, Qt::Key_Shift);
        QTest::keyClick(box, c.toLatin1(), shifted ? Qt::ShiftModifier : Qt::NoModifier);
        if (shifted)
            QTest::keyRelease(box, Qt::Key_Shift);
    }
}

// Where the typing starts: "tab" (the box entered by Tab), "all" (Ctrl+A), "month", "day" or
// "year" (a click into that section).
void start(DateBox* box, const QString& way) {
    box->setFocus(Qt::TabFocusReason);
    const QString text = lineOf(box)->text();
    if (way == "all")
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    else if (way == "month")
        clickAt(box, 0);
    else if (way == "day")
        clickAt(box, int(text.indexOf('/')) + 1);
    else if (way == "year")
        clickAt(box, int(text.lastIndexOf('/')) + 1);
}

} // namespace

class TestDateBox : public QObject {
    Q_OBJECT

    QString m_path;

    QString stored(const QString& column) {
        return Database::open(m_path)
            .scalar("SELECT [" + column + "] FROM Vellagons WHERE Client = 'Adams, Al'")
            .toString();
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/logs.mdb");
        Database::open(m_path).exec(
            "INSERT INTO Vellagons (Client, [Beginning Time], [Ending Time]) VALUES "
            "('Adams, Al', '2005-08-24 10:05:00', '2005-08-24 11:35:00'), "
            "('Baker, Bo', '2005-08-25 09:00:00', NULL)");
    }

    // Each way of typing a date, and what the file then holds; a text that is no date is
    // refused naming the box, and the file keeps what it had.
    void aDateIsStoredAsTyped_data() {
        QTest::addColumn<bool>("withTime");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");

        const auto day = [](const char* name, const char* way, const char* typed,
                            const char* expected, const char* message = "") {
            QTest::newRow(name) << false << way << typed << expected << message;
        };
        day("after Tab", "tab", "3/15/2026", "2026-03-15 00:00:00");
        day("over Ctrl+A", "all", "3/15/2026", "2026-03-15 00:00:00");
        day("over Ctrl+A, parts of one digit", "all", "1/5/2027", "2027-01-05 00:00:00");
        day("over Ctrl+A, leading zeros", "all", "03/05/2026", "2026-03-05 00:00:00");
        day("after a click into the month", "month", "3/15/2026", "2026-03-15 00:00:00");
        day("after a click into the day", "day", "3/15/2026", "2026-03-15 00:00:00");
        day("after a click into the year", "year", "3/15/2026", "2026-03-15 00:00:00");
        day("the clicked section alone", "year", "2027", "2027-08-24 00:00:00");
        const char* refused = "The Ending date box takes a date such as 3/15/2026: \"%1\" is "
                              "not one.";
        day("no such day", "all", "2/30/2026", "2005-08-24 11:35:00", refused);
        day("no such month", "month", "13/1/2026", "2005-08-24 11:35:00", refused);
        day("a year of two digits", "all", "3/15/26", "2005-08-24 11:35:00", refused);

        const auto time = [](const char* name, const char* way, const char* typed,
                             const char* expected, const char* message = "") {
            QTest::newRow(name) << true << way << typed << expected << message;
        };
        time("time after Tab", "tab", "11/15/2026 09:30 PM", "2026-11-15 21:30:00");
        time("time over Ctrl+A", "all", "3/15/2026 9:05 AM", "2026-03-15 09:05:00");
        time("time with its mark's first letter", "all", "3/15/2026 9:05 p", "2026-03-15 21:05:00");
        time("time after a click into the month", "month", "12/25/2027 12:00 PM",
             "2027-12-25 12:00:00");
        time("time after a click into the day", "day", "1/5/2027 1:05 AM", "2027-01-05 01:05:00");
        time("a 24-hour time", "all", "3/15/2026 13:05", "2026-03-15 13:05:00");
        time("a 24-hour time with a mark", "all", "3/15/2026 13:05 PM", "2005-08-24 10:05:00",
             "The Beginning Time box takes a date and time such as 3/15/2026 09:05 AM: \"%1\" "
             "is not one.");
    }

    void aDateIsStoredAsTyped() {
        QFETCH(bool, withTime);
        QFETCH(QString, way);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        const QString column = withTime ? "Beginning Time" : "Ending Time";
        Window w(m_path);
        DateBox* box = withTime ? w.time : w.day;
        const QString before = box->text();
        ScriptedDialogs dialogs;
        start(box, way);
        typeOnKeyboard(box, typed);
        QTest::keyClick(box, Qt::Key_Tab); // a whole date not finished yet is taken on leaving
        w.other->setFocus();
        if (message.isEmpty()) {
            QCOMPARE(dialogs.messages(), QStringList());
        } else {
            QCOMPARE(dialogs.messages(), QStringList{message.arg(typed)});
            QCOMPARE(box->text(), before);
        }
        QVERIFY(w.control->MoveNext());
        QCOMPARE(stored(column), expected);
    }

    // Section by section, each clicked into; the sections not typed keep their values.
    void sectionBySection() {
        Window w(m_path);
        w.day->setFocus();
        clickAt(w.day, 0);
        QTest::keyClicks(w.day, "3");
        clickAt(w.day, 2);
        QTest::keyClicks(w.day, "15");
        clickAt(w.day, 5);
        QTest::keyClicks(w.day, "2026");
        QCOMPARE(w.day->date(), QDate(2026, 3, 15));
        w.time->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(w.time, "3");
        QTest::keyClick(w.time, Qt::Key_Right);
        // The mark's first letter alone is the mark.
        clickAt(w.time, int(w.time->text().indexOf('M')) - 1);
        QTest::keyClicks(w.time, "p");
        w.other->setFocus();
        QVERIFY(w.control->MoveNext());
        QCOMPARE(stored("Ending Time"), "2026-03-15 00:00:00");
        QCOMPARE(stored("Beginning Time"), "2005-03-24 22:05:00");
    }

    // A paste is a whole date, in the box's form or the program's other ones, whatever part
    // of the text is selected; a paste that is no date changes nothing.
    void aPastedDateIsTheDate() {
        Window w(m_path);
        ScriptedDialogs dialogs;
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText("3/15/2026");
        w.day->setFocus();
        clickAt(w.day, 2);
        QTest::keyClick(w.day, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.day->date(), QDate(2026, 3, 15));
        clipboard->setText(" 2026-04-16 ");
        QTest::keyClick(w.day, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(w.day->date(), QDate(2026, 4, 16));
        clipboard->setText("3/15/2026 9:05 PM");
        w.time->setFocus();
        QTest::keyClick(w.time, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w.time, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.time->dateTime(), QDateTime(QDate(2026, 3, 15), QTime(21, 5)));

        // The context menu's Paste too.
        clipboard->setText("5/17/2026");
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions())
                if (action->text().startsWith("&Paste"))
                    action->trigger();
            menu->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                w.day->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(w.day, &click);
        QCOMPARE(w.day->date(), QDate(2026, 5, 17));

        clipboard->clear(); // nothing to paste: nothing happens
        QTest::keyClick(w.day, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dialogs.messages(), QStringList());
        clipboard->setText("hello");
        QTest::keyClick(w.day, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dialogs.messages(),
                 QStringList{"The Ending date box takes a date such as 3/15/2026: \"hello\" is "
                             "not one."});
        QCOMPARE(w.day->date(), QDate(2026, 5, 17));
        QVERIFY(w.control->MoveNext());
        QCOMPARE(stored("Ending Time"), "2026-05-17 00:00:00");
        QCOMPARE(stored("Beginning Time"), "2026-03-15 21:05:00");
    }

    // A whole date typed and not finished is taken, or refused, before a window reads the
    // box; a refused one is not written.
    void aDateBeingTypedIsTakenBeforeItIsRead() {
        Window w(m_path);
        ScriptedDialogs dialogs;
        w.time->setFocus();
        QTest::keyClick(w.time, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w.time, "3/15/2026 14:20");
        QVERIFY(w.time->commitTyping());
        QCOMPARE(w.time->dateTime(), QDateTime(QDate(2026, 3, 15), QTime(14, 20)));
        QTest::keyClick(w.time, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w.time, "4/1/2026 25:00");
        QVERIFY(!w.control->MoveNext()); // the refusal keeps the row
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(w.time->dateTime(), QDateTime(QDate(2026, 3, 15), QTime(14, 20)));
        QVERIFY(w.control->MoveNext());
        QCOMPARE(stored("Beginning Time"), "2026-03-15 14:20:00");

        // An empty box that is typed a date that does not exist stays empty.
        QVERIFY(w.day->isNull()); // Baker's log has no ending
        w.day->setFocus();
        QTest::keyClicks(w.day, "2/30/2026");
        QCOMPARE(dialogs.messages().size(), 2);
        QVERIFY(w.day->isNull());
        QVERIFY(w.control->MovePrevious());
        QVERIFY(Database::open(m_path)
                    .scalar("SELECT [Ending Time] FROM Vellagons WHERE Client = 'Baker, Bo'")
                    .isNull());
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestDateBox)
#include "test_date_box.moc"
