#include "frmTip.h"

#include "core/logic/StartupSettings.h"
#include "core/logic/TipsFile.h"
#include "frmMain.h"
#include "platform/widgets/Twips.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

frmTip::frmTip(QWidget* parent)
    : OneAtATimeDialog(parent, "frmTip", QStringLiteral("Tip of the Day")) {
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(QPixmap(QStringLiteral(":/pictures/tip.png")));
    Picture1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Label1 = new QLabel(QStringLiteral("Did you know..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    Label1->setFont(heading);

    lblTipText = new QLabel(this);
    lblTipText->setObjectName(QStringLiteral("lblTipText"));
    lblTipText->setTextFormat(Qt::PlainText);
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdNextTip = new QPushButton(QStringLiteral("&Next Tip"), this);
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    cmdNextTip->setAutoDefault(false);
    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::cmdNextTip_Click);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmTip::cmdOK_Click);
    chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Deactivate Tip of the Day"), this);
    chkLoadTipsAtStartup->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));

    // The tip stands on a white page beside the picture, the commands below both.
    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    page->setAutoFillBackground(true);
    QPalette white = page->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    page->setPalette(white);
    auto* pageLayout = new QGridLayout(page);
    pageLayout->addWidget(Picture1, 0, 0, 2, 1);
    pageLayout->addWidget(Label1, 0, 1);
    pageLayout->addWidget(lblTipText, 1, 1);
    pageLayout->setColumnStretch(1, 1);
    pageLayout->setRowStretch(1, 1);
    pageLayout->setHorizontalSpacing(Twips::toPixels(240));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdNextTip, QDialogButtonBox::ActionRole);
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    auto* commands = new QHBoxLayout;
    commands->addWidget(chkLoadTipsAtStartup);
    commands->addStretch(1);
    commands->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page, 1);
    layout->addLayout(commands);
    resize(Twips::toPixels(7200), Twips::toPixels(3900));
    Form_Load();
}

void frmTip::Form_Load() {
    if (const QWidget* main = frmMain::instance())
        move(main->pos() + QPoint(Twips::toPixels(1500), Twips::toPixels(700)));
    if (!LoadTips(TipsFile::path()))
        lblTipText->setText(TipsFile::missingFileText());
}

bool frmTip::LoadTips(const QString& fileName) {
    std::optional<QStringList> tips = TipsFile::read(fileName);
    if (!tips)
        return false;
    m_tips = std::move(*tips);
    ShowRandomTip();
    return true;
}

void frmTip::ShowRandomTip() {
    // Every tip is as likely as any other, the one shown too.
    if (!m_tips.isEmpty())
        m_currentTip = qint32(QRandomGenerator::global()->bounded(qint64(m_tips.size()))) + 1;
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
    if (m_currentTip >= 1 && m_currentTip <= m_tips.size())
        lblTipText->setText(m_tips.at(m_currentTip - 1));
}

void frmTip::cmdNextTip_Click() {
    ShowRandomTip();
}

void frmTip::cmdOK_Click() {
    close();
}

void frmTip::Form_Unload() {
    StartupSettings::saveTipsDeactivated(chkLoadTipsAtStartup->isChecked());
}

void frmTip::done(int result) {
    Form_Unload();
    OneAtATimeDialog::done(result);
}
