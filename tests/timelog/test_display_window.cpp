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
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/logs.mdb"));
        gstrDisplayFontName = QStringLiteral("MS Sans Serif");
        gstrDisplayFontSize = QStringLiteral("12");
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
        QCOMPARE(DisplayRules::feeMessage(QStringLiteral("50"), QStringLiteral("2.5")),
                 std::optional<QString>(QStringLiteral("Fee for services is $125")));
        QCOMPARE(DisplayRules::feeMessage(QStringLiteral("75"), QStringLiteral("1.5")),
                 std::optional<QString>(QStringLiteral("Fee for services is $112.5")));
        QCOMPARE(DisplayRules::feeMessage(QString(), QStringLiteral("2.5")),
                 std::optional<QString>());
        QCOMPARE(DisplayRules::feeMessage(QStringLiteral("fifty"), QStringLiteral("2.5")),
                 std::optional<QString>());
    }

    void anEmptyFileOpensQuietly() {
        ScriptedDialogs dialogs;
        gvarBeginDate = QStringLiteral("kept");
        auto w = open();
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(gvarBeginDate.toString(), QStringLiteral("kept"));
        QCOMPARE(w->Slider1->value(), 0);
        QCOMPARE(w->Text1->text(), QString());
        QCOMPARE(w->sqlWhereCaption(),
                 QStringLiteral("Select * from Vellagons order by [Beginning Time]"));
        QCOMPARE(w->path(), m_path);
    }

    void opensOnTheNewestLogAndTracksThePosition() {
        addLog(m_path, QStringLiteral("B"), QStringLiteral("2025-02-01 09:00:00"));
        addLog(m_path, QStringLiteral("C"), QStringLiteral("2025-03-01 09:00:00"));
        addLog(m_path, QStringLiteral("A"), QStringLiteral("2025-01-01 09:00:00"));
        auto w = open();
        QCOMPARE(w->Text1->text(), QStringLiteral("C"));
        QCOMPARE(w->Slider1->value(), 100);
        QCOMPARE(gvarBeginDate.toDateTime(), QDateTime(QDate(2025, 1, 1), QTime(9, 0)));
        QCOMPARE(gvarEndDate.toDateTime(), QDateTime(QDate(2025, 3, 1), QTime(9, 0)));
        QCOMPARE(w->RichTextBox2->toPlainText(), QStringLiteral("notes of C"));
        w->Adodc1->MoveFirst();
        QCOMPARE(w->Slider1->value(), 0);
        w->Adodc1->MoveNext();
        QCOMPARE(w->Slider1->value(), 67);

        // Releasing the slider at 0 moves nothing; at 50 it goes to the second log.
        w->Adodc1->MoveLast();
        w->Slider1->setValue(0);
        w->Slider1_MouseUp();
        QCOMPARE(w->Slider1->value(), 0);
        QCOMPARE(w->Text1->text(), QStringLiteral("C"));
        w->Slider1->setValue(50);
        w->Slider1_MouseUp();
        QCOMPARE(w->Text1->text(), QStringLiteral("B"));
        QCOMPARE(w->Slider1->value(), 67);

        // A delete leaves the slider; the next move sets it.
        w->Adodc1->Delete();
        QCOMPARE(w->Slider1->value(), 67);
        w->Adodc1->MoveLast();
        QCOMPARE(w->Slider1->value(), 100);
    }

    void leavingTheRateBoxShowsTheFee() {
        addLog(m_path, QStringLiteral("A"), QStringLiteral("2025-01-01 09:00:00"),
               QStringLiteral("50"), 2.5);
        auto w = open();
        w->Label1->setText(QStringLiteral("before"));
        w->Text4_LostFocus();
        QCOMPARE(w->Label1->text(), QStringLiteral("Fee for services is $125"));
        QCOMPARE(gstrRate, QStringLiteral("50"));
        w->Label1->setText(QStringLiteral("before"));
        w->Text4->setText(QStringLiteral("n/a"));
        w->Text4_LostFocus();
        QCOMPARE(w->Label1->text(), QStringLiteral("before"));
        w->Text4->clear();
        w->Text4_LostFocus();
        QCOMPARE(w->Label1->text(), QStringLiteral("before"));
        QCOMPARE(stored(QStringLiteral("SELECT Fee FROM Vellagons")).toDouble(), 0.0); // shown only
    }

    void theViewMenuOffersTheOtherView() {
        auto w = open();
        QVERIFY(w->isTextView());
        QVERIFY(w->mnuGraphics->isVisible());
        QVERIFY(!w->mnuText->isVisible());
        w->mnuGraphics_Click();
        QVERIFY(!w->isTextView());
        QVERIFY(w->RichTextBox1->isVisible());
        QVERIFY(!w->RichTextBox2->isVisible());
        QVERIFY(!w->mnuGraphics->isVisible());
        w->mnuText_Click();
        QVERIFY(w->RichTextBox2->isVisible());
        QVERIFY(w->mnuGraphics->isVisible());
    }

    void statusHints() {
        addLog(m_path, QStringLiteral("A"), QStringLiteral("2025-01-01 09:00:00"));
        auto w = open();
        gstrFrame1Caption = QStringLiteral("Matter");
        const auto hover = [](QWidget* target) {
            QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &move);
        };
        hover(w->Text1);
        QCOMPARE(w->Label1->text(), QStringLiteral("Matter"));
        hover(w->Text8);
        QCOMPARE(w->Label1->text(),
                 QStringLiteral("  Duration (computed to nearest tenth of an hour) "));
        hover(w->Slider1);
        QCOMPARE(w->Label1->text(),
                 QStringLiteral("  Use this slider to navigate through 1 Vellagon records  "));
        hover(w->RichTextBox2->viewport());
        QCOMPARE(w->Label1->text(),
                 QStringLiteral("  Use [View] to toggle between text and graphics modes  "));
        hover(w->Toolbar1);
        QCOMPARE(w->Label1->text(), QStringLiteral("  ") + m_path + QStringLiteral("  "));
    }

    void aTinyWindowRaisesNothing() {
        ScriptedDialogs dialogs;
        auto w = open();
        w->resize(30, 20);
        w->resize(2, 2);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void focusLossKeepsATypedEditAndShowsNewLogs() {
        addLog(m_path, QStringLiteral("A"), QStringLiteral("2025-01-01 09:00:00"));
        auto w = open();
        edit(w->Text5, QStringLiteral("typed, not yet committed"));
        addLog(m_path, QStringLiteral("Z"), QStringLiteral("2025-06-01 09:00:00"));
        w->Form_LostFocus();
        QCOMPARE(stored(QStringLiteral("SELECT [Log Summary] FROM Vellagons WHERE Client = 'A'"))
                     .toString(),
                 QStringLiteral("typed, not yet committed"));
        QCOMPARE(w->Adodc1->RecordCount(), 2);
        QCOMPARE(w->Text1->text(), QStringLiteral("A")); // still on the log it showed
        // A log completed while the window was in the background shows when it comes back.
        addLog(m_path, QStringLiteral("Y"), QStringLiteral("2025-05-01 09:00:00"));
        w->Form_Activate();
        QCOMPARE(w->Adodc1->RecordCount(), 3);
        QCOMPARE(w->Text1->text(), QStringLiteral("A"));
    }

    void changingRateOrDurationStoresTheFee() {
        addLog(m_path, QStringLiteral("A"), QStringLiteral("2025-01-01 09:00:00"),
               QStringLiteral("100"), 1.0);
        auto w = open();
        edit(w->Text4, QStringLiteral("33.33"));
        edit(w->Text8, QStringLiteral("1.1"));
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored(QStringLiteral("SELECT Fee FROM Vellagons")).toDouble(), 36.663);
        edit(w->Text8, QStringLiteral("2"));
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored(QStringLiteral("SELECT Fee FROM Vellagons")).toDouble(), 66.66);
        // A rate that is no number leaves the fee as it was.
        edit(w->Text4, QStringLiteral("tbd"));
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored(QStringLiteral("SELECT Rate FROM Vellagons")).toString(),
                 QStringLiteral("tbd"));
        QCOMPARE(stored(QStringLiteral("SELECT Fee FROM Vellagons")).toDouble(), 66.66);
    }

    void textThatIsNoNumberOrDateIsRefused() {
        addLog(m_path, QStringLiteral("A"), QStringLiteral("2025-01-01 09:00:00"),
               QStringLiteral("100"), 1.5);
        auto w = open();
        ScriptedDialogs dialogs;
        edit(w->Text8, QStringLiteral("an hour"));
        QVERIFY(!w->Adodc1->Update());
        QVERIFY(dialogs.lastMessage().contains(QStringLiteral("Duration")));
        QCOMPARE(stored(QStringLiteral("SELECT Duration FROM Vellagons")).toDouble(), 1.5);
        QCOMPARE(w->Text8->text(), QStringLiteral("an hour")); // the typing stays for correction
        w->Adodc1->CancelUpdate();
        edit(w->Text7, QStringLiteral("yesterday"));
        QVERIFY(!w->Adodc1->MoveFirst());
        QCOMPARE(stored(QStringLiteral("SELECT [Beginning Time] FROM Vellagons")).toString(),
                 QStringLiteral("2025-01-01 09:00:00"));
    }

    void picturesInTheGraphicsViewSurviveAnEdit() {
        addLog(m_path, QStringLiteral("A"), QStringLiteral("2025-01-01 09:00:00"));
        QImage image(8, 8, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QTextDocument source;
        QTextCursor(&source).insertText(QStringLiteral("Before the picture "));
        source.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pic")), image);
        QTextCursor(&source).insertImage(QStringLiteral("pic"));
        Database::open(m_path).exec(QStringLiteral("UPDATE Vellagons SET VellaGraphic = ?"),
                                    {RichText::toStoredHtml(source)});
        auto w = open();
        w->mnuGraphics_Click();
        QTextCursor cursor(w->RichTextBox1->document());
        cursor.movePosition(QTextCursor::End);
        w->RichTextBox1->setTextCursor(cursor);
        QTest::keyClicks(w->RichTextBox1, QStringLiteral(" and after"));
        QVERIFY(w->Adodc1->Update());
        const QString html =
            stored(QStringLiteral("SELECT VellaGraphic FROM Vellagons")).toString();
        QVERIFY(html.contains(QStringLiteral("data:image/png;base64,")));
        QVERIFY(html.contains(QStringLiteral("and after")));
    }

    void aFileThatCannotBeReadIsReported() {
        ScriptedDialogs dialogs;
        m_path = Fixtures::writeFile(TestSupport::newFolder() + QStringLiteral("/letter.mdb"),
                                     "Dear Sir");
        auto w = open();
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.lastMessage().endsWith(QStringLiteral(" in loading display form.")));
        QCOMPARE(w->path(), m_path);
    }
};

VELLAGON_TEST_MAIN(TestDisplayWindow)
#include "test_display_window.moc"
