#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/widgets/BoundField.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/RecordScrollBar.h"

#include <QLineEdit>
#include <QSignalSpy>

namespace {

// A record window's bottom edge: a control over Projects, a navigator and the bar.
struct Window {
    QWidget widget;
    DataControl* control = new DataControl(&widget);
    DataNavigator* navigator = new DataNavigator(control, &widget);
    RecordScrollBar* bar;
    QSignalSpy moves{control, &DataControl::moveComplete};

    Window(const QString& path, int maximum) : bar(new RecordScrollBar(control, maximum, &widget)) {
        control->setDatabasePath(path);
        control->setRecordSource("SELECT * FROM Projects ORDER BY Projects");
        control->Refresh();
        moves.clear();
    }
    QString row() const { return control->value("Projects").toString(); }
    // What the user does: drags the bar to a value.
    void drag(int value) { bar->setValue(value); }
};

} // namespace

class TestRecordScrollBar : public QObject {
    Q_OBJECT

    QString m_path;

    void projects(int count) {
        QStringList rows{"DELETE FROM Projects"};
        for (int i = 1; i <= count; ++i)
            rows << QStringLiteral("INSERT INTO Projects VALUES ('P%1')").arg(i, 3, 10, QChar('0'));
        Fixtures::execRaw(m_path, rows);
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/bar.mdb");
    }

    // Four rows on a bar to 32767: each row's value (halves to even: 16383.5 is 16384) and
    // the rows that dragged values point at, down to the first row's share.
    void valuesAndRowsAtBothEnds() {
        projects(4);
        Window w(m_path, 32767);
        QCOMPARE(w.bar->value(), 0);
        QList<int> shown;
        for (int i = 0; i < 4; ++i) {
            w.navigator->next();
            shown << w.bar->value();
        }
        QCOMPARE(shown, (QList<int>{16384, 24575, 32767, 32767})); // the last step comes back
        QCOMPARE(w.row(), "P004");

        const QList<std::pair<int, QString>> drags{
            {20000, "P002"}, {4000, "P001"}, {32767, "P004"}, {10000, "P001"}, {28000, "P003"}};
        for (const auto& [value, row] : drags) {
            w.drag(value);
            QCOMPARE(w.row(), row);
            QCOMPARE(w.bar->value(), value); // the user's value stays where it was put
        }
        w.drag(0);
        QCOMPARE(w.row(), "P001");

        // Eight rows on a bar to 100: 62.5 for the fifth row shows the even 62.
        projects(8);
        Window eight(m_path, 100);
        for (int i = 1; i < 5; ++i)
            eight.navigator->next();
        QCOMPARE(eight.bar->value(), 62);
        eight.drag(56); // 4.48
        QCOMPARE(eight.row(), "P004");
    }

    // The bar moves the rows when, and only when, the user moves it: showing a position never
    // moves them, so a step of the navigator over more rows than the bar has values lands on
    // the next row, not on the row the rounded value points at.
    void onlyTheUsersMovesMoveTheRows() {
        projects(150);
        Window w(m_path, 100);
        QStringList visited{w.row()};
        for (int i = 1; i < 150; ++i) {
            w.navigator->next();
            visited << w.row();
        }
        QCOMPARE(visited.size(), 150);
        QCOMPARE(visited.last(), "P150");
        QCOMPARE(visited.removeDuplicates(), 0);
        QCOMPARE(w.moves.count(), 149); // one move a step, none from the bar
        QCOMPARE(w.bar->value(), 100);

        w.moves.clear();
        w.drag(50);
        QCOMPARE(w.moves.count(), 1);
        QCOMPARE(w.control->AbsolutePosition(), 75);
        QCOMPARE(w.moves.first().first().toInt(), int(DataControl::adRsnMove));
    }

    // A move the control refuses (a typed edit it cannot write) puts the bar back on the row
    // the control still stands on; an empty set keeps the bar at 0 and moves nothing.
    void aRefusedMoveAndAnEmptySet() {
        projects(4);
        ScriptedDialogs dialogs;
        Window w(m_path, 32767);
        auto* box = new QLineEdit(&w.widget);
        bindFields(w.control, {{box, "Projects", BoundField::Number}});
        box->setText("not a number");
        box->setModified(true);
        w.drag(32767);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(w.row(), "P001");
        QCOMPARE(w.bar->value(), 0);
        w.control->CancelUpdate();

        projects(0);
        Window empty(m_path, 32767);
        empty.drag(20000);
        QCOMPARE(empty.bar->value(), 0);
        QCOMPARE(empty.moves.count(), 0);
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestRecordScrollBar)
#include "test_record_scroll_bar.moc"
