#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "platform/data/Clock.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/widgets/BoundField.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/DateBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {

// A window as the program's browsing windows build one: boxes bound to a data control.
struct Window {
    QWidget widget;
    DataControl* control = new DataControl(&widget);
    QLineEdit* client = new QLineEdit(&widget);
    QLineEdit* rate = new QLineEdit(&widget);
    QLineEdit* begin = new QLineEdit(&widget);
    QLineEdit* duration = new QLineEdit(&widget);
    QLineEdit* fee = new QLineEdit(&widget);
    QTextEdit* notes = new QTextEdit(&widget);
    QTextEdit* graphic = new QTextEdit(&widget);
    DateBox* ending = new DateBox(&widget);
    QLineEdit* phone = new QLineEdit(&widget);
    QComboBox* employee = new QComboBox(&widget);
    DataNavigator* navigator = new DataNavigator(control, &widget);

    explicit Window(const QString& path) {
        auto* layout = new QVBoxLayout(&widget);
        for (QWidget* w :
             std::initializer_list<QWidget*>{client, rate, begin, duration, fee, notes, graphic,
                                             ending, phone, employee, navigator})
            layout->addWidget(w);
        ending->setDisplayFormat("yyyy-MM-dd HH:mm:ss");
        employee->setEditable(true);
        employee->addItems({"Doe, Al", "Roe, Kim"});
        bindFields(control, {
                                {client, "Client"},
                                {rate, "Rate"},
                                {begin, "Beginning Time", BoundField::Date},
                                {duration, "Duration", BoundField::Number},
                                {fee, "Fee", BoundField::Money, "\"$\"#,##0.00"},
                                {notes, "Vellagon", BoundField::Memo},
                                {graphic, "VellaGraphic", BoundField::RichText},
                                {ending, "Ending Time", BoundField::Date},
                                {phone, "Log Summary", BoundField::Masked, "(###) ###-####"},
                                {employee, "Employee"},
                            });
        control->setDatabasePath(path);
        control->setRecordSource("Select * from Vellagons order by [Beginning Time]");
        widget.show();
        control->Refresh();
    }
};

} // namespace

class TestBoundField : public QObject {
    Q_OBJECT

    QString m_path;

    QVariant stored(const QString& sql) { return Database::open(m_path).scalar(sql); }
    // A column of a client's log as stored.
    QVariant of(const QString& column, const QString& client = "Adams, Al") {
        return Database::open(m_path).scalar(
            "SELECT [" + column + "] FROM Vellagons WHERE Client = ?", {client});
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/logs.mdb");
        Database::open(m_path).exec(
            "INSERT INTO Vellagons (Client, Rate, Vellagon, VellaGraphic, [Beginning Time], "
            "[Ending Time], Duration, Fee) VALUES "
            "('Adams, Al', '100', 'line one\nline two', '<p>plain <b>bold</b></p>', "
            "'2005-08-24 10:05:00', '2005-08-24 11:35:00', 1.5, 150), "
            "('Baker, Bo', '50', NULL, NULL, '2005-08-25 09:00:00', NULL, NULL, NULL)");
    }

    void boxesShowTheCurrentRow() {
        Window w(m_path);
        QCOMPARE((QStringList{w.client->text(), w.begin->text(), w.duration->text(), w.fee->text(),
                              w.notes->toPlainText(), w.graphic->toPlainText()}),
                 (QStringList{"Adams, Al", "8/24/2005 10:05:00 AM", "1.5", "$150.00",
                              "line one\nline two", "plain bold"}));
        QCOMPARE(w.ending->dateTime(), QDateTime(QDate(2005, 8, 24), QTime(11, 35)));
        const QDateTime shown = w.ending->dateTime();

        // Nulls show blank; past the end every box is empty.
        QVERIFY(w.control->MoveNext());
        QCOMPARE(w.duration->text(), QString());
        QCOMPARE(w.notes->toPlainText(), QString());
        QCOMPARE(w.ending->text(), " ");
        QVERIFY(w.control->MovePrevious());
        QVERIFY(w.control->MoveLast() && w.control->MoveNext());
        QVERIFY(w.control->isEOF());
        QCOMPARE(w.client->text(), QString());
        QCOMPARE(w.begin->text(), QString());
        QCOMPARE(w.ending->text(), " ");
        QVERIFY(w.control->MoveFirst());
        QCOMPARE(w.ending->dateTime(), shown);
    }

