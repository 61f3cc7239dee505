#include "WindowTestSupport.h"
#include "platform/data/DataControl.h"
#include "platform/widgets/BoxTable.h"
#include "platform/widgets/Twips.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

using BoxTable::cell;
using BoxTable::Full;
using BoxTable::next;
using BoxTable::rect;
using BoxTable::rectAtLeast;
using BoxTable::Shape;

constexpr BoxTable::Part Stacked[] = {
    {1, "Frame1", "Kind"},
    {1, "Frame1", "Fee", "Option1", Shape::Option},
    {1, "Frame1", "Disbursement", "Option2", Shape::Option},
    {1, "Frame1", nullptr, nullptr, Shape::Stretch},
    {1, "Frame2", "Amount", "Text1", Shape::Line, next(), "Amount"},
    {2, "Frame3", "Notes", "Text2", Shape::Text, next(), "notes"},
};

constexpr BoxTable::Part Gridded[] = {
    {1, "Frame1", "Left", "Text1", Shape::Line, cell(0, 0)},
    {1, "Frame2", "Right", "Text2", Shape::ShortText, cell(0, 1)},
    {1, "Frame3", "Notes", "Text3", Shape::Text, cell(1, 0, 1, 2)},
};

constexpr BoxTable::Part InTwips[] = {
    {1, "Frame1", "Half", nullptr, Shape::None, rect(0, 0, Full / 2, Full - 300)},
    {1, "Frame1", nullptr, "Text1", Shape::Line, rectAtLeast(100, 300, Full / 2 - 200, 0)},
    {1, nullptr, nullptr, "Slider1", Shape::Placed, rect(Full / 2, 0, Full / 2, Full)},
};

QWidget* pageWith(QLayout* layout) {
    auto* page = new QWidget;
    page->setLayout(layout);
    return page;
}

} // namespace

// The machinery every window's table of boxes goes through; the windows' own tables are
// checked by their windows' tests and screenshots.
class TestBoxTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestSupport::freshProgram(); }

    void rowsNamingOneFrameShareItAndAStretchKeepsTheirSize() {
        QWidget* column = pageWith(new QVBoxLayout);
        std::unique_ptr<QWidget> window(column);
        QWidget* second = pageWith(new QVBoxLayout);
        second->setParent(column);
        const BoxTable::Built built = BoxTable::build(Stacked, {column, second}, {Qt::Horizontal});
        QGroupBox* frame = built.frame("Frame1");
        QVERIFY(frame);
        QCOMPARE(frame->title(), QStringLiteral("Kind"));
        const QList<QWidget*> options = built.boxesIn(frame);
        QCOMPARE(options.size(), 2);
        QCOMPARE(options.at(1), built.box("Option2"));
        QCOMPARE(built.box<QRadioButton>("Option2")->text(), QStringLiteral("Disbursement"));
        QCOMPARE(built.frames(1), (QList<QGroupBox*>{frame, built.frame("Frame2")}));
        QCOMPARE(built.frames(2), QList<QGroupBox*>{built.frame("Frame3")});
        QCOMPARE(built.box("Text2")->parentWidget()->parentWidget(), second);

        column->resize(600, 300);
        column->show();
        QVERIFY(QTest::qWaitForWindowExposed(column));
        // The options stand side by side at their own size, from the frame's start; one box
        // fills its frame.
        QCOMPARE(options.at(0)->y(), options.at(1)->y());
        QVERIFY(options.at(1)->geometry().right() < frame->width() / 2);
        QVERIFY(built.box("Text1")->width() > built.frame("Frame2")->width() * 9 / 10);
    }

    void aGridGivesItsColumnsEqualSharesAndTheTextRowTheHeightLeft() {
        QWidget* page = pageWith(new QGridLayout);
        std::unique_ptr<QWidget> window(page);
        const BoxTable::Built built = BoxTable::build(Gridded, {page});
        page->resize(500, 400);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page));
        QVERIFY(qAbs(built.frame("Frame1")->width() - built.frame("Frame2")->width()) <= 1);
        QVERIFY(built.frame("Frame3")->height() > 300);
        const QMargins margins = page->layout()->contentsMargins();
        QCOMPARE(built.frame("Frame3")->width(), page->width() - margins.left() - margins.right());
    }

    void twipsRectanglesFollowThePageAlsoForAPartMadeAfterTheBuild() {
        auto page = std::make_unique<QWidget>();
        const BoxTable::Built built = BoxTable::build(InTwips, {page.get()});
        auto* slider = new QSlider(Qt::Horizontal, page.get());
        slider->setObjectName(QStringLiteral("Slider1"));
        QGroupBox* frame = built.frame("Frame1");
        QVERIFY(!frame->layout()); // its box is placed by its own rectangle
        for (const QSize size : {QSize(400, 300), QSize(600, 200)}) {
            built.layOut(size);
            const double width = Twips::fromPixels(size.width());
            const double height = Twips::fromPixels(size.height());
            QCOMPARE(frame->geometry(),
                     QRect(0, 0, size.width() / 2, Twips::toPixels(height - 300)));
            QCOMPARE(slider->geometry(),
                     QRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height()));
            QWidget* box = built.box("Text1");
            QCOMPARE(box->parentWidget(), frame);
            QCOMPARE(box->x(), Twips::toPixels(100));
            QCOMPARE(box->geometry().right() + 1, Twips::toPixels(width / 2 - 100));
            QVERIFY(box->height() >= box->sizeHint().height()); // never less than it needs
        }
    }

    void eachPageIsBoundToItsOwnControlAndFieldsAreFoundWithoutCase() {
        QWidget* column = pageWith(new QVBoxLayout);
        std::unique_ptr<QWidget> window(column);
        QWidget* second = pageWith(new QVBoxLayout);
        second->setParent(column);
        const BoxTable::Built built = BoxTable::build(Stacked, {column, second});
        DataControl first;
        DataControl other;
        const QList<BoundField*> onFirst = built.bind(&first, 1);
        QCOMPARE(onFirst.size(), 1);
        QCOMPARE(onFirst.first()->field(), QStringLiteral("Amount"));
        const QList<BoundField*> onSecond = built.bind(&other, 2);
        QCOMPARE(onSecond.size(), 1);
        QCOMPARE(onSecond.first()->kind(), BoundField::Text);
        const BoxTable::Made* notes = built.ofField(QStringLiteral("NOTES"));
        QVERIFY(notes);
        QCOMPARE(notes->page, 2);
        QCOMPARE(notes->caption, QStringLiteral("Notes"));
        QCOMPARE(notes->box, built.box<QTextEdit>("Text2"));
        QVERIFY(!built.ofField(QStringLiteral("Kind")));
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestBoxTable)
#include "test_box_table.moc"
