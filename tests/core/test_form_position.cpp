#include "WindowTestSupport.h"
#include "core/windows/FormPosition.h"
#include "core/windows/Forms.h"
#include "platform/data/Settings.h"

#include <QWidget>

Q_DECLARE_METATYPE(TwipsRect)

using namespace FormPositionRules;

namespace {
constexpr double SW = 28800; // 1920 pixels at 15 twips
constexpr double SH = 16200; // 1080 pixels
const TwipsRect Full{0, 0, 28800, 16200};
} // namespace

class TestFormPosition : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestSupport::freshProgram(); }

    void placement_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<TwipsRect>("expected");
        QTest::newRow("nothing stored") << QString() << Full;
        QTest::newRow("blanks only") << "   " << Full;
        QTest::newRow("within the screen")
            << "1500, 900, 12000, 8000" << TwipsRect{1500, 900, 12000, 8000};
        QTest::newRow("negative left, fits at half")
            << "-300, 900, 12000, 8000" << TwipsRect{14400, 900, 12000, 8000};
        QTest::newRow("negative left, too wide at half") << "-300, 900, 20000, 8000" << Full;
        QTest::newRow("top beyond the screen")
            << "100, 20000, 1000, 1000" << TwipsRect{100, 8100, 1000, 1000};
        QTest::newRow("left plus width too wide") << "20000, 0, 10000, 1000" << Full;
        QTest::newRow("exactly the screen width")
            << "0, 0, 28800, 1000" << TwipsRect{0, 0, 28800, 1000};
        QTest::newRow("halves to even")
            << "100.5, 101.5, 1000, 1000" << TwipsRect{100, 102, 1000, 1000};
        // Hand-edited junk starts the program as with nothing stored.
        QTest::newRow("too few values") << "100, 200, 300" << Full;
        QTest::newRow("not a number") << "a, b, c, d" << Full;
        QTest::newRow("huge") << "1e300, 0, 100, 100" << Full;
    }
    void placement() {
        QFETCH(QString, stored);
        QFETCH(TwipsRect, expected);
        QCOMPARE(place(stored, SW, SH), expected);
    }

    void formatIsShortestDecimalJoinedByCommaBlank() {
        QCOMPARE(format({-15, 0, 12000, 8000}), "-15, 0, 12000, 8000");
        QCOMPARE(*parse(format({1, 2, 3, 4})), (TwipsRect{1, 2, 3, 4}));
    }

    // The rectangle is the frame's: a window placed before it is framed comes back with its
    // title bar and borders where they were.
    void savingThenRestoringGivesTheSameRectangle() {
        QWidget window;
        Forms::setTag(&window, "frmToDo");
        window.setGeometry(120, 90, 640, 480);
        window.show();
        SaveFormPosition(&window);
        QWidget other;
        Forms::setTag(&other, "frmToDo");
        RestoreFormPosition(&other);
        other.show();
        QCOMPARE(other.frameGeometry(), window.frameGeometry());
        QCOMPARE(other.geometry(), QRect(120, 90, 640, 480));
        // Saving the restored window again stores the same text: windows do not creep.
        const QString first = Settings::value("FormPosition", "frmToDo");
        other.show();
        SaveFormPosition(&other);
        QCOMPARE(Settings::value("FormPosition", "frmToDo"), first);
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestFormPosition)
#include "test_form_position.moc"