    // Past either end, and once its row is deleted, the date box is as empty as the other
    // boxes rather than show a row that is not there; before any row it keeps what its window
    // gave it.
    void aDateBoxShowsNoDateWithoutARow() {
        Database::open(m_path).exec("DELETE FROM Vellagons WHERE Client = 'Baker, Bo'");
        Window w(m_path);
        QCOMPARE(w.ending->date(), QDate(2005, 8, 24));
        QVERIFY(w.control->MovePrevious());
        QVERIFY(w.control->isBOF());
        QVERIFY(w.ending->isNull());
        QVERIFY(w.control->MoveFirst());
        QCOMPARE(w.ending->date(), QDate(2005, 8, 24));
        QVERIFY(w.control->Delete());
        QCOMPARE(w.client->text(), QString());
        QVERIFY(w.ending->isNull());

        auto* preset = new DateBox(&w.widget);
        preset->setValue(QDateTime(QDate(2024, 3, 5), QTime(9, 15)));
        new BoundField(preset, w.control, "Ending Time");
        QCOMPARE(preset->date(), QDate(2024, 3, 5));
    }

    // Typing without a row to write it to would be dropped at the next move without a word.
    void withoutACurrentRowNoBoxTakesTyping() {
        Database::open(m_path).exec("DELETE FROM Vellagons");
        Window w(m_path);
        auto* fixed = new QLineEdit(&w.widget);
        fixed->setReadOnly(true); // the window's own choice, which its binding keeps
        new BoundField(fixed, w.control, "Rate");
        const QList<QWidget*> boxes{w.client, w.notes, w.ending, w.employee};
        const auto takesTyping = [&] {
            QStringList open;
            for (QWidget* box : boxes) {
                const auto* line = qobject_cast<QLineEdit*>(box);
                const auto* text = qobject_cast<QTextEdit*>(box);
                const auto* date = qobject_cast<DateBox*>(box);
                if (line   ? !line->isReadOnly()
                    : text ? !text->isReadOnly()
                    : date ? !date->isReadOnly()
                           : box->isEnabled())
                    open << box->metaObject()->className();
            }
            return open;
        };
        QCOMPARE(takesTyping(), QStringList());
        TestSupport::typeOver(w.client, "Typed, Tom");
        QCOMPARE(w.client->text(), QString());

        // A row appears: the boxes take typing, and what is typed is written.
        Database::open(m_path).exec("INSERT INTO Vellagons (Client, [Beginning Time]) VALUES "
                                    "('Adams, Al', '2005-08-24 10:05:00')");
        QVERIFY(w.control->Refresh());
        QCOMPARE(takesTyping().size(), boxes.size());
        QVERIFY(fixed->isReadOnly());
        TestSupport::typeOver(w.client, "Typed, Tom");
        QVERIFY(w.control->MoveNext()); // past the end: written, then locked again
        QCOMPARE(of("Client", "Typed, Tom").toString(), "Typed, Tom");
        QCOMPARE(takesTyping(), QStringList());
        QVERIFY(fixed->isReadOnly());
    }

    void onlyWhatTheUserTypedIsWritten() {
        Window w(m_path);
        // Another window changes a bound column after this one showed it: showing it again is
        // not an edit, so moving on does not write it back.
        Database::open(m_path).exec("UPDATE Vellagons SET Rate = '175', "
                                    "Vellagon = 'theirs' WHERE Client = 'Adams, Al'");
        TestSupport::typeOver(w.client, "Adams, Alma");
        w.notes->setPlainText("set by the program, not typed");
        QVERIFY(w.control->MoveNext());
        QCOMPARE(stored("SELECT Client || '|' || Rate || '|' || Vellagon FROM "
                        "Vellagons ORDER BY [Beginning Time] LIMIT 1"),
                 "Adams, Alma|175|theirs");

        // Typed text, typed notes and typed formatting; a cleared text box stores "".
        QVERIFY(w.control->MoveFirst());
        TestSupport::typeOver(w.notes, "new notes");
        TestSupport::typeOver(w.graphic, "drawn");
        TestSupport::typeOver(w.rate, QString());
        QVERIFY(w.control->MoveLast());
        QCOMPARE(of("Vellagon", "Adams, Alma"), "new notes");
        const QString html = of("VellaGraphic", "Adams, Alma").toString();
        QVERIFY2(html.startsWith("<!DOCTYPE HTML") && html.contains("drawn"), qPrintable(html));
        QCOMPARE(stored("SELECT Rate IS NOT NULL AND Rate = '' FROM Vellagons "
                        "WHERE Client = 'Adams, Alma'"),
                 1);
    }

