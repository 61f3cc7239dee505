#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "platform/BoundField.h"
#include "platform/DataControl.h"
#include "platform/DataNavigator.h"
#include "platform/Database.h"

#include <QDateTimeEdit>
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
    QDateTimeEdit* ending = new QDateTimeEdit(&widget);
    DataNavigator* navigator = new DataNavigator(control, &widget);

    explicit Window(const QString& path) {
        auto* layout = new QVBoxLayout(&widget);
        for (QWidget* w : std::initializer_list<QWidget*>{client, rate, begin, duration, fee, notes,
                                                          graphic, ending, navigator})
            layout->addWidget(w);
        ending->setDisplayFormat("yyyy-MM-dd HH:mm:ss");
        new BoundField(client, control, "Client");
        new BoundField(rate, control, "Rate");
        new BoundField(begin, control, "Beginning Time", BoundField::Date);
        new BoundField(duration, control, "Duration", BoundField::Number);
        new BoundField(fee, control, "Fee", BoundField::Currency);
        new BoundField(notes, control, "Vellagon", BoundField::Memo);
        new BoundField(graphic, control, "VellaGraphic", BoundField::RichText);
        new BoundField(ending, control, "Ending Time");
        control->setDatabasePath(path);
        control->setRecordSource("Select * from Vellagons order by [Beginning Time]");
        widget.show();
        control->Refresh();
    }
};

// Replaces a box's text as a user does: select everything, type.
void type(QWidget* box, const QString& text) {
    box->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->selectAll();
    if (auto* edit = qobject_cast<QTextEdit*>(box))
        edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

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
                 (QStringList{"Adams, Al", "8/24/2005 10:05:00 AM", "1.5", "150",
                              "line one\nline two", "plain bold"}));
        QCOMPARE(w.ending->dateTime(), QDateTime(QDate(2005, 8, 24), QTime(11, 35)));
        const QDateTime shown = w.ending->dateTime();

        // Nulls show blank; past the end every box is empty and the picker stays as it was.
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

    void onlyWhatTheUserTypedIsWritten() {
        Window w(m_path);
        // Another window changes a bound column after this one showed it: showing it again is
        // not an edit, so moving on does not write it back.
        Database::open(m_path).exec("UPDATE Vellagons SET Rate = '175', "
                                    "Vellagon = 'theirs' WHERE Client = 'Adams, Al'");
        type(w.client, "Adams, Alma");
        w.notes->setPlainText("set by the program, not typed");
        QVERIFY(w.control->MoveNext());
        QCOMPARE(stored("SELECT Client || '|' || Rate || '|' || Vellagon FROM "
                        "Vellagons ORDER BY [Beginning Time] LIMIT 1"),
                 "Adams, Alma|175|theirs");

        // Typed text, typed notes and typed formatting; a cleared text box stores "".
        QVERIFY(w.control->MoveFirst());
        type(w.notes, "new notes");
        type(w.graphic, "drawn");
        type(w.rate, QString());
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
        type(w.duration, "abc");
        w.client->setFocus();
        QVERIFY(!w.control->MoveNext());
        QCOMPARE(dialogs.lastMessage(), "The value \"abc\" is not a valid number for Duration.");
        QCOMPARE(w.control->AbsolutePosition(), 1);
        QCOMPARE(w.duration->text(), "abc");
        QCOMPARE(w.widget.focusWidget(), static_cast<QWidget*>(w.duration));
        QCOMPARE(of("Duration"), 1.5);

        type(w.duration, QString()); // an empty number box stores no value
        type(w.begin, "someday");
        type(w.fee, "lots");
        QVERIFY(!w.control->MoveNext());
        QCOMPARE(dialogs.lastMessage(),
                 "The value \"someday\" is not a valid date for Beginning Time.");
        QCOMPARE(w.begin->text(), "someday");
        type(w.begin, QString());
        QVERIFY(!w.control->MoveNext());
        QCOMPARE(dialogs.lastMessage(), "The value \"lots\" is not a valid amount for Fee.");
        w.control->CancelUpdate();
        QVERIFY(!w.begin->text().isEmpty());
        type(w.duration, QString());
        QVERIFY(w.control->MoveNext());
        QVERIFY(of("Duration").isNull());
        QCOMPARE(dialogs.messages().size(), 3);
    }

    void typedDatesAndNumbersAreStoredInTheirForms() {
        Window w(m_path);
        type(w.begin, "7/4/2005 1:30:00 PM");
        type(w.duration, "2.25");
        type(w.fee, "$1,234.56789");
        QVERIFY(w.control->Update());
        QCOMPARE(w.begin->text(), "7/4/2005 1:30:00 PM");
        QCOMPARE(stored("SELECT [Beginning Time] || '|' || Duration || '|' || Fee "
                        "FROM Vellagons WHERE Client = 'Adams, Al'"),
                 "2005-07-04 13:30:00|2.25|1234.5679");
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
        type(w.rate, "12345678901");
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
        type(w.rate, "125");
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
            type(w.duration, "abc");
            QVERIFY(!w.widget.close()); // refused: the window stays with the text
            QVERIFY(w.widget.isVisible());
            w.control->CancelUpdate();
            type(w.client, "Closed, Cy");
            QVERIFY(w.widget.close());
        }
        QCOMPARE(of("Client", "Closed, Cy"), "Closed, Cy");
        QCOMPARE(writes, 1); // written once, at the close, not again when destroyed
        // Destroyed without closing: the edit is written all the same.
        {
            Window w(m_path);
            type(w.client, "Gone, Gil");
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

VELLAGON_TEST_MAIN(TestBoundField)
#include "test_bound_field.moc"
