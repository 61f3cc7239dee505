#include "frmIntroduction.h"

#include "core/logic/IntroductionText.h"
#include "core/logic/SharedState.h"
#include "frmMain.h"
#include "platform/widgets/BoxTable.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowParts.h"

#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

using BoxTable::Full;
using BoxTable::rect;
using BoxTable::Shape;

// The picture fills the window below the menu bar; the text stands on its right half, 400
// twips in from every edge.
constexpr BoxTable::Part Parts[] = {
    {1, nullptr, nullptr, "Image1", Shape::Label, rect(0, 0, Full, Full)},
    {1, nullptr, nullptr, "Label1", Shape::Label,
     rect(Full / 2 + 400, 400, Full / 2 - 800, Full - 800)},
};

} // namespace

frmIntroduction::frmIntroduction(QWidget* parent)
    : OneAtATimeDialog(parent, "frmIntroduction", QStringLiteral("Welcome to Vellagon")),
      m_inside(new QWidget(this)) {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuAddClient = addMenuItem(menuBar, "mnuAddClient", QStringLiteral("Add &Client"), this,
                               &frmIntroduction::mnuAddClient_Click);
    mnuAddEmployee = addMenuItem(menuBar, "mnuAddEmployee", QStringLiteral("Add &Employee"), this,
                                 &frmIntroduction::mnuAddEmployee_Click);
    mnuDataEntry = addMenuItem(menuBar, "mnuDataEntry", QStringLiteral("&Go to Data entry window"),
                               this, &frmIntroduction::mnuDataEntry_Click);
    mnuAddClient->setVisible(false);
    mnuAddEmployee->setVisible(false);

    m_parts = BoxTable::build(Parts, {m_inside});
    Image1 = m_parts.box<QLabel>("Image1");
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/introduction.png")));
    Image1->setScaledContents(true);

    Label1 = m_parts.box<QLabel>("Label1");
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setFont(QFont(QStringLiteral("Comic Sans MS"), 12));
    QPalette ink = Label1->palette();
    ink.setColor(QPalette::WindowText, QColor(0x1d, 0x46, 0x70));
    Label1->setPalette(ink);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_inside);
    m_inside->installEventFilter(this);
    resize(Twips::toPixels(10800), Twips::toPixels(7500));
    Form_Load();
}

void frmIntroduction::Form_Load() {
    if (const QWidget* main = frmMain::instance())
        move(main->pos());
    gstrScratch = IntroductionText::build(gblnNoClients, gblnNoEmployees);
    mnuAddClient->setVisible(gblnNoClients);
    mnuAddEmployee->setVisible(gblnNoEmployees);
    Label1->setText(gstrScratch);
    Label1->raise();
}

void frmIntroduction::Form_Resize() {
    m_parts.layOut(m_inside->size());
}

void frmIntroduction::mnuAddClient_Click() {
    gstrClient = QStringLiteral("YES");
    close();
}

void frmIntroduction::mnuAddEmployee_Click() {
    gstrEmployee = QStringLiteral("YES");
    close();
}

void frmIntroduction::mnuDataEntry_Click() {
    close();
}

bool frmIntroduction::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_inside && event->type() == QEvent::Resize)
        Form_Resize();
    return QDialog::eventFilter(watched, event);
}