    void aValueThatDoesNotConvertIsRefused() {
        ScriptedDialogs dialogs;
        Window w(m_path);
        TestSupport::typeOver(w.duration, "abc");
        w.client->setFocus();
        QVERIFY(!w.control->MoveNext());
        QCOMPARE(dialogs.lastMessage(), "The value \"abc\" is not a valid number for Duration.");
        QCOMPARE(w.control->AbsolutePosition(), 1);
        QCOMPARE(w.duration->text(), "abc");
        QCOMPARE(w.widget.focusWidget(), static_cast<QWidget*>(w.duration));
        QCOMPARE(of("Duration"), 1.5);

        TestSupport::typeOver(w.duration, QString()); // an empty number box stores no value
        TestSupport::typeOver(w.begin, "someday");
        TestSupport::typeOver(w.fee, "lots");
        QVERIFY(!w.control->MoveNext());
        QCOMPARE(dialogs.lastMessage(),
                 "The value \"someday\" is not a valid date for Beginning Time.");
        QCOMPARE(w.begin->text(), "someday");
        TestSupport::typeOver(w.begin, QString());
        QVERIFY(!w.control->MoveNext());
        QCOMPARE(dialogs.lastMessage(), "The value \"lots\" is not a valid amount for Fee.");
        w.control->CancelUpdate();
        QVERIFY(!w.begin->text().isEmpty());
        TestSupport::typeOver(w.duration, QString());
        QVERIFY(w.control->MoveNext());
        QVERIFY(of("Duration").isNull());
        QCOMPARE(dialogs.messages().size(), 3);
    }

    void typedDatesAndNumbersAreStoredInTheirForms() {
        Window w(m_path);
        TestSupport::typeOver(w.begin, "7/4/2005 1:30:00 PM");
        TestSupport::typeOver(w.duration, "2.25");
        TestSupport::typeOver(w.fee, "$1,234.56789");
        QVERIFY(w.control->Update());
        QCOMPARE(w.begin->text(), "7/4/2005 1:30:00 PM");
        QCOMPARE(w.fee->text(), "$1,234.57");
        QCOMPARE(stored("SELECT [Beginning Time] || '|' || Duration || '|' || Fee "
                        "FROM Vellagons WHERE Client = 'Adams, Al'"),
                 "2005-07-04 13:30:00|2.25|1234.5679");
    }

    // Amounts are read as exact decimals, a fifth decimal of 5 rounding to the even neighbour:
    // as doubles, 0.00015 x 10000 is 1.4999... and 0.00305 x 10000 is 30.5000...1.
    void amountsAreReadExactly() {
        ScriptedDialogs dialogs;
        Window w(m_path);
        for (const auto& [typed, kept] : {std::pair{"$1,234.50", 1234.5},
                                          {"1234.5", 1234.5},
                                          {"0.00015", 0.0002},
                                          {"0.00305", 0.003},
                                          {"-$0.29", -0.29},
                                          {" 36.663 ", 36.663}}) {
            TestSupport::typeOver(w.fee, typed);
            QVERIFY2(w.control->Update(), typed);
            QCOMPARE(of("Fee").toDouble(), kept);
        }
        TestSupport::typeOver(w.fee, "12x");
        QVERIFY(!w.control->Update());
        QCOMPARE(dialogs.lastMessage(), "The value \"12x\" is not a valid amount for Fee.");
        QCOMPARE(of("Fee").toDouble(), 36.663);
        QCOMPARE(dialogs.messages().size(), 1);
    }

