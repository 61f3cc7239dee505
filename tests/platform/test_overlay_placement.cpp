#include "WindowTestSupport.h"
#include "platform/widgets/OverlayPlacement.h"

#include <functional>

namespace {

using WindowManager = std::function<QRect(const QRect& asked)>;

// Asks and answers until the placement asks no more; the number of requests made.
int settle(OverlayPlacement& placement, QRect& current, const QRect& target,
           const WindowManager& wm) {
    int requests = 0;
    // A loop that would never end stops here, and fails its test, instead of hanging.
    while (const std::optional<QRect> asked = placement.request(current, target)) {
        if (++requests > 100)
            break;
        current = wm(*asked);
    }
    return requests;
}

const QRect Main(100, 80, 900, 700);

} // namespace

class TestOverlayPlacement : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aWindowManagerThatRefusesEndsTheRequests() {
        const QRect kept(20, 20, 500, 400);
        const std::pair<const char*, WindowManager> managers[] = {
            {"keeps its own geometry",
             [kept](const QRect&) {
                 return kept;
             }},
            {"clamps the size",
             [](const QRect& r) {
                 return QRect(r.topLeft(), QSize(800, 600));
             }},
            {"moves by its frame",
             [](const QRect& r) {
                 return r.translated(0, 24);
             }},
            {"alternates two answers",
             [n = 0](const QRect& r) mutable {
                 return r.adjusted(0, 0, 0, ++n % 2 ? -10 : -20);
             }},
            {"answers differently each time",
             [n = 0](const QRect& r) mutable {
                 return r.adjusted(0, 0, -++n, 0);
             }},
        };
        for (const auto& [name, wm] : managers) {
            OverlayPlacement placement;
            QRect current(300, 300, 400, 300);
            const int requests = settle(placement, current, Main, wm);
            QVERIFY2(requests >= 1 && requests <= OverlayPlacement::MaxRequests, name);
            // The answer's own events ask nothing more.
            QVERIFY2(!placement.request(current, Main), name);
        }
    }

    void aUserMoveOrAMovedMainWindowIsAskedForAgainAfterARefusal() {
        OverlayPlacement placement;
        const QRect kept(20, 20, 500, 400);
        const WindowManager refusing = [kept](const QRect&) {
            return kept;
        };
        QRect current(300, 300, 400, 300);
        settle(placement, current, Main, refusing);
        current = QRect(40, 40, 500, 400);
        QCOMPARE(settle(placement, current, Main, refusing), 1);
        // The main window moved: a new target, asked for even from a place asked from before.
        current = kept;
        QCOMPARE(
            settle(placement, current, Main.translated(10, 10), [](const QRect& r) { return r; }),
            1);
        QCOMPARE(current, Main.translated(10, 10));
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestOverlayPlacement)
#include "test_overlay_placement.moc"
