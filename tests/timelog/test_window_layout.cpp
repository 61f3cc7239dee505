#include "Fixtures.h"
#include "WindowTestSupport.h"
#include "core/logic/SharedState.h"
#include "core/logic/StartupSettings.h"
#include "timelog/windows/frmDisplay.h"
#include "timelog/windows/frmEntryWithFrames.h"

#include <QGroupBox>
#include <memory>

namespace {

// The controls that stand side by side in the window: its own children and those of its
// frames, each with its place in window coordinates.
void collect(const QWidget* window, const QWidget* parent,
             QList<std::pair<const QWidget*, QRect>>& found) {
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || !child->isVisibleTo(window) || child->size().isEmpty())
            continue;
        found.append({child, QRect(child->mapTo(window, QPoint(0, 0)), child->size())});
        if (qobject_cast<const QGroupBox*>(child))
            collect(window, child, found);
    }
}

QString nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

// Every pair of controls that cover each other (a frame and what it holds excepted), and every
// control that reaches beyond the window.
QStringList faults(const QWidget* window) {
    QList<std::pair<const QWidget*, QRect>> controls;
    collect(window, window, controls);
    QStringList found;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const auto& [a, ra] = controls[i];
        if (!window->rect().contains(ra))
            found << nameOf(a) + " leaves the window";
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const auto& [b, rb] = controls[j];
            if (a->isAncestorOf(b) || b->isAncestorOf(a))
                continue;
            if (ra.intersects(rb))
                found << nameOf(a) + " covers " + nameOf(b);
        }
    }
    return found;
}

} // namespace

// The windows laid out in twips keep their controls apart at every size they can be given.
class TestWindowLayout : public QObject {
    Q_OBJECT

    void checkSizes(QWidget* window) {
        window->show();
        const QSize least = window->minimumSize();
        QVERIFY(!least.isEmpty());
        // The smallest, a quarter of a tiled 1600 x 900 area, and a large one.
        for (const QSize size :
             {least, least + QSize(37, 23), QSize(1600, 225), QSize(400, 900), QSize(1600, 900)}) {
            window->resize(size);
            QCOMPARE(window->size(), size.expandedTo(least));
            const QStringList found = faults(window);
            QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("at %1 x %2: %3")
                                                     .arg(size.width())
                                                     .arg(size.height())
                                                     .arg(found.join(", "))));
        }
        // Asked for less, it stays at its least size.
        window->resize(100, 80);
        QCOMPARE(window->size(), least);
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        StartupSettings::readFontsCaptionsAndEmployee();
        gstrDatabasePath = Fixtures::newDatabase(TestSupport::newFolder() + "/LOG.MDB");
    }

    void theDataEntryWindowNeverOverlapsItsFields() {
        auto window = std::make_unique<frmEntryWithFrames>();
        checkSizes(window.get());
    }

    void theDisplayWindowNeverOverlapsItsBoxes() {
        auto window = std::make_unique<frmDisplay>();
        checkSizes(window.get());
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestWindowLayout)
#include "test_window_layout.moc"