    // A masked box stores nothing while no place is filled, never its literals alone; a filled
    // one stores its text as shown, up to the last place typed.
    void aMaskedBoxStoresWhatItShows() {
        Window w(m_path);
        QCOMPARE(w.phone->displayText(), "(___) ___-____");
        TestSupport::typeOver(w.phone, "5551234567");
        QVERIFY(w.control->MoveNext());
        QCOMPARE(of("Log Summary"), "(555) 123-4567");
        QVERIFY(w.control->MovePrevious());
        QCOMPARE(w.phone->displayText(), "(555) 123-4567");
        TestSupport::typeOver(w.phone, QString());
        QVERIFY(w.control->Update());
        QCOMPARE(of("Log Summary"), "");
        w.phone->setFocus();
        w.phone->setCursorPosition(0);
        QTest::keyClicks(w.phone, "55512");
        QVERIFY(w.control->Update());
        QCOMPARE(of("Log Summary"), "(555) 12");
        // A place left blank keeps its place when the row comes back.
        Database::open(m_path).exec("UPDATE Vellagons SET [Log Summary] = '(5 5) 1' "
                                    "WHERE Client = 'Adams, Al'");
        QVERIFY(w.control->Refresh());
        QCOMPARE(w.phone->displayText(), "(5_5) 1__-____");
        // Digits alone, stored by someone else, fill the places in order.
        Database::open(m_path).exec("UPDATE Vellagons SET [Log Summary] = '5551234567'");
        QVERIFY(w.control->Refresh());
        QCOMPARE(w.phone->displayText(), "(555) 123-4567");
    }

    void aComboBoxWritesOnlyWhatTheUserChose() {
        Window w(m_path);
        QCOMPARE(w.employee->currentText(), QString()); // NULL
        // Refilling the list is no edit.
        w.employee->clear();
        w.employee->addItems({"Doe, Al", "Roe, Kim"});
        QVERIFY(w.control->MoveNext());
        QVERIFY(of("Employee").isNull());
        QVERIFY(w.control->MovePrevious());
        w.employee->setFocus();
        QTest::keyClicks(w.employee, "Ng, Bo");
        QVERIFY(w.control->MoveNext());
        QCOMPARE(of("Employee"), "Ng, Bo");
        QTest::keyClick(w.employee, Qt::Key_Down); // chooses the next item of the list
        QVERIFY(w.control->MovePrevious());
        QCOMPARE(of("Employee", "Baker, Bo"), "Doe, Al");
        QCOMPARE(w.employee->currentText(), "Ng, Bo");
    }

    // A date box holds Null: Delete empties it and writes NULL; an empty box that the user
    // starts typing in, or steps, starts from the present.
    void aDateBoxHoldsAndWritesNull() {
        Clock::setNow(QDateTime(QDate(2024, 3, 5), QTime(9, 15)));
        Window w(m_path);
        w.ending->setFocus();
        QTest::keyClick(w.ending, Qt::Key_Delete);
        QVERIFY(w.ending->isNull());
        QCOMPARE(w.ending->text(), " ");
        QVERIFY(w.control->MoveNext());
        QVERIFY(of("Ending Time").isNull());
        QVERIFY(w.ending->isNull()); // Baker's has none either
        QTest::keyClick(w.ending, Qt::Key_Up);
        QCOMPARE(w.ending->value(), QVariant(QDateTime(QDate(2024, 3, 5), QTime(9, 15))));
        QTest::keyClick(w.ending, Qt::Key_Delete);
        QTest::keyClicks(w.ending, "2023");
        QCOMPARE(w.ending->date(), QDate(2023, 3, 5));
        QVERIFY(w.control->MovePrevious());
        QCOMPARE(of("Ending Time", "Baker, Bo"), "2023-03-05 09:15:00");
    }

    void aDatePickerStoresTheStoredForm() {
        Window w(m_path);
        w.ending->setFocus();
        w.ending->setCurrentSection(QDateTimeEdit::YearSection);
        QTest::keyClick(w.ending, Qt::Key_Up);
        QVERIFY(w.control->MoveNext());
        QCOMPARE(of("Ending Time"), "2006-08-24 11:35:00");
        // Moving over rows with and without a date is no edit of the picker.
        QVERIFY(w.control->MovePrevious());
        QVERIFY(w.control->MoveNext());
        QVERIFY(of("Ending Time", "Baker, Bo").isNull());
    }

