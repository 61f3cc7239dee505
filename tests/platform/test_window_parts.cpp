#include "WindowTestSupport.h"
#include "platform/data/AppError.h"
#include "platform/data/Dialogs.h"
#include "platform/data/RecordScroll.h"
#include "platform/widgets/AccessKeys.h"
#include "platform/widgets/ModalWindows.h"
#include "platform/widgets/SortedItems.h"
#include "platform/widgets/ToolIcons.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowTitles.h"

#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPalette>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// What a dialog was shown with: its title, its width, and for a message box whether its
// text showed whole.
struct Shown {
    QString title;
    int width = 0;
    bool textWhole = true;
};

// Opens a dialog as the program does and closes it at once.
Shown shown(const std::function<void()>& open) {
    Shown seen;
    QTimer::singleShot(0, [&seen] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen = {dialog->windowTitle(), dialog->width()};
            if (auto* label = dialog->findChild<QLabel*>("qt_msgbox_label"))
                seen.textWhole = label->wordWrap() || label->width() >= label->sizeHint().width();
            dialog->reject();
        }
    });
    open();
    return seen;
}

} // namespace

class TestWindowParts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestSupport::freshProgram(); }

    // CLng rounds halves to the even neighbour, both ways; only that rule gives these.
    void theScrollArithmeticRoundsHalvesToEven() {
        using namespace RecordScroll;
        QCOMPARE(clng(16383.5), 16384);
        QCOMPARE(clng(12.5), 12);
        QCOMPARE(clng(-2.5), -2);
        // Four rows on a bar to 32767: 0, 16383.5, 24575.25, 32767.
        QList<int> values;
        for (int row = 1; row <= 4; ++row)
            values << valueForRow(row, 4, 32767);
        QCOMPARE(values, (QList<int>{0, 16384, 24575, 32767}));
        QCOMPARE(valueForRow(-2, 4, 100), 0); // before the first row
        QCOMPARE(valueForRow(1, 0, 100), 0);
        // Back from the value: 0.49 points before the first row, 1.22 and 2.44 at rows 1, 2.
        QCOMPARE(rowForValue(4000, 32767, 4), std::optional<int>());
        QCOMPARE(rowForValue(10000, 32767, 4), std::optional<int>(1));
        QCOMPARE(rowForValue(20000, 32767, 4), std::optional<int>(2));
        QCOMPARE(rowForValue(25, 100, 50), std::optional<int>(12)); // 12.5
        QCOMPARE(rowForValue(50, 0, 3), std::optional<int>());
        // Every row of a table of up to 32767 rows comes back from its own value.
        for (int count : {1, 7, 1000, 32767})
            for (int row = 2; row <= count; row += 97)
                QCOMPARE(rowForValue(valueForRow(row, count, 32767), 32767, count),
                         std::optional<int>(row));
    }

    // A placement that asks for a negative size fails whole; a zero size is a size.
    void aControlIsPlacedInTwipsOrLeftAsItWas() {
        QWidget window;
        window.resize(800, 600);
        auto* box = new QLineEdit(&window);
        Twips::place(box, 150, 300, 3000, 300);
        const QRect placed(Twips::toPixels(150), Twips::toPixels(300), Twips::toPixels(3000),
                           Twips::toPixels(300));
        QCOMPARE(box->geometry(), placed);
        Twips::place(box, 600, 600, -15, 300);
        Twips::place(box, 600, 600, 3000, -1);
        QCOMPARE(box->geometry(), placed);
        Twips::placeAtLeast(box, 0, 0, 1500, 0);
        QCOMPARE(box->height(), box->sizeHint().height());
        Twips::place(box, 0, 0, 0, 0);
        QCOMPARE(box->size(), QSize(0, 0));
    }

    // The title bar's icon and buttons leave the text less than the window's width; short
    // messages and prompts would leave long titles cut.
    void dialogsAreWideEnoughForTheirTitles() {
        const auto check = [](const QString& title, const Shown& seen) {
            QCOMPARE(seen.title, title);
            QVERIFY2(seen.width >= WindowTitles::neededWidth(title),
                     qPrintable(QStringLiteral("%1: %2").arg(title).arg(seen.width)));
            QVERIFY(seen.textWhole);
        };
        check("Delete This Record", shown([] {
                  Dialogs::msgBox("Are you sure?", Dialogs::vbYesNo, "Delete This Record");
              }));
        // A text wider than its title keeps its own width.
        check("Vellagon", shown([] {
                  Dialogs::msgBox(
                      "The selected file is not a valid Vellagon file.  Please try again.");
              }));
        check("Search for Vellagon text", shown([] {
                  Dialogs::inputBox("Enter the text being sought in your Vellagons",
                                    "Search for Vellagon text");
              }));
        check("Select beginning and ending dates", shown([] {
                  QDialog picker;
                  picker.resize(120, 80); // what its two date boxes need
                  picker.setWindowTitle("Select beginning and ending dates");
                  ModalWindows::exec(picker);
              }));
        // A longer title needs more room.
        QVERIFY(WindowTitles::neededWidth("Search for Vellagon text") >
                WindowTitles::neededWidth("Search"));
    }

    // The dialog opens in the folder asked for, the name and the filter in their boxes; a
    // pattern given as the name lists its files and is never taken for a file's name.
    void theFileDialogStartsWithTheFolderNameAndFilterAsked() {
        const QString folder = TestSupport::newFolder();
        Dialogs::FileRequest request;
        request.title = "Opening Vellagon Database File";
        request.folder = folder;
        request.initialName = "*.MDB";
        request.filter = "Log files *.mdb|*.mdb|All files *.*|*.*";
        QStringList seen;
        const auto look = [&seen] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen << dialog->directory().absolutePath()
                 << dialog->findChild<QLineEdit*>("fileNameEdit")->text()
                 << dialog->selectedNameFilter();
        };
        QTimer::singleShot(0, [&] {
            look();
            // Enter on the pattern, as a user would press it.
            QTest::keyClick(
                QApplication::activeModalWidget()->findChild<QLineEdit*>("fileNameEdit"),
                Qt::Key_Return);
            QTimer::singleShot(0, [&] {
                look();
                static_cast<QDialog*>(QApplication::activeModalWidget())->reject();
            });
        });
        QVERIFY_THROWS_EXCEPTION(AppError, Dialogs::fileDialog(request));
        QCOMPARE(seen, (QStringList{folder, "*.MDB", "Log files *.mdb (*.mdb *.MDB)", folder,
                                    "*.MDB", "*.MDB (*.MDB *.mdb)"}));
    }

    // The font dialog takes whole point sizes: a size typed with a decimal point keeps its
    // whole points, never ten times as many.
    void theFontDialogKeepsTheWholePointsOfASizeTyped() {
        Dialogs::FontRequest request;
        request.name = "DejaVu Sans";
        request.size = "12";
        for (const char* typed : {"10.5", "9,75", "14"}) {
            QTimer::singleShot(0, [typed] {
                auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                for (QLineEdit* box : dialog->findChildren<QLineEdit*>()) {
                    if (!box->validator())
                        continue;
                    box->setFocus();
                    box->selectAll();
                    QTest::keyClicks(box, typed);
                }
                dialog->accept();
            });
            const std::optional<Dialogs::FontChoice> choice = Dialogs::fontDialog(request);
            QVERIFY(choice);
            QCOMPARE(choice->size, QString(typed).section(QRegularExpression("[.,]"), 0, 0));
        }
    }

    void sortedBoxesIgnoreCaseAndNeverSelectTheirFirstItem() {
        QComboBox box;
        box.setEditable(true);
        addSorted(&box, "smith");
        QCOMPARE(box.currentText(), QString());
        box.setEditText("typed");
        addSorted(&box, "Baker");
        addSorted(&box, "adams");
        addSorted(&box, "Smith"); // after its equal, as it came later
        QCOMPARE(itemsOf(&box), (QStringList{"adams", "Baker", "smith", "Smith"}));
        QCOMPARE(box.currentText(), "typed");
        fillSorted(&box, {"b", "A"});
        QCOMPARE(itemsOf(&box), (QStringList{"A", "b"}));
        QCOMPARE(box.currentText(), QString());

        // Items that carry a value keep it through the sorting.
        QListWidget list;
        fillSorted(&list, {"b", "A", "a"}, {2, 1, 3});
        addSorted(&list, "B", 4);
        QStringList pairs;
        for (int i = 0; i < list.count(); ++i)
            pairs << list.item(i)->text() + list.item(i)->data(Qt::UserRole).toString();
        QCOMPARE(pairs, (QStringList{"A1", "a3", "b2", "B4"}));
    }

    // A key that two commands share runs neither: each press highlights the next, Enter runs
    // it, Esc leaves the bar; a key of one command alone runs it at once.
    // Every window's toolbar and navigator take the same icons, made once: the style's own
    // search the icon theme on disk. Drawn ones follow the palette.
    void iconsAreMadeOnceAndDrawnAgainInAnotherPalette() {
        const QStyle* style = QApplication::style();
        const QIcon first = styleIcon(style, QStyle::SP_MediaSkipForward);
        QVERIFY(!first.isNull());
        QCOMPARE(styleIcon(style, QStyle::SP_MediaSkipForward).cacheKey(), first.cacheKey());
        QCOMPARE(toolIcon("Back").cacheKey(), toolIcon("Back").cacheKey());
        const QIcon cut = toolIcon("Cut");
        QCOMPARE(toolIcon("Cut").cacheKey(), cut.cacheKey());
        QVERIFY(toolIcon("No such key").isNull());

        const QPalette before = QApplication::palette();
        QPalette red = before;
        red.setColor(QPalette::ButtonText, Qt::red);
        QApplication::setPalette(red);
        const QIcon redCut = toolIcon("Cut");
        QApplication::setPalette(before);
        QVERIFY(redCut.cacheKey() != cut.cacheKey());
        const QImage drawn = redCut.pixmap(16, 16).toImage();
        bool reddish = false;
        for (int y = 0; y < drawn.height() && !reddish; ++y)
            for (int x = 0; x < drawn.width() && !reddish; ++x)
                reddish = drawn.pixelColor(x, y).alpha() > 0 &&
                          drawn.pixelColor(x, y).red() > 200 && drawn.pixelColor(x, y).green() < 60;
        QVERIFY(reddish);
        QCOMPARE(toolIcon("Cut").cacheKey(), cut.cacheKey());
    }

    void sharedAccessKeysChooseBeforeTheyRun() {
        QDialog window;
        auto* bar = new QMenuBar(&window);
        auto* box = new QLineEdit(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->setMenuBar(bar);
        layout->addWidget(box);
        QStringList ran;
        for (const char* caption : {"&Add", "&Delete", "&Done"})
            QObject::connect(bar->addAction(caption), &QAction::triggered,
                             [&ran, caption] { ran << caption; });
        AccessKeys::guardShared(bar);
        TestSupport::showActive(&window);
        box->setFocus();

        QTest::keyClick(box, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(bar->activeAction()->text(), "&Delete");
        QTest::keyClick(bar, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(bar->activeAction()->text(), "&Done");
        QTest::keyClick(bar, Qt::Key_Escape);
        QCOMPARE(ran, QStringList());
        QCOMPARE(QApplication::focusWidget(), box);

        QTest::keyClick(box, Qt::Key_D, Qt::AltModifier);
        QTest::keyClick(bar, Qt::Key_D, Qt::AltModifier);
        QTest::keyClick(bar, Qt::Key_D, Qt::AltModifier); // round to the first again
        QTest::keyClick(bar, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(ran, (QStringList{"&Delete", "&Add"}));
        QCOMPARE(QApplication::focusWidget(), box);
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestWindowParts)
#include "test_window_parts.moc"
