#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/SubsystemCommands.h"
#include "core/windows/frmMain.h"
#include "platform/data/AppError.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

// A child window with a command, to check the prologue as its commands run it; it needs some
// room for its layout, as the real ones do.
class CommandWindow : public ChildWindow {
public:
    explicit CommandWindow(Kind kind) : ChildWindow(kind) {
        setMinimumSize(300, 150);
        windowMenu = addWindowMenu();
    }
    void command() { runPrologue(); }
    QMenu* windowMenu;
};

class TestChildWindows : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;

    static QStringList captions() {
        QStringList result;
        for (ChildWindow* w : openChildWindows())
            result << w->Caption();
        return result;
    }

    static void closeWindow(ChildWindow* w) {
        Forms::close(w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QList<QRect> frames() {
        QList<QRect> rects;
        for (QMdiSubWindow* f : childWindowArea()->subWindowList(QMdiArea::CreationOrder))
            rects << f->geometry();
        return rects;
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        setChildWindowFactory(ChildWindow::Kind::Display,
                              [] { return new CommandWindow(ChildWindow::Kind::Display); });
        setChildWindowFactory(ChildWindow::Kind::Entry,
                              [] { return new CommandWindow(ChildWindow::Kind::Entry); });
        m_main = TestSupport::showMainWindow();
        gstrDatabasePath = "/files/first.mdb";
        gstrRecordSource = "Select * From Vellagons ORDER BY [Beginning Time]";
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
    }
    void cleanup() { TestSupport::closeMainWindow(m_main); }

    void newWindowsAreNumberedAndNeverReuseANumber() {
        gstrDatabasePath = "/files/second.mdb";
        NewDisplayForm();
        ChildWindow* two = childWindow(ChildWindow::Kind::Display, "2");
        QVERIFY(two);
        QCOMPARE(two->Caption(), "Display form 2");
        QCOMPARE(two->Tag(), "2");
        QCOMPARE(two->path(), "/files/second.mdb");
        QCOMPARE(two->sqlWhereCaption(), QString()); // only start-up sets it
        QCOMPARE(glngDisplayUBound, 1);
        QCOMPARE(gstrDisplayIndex, "2");
        QCOMPARE(activeChildWindow(), two);

        closeWindow(two);
        QVERIFY(!childWindow(ChildWindow::Kind::Display, "2"));
        NewDisplayForm();
        QCOMPARE(activeChildWindow()->Caption(), "Display form 3");
        NewDataEntryForm();
        QCOMPARE(activeChildWindow()->Caption(), "Data entry form 2");
        QCOMPARE(captions(), QStringList({"Display form 1", "Data entry form 1", "Display form 3",
                                          "Data entry form 2"}));
    }

    void aClosedWindowIsNeverReachedEvenBeforeItIsDeleted() {
        ChildWindow* one = childWindow(ChildWindow::Kind::Display, "1");
        Forms::close(one); // deleted only later by Qt
        QVERIFY(!childWindow(ChildWindow::Kind::Display, "1"));
        QVERIFY(!currentDisplayWindow());
        QVERIFY(!Forms::list().contains(one));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(gfrmDisplays.value(0).isNull());
    }

    void theProloguePointsTheSharedStateAtTheWindow() {
        gstrDatabasePath = "/files/second.mdb";
        NewDisplayForm(); // Display window 2 active, on the second file
        auto* entry = static_cast<CommandWindow*>(childWindow(ChildWindow::Kind::Entry, "1"));
        entry->command();
        QVERIFY(gblnEntryActive);
        QVERIFY(!gblnDisplayActive);
        QCOMPARE(gstrEntryIndex, "1");
        QCOMPARE(gstrDatabasePath, "/files/first.mdb");
        QCOMPARE(gstrDisplayIndex, "2");
        auto* two = static_cast<CommandWindow*>(childWindow(ChildWindow::Kind::Display, "2"));
        two->command();
        QVERIFY(gblnDisplayActive);
        QCOMPARE(gstrDatabasePath, "/files/second.mdb");
    }

    void subsystemCommandsRunAfterThePrologueAndOnlyWhenRegistered() {
        using SubsystemCommands::Command;
        SubsystemCommands::clear();
        gstrDatabasePath = "/files/second.mdb";
        NewDisplayForm();
        ChildWindow* entry = childWindow(ChildWindow::Kind::Entry, "1");

        QAction missing;
        SubsystemCommands::bind(&missing, Command::ThingsToDo, entry);
        QVERIFY(!missing.isEnabled());

        QString fileSeen;
        SubsystemCommands::registerCommand(Command::ContactDatabase, [&](ChildWindow* from) {
            QCOMPARE(from, entry);
            fileSeen = gstrDatabasePath;
            throw AppError(AppError::EngineError, "disk full");
        });
        QAction item;
        SubsystemCommands::bind(&item, Command::ContactDatabase, entry);
        QVERIFY(item.isEnabled());
        ScriptedDialogs dialogs;
        item.trigger(); // the error is shown, not thrown out of the slot
        QCOMPARE(fileSeen, "/files/first.mdb");
        QCOMPARE(dialogs.messages(), QStringList{"disk full"});
        SubsystemCommands::clear();
    }

    void activationSetsTheTagButNotTheFile() {
        NewDataEntryForm();
        gstrDatabasePath = "/files/elsewhere.mdb";
        Forms::setFocus(childWindow(ChildWindow::Kind::Display, "1"));
        QVERIFY(gblnDisplayActive);
        Forms::setFocus(childWindow(ChildWindow::Kind::Entry, "1"));
        QCOMPARE(gstrEntryIndex, "1");
        QVERIFY(gblnEntryActive);
        QCOMPARE(gstrDatabasePath, "/files/elsewhere.mdb");
    }

    void theMenuBarFollowsTheActiveWindow() {
        QCOMPARE(m_main->menuBar()->actions(), activeChildWindow()->menuBarEntries());
        closeWindow(childWindow(ChildWindow::Kind::Entry, "1"));
        closeWindow(childWindow(ChildWindow::Kind::Display, "1"));
        QStringList texts;
        for (QAction* a : m_main->menuBar()->actions())
            texts << a->text();
        QCOMPARE(texts, QStringList({"&Display", "&Enter data"}));
    }

    // The Window menu lists every window inside the main window, the others shown among the
    // child windows too, marks the active one and brings the one chosen to the front.
    void theWindowMenuListsEveryOpenWindow() {
        auto* contacts = new QWidget;
        contacts->setAttribute(Qt::WA_DeleteOnClose);
        contacts->setWindowTitle("Contact Database");
        showChildWindow(contacts);
        QMenu* menu =
            static_cast<CommandWindow*>(childWindow(ChildWindow::Kind::Entry, "1"))->windowMenu;
        const auto listed = [menu] {
            Q_EMIT menu->aboutToShow();
            QList<QAction*> items = menu->actions();
            items.erase(items.begin(), std::find_if(items.begin(), items.end(), [](QAction* a) {
                                           return a->isSeparator();
                                       }) + 1);
            return items;
        };
        const auto texts = [](const QList<QAction*>& items) {
            QStringList result;
            for (QAction* a : items)
                result << a->text() + (a->isChecked() ? " *" : "");
            return result;
        };
        QCOMPARE(texts(listed()), QStringList({"&1 Display form 1", "&2 Data entry form 1",
                                               "&3 Contact Database *"}));
        listed().at(1)->trigger();
        QCOMPARE(activeChildWindow(), childWindow(ChildWindow::Kind::Entry, "1"));
        listed().at(2)->trigger();
        QCOMPARE(childWindowArea()->activeSubWindow()->widget(), contacts);
        Forms::close(contacts);
        const QList<QAction*> left = listed();
        QCOMPARE(left.size(), 2);
        QCOMPARE(left.last()->text(), "&2 Data entry form 1");
    }

    void tilingCoversTheAreaWithoutOverlap() {
        NewDisplayForm();
        const QRect area = childWindowArea()->viewport()->rect();
        const QString display = gstrDisplayIndex, entry = gstrEntryIndex, path = gstrDatabasePath;
        // Side by side or one above the other: each frame starts where the last one ended.
        TileWindowsHorizontally();
        QList<QRect> r = frames();
        QCOMPARE(r.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(r[i],
                     QRect(0, i == 0 ? 0 : r[i - 1].bottom() + 1, area.width(), r[i].height()));
        QCOMPARE(r[2].bottom(), area.bottom());
        TileWindowsVertically();
        r = frames();
        for (int i = 0; i < 3; ++i)
            QCOMPARE(r[i],
                     QRect(i == 0 ? 0 : r[i - 1].right() + 1, 0, r[i].width(), area.height()));
        QCOMPARE(r[2].right(), area.right());
        CascadeWindows();
        QVERIFY(frames()[1].topLeft() != frames()[0].topLeft());
        // Arranging the windows activates none of them for the commands.
        QCOMPARE(QStringList({gstrDisplayIndex, gstrEntryIndex, gstrDatabasePath}),
                 QStringList({display, entry, path}));
    }

    // More windows than the area holds at their least size: they follow each other without
    // overlap, each keeps what its layout needs, and the area scrolls to the rest.
    void tiledWindowsNeverGetLessThanTheirLayoutNeeds() {
        const QSize room = childWindowArea()->viewport()->size();
        const QSize least = childWindowArea()->subWindowList().first()->minimumSizeHint();
        while (openChildWindows().size() * least.height() <= room.height() ||
               openChildWindows().size() * least.width() <= room.width())
            NewDataEntryForm();
        for (const bool stacked : {true, false}) {
            stacked ? TileWindowsHorizontally() : TileWindowsVertically();
            const QList<QRect> r = frames();
            QVERIFY(stacked ? r.last().bottom() > room.height() : r.last().right() > room.width());
            for (qsizetype i = 0; i < r.size(); ++i) {
                QVERIFY(r[i].width() >= least.width() && r[i].height() >= least.height());
                if (i > 0)
                    QCOMPARE(stacked ? r[i].top() : r[i].left(),
                             (stacked ? r[i - 1].bottom() : r[i - 1].right()) + 1);
            }
        }
    }

    // Qt's own cascade shrinks windows to their size hint, a bare title bar for these.
    void cascadeKeepsEveryWindowAUsableSize() {
        QMdiArea* area = childWindowArea();
        for (const int count : {4, 10}) {
            while (openChildWindows().size() < count)
                NewDataEntryForm();
            Forms::setFocus(childWindow(ChildWindow::Kind::Display, "1"));
            CascadeWindows();
            const QRect room = area->viewport()->rect();
            QSet<std::pair<int, int>> corners;
            for (QMdiSubWindow* f : area->subWindowList()) {
                QVERIFY2(f->width() >= room.width() * 3 / 4 && f->height() >= room.height() * 3 / 4,
                         qPrintable(QStringLiteral("%1 x %2").arg(f->width()).arg(f->height())));
                QVERIFY(room.contains(f->geometry()));
                corners.insert({f->x(), f->y()});
            }
            QVERIFY(corners.size() >= 4); // stepped, starting over before leaving the area
            // The active window is the one in front.
            QCOMPARE(area->subWindowList(QMdiArea::StackingOrder).last(), area->activeSubWindow());
            QCOMPARE(activeChildWindow(), childWindow(ChildWindow::Kind::Display, "1"));
        }
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestChildWindows)
#include "test_child_windows.moc"