    void aFailedWriteKeepsTheTypedText() {
        ScriptedDialogs dialogs;
        Window w(m_path);
        QSignalSpy errors(w.control, &DataControl::error);
        TestSupport::typeOver(w.rate, "12345678901");
        QVERIFY(!w.control->MoveNext());
        QCOMPARE(errors.size(), 1);
        QCOMPARE(w.rate->text(), "12345678901");
        QVERIFY(dialogs.messages().isEmpty()); // a move made by code reports to the code

        // The navigator's own move shows the error after the window's handler has.
        connect(w.control, &DataControl::error, this, [](int, const QString& description) {
            Dialogs::msgBox(QStringLiteral("Error in data control Adodc1:") + description);
        });
        const QString tooLong = "The text is too long for the field Rate (at most 10 characters).";
        w.navigator->next();
        QCOMPARE(dialogs.messages(),
                 (QStringList{QStringLiteral("Error in data control Adodc1:") + tooLong, tooLong}));
        w.navigator->setShowsErrors(false);
        w.navigator->last();
        QCOMPARE(dialogs.messages().size(), 3);
        QCOMPARE(w.control->AbsolutePosition(), 1);
        TestSupport::typeOver(w.rate, "125");
        QVERIFY(w.control->MoveNext());
        QCOMPARE(of("Rate"), "125");
    }

    void closingTheWindowWritesTheEdit() {
        ScriptedDialogs dialogs;
        int writes = 0;
        {
            Window w(m_path);
            w.control->setBeforeCommit([&](QVariantMap&, const QSqlRecord&) {
                ++writes;
                return true;
            });
            TestSupport::typeOver(w.duration, "abc");
            QVERIFY(!w.widget.close()); // refused: the window stays with the text
            QVERIFY(w.widget.isVisible());
            w.control->CancelUpdate();
            TestSupport::typeOver(w.client, "Closed, Cy");
            QVERIFY(w.widget.close());
        }
        QCOMPARE(of("Client", "Closed, Cy"), "Closed, Cy");
        QCOMPARE(writes, 1); // written once, at the close, not again when destroyed
        // Destroyed without closing: the edit is written all the same.
        {
            Window w(m_path);
            TestSupport::typeOver(w.client, "Gone, Gil");
        }
        QCOMPARE(of("Client", "Gone, Gil"), "Gone, Gil");
    }

    void theNavigatorComesBackFromEitherEnd() {
        Window w(m_path);
        QSignalSpy moves(w.control, &DataControl::moveComplete);
        const auto click = [&](const char* button) {
            w.navigator->findChild<QToolButton*>(button)->click();
            QList<int> reasons;
            for (const QList<QVariant>& m : moves)
                reasons << m.at(0).toInt();
            moves.clear();
            return reasons;
        };
        using DC = DataControl;
        QCOMPARE(click("previous"), (QList<int>{DC::adRsnMovePrevious, DC::adRsnMoveFirst}));
        QCOMPARE(w.client->text(), "Adams, Al");
        QCOMPARE(click("next"), QList<int>{DC::adRsnMoveNext});
        QCOMPARE(click("next"), (QList<int>{DC::adRsnMoveNext, DC::adRsnMoveLast}));
        QCOMPARE(w.client->text(), "Baker, Bo");
        QCOMPARE(click("first"), QList<int>{DC::adRsnMoveFirst});
        QCOMPARE(click("last"), QList<int>{DC::adRsnMoveLast});

        Database::open(m_path).exec("DELETE FROM Vellagons");
        QVERIFY(w.control->Refresh());
        moves.clear();
        QCOMPARE(click("next"), QList<int>{DC::adRsnMoveLast});
        QCOMPARE(click("previous"), QList<int>{DC::adRsnMoveFirst});
        QVERIFY(w.control->isBOF() && w.control->isEOF());
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestBoundField)
#include "test_bound_field.moc"
