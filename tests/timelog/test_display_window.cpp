#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "core/SharedState.h"
#include "platform/DataControl.h"
#include "platform/Database.h"
#include "platform/RichText.h"
#include "timelog/DisplayRules.h"
#include "timelog/frmDisplay.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>

namespace {

QString addLog(const QString& path, const QString& client, const QString& begin,
               const QString& rate = QString(), double duration = 1.0) {
    Fixtures::execRaw(
        path, {QStringLiteral(
                   "INSERT INTO Vellagons (Client, [Beginning Time], [Ending Time], Rate, "
                   "Duration, Fee, Vellagon) VALUES ('%1', '%2', '%2', '%3', %4, 0, 'notes of %1')")
                   .arg(client, begin, rate)
                   .arg(duration)});
    return client;
}

void edit(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class TestDisplayWindow : public QObject {
    Q_OBJECT

    QString m_path;

    std::unique_ptr<frmDisplay> open() {
        gstrDatabasePath = m_path;
        auto w = std::make_unique<frmDisplay>();
        w->resize(900, 700);
        w->show();
        return w;
    }

    QVariant stored(const QString& sql) { return Database::open(m_path).scalar(sql); }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/logs.mdb");
        gstrDisplayFontName = "MS Sans Serif";
        gstrDisplayFontSize = "12";
    }

    void sliderArithmetic() {
        QCOMPARE(DisplayRules::sliderValue(false, false, 1, 3, 100), 0);
        QCOMPARE(DisplayRules::sliderValue(false, false, 2, 3, 100), 67);
        QCOMPARE(DisplayRules::sliderValue(false, false, 3, 3, 100), 100);
        QCOMPARE(DisplayRules::sliderValue(true, true, -1, 0, 100), 0);
        QCOMPARE(DisplayRules::sliderValue(false, true, -3, 3, 100), 100);
        // CLng rounds halves to even: 1/8 of 100 is 12.5 -> 12, 3/8 is 37.5 -> 38.
        QCOMPARE(DisplayRules::sliderValue(false, false, 1 + 0, 8, 100), 0);
        QCOMPARE(DisplayRules::sliderValue(false, false, 3, 8, 100), 38);
        QCOMPARE(DisplayRules::positionForSlider(0, 100, 3), std::optional<int>());
        QCOMPARE(DisplayRules::positionForSlider(50, 100, 3), std::optional<int>(2));
        QCOMPARE(DisplayRules::positionForSlider(25, 100, 10), std::optional<int>(2)); // 2.5 -> 2
    }

    void feeMessages() {
        QCOMPARE(DisplayRules::feeMessage("50", "2.5"),
                 std::optional<QString>("Fee for services is $125"));
        QCOMPARE(DisplayRules::feeMessage("75", "1.5"),
                 std::optional<QString>("Fee for services is $112.5"));
        QCOMPARE(DisplayRules::feeMessage(QString(), "2.5"), std::optional<QString>());
        QCOMPARE(DisplayRules::feeMessage("fifty", "2.5"), std::optional<QString>());
    }

    void anEmptyFileOpensQuietly() {
        ScriptedDialogs dialogs;
        gvarBeginDate = "kept";
        auto w = open();
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(gvarBeginDate.toString(), "kept");
        QCOMPARE(w->Slider1->value(), 0);
        QCOMPARE(w->path(), m_path);
        // Even a tiny window raises nothing.
        w->resize(30, 20);
        w->resize(2, 2);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void opensOnTheNewestLogAndTracksThePosition() {
        addLog(m_path, "B", "2025-02-01 09:00:00");
        addLog(m_path, "C", "2025-03-01 09:00:00");
        addLog(m_path, "A", "2025-01-01 09:00:00");
        auto w = open();
        QCOMPARE(w->Text1->text(), "C");
        QCOMPARE(w->Slider1->value(), 100);
        QCOMPARE(gvarBeginDate.toDateTime(), QDateTime(QDate(2025, 1, 1), QTime(9, 0)));
        QCOMPARE(gvarEndDate.toDateTime(), QDateTime(QDate(2025, 3, 1), QTime(9, 0)));
        QCOMPARE(w->RichTextBox2->toPlainText(), "notes of C");
        w->Adodc1->MoveFirst();
        QCOMPARE(w->Slider1->value(), 0);
        w->Adodc1->MoveNext();
        QCOMPARE(w->Slider1->value(), 67);

        // Releasing the slider at 0 moves nothing; at 50 it goes to the second log.
        w->Adodc1->MoveLast();
        w->Slider1->setValue(0);
        w->Slider1_MouseUp();
        QCOMPARE(w->Slider1->value(), 0);
        QCOMPARE(w->Text1->text(), "C");
        w->Slider1->setValue(50);
        w->Slider1_MouseUp();
        QCOMPARE(w->Text1->text(), "B");
        QCOMPARE(w->Slider1->value(), 67);

        // A delete leaves the slider; the next move sets it.
        w->Adodc1->Delete();
        QCOMPARE(w->Slider1->value(), 67);
        w->Adodc1->MoveLast();
        QCOMPARE(w->Slider1->value(), 100);
    }

    void leavingTheRateBoxShowsTheFee() {
        addLog(m_path, "A", "2025-01-01 09:00:00", "50", 2.5);
        auto w = open();
        w->Text4_LostFocus();
        QCOMPARE(w->Label1->text(), "Fee for services is $125");
        QCOMPARE(gstrRate, "50");
        QCOMPARE(stored("SELECT Fee FROM Vellagons"), 0.0); // shown only
        w->Label1->setText("before");
        w->Text4->setText("n/a"); // no fee to show: the status stays
        w->Text4_LostFocus();
        QCOMPARE(w->Label1->text(), "before");
    }

    void statusHints() {
        addLog(m_path, "A", "2025-01-01 09:00:00");
        auto w = open();
        gstrFrame1Caption = "Matter";
        const auto hover = [](QWidget* target) {
            QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &move);
        };
        hover(w->Text1);
        QCOMPARE(w->Label1->text(), "Matter");
        hover(w->Slider1);
        QCOMPARE(w->Label1->text(), "  Use this slider to navigate through 1 Vellagon records  ");
        hover(w->Toolbar1);
        QCOMPARE(w->Label1->text(), "  " + m_path + "  ");
    }

    void focusLossKeepsATypedEditAndShowsNewLogs() {
        addLog(m_path, "A", "2025-01-01 09:00:00");
        auto w = open();
        edit(w->Text5, "typed, not yet committed");
        addLog(m_path, "Z", "2025-06-01 09:00:00");
        w->Form_LostFocus();
        QCOMPARE(stored("SELECT [Log Summary] FROM Vellagons WHERE Client = 'A'").toString(),
                 "typed, not yet committed");
        QCOMPARE(w->Adodc1->RecordCount(), 2);
        QCOMPARE(w->Text1->text(), "A"); // still on the log it showed
    }

    void changingRateOrDurationStoresTheFee() {
        addLog(m_path, "A", "2025-01-01 09:00:00", "100", 1.0);
        auto w = open();
        edit(w->Text4, "33.33");
        edit(w->Text8, "1.1");
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored("SELECT Fee FROM Vellagons"), 36.663);
        edit(w->Text8, "2");
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored("SELECT Fee FROM Vellagons"), 66.66);
        // A rate that is no number leaves the fee as it was.
        edit(w->Text4, "tbd");
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored("SELECT Rate || ' ' || Fee FROM Vellagons"), "tbd 66.66");
    }

    // The duration and beginning boxes are bound as a number and a date: text is refused and
    // stays for correction.
    void textThatIsNoNumberOrDateIsRefused() {
        addLog(m_path, "A", "2025-01-01 09:00:00", "100", 1.5);
        auto w = open();
        ScriptedDialogs dialogs;
        edit(w->Text8, "an hour");
        QVERIFY(!w->Adodc1->Update());
        QCOMPARE(w->Text8->text(), "an hour");
        w->Adodc1->CancelUpdate();
        edit(w->Text7, "yesterday");
        QVERIFY(!w->Adodc1->MoveFirst());
        QCOMPARE(dialogs.messages().size(), 2);
        QCOMPARE(stored("SELECT [Beginning Time] || Duration FROM Vellagons"),
                 "2025-01-01 09:00:001.5");
    }

    void picturesInTheGraphicsViewSurviveAnEdit() {
        addLog(m_path, "A", "2025-01-01 09:00:00");
        QImage image(8, 8, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QTextDocument source;
        QTextCursor(&source).insertText("Before the picture ");
        source.addResource(QTextDocument::ImageResource, QUrl("pic"), image);
        QTextCursor(&source).insertImage("pic");
        Database::open(m_path).exec("UPDATE Vellagons SET VellaGraphic = ?",
                                    {RichText::toStoredHtml(source)});
        auto w = open();
        w->mnuGraphics_Click();
        QTextCursor cursor(w->RichTextBox1->document());
        cursor.movePosition(QTextCursor::End);
        w->RichTextBox1->setTextCursor(cursor);
        QTest::keyClicks(w->RichTextBox1, " and after");
        QVERIFY(w->Adodc1->Update());
        const QString html = stored("SELECT VellaGraphic FROM Vellagons").toString();
        QVERIFY(html.contains("data:image/png;base64,"));
        QVERIFY(html.contains("and after"));
    }

    void aFileThatCannotBeReadIsReported() {
        ScriptedDialogs dialogs;
        m_path = Fixtures::writeFile(TestSupport::newFolder() + "/letter.mdb", "Dear Sir");
        auto w = open();
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.lastMessage().endsWith(" in loading display form."));
        QCOMPARE(w->path(), m_path);
    }
};

VELLAGON_TEST_MAIN(TestDisplayWindow)
#include "test_display_window.moc"
